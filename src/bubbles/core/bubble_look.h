#pragma once
#include <cstdint>

#include "bubbles/core/bubbles_data.h"

// Fill colours as COLORREF values (0x00BBGGRR). They are XORed onto white, so each shows as its
// complement: colour 0 shows black, colour 1 leaves only the outline.
constexpr uint32_t kBubbleColours[17] = {
    0xFFFFFF, 0x000000, 0xC0C0C0, 0x808080, 0x404040, 0x0000FF, 0x00FF00, 0xFF0000, 0x00C0C0,
    0xC0C000, 0xC000C0, 0x40C0C0, 0xC0C040, 0xC040C0, 0x80C0C0, 0xC0C080, 0xC080C0,
};
constexpr int kBubbleColourCount = 17;
constexpr uint32_t kBubbleOutlineColour = 0x808080;
constexpr int kBubbleOutlineWidth = 2;

struct BubbleBox {
    int left;
    int top;
    int right;
    int bottom;
};

// The bounding box handed to Ellipse: float edges truncated toward zero (-2.5 gives -2).
BubbleBox BubbleBounds(const Bubble& b);

// What a drawn bubble puts on the window: its box and its fill colour in Designer style, or -1 for a ring.
// Two draws of one look XOR the very same pixels, so they cancel.
struct BubbleLook {
    BubbleBox box;
    int fill;
};

inline bool operator==(const BubbleLook& a, const BubbleLook& b) {
    return a.box.left == b.box.left && a.box.top == b.box.top && a.box.right == b.box.right &&
           a.box.bottom == b.box.bottom && a.fill == b.fill;
}

BubbleLook BubbleLookOf(const BubblesData& data, int k);
