#pragma once
#include <cstdint>

// One bubble. Geometry is kept in floats and computed in double; the layout is fixed.
struct Bubble {
    float x; // centre, client pixels
    float y;
    float radius;
    float targetRadius; // what a bud grows to, and what this bubble's own buds grow to
    int16_t colour;     // index into the bubble colour table
    int16_t next;       // work-queue link: -1 not queued, 0 last, k the bubble queued after this one
    uint8_t growing;
    uint8_t falling;
};

// Everything one Bubbles window knows. Entry 0 of bubbles is the probe of the last press;
// entries 1 to count are the bubbles.
struct BubblesData {
    float mouseX;
    float mouseY;
    float defaultRadius;
    int16_t held;
    int16_t queueHead;
    int16_t queueTail;
    int16_t count;
    int16_t mouseMode;
    int32_t pressActive;
    int32_t designer;
    int32_t modeFromMenu;
    uint32_t yeastTime;   // 0 = off, else the tick from which the next yeast event is due
    uint32_t growTime;    // 0 = idle, else the tick from which the next growth step is due
    uint32_t gravityTime; // 0 = off, else the tick from which the next pulse is due
    Bubble bubbles[201];
};

constexpr int kMaxBubbles = 199;

enum BubbleMouseMode : int16_t { kModeMove = 0, kModePop = 1, kModeGrow = 2 };

// Due once the tick counter has gone strictly past time; the signed difference survives the wrap at 2^32.
inline bool TickDue(uint32_t time, uint32_t now) { return static_cast<int32_t>(time - now) < 0; }

// Reached once the tick counter is at time or past it: a time budget ends there.
inline bool TickReached(uint32_t time, uint32_t now) { return static_cast<int32_t>(time - now) <= 0; }

// 0 means "off" in the tick fields, so a time that lands exactly on 0 after the wrap is kept 1 ms later
// instead of silently switching the setting off.
inline uint32_t ArmTick(uint32_t time) { return time == 0 ? 1u : time; }
