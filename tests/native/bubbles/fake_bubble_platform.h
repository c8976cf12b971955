#pragma once
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "bubbles/core/bubble_look.h"
#include "bubbles/core/bubble_surface.h"
#include "bubbles/core/bubbles_data.h"

// Records every bubble drawn and keeps the XOR picture as the set of geometries drawn an odd
// number of times.
class RecordingSurface : public BubbleSurface {
  public:
    using Look = std::tuple<int, int, int, int, int, int>; // box, colour, designer

    explicit RecordingSurface(int width = 400, int height = 300) : size_{width, height} {}

    void DrawBubble(const BubblesData& data, int k) override {
        const Bubble& b = data.bubbles[k];
        draws.push_back({k, b.x, b.y, b.radius});
        const BubbleBox box = BubbleBounds(b);
        const Look look{box.left, box.top, box.right, box.bottom, b.colour, data.designer};
        if ((onScreen[look] ^= 1) == 0) onScreen.erase(look);
    }
    BubbleClientSize ClientSize() override { return size_; }

    void Resize(int width, int height) { size_ = {width, height}; }

    // The picture that the bubbles of data should leave: each drawn once at its geometry.
    static std::map<Look, int> Expected(const BubblesData& data) {
        std::map<Look, int> looks;
        for (int k = 1; k <= data.count; ++k) {
            const Bubble& b = data.bubbles[k];
            const BubbleBox box = BubbleBounds(b);
            const Look look{box.left, box.top, box.right, box.bottom, b.colour, data.designer};
            if ((looks[look] ^= 1) == 0) looks.erase(look);
        }
        return looks;
    }

    struct Draw {
        int k;
        float x, y, radius;
    };
    std::vector<Draw> draws;
    std::map<Look, int> onScreen;

  private:
    BubbleClientSize size_;
};

// A tick counter that moves only when told to, or by a fixed step at every reading.
class FakeClock : public BubbleClock {
  public:
    explicit FakeClock(uint32_t start = 1000, uint32_t stepPerRead = 0) : now(start), step(stepPerRead) {}
    uint32_t Now() override {
        const uint32_t t = now;
        now += step;
        ++reads;
        return t;
    }
    uint32_t now;
    uint32_t step;
    int reads = 0;
};

inline Bubble MakeTestBubble(float x, float y, float radius, int colour = 2) {
    Bubble b{};
    b.x = x;
    b.y = y;
    b.radius = radius;
    b.targetRadius = radius;
    b.colour = static_cast<int16_t>(colour);
    b.next = -1;
    return b;
}

// Puts bubbles into data as entries 1.. and draws each once, as MakeBubble would.
inline void AddBubbles(BubblesData& data, RecordingSurface& surface, std::initializer_list<Bubble> bubbles) {
    for (const Bubble& b : bubbles) {
        data.count = static_cast<int16_t>(data.count + 1);
        data.bubbles[data.count] = b;
        surface.DrawBubble(data, data.count);
    }
}

inline std::vector<int> QueueOrder(const BubblesData& data) {
    std::vector<int> order;
    for (int k = data.queueHead; k > 0 && order.size() < 300; k = data.bubbles[k].next)
        order.push_back(k);
    return order;
}
