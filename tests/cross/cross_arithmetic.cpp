// What the core's floating point makes of fixed inputs, exactly; scripts/test.sh compares every build's.
#include <cstdio>

#include "bubbles/core/bubbles_motion.h"
#include "bubbles/core/bubbles_settings.h"
#include "common/core/random.h"
#include "fake_bubble_platform.h"
#include "lines/core/lines_figure.h"

int main() {
    static BubblesData data{};
    LinesSegment s[kLinesMaxSegments];
    uint32_t rgb[kLinesMaxSegments];
    InitSineTable();
    for (uint32_t i = 0; i < 300; ++i) { // seeds, sizes and Erase Behind as windows may see them
        SeedRandom(i);
        const LinesFigurePlan plan = PlanLinesFigure(60 + i * 37 % 1900, 40 + i * 53 % 1100, i % 2);
        TraceLinesFigure(plan, plan.nSegments, s, rgb);
        for (int t = 0; t < plan.nSegments; ++t)
            std::printf("lines %u %d: %d %d %d %d %06x\n", i, t, s[t].x1, s[t].y1, s[t].x2, s[t].y2, rgb[t]);
    }
    XorSurface screen; // 400 x 300, which Gravity and Yeast crowd to the limit of 199 bubbles
    FakeClock clock(1000, 1);
    InitBubblesData(data, clock.now, nullptr);
    ToggleTickSetting(data.gravityTime, clock.now);
    for (int tick = 0; tick < 4000; ++tick) {
        if (tick < 60) MakeBubble(data, screen);
        BubblesTimerTick(data, screen, clock);
        for (int k = 1; tick % 500 == 499 && k <= data.count; ++k)
            std::printf("tick %d bubble %d: %a %a %a\n", tick, k, data.bubbles[k].x, data.bubbles[k].y,
                        data.bubbles[k].radius);
    }
}
