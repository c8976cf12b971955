#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_set>

#include "bubbles/core/bubbles_data.h"

// Fill colours as COLORREF values (0x00BBGGRR). They are XORed onto white, so each shows as its
// complement: colour 0 shows black, colour 1 leaves only the outline.
constexpr int kBubbleColourCount = 17;
constexpr uint32_t kBubbleColours[kBubbleColourCount] = {
    0xFFFFFF, 0x000000, 0xC0C0C0, 0x808080, 0x404040, 0x0000FF, 0x00FF00, 0xFF0000, 0x00C0C0,
    0xC0C000, 0xC000C0, 0x40C0C0, 0xC0C040, 0xC040C0, 0x80C0C0, 0xC0C080, 0xC080C0,
};
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

struct BubbleLookHash {
    size_t operator()(const BubbleLook& look) const;
};

// The net effect of a run of XOR draws. A look drawn twice leaves the pixels as they were, and XOR draws
// give the same result in any order, so drawing once each look drawn an odd number of times leaves the
// window exactly as the whole run would. A bubble moved a thousand times holds two looks: where it was and
// where it is.
using BubbleLooks = std::unordered_set<BubbleLook, BubbleLookHash>;

inline void ToggleLook(BubbleLooks& odd, const BubbleLook& look) {
    if (odd.erase(look) == 0) odd.insert(look);
}
