#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>

#include "common/core/random.h"
#include "lines/core/shapes.h"
#include "lines/core/steps.h"

static uint32_t Hsv(uint32_t h, uint32_t s, uint32_t v) { return h | s << 8 | v << 16; }

TEST(LinesColours, SineQuartersMirrorBitForBitAndEachHueSectorPicksItsChannels) {
    InitSineTable();
    for (int i = 0; i < 256; ++i) {
        EXPECT_NEAR(sineTable[i], std::sin(i * 3.141592653589793 / 128), 1e-7) << i;
        const float first = sineTable[i % 128 <= 64 ? i % 128 : 128 - i % 128];
        EXPECT_EQ(std::bit_cast<uint32_t>(sineTable[i]), std::bit_cast<uint32_t>(i < 128 ? first : -first))
            << i;
    }
    EXPECT_EQ(std::pair(HsvToRgb(Hsv(255, 255, 255)), HsvToRgb(Hsv(254, 255, 255))),
              std::pair(0xFF00FFu, 0x0500FFu));
    // In sector 6 hue / 255 the strongest channel is the value, the weakest value times (1 - saturation).
    for (const uint32_t v : {1u, 200u, 255u})
        for (const uint32_t s : {0u, 64u, 255u})
            for (uint32_t h = 0, sector = 0; h < 255; sector = ++h * 6 / 255) {
                const uint32_t c = HsvToRgb(Hsv(h, s, v)), rgb[3] = {c & 255, c >> 8 & 255, c >> 16 & 255};
                EXPECT_NEAR(rgb[(sector + 1) / 2 % 3], v, 1) << h;
                EXPECT_NEAR(rgb[(sector / 2 + 2) % 3], v * (255.0 - s) / 255, 1) << h;
            }
}

TEST(LinesFigure, ChannelCentresAndPointsTruncateTowardZeroAndColoursWrap) {
    const LinesChannel ch = MakeLinesChannel(10, 301, 20, 17, 768, 48); // centre 301 - 291 / 2, rounded up
    EXPECT_EQ(std::tuple(ch.swing, ch.centre, ch.phase, ch.increment), std::tuple(291, 156, 17, 16));
    InitSineTable();
    LinesFigurePlan plan{};
    // x1 at a crest, y1 a trough, x2 at -1.5, y2 a phase past the table, hue 260, saturation -8, value 200
    const float channels[7][3] = {{50, 100, 64}, {50, 100, 192}, {3, 0, 192.9f}, {40, 7, 320},
                                  {20, 250, 64}, {20, 2, 192},   {0, 456, 0}};
    for (int c = 0; c < kLinesChannelCount; ++c)
        plan.channels[c] = {channels[c][0], channels[c][1], channels[c][2], 0};
    LinesSegment s{};
    uint32_t colour = 0;
    TraceLinesFigure(plan, 1, &s, &colour);
    EXPECT_EQ(std::tuple(s.x1, s.y1, s.x2, s.y2, colour),
              std::tuple(125, 75, -1, 27, HsvToRgb(Hsv(4, 248, 200))));
}

// Against the 37 draws written out here. Without Erase Behind only the extra tracing differs; after n
// points each curve is back within one table step (2 pi / 256) and the truncation of where it began.
TEST(LinesFigure, APlanTakesEachValueFromItsPlaceInExactly37DrawsAndItsFigureCloses) {
    LinesSegment segments[kLinesMaxSegments];
    uint32_t colours[kLinesMaxSegments];
    for (const auto& [w, h] : {std::pair(640, 480), std::pair(60, 40), std::pair(640, 0)}) {
        for (uint32_t seed = 2654435761u, i = 0; i < 500; ++i, seed += 2654435761u) {
            SeedRandom(seed);
            int r[37];
            for (int& value : r)
                value = NextRandom();
            const uint32_t after = GetRandomState();
            const auto below = [&r](int k, int n) {
                return static_cast<int>((static_cast<uint32_t>(n) * r[k]) >> 15);
            };
            const int m = factorTable[below(0, 9)], span = m == 1 ? 100 : 200,
                      n = span / 8 + below(1, span - span / 8);
            SeedRandom(seed);
            const LinesFigurePlan off = PlanLinesFigure(w, h, false);
            SeedRandom(seed);
            const LinesFigurePlan on = PlanLinesFigure(w, h, true);
            EXPECT_EQ(
                std::tuple(GetRandomState(), on.nSegments, on.nSteps, off.nSteps, on.iErase, on.ticksPerStep),
                std::tuple(after, n, n * factorTable[below(2, 9)], (factorTable[below(2, 9)] + 1) * n,
                           -1 - below(3, n - 1) / (m == 1 ? 1 : 2), factorTable[below(4, 9)]));
            EXPECT_EQ(std::memcmp(on.channels, off.channels, sizeof on.channels), 0);
            for (int c = 0; c < kLinesChannelCount; ++c) { // x1, y1, x2, y2, hue, saturation, value
                const int j = c & ~1, k = 5 + 4 * j;       // pairs 0, 0, 2, 2, 4, 4, 6 from draws 5 + 4 j on
                const auto side = [&](int d) {
                    return c % 2 == 0 && c < 6 ? below(k + d + 1, j < 4 ? w : 256)
                           : j < 4             ? below(k + d, h)
                                               : 64 + below(k + d, 192);
                };
                const LinesChannel want =
                    MakeLinesChannel(side(0), side(4), LinesMinSwing(w, h), below(5 + 4 * c + 2, 256),
                                     (factorTable[below(5 + 4 * c + 3, 12)] + m) * 256, n);
                EXPECT_EQ(std::memcmp(&on.channels[c], &want, sizeof want), 0) << seed << " " << c;
            }
            TraceLinesFigure(on, n + 1, segments, colours);
            const LinesSegment &first = segments[0], &last = segments[n];
            for (const auto& [c, from, to] : {std::tuple(0, first.x1, last.x1),
                                              {1, first.y1, last.y1},
                                              {2, first.x2, last.x2},
                                              {3, first.y2, last.y2}})
                EXPECT_LE(std::abs(to - from), on.channels[c].swing * 0.0123 + 1);
        }
    }
}

