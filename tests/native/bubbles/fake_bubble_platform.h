#pragma once
#include <algorithm>
#include <set>
#include <tuple>

#include "bubbles/core/bubbles_draw.h"
#include "bubbles/core/bubbles_surface.h"

// A client area keeping the XOR picture, the looks drawn an odd number of times; and the window's set of
// them.
struct XorSurface : BubbleSurface {
    void DrawBubble(const BubblesData& data, int k) override {
        const BubbleBox b = BubbleBounds(data.bubbles[k]);
        const std::tuple look{b.left, b.top, b.right, b.bottom, data.bubbles[k].colour, data.designer};
        if (picture.erase(look) == 0) picture.insert(look);
        const BubbleLook drawn = BubbleLookOf(data, k);
        ToggleLook(toggled, drawn);
        if (plain.erase(Key(drawn)) == 0) plain.insert(Key(drawn));
    }
    static std::tuple<int, int, int, int, int> Key(const BubbleLook& l) {
        return {l.box.left, l.box.top, l.box.right, l.box.bottom, l.fill};
    }
    bool TogglesMatch() const {
        return toggled.size() == plain.size() &&
               std::all_of(toggled.begin(), toggled.end(),
                           [this](const BubbleLook& l) { return plain.count(Key(l)); });
    }
    BubbleClientSize ClientSize() override { return size; }
    XorSurface& Repaint(const BubblesData& data) { // as WM_PAINT leaves it: every bubble drawn once
        picture.clear();
        toggled.clear();
        plain.clear();
        for (int k = 1; k <= data.count; ++k)
            DrawBubble(data, k);
        return *this;
    }
    bool ShowsExactly(const BubblesData& data) const { return XorSurface().Repaint(data).picture == picture; }
    BubbleClientSize size{400, 300};
    std::set<std::tuple<int, int, int, int, int16_t, int32_t>> picture;
    BubbleLooks toggled;
    std::set<std::tuple<int, int, int, int, int>> plain;
};

// A tick counter that moves on by a fixed step at every reading.
struct FakeClock : BubbleClock {
    explicit FakeClock(uint32_t start, uint32_t perReading = 0) : now(start), step(perReading) {}
    uint32_t Now() override { return (now += step) - step; }
    uint32_t now, step;
};
