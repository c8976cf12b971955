#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <span>

#include "common/core/random.h"
#include "lines/core/lines_draw.h"
#include "lines/core/lines_figure.h"
#include "lines/core/lines_run.h"

TEST(LinesColours, SineQuartersMirrorBitForBit) {
    InitSineTable();
    for (int i = 0; i < 256; ++i) {
        const float first = sineTable[i % 128 <= 64 ? i % 128 : 128 - i % 128];
        EXPECT_EQ(std::bit_cast<int>(sineTable[i]), std::bit_cast<int>(i < 128 ? first : -first)) << i;
    }
}

TEST(LinesColours, EachHueSectorTakesItsChannelsFromValueAndSaturation) {
    // In sector 6 hue / 255 the strongest channel is the value, the weakest value times (1 - saturation).
    for (const auto& [s, v] : {std::pair(0u, 1u), {64u, 200u}, {255u, 255u}, {64u, 255u}})
        for (uint32_t h = 0; h < 255; ++h) {
            const uint32_t sector = h * 6 / 255;
            const uint32_t c = HsvToRgb(h | s << 8 | v << 16);
            const uint32_t rgb[] = {c & 255, c >> 8 & 255, c >> 16};
            EXPECT_NEAR(rgb[(sector + 1) / 2 % 3], v, 1) << h;
            EXPECT_NEAR(rgb[(sector / 2 + 2) % 3], v * (255.0 - s) / 255, 1) << h;
        }
}

// Against the 37 draws of the random source, written out here; the record's new figure is the plan traced.
TEST(LinesFigure, APlanTakesEachValueFromItsPlaceInExactly37Draws) {
    const LinesChannel ch = MakeLinesChannel(10, 301, 20, 17, 768, 48); // centre 301 - 291 / 2, rounded up
    EXPECT_EQ(std::tuple(ch.swing, ch.centre, ch.phase, ch.increment), std::tuple(291, 156, 17, 16));
    for (const auto& [w, h] : {std::pair(640, 480), {60, 40}, {640, 0}})
        for (uint32_t i = 1; i <= 500; ++i) {
            const uint32_t seed = i * 2654435761u;
            uint32_t state = seed;
            int r[37];
            for (int& value : r)
                value = (state = state * 214013u + 2531011u) >> 16 & 0x7FFF;
            const auto below = [&r](int k, int n) { return int((uint32_t(n) * r[k]) >> 15); };
            const int m = factorTable[below(0, 9)];
            const int s = m == 1 ? 100 : 200;
            const int n = s / 8 + below(1, s - s / 8);
            SeedRandom(seed);
            const int offSteps = PlanLinesFigure(w, h, false).nSteps;
            SeedRandom(seed);
            const LinesFigurePlan on = PlanLinesFigure(w, h, true);
            EXPECT_EQ(std::tuple(GetRandomState(), on.nSegments, on.ticksPerStep),
                      std::tuple(state, n, factorTable[below(4, 9)]));
            EXPECT_EQ(std::tuple(on.nSteps, offSteps, on.iErase),
                      std::tuple(n * factorTable[below(2, 9)], (factorTable[below(2, 9)] + 1) * n,
                                 -1 - below(3, n - 1) / (m == 1 ? 1 : 2)));
            for (int c = 0; c < kLinesChannelCount; ++c) { // x1, y1, x2, y2, hue, saturation, value
                // From draw 5 on, four a side: y side, x side, phase, frequency; sides of 0, 0, 2, 2, 4, 4, 6
                const int x = c % 2 == 0 && c < 6;
                const int k = 5 + 4 * (c & ~1) + x;
                const int low = c < 4 || x ? 0 : 64;
                const int range = c < 4 ? (x ? w : h) : (x ? 256 : 192);
                const LinesChannel want =
                    MakeLinesChannel(low + below(k, range), low + below(k + 4, range), LinesMinSwing(w, h),
                                     below(7 + 4 * c, 256), (factorTable[below(8 + 4 * c, 12)] + m) * 256, n);
                EXPECT_EQ(std::memcmp(&on.channels[c], &want, sizeof want), 0) << seed << " " << c;
            }
            LinesData data{};
            data.fErase = 1;
            SeedRandom(seed);
            LinesNewFigure(data, w, h);
            LinesSegment segments[kLinesMaxSegments];
            TraceLinesFigure(on, n, segments, data.colors);
            EXPECT_EQ(std::memcmp(segments, data.segments, sizeof(LinesSegment) * n), 0) << seed;
        }
}

// The four coordinates at the draw step's column and a figure later, the x dotted, a marker starting a pass.
TEST(LinesPicture, PlotChartsTheCoordinatesOfEachStep) {
    PlotStroke s[kMaxPlotStrokes];
    std::vector<std::tuple<bool, uint32_t, int, int, int, int>> got;
    const int n = PlotStrokes({11, 12, 13, 14}, {21, 22, 23, 24}, 0, 9, 20, s);
    for (const PlotStroke& k : std::span(s, n))
        got.emplace_back(k.dotted, k.colour, k.x1, k.y1, k.x2, k.y2);
    // clang-format off
    EXPECT_EQ(got, (decltype(got){{0, 0, 36, -20000, 36, 20000}, {0, 0x0000FF, 32, 12, 36, 22}, {1, 0x00C0C0, 32, 11, 36, 21},
        {0, 0x00FF00, 32, 14, 36, 24}, {1, 0xC0C000, 32, 13, 36, 23}, {0, 0, 116, -20000, 116, 20000},
        {0, 0x0000FF, 112, 12, 116, 22}, {1, 0x00C0C0, 112, 11, 116, 21}, {0, 0x00FF00, 112, 14, 116, 24},
        {1, 0xC0C000, 112, 13, 116, 23}}));
    // clang-format on
    EXPECT_EQ(PlotStrokes({11, 12, 13, 14}, {21, 22, 23, 24}, 3, 9, 20, s), 8) << "no marker inside a pass";
}

// A run's steps: " d3" draws segment 3, " e1" erases 1, " clear" starts a new figure with an erase lag of 2.
struct RecordedRun : LinesSurface {
    RecordedRun(bool erase, bool repeat) : data{{}, {}, 2, 4, 0, -2, 0, 0, 0, erase, repeat} {}
    void DrawSegment(int k) override { calls += " d" + std::to_string(k); }
    void EraseSegment(int k) override { calls += " e" + std::to_string(k); }
    void ClearAndStartNewFigure() override {
        calls += " clear";
        data.iDraw = 0;
        data.iErase = -2;
    }
    std::string Steps(int count) {
        calls.clear();
        for (; count > 0; --count)
            StepLinesRun(data, *this);
        return calls;
    }
    LinesData data;
    std::string calls;
};

TEST(LinesSteps, EachRunDrawsErasesAndEndsAsWrittenHere) {
    // clang-format off
    const std::tuple<bool, bool, int, const char*> runs[] = {{false, false, 5, " d0 d1 d0 d1 clear"},
        {true, false, 7, " d0 d1 d0 e0 d1 e1 e0 e1 clear"}, {false, true, 6, " d0 d1 d0 d1 d0 d1"},
        {true, true, 7, " d0 d1 d0 e0 d1 e1 d0 e0 d1 e1 d0 e0"}}; // 2 segments, 4 steps
    // clang-format on
    for (const auto& [erase, repeat, steps, calls] : runs)
        EXPECT_EQ(RecordedRun(erase, repeat).Steps(steps), calls) << erase << repeat;
}