TEST(LinesPicture, PlotDrawsTwoColumnsAtTheDrawStepWithAMarkerAtSegmentZeroAndTheFigureIsClosed) {
    for (const int index : {3, 0}) {
        std::vector<std::tuple<bool, uint32_t, int, int, int, int>> expected, got;
        for (const int x : {36, 36 + 80}) { // A went from (11, 12) to (21, 22), B from (13, 14) to (23, 24)
            if (index == 0) expected.emplace_back(false, 0u, x, -20000, x, 20000);
            expected.emplace_back(false, 0x0000FFu, x - 4, 12, x, 22); // y of A red
            expected.emplace_back(true, 0x00C0C0u, x - 4, 11, x, 21);  // x of A dark yellow, dotted
            expected.emplace_back(false, 0x00FF00u, x - 4, 14, x, 24); // y of B green
            expected.emplace_back(true, 0xC0C000u, x - 4, 13, x, 23);  // x of B dark cyan, dotted
        }
        PlotStroke s[kMaxPlotStrokes];
        for (int i = 0, n = PlotStrokes({11, 12, 13, 14}, {21, 22, 23, 24}, index, 9, 20, s); i < n; ++i)
            got.emplace_back(s[i].dotted, s[i].colour, s[i].x1, s[i].y1, s[i].x2, s[i].y2);
        EXPECT_EQ(got, expected) << index;
    }
    const LinesBox box = LinesSegmentBox({30, 5, 10, 25});
    EXPECT_EQ(std::tuple(box.left, box.top, box.right, box.bottom, PreviousLinesSegment(0, 7),
                         PreviousLinesSegment(5, 7)),
              std::tuple(10, 5, 30, 25, 6, 4));
}

// What a run's steps ask for: " d3" draws segment 3, " e1" erases 1, " clear" ends the run and resets the
// counters as a new figure does.
struct RecordedRun : LinesSurface {
    RecordedRun(LinesRun r, int l) : run(r), lag(static_cast<int16_t>(l)), iErase(static_cast<int16_t>(-l)) {}
    void DrawSegment(int k) override { calls += " d" + std::to_string(k); }
    void EraseSegment(int k) override { calls += " e" + std::to_string(k); }
    void ClearAndStartNewFigure() override {
        calls += " clear", iDraw = 0, iErase = static_cast<int16_t>(-lag);
    }
    std::string Steps(int count) {
        for (calls.clear(); count > 0; --count)
            StepLinesRun(run, iDraw, iErase, *this);
        return calls;
    }
    LinesRun run;
    int16_t lag, iDraw = 0, iErase;
    std::string calls;
};

TEST(LinesSteps, EachRunDrawsErasesAndEndsAsWrittenHereAndAStyleChangeKeepsTheLag) {
    // clang-format off
    const std::tuple<bool, bool, int, const char*> runs[] = {{false, false, 5, " d0 d1 d0 d1 clear"},
        {true, false, 7, " d0 d1 d0 e0 d1 e1 e0 e1 clear"}, {false, true, 6, " d0 d1 d0 d1 d0 d1"},
        {true, true, 7, " d0 d1 d0 e0 d1 e1 d0 e0 d1 e1 d0 e0"}}; // 2 segments, 4 steps, erase lag 2
    // clang-format on
    for (const auto& [erase, repeat, steps, calls] : runs)
        EXPECT_EQ(RecordedRun({2, 4, erase, repeat}, 2).Steps(steps), calls) << erase << repeat;
    RecordedRun r({7, 21, true, false}, 5);
    r.Steps(12);
    RestartLinesRun(r.iDraw, r.iErase); // a style change traces again from the start, keeping the lag
    EXPECT_EQ(r.Steps(6), " d0 d1 d2 d3 d4 d5 e0");
    for (int perStep : {1, 2, 3}) {
        int16_t count = 0;
        for (int tick = 1; tick <= 9; ++tick)
            EXPECT_EQ(CountLinesTick(count, perStep), tick % perStep == 0) << perStep << tick;
    }
}
