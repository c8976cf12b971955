// Any sequence of what a Bubbles window does, on a clock starting just before the 32-bit wrap, leaves the
// record sound, the XOR picture showing the bubbles, and the window's toggled looks those of a plain set.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <span>

#include "bubbles/core/bubbles_motion.h"
#include "bubbles/core/bubbles_mouse.h"
#include "bubbles/core/bubbles_queue.h"
#include "bubbles/core/bubbles_settings.h"
#include "common/core/random.h"
#include "fake_bubble_platform.h"

static void Check(bool ok) {
    if (!ok) std::abort();
}

// Counts in range, values finite, and the queue one chain from head to tail of exactly the bubbles marked.
static void CheckRecord(const BubblesData& data) {
    Check(data.count >= 0 && data.count <= kMaxBubbles && data.held >= 0 && data.held <= data.count);
    Check(data.queueHead <= data.count && std::isfinite(data.defaultRadius));
    int marked = 0, queued = 0, last = 0;
    for (const Bubble& b : std::span(data.bubbles + 1, data.count)) {
        Check(std::isfinite(b.x + b.y + b.radius + b.targetRadius) && b.radius >= 0 && b.next <= data.count);
        Check(b.colour >= 0 && b.colour < kBubbleColourCount);
        marked += b.next != -1;
    }
    for (int k = data.queueHead; k > 0 && queued <= data.count; k = data.bubbles[k].next) {
        ++queued;
        last = k;
    }
    Check(queued == marked && data.queueTail == last);
}

// Client sizes the window is given; a minimized one has none.
constexpr BubbleClientSize kSizes[] = {{640, 480},     {1, 1}, {37, 2000}, {2000, 37},
                                       {32767, 32767}, {0, 0}, {0, 480}};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider in(bytes, size);
    SeedRandom(in.ConsumeIntegral<uint32_t>());
    FakeClock clock(0xFFFFFFFFu - in.ConsumeIntegralInRange<uint32_t>(0, 20000), 1);
    static BubblesData data; // zero-filled when made, as the window's record is
    static BubblesData before;
    data = BubblesData{};
    InitBubblesData(data, clock.now, nullptr);
    XorSurface surface;
    while (in.remaining_bytes() > 0) {
        const float x = in.ConsumeIntegral<int16_t>();
        const float y = in.ConsumeIntegral<int16_t>();
        const int op = in.ConsumeIntegralInRange(0, 11);
        if (op == 4) data.modeFromMenu = 0; // a key press ends the menu's mode
        if (op == 8) clock.step = 1 + in.ConsumeIntegral<uint8_t>() % 20;
        if (op == 9) clock.now += 16;
        if (op == 9) before = data;
        switch (op) {
        case 0: MakeBubble(data, surface); break;
        case 1: PressBubbles(data, surface, x, y); break;
        case 2: DragHeldBubble(data, surface, x, y); break;
        case 3: EndDrag(data); break;
        case 4: UpdateMouseModeFromKeys(data, x < 0, y < 0); break;
        case 5: ChooseMouseMode(data, static_cast<BubbleMouseMode>(in.ConsumeIntegralInRange(0, 2))); break;
        case 6: EraseAllBubbles(data); break;
        case 7: surface.size = in.PickValueInArray(kSizes); break;
        case 8: clock.now += in.ConsumeIntegral<uint32_t>(); break;
        case 9: BubblesTimerTick(data, surface, clock); break;
        case 10: ToggleTickSetting(x < 0 ? data.gravityTime : data.yeastTime, clock.Now()); break;
        case 11: data.designer = !data.designer; break;
        }
        if (op == 7) BubblesClientResized(data, surface.size);
        if (op == 6 || op == 7 || op == 11) surface.Repaint(data);
        // A tick in an empty client leaves the record exactly as it was.
        if (op == 9) Check(!ClientEmpty(surface.size) || std::memcmp(&before, &data, sizeof data) == 0);
        CheckRecord(data);
        Check(surface.ShowsExactly(data));
        Check(surface.TogglesMatch());
    }
    return 0;
}
