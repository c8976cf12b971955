// The bubble core driven by any sequence of the operations a Bubbles window performs: make, press,
// drag, release, keys, menu modes, erase all, resize to any size (empty ones often), timer ticks on a fake
// clock that starts just before the 32-bit wrap, and the three settings. After every operation the
// record must be sound and the picture (a model of the XOR drawing) must show exactly the bubbles.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "bubbles/core/bubble_look.h"
#include "bubbles/core/bubble_motion.h"
#include "bubbles/core/bubble_mouse.h"
#include "bubbles/core/bubble_queue.h"
#include "bubbles/core/bubble_settings.h"
#include "common/core/random.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

using Look = std::tuple<int, int, int, int, int>; // box, and the fill colour or -1 for a ring

Look LookOf(const BubblesData& data, int k) {
    const BubbleBox box = BubbleBounds(data.bubbles[k]);
    return {box.left, box.top, box.right, box.bottom, data.designer ? data.bubbles[k].colour : -1};
}

// The window as XOR drawing leaves it: each look drawn an odd number of times is visible.
class ModelSurface : public BubbleSurface {
  public:
    void DrawBubble(const BubblesData& data, int k) override {
        Check(k >= 1 && k <= data.count);
        const Bubble& b = data.bubbles[k];
        Check(std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.radius));
        Check(b.colour >= 0 && b.colour < kBubbleColourCount);
        visible_[LookOf(data, k)] ^= 1;
    }
    BubbleClientSize ClientSize() override { return size; }

    // WM_PAINT after an invalidation: the window is cleared and every bubble drawn once.
    void Repaint(const BubblesData& data) { visible_ = Expected(data); }

    bool ShowsExactly(const BubblesData& data) const { return Visible(visible_) == Visible(Expected(data)); }

    BubbleClientSize size{640, 480};

  private:
    static std::map<Look, int> Expected(const BubblesData& data) {
        std::map<Look, int> looks;
        for (int k = 1; k <= data.count; ++k)
            looks[LookOf(data, k)] ^= 1;
        return looks;
    }
    static std::map<Look, int> Visible(const std::map<Look, int>& looks) {
        std::map<Look, int> shown;
        for (const auto& [look, parity] : looks)
            if (parity) shown[look] = 1;
        return shown;
    }
    std::map<Look, int> visible_;
};

// Each reading moves time on, as the real counter does while the budget loop works.
class FakeClock : public BubbleClock {
  public:
    uint32_t Now() override { return now += perReading; }
    uint32_t now = 0;
    uint32_t perReading = 1;
};

void CheckRecord(const BubblesData& data) {
    Check(data.count >= 0 && data.count <= kMaxBubbles);
    Check(data.held >= 0 && data.held <= data.count);
    Check(data.mouseMode >= kModeMove && data.mouseMode <= kModeGrow);
    Check(std::isfinite(data.defaultRadius));
    for (int k = 1; k <= data.count; ++k) {
        const Bubble& b = data.bubbles[k];
        Check(std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.radius) &&
              std::isfinite(b.targetRadius));
        Check(b.radius >= 0.0f);
        Check(b.next >= -1 && b.next <= data.count);
    }
    // The queue: a chain from head to tail without cycles, holding exactly the bubbles marked queued.
    std::vector<bool> seen(data.count + 1, false);
    int queued = 0;
    int last = 0;
    for (int k = data.queueHead; k > 0; k = data.bubbles[k].next) {
        Check(k <= data.count && !seen[k]);
        seen[k] = true;
        ++queued;
        last = k;
    }
    Check(data.queueTail == last);
    int marked = 0;
    for (int k = 1; k <= data.count; ++k)
        if (data.bubbles[k].next != -1) ++marked;
    Check(marked == queued);
}

// An empty client area (minimized) leaves the record exactly as it was, however long it ticks.
void Tick(BubblesData& data, ModelSurface& surface, FakeClock& clock) {
    static BubblesData before;
    before = data;
    BubblesTimerTick(data, surface, clock);
    Check(!ClientEmpty(surface.size) || std::memcmp(&before, &data, sizeof data) == 0);
}

float Coordinate(FuzzedDataProvider& in) { return static_cast<float>(in.ConsumeIntegral<int16_t>()); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider in(bytes, size);
    SeedRandom(in.ConsumeIntegral<uint32_t>());
    FakeClock clock;
    clock.now = 0xFFFFFFFFu - in.ConsumeIntegralInRange<uint32_t>(0, 20000);
    static BubblesData data; // the window's record is zero-filled when made
    data = BubblesData{};
    InitBubblesData(data, clock.now, nullptr);
    ModelSurface surface;

    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange<int>(0, 12)) {
        case 0: MakeBubble(data, surface); break;
        case 1: {
            const float x = Coordinate(in);
            const float y = Coordinate(in);
            PressBubbles(data, surface, x, y);
            break;
        }
        case 2: {
            const float x = Coordinate(in);
            const float y = Coordinate(in);
            DragHeldBubble(data, surface, x, y);
            break;
        }
        case 3: EndDrag(data); break;
        case 4: {
            const bool shift = in.ConsumeBool();
            const bool ctrl = in.ConsumeBool();
            data.modeFromMenu = 0;
            UpdateMouseModeFromKeys(data, shift, ctrl);
            break;
        }
        case 5:
            ChooseMouseMode(data, static_cast<BubbleMouseMode>(in.ConsumeIntegralInRange<int>(0, 2)));
            break;
        case 6:
            EraseAllBubbles(data);
            surface.Repaint(data);
            break;
        case 7: {
            const int empty = in.ConsumeIntegralInRange<int>(0, 7); // bit 0: no width, bit 1: no height
            surface.size = {empty & 1 ? 0 : in.ConsumeIntegralInRange<int>(0, 32767),
                            empty & 2 ? 0 : in.ConsumeIntegralInRange<int>(0, 32767)};
            BubblesClientResized(data, surface.size);
            surface.Repaint(data);
            break;
        }
        case 8:
            clock.now += in.ConsumeIntegral<uint32_t>();
            clock.perReading = in.ConsumeIntegralInRange<uint32_t>(1, 20);
            Tick(data, surface, clock);
            break;
        case 9: {
            const int ticks = in.ConsumeIntegralInRange<int>(1, 64);
            for (int i = 0; i < ticks; ++i) {
                clock.now += 16;
                Tick(data, surface, clock);
            }
            break;
        }
        case 10: ToggleTickSetting(data.gravityTime, clock.Now()); break;
        case 11: ToggleTickSetting(data.yeastTime, clock.Now()); break;
        case 12:
            data.designer = data.designer ? 0 : 1;
            surface.Repaint(data);
            break;
        }
        CheckRecord(data);
        Check(surface.ShowsExactly(data));
    }
    return 0;
}
