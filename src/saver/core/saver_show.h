#pragma once
#include <cstdint>

// The default bubble radius of the show on a monitor of this DPI: the Bubbles window's, which is in pixels
// at 96 DPI, scaled so that the show looks the same at any DPI. A preview of clientHeight pixels is a small
// picture of a screen of screenHeight: its bubbles shrink with it (and keep a pixel).
float ShowBubbleRadius(int dpi, bool preview, int clientHeight, int screenHeight);

// How far the mouse may wander from where full-screen mode first saw it before the show ends.
inline constexpr int kSaverMouseSlack = 4;

struct SaverMouse {
    bool seen;
    int x;
    int y;
};

// The first position only sets the anchor: Windows sends a move when the window appears under the mouse.
// True once a position lies more than the slack from the anchor along either axis.
bool SaverMouseMovedAway(SaverMouse& mouse, int x, int y);

// What the Bubbles show does next: make bubbles until it holds the wanted number, trim any that yeast
// budded beyond it, and now and then swap one, popping it and making its replacement shortly after, so the
// picture keeps changing.
enum class BubbleShowStep { kNothing, kMake, kPop };

inline constexpr uint32_t kBubbleMakeMs = 100;
inline constexpr uint32_t kBubbleTrimMs = 50;
inline constexpr uint32_t kBubbleHoldMs = 1000; // plus up to twice that again, at random

// due: the tick from which the next step may come, advanced when one does. The long, random wait starts
// whenever a step brings the count to the wanted number.
BubbleShowStep NextBubbleShowStep(int count, int wanted, uint32_t now, uint32_t& due);
