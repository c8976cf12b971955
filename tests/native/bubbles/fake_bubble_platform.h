#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "bubbles/core/bubble_look.h"
#include "bubbles/core/bubble_surface.h"
#include "bubbles/core/bubbles_data.h"

// Records every bubble drawn and keeps the XOR picture as the set of looks drawn an odd number of times.
class RecordingSurface : public BubbleSurface {
  public:
    using Look = std::tuple<int, int, int, int, int, int>; // box, colour, designer
    using Picture = std::map<Look, int>;

    explicit RecordingSurface(int width = 400, int height = 300) : size_{width, height} {}

    void DrawBubble(const BubblesData& data, int k) override {
        const Bubble& b = data.bubbles[k];
        draws.push_back({k, b.x, b.y, b.radius});
        Toggle(onScreen, data, k);
    }
    BubbleClientSize ClientSize() override { return size_; }
    void Resize(int width, int height) { size_ = {width, height}; }

    // Whether the picture shows every bubble of data once at its geometry, and nothing else.
    bool ShowsExactly(const BubblesData& data) const {
        Picture expected;
        for (int k = 1; k <= data.count; ++k)
            Toggle(expected, data, k);
        return expected == onScreen;
    }

    struct Draw {
        int k;
        float x, y, radius;
    };
    std::vector<Draw> draws;
    Picture onScreen;

  private:
    static void Toggle(Picture& picture, const BubblesData& data, int k) {
        const BubbleBox box = BubbleBounds(data.bubbles[k]);
        const Look look{box.left, box.top, box.right, box.bottom, data.bubbles[k].colour, data.designer};
        if ((picture[look] ^= 1) == 0) picture.erase(look);
    }
    BubbleClientSize size_;
};

// A tick counter that moves only when told to, or by a fixed step at every reading.
class FakeClock : public BubbleClock {
  public:
    explicit FakeClock(uint32_t start = 1000, uint32_t stepPerRead = 0) : now(start), step(stepPerRead) {}
    uint32_t Now() override {
        const uint32_t t = now;
        now += step;
        return t;
    }
    uint32_t now;
    uint32_t step;
};

inline Bubble MakeTestBubble(float x, float y, float radius, int colour = 2) {
    return Bubble{x, y, radius, radius, static_cast<int16_t>(colour), -1, 0, 0};
}

// Puts bubbles into data as entries 1.. and draws each once, as MakeBubble would.
inline void AddBubbles(BubblesData& data, RecordingSurface& surface, std::initializer_list<Bubble> bubbles) {
    for (const Bubble& b : bubbles) {
        data.bubbles[++data.count] = b;
        surface.DrawBubble(data, data.count);
    }
}

inline std::vector<int> QueueOrder(const BubblesData& data) {
    std::vector<int> order;
    for (int k = data.queueHead; k > 0 && order.size() < 300; k = data.bubbles[k].next)
        order.push_back(k);
    return order;
}

// A window's record and its screen, checked after every test: what is drawn must be exactly the bubbles.
class XorCheckedTest : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_TRUE(surface.ShowsExactly(data)) << "XOR picture out of step"; }
    BubblesData data{};
    RecordingSurface surface{400, 300};
};
