#pragma once
#include <map>
#include <set>
#include <tuple>

#include "bubbles/core/bubbles_draw.h"
#include "bubbles/core/bubbles_surface.h"

// A client area that keeps the XOR picture: the looks (box, colour, designer) drawn an odd number of times.
// Beside it, the set of looks that the window's surface keeps for the same draws.
struct XorSurface : BubbleSurface {
    void DrawBubble(const BubblesData& data, int k) override {
        const BubbleBox b = BubbleBounds(data.bubbles[k]);
        const std::tuple look{b.left, b.top, b.right, b.bottom, data.bubbles[k].colour, data.designer};
        if (picture.erase(look) == 0) picture.insert(look);
        ToggleLook(toggled, BubbleLookOf(data, k));
    }
    // The surface's set holds the looks of the picture drawn an odd number of times: rings of any colour
    // draw alike.
    bool TogglesMatchThePicture() const {
        std::map<std::tuple<int, int, int, int, int>, bool> odd;
        for (const auto& [left, top, right, bottom, colour, designer] : picture)
            odd[{left, top, right, bottom, designer ? colour : -1}] ^= true;
        size_t count = 0;
        for (const auto& [look, isOdd] : odd) {
            const auto [left, top, right, bottom, fill] = look;
            count += isOdd;
            if (isOdd && toggled.count({{left, top, right, bottom}, fill}) == 0) return false;
        }
        return count == toggled.size();
    }
    BubbleClientSize ClientSize() override { return size; }
    XorSurface& Repaint(const BubblesData& data) { // as WM_PAINT leaves it: every bubble drawn once
        picture.clear();
        toggled.clear();
        for (int k = 1; k <= data.count; ++k)
            DrawBubble(data, k);
        return *this;
    }
    bool ShowsExactly(const BubblesData& data) const { return XorSurface().Repaint(data).picture == picture; }
    BubbleClientSize size{400, 300};
    std::set<std::tuple<int, int, int, int, int16_t, int32_t>> picture;
    BubbleLooks toggled;
};

// A tick counter that moves on by a fixed step at every reading.
struct FakeClock : BubbleClock {
    explicit FakeClock(uint32_t start, uint32_t perReading = 0) : now(start), step(perReading) {}
    uint32_t Now() override { return (now += step) - step; }
    uint32_t now, step;
};
