#include "lines/core/pattern.h"

#include "common/core/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

uint32_t Hsv(uint32_t hue, uint32_t saturation, uint32_t value) {
    return hue | saturation << 8 | value << 16;
}
int Red(uint32_t c) { return static_cast<int>(c & 0xFF); }
int Green(uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(SineTable, HoldsOnePeriodWhoseQuartersMirrorTheFirstBitForBit) {
    InitSineTable();
    for (int k = 0; k < 256; ++k)
        EXPECT_NEAR(sineTable[k], std::sin(k * 3.141592653589793 / 128), 1e-7) << k;
    EXPECT_EQ(sineTable[64], 1.0f);
    for (int i = 1; i <= 64; ++i) {
        EXPECT_TRUE(SameBits(sineTable[128 - i], sineTable[i])) << i;
        EXPECT_TRUE(SameBits(sineTable[128 + i], -sineTable[i])) << i;
        EXPECT_TRUE(SameBits(sineTable[256 - i], -sineTable[i])) << i;
    }
}

TEST(HsvToRgb, GivesTheListedColours) {
    struct Case {
        uint32_t hue, saturation, value, rgb;
    } cases[] = {
        {0, 255, 255, 0x0000FF},   // pure red
        {85, 255, 255, 0x00FF00},  // a third of the way round: green
        {170, 255, 255, 0xFF0000}, // two thirds: blue
        {0, 0, 255, 0xFFFFFF},     // no saturation: white
        {200, 0, 0, 0x000000},     // no value: black whatever the hue
        {255, 255, 255, 0xFF00FF}, // hue 255 falls to the catch-all sector: red and blue
        {254, 255, 255, 0x0500FF}, // just before it, still in the last sector proper
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HsvToRgb(Hsv(c.hue, c.saturation, c.value)), c.rgb)
            << c.hue << " " << c.saturation << " " << c.value;
    }
}

TEST(HsvToRgb, SweepKeepsValueAndSaturationAndGivesEachSectorItsStrongestAndWeakest) {
    for (uint32_t value : {0u, 1u, 64u, 200u, 254u, 255u}) {
        for (uint32_t saturation : {0u, 64u, 255u}) {
            for (uint32_t hue = 0; hue < 255; ++hue) {
                const uint32_t c = HsvToRgb(Hsv(hue, saturation, value));
                // Sector floor(6 hue / 255): red strongest in 0 and 5, green in 1 and 2, blue in 3 and 4.
                const int sector = static_cast<int>(hue * 6 / 255);
                const int strongest[6] = {Red(c), Green(c), Green(c), Blue(c), Blue(c), Red(c)};
                const int weakest[6] = {Blue(c), Blue(c), Red(c), Red(c), Green(c), Green(c)};
                EXPECT_NEAR(strongest[sector], static_cast<int>(value), 1) << hue;
                EXPECT_NEAR(weakest[sector], value * (255.0 - saturation) / 255.0, 1.0) << hue;
                if (saturation == 0) {
                    EXPECT_TRUE(Red(c) == Green(c) && Green(c) == Blue(c)) << "grey " << value;
                }
            }
        }
    }
}

TEST(LinesMinSwing, IsAQuarterOfTheShorterSideButAtMostTwenty) {
    struct Case {
        int width, height, minSwing;
    } cases[] = {{640, 480, 20}, {60, 40, 10}, {640, 0, 0}, {79, 79, 19}};
    for (const Case& c : cases)
        EXPECT_EQ(LinesMinSwing(c.width, c.height), c.minSwing) << c.width << "x" << c.height;
}

TEST(LinesChannel, SwingsBetweenThePairWithTheCentreTruncatedTowardZero) {
    struct Case {
        int a, b, minSwing;
        float swing, centre;
    } cases[] = {
        {300, 10, 20, 290.0f, 155.0f},
        {10, 301, 20, 291.0f, 156.0f}, // delta -291 halves to -145, not -146
        {100, 100, 20, 20.0f, 100.0f}, // equal values still swing by minSwing
        {50, 45, 10, 10.0f, 47.0f},
    };
    for (const Case& c : cases) {
        const LinesChannel ch = MakeLinesChannel(c.a, c.b, c.minSwing, 17, 3 * 256, 48);
        EXPECT_EQ(ch.swing, c.swing) << c.a << " " << c.b;
        EXPECT_EQ(ch.centre, c.centre) << c.a << " " << c.b;
        EXPECT_EQ(ch.phase, 17.0);
        EXPECT_EQ(ch.increment, 16.0);
    }
}

TEST(TraceLinesFigure, ReadsTheTableTruncatingTowardZeroAndWrapsColoursModulo256) {
    InitSineTable();
    LinesFigurePlan plan{};
    plan.channels[kChannelX1] = LinesChannel{50.0f, 100.0f, 64.0, 0.0};     // crest: 100 + 25
    plan.channels[kChannelY1] = LinesChannel{50.0f, 100.0f, 192.0, 0.0};    // trough: 100 - 25
    plan.channels[kChannelX2] = LinesChannel{3.0f, 0.0f, 192.9, 0.0};       // -1.5 truncates to -1
    plan.channels[kChannelY2] = LinesChannel{40.0f, 7.0f, 256.0 + 64, 0.0}; // the phase wraps round the table
    plan.channels[kChannelHue] = LinesChannel{20.0f, 250.0f, 64.0, 0.0};    // 260 wraps to 4
    plan.channels[kChannelSaturation] = LinesChannel{20.0f, 2.0f, 192.0, 0.0}; // -8 wraps to 248
    plan.channels[kChannelValue] = LinesChannel{0.0f, 456.0f, 0.0, 0.0};       // 200
    LinesSegment segment{};
    uint32_t colour = 0;
    TraceLinesFigure(plan, 1, &segment, &colour);
    EXPECT_EQ(segment.x1, 125);
    EXPECT_EQ(segment.y1, 75);
    EXPECT_EQ(segment.x2, -1);
    EXPECT_EQ(segment.y2, 27);
    EXPECT_EQ(colour, HsvToRgb(Hsv(4, 248, 200)));
}

// Neighbouring seeds start the generator on nearly the same first value; spreading them reaches every figure
// kind.
uint32_t Seed(uint32_t i) { return i * 2654435761u; }

TEST(PlanLinesFigure, TakesEachValueFromItsPlaceInExactly37Draws) {
    struct Size {
        int width, height;
    } sizes[] = {{640, 480}, {60, 40}, {640, 0}};
    for (const Size& size : sizes) {
        for (uint32_t i = 1; i <= 500; ++i) {
            const uint32_t seed = Seed(i);
            SeedRandom(seed);
            int r[37];
            for (int& value : r)
                value = NextRandom();
            const uint32_t stateAfter = GetRandomState();
            const auto below = [&r](int k, int n) {
                return static_cast<int>((static_cast<uint32_t>(n) * r[k]) >> 15);
            };
            // Draws 0-4: harmonic, segments, tracings, lag, ticks; then four per pair index j, from draw 5 +
            // 4j.
            const int m = factorTable[below(0, 9)];
            const int span = m == 1 ? 100 : 200;
            const int n = span / 8 + below(1, span - span / 8);
            int y[8], x[8], phase[8], frequency[8];
            for (int j = 0; j < 8; ++j) {
                const int k = 5 + 4 * j;
                y[j] = j < 4 ? below(k, size.height) : 64 + below(k, 192);
                x[j] = below(k + 1, j < 4 ? size.width : 256);
                phase[j] = below(k + 2, 256);
                frequency[j] = (factorTable[below(k + 3, 12)] + m) * 256;
            }
            SeedRandom(seed);
            const LinesFigurePlan plan = PlanLinesFigure(size.width, size.height, true);
            EXPECT_EQ(GetRandomState(), stateAfter) << seed;
            EXPECT_EQ(plan.nSegments, n) << seed;
            EXPECT_EQ(plan.nSteps, n * factorTable[below(2, 9)]) << seed;
            EXPECT_EQ(plan.iErase, -1 - below(3, n - 1) / (m == 1 ? 1 : 2)) << seed;
            EXPECT_EQ(plan.ticksPerStep, factorTable[below(4, 9)]) << seed;
            const struct {
                const int* side;
                int pair;
            } drives[kLinesChannelCount] = {{x, 0}, {y, 0}, {x, 2}, {y, 2}, {x, 4}, {y, 4}, {y, 6}};
            const int minSwing = LinesMinSwing(size.width, size.height);
            for (int c = 0; c < kLinesChannelCount; ++c) {
                const int p = drives[c].pair;
                const LinesChannel expected = MakeLinesChannel(drives[c].side[p], drives[c].side[p + 1],
                                                               minSwing, phase[c], frequency[c], n);
                EXPECT_EQ(std::memcmp(&plan.channels[c], &expected, sizeof expected), 0)
                    << seed << " channel " << c;
            }
        }
    }
}

TEST(PlanLinesFigure, RunsFitTheirHarmonicEraseAddsNoTracingAndTheFigureCloses) {
    InitSineTable();
    bool seen[2] = {false, false};
    LinesSegment segments[kLinesMaxSegments];
    uint32_t colours[kLinesMaxSegments];
    for (uint32_t i = 1; i <= 3000; ++i) {
        SeedRandom(Seed(i));
        const bool shortFigure = factorTable[RandomBelow(9)] == 1; // the first draw is the base harmonic
        SeedRandom(Seed(i));
        const LinesFigurePlan on = PlanLinesFigure(640, 480, true);
        SeedRandom(Seed(i));
        const LinesFigurePlan off = PlanLinesFigure(640, 480, false);
        const int n = on.nSegments, lag = -on.iErase;
        seen[shortFigure] = true;
        if (shortFigure) {
            EXPECT_TRUE(n >= 12 && n <= 99 && lag >= 1 && lag <= n - 1) << n << " " << lag;
        } else {
            EXPECT_TRUE(n >= 25 && n <= 199 && lag >= 1 && lag <= 1 + (n - 2) / 2) << n << " " << lag;
        }
        EXPECT_TRUE(on.nSteps == n || on.nSteps == 2 * n || on.nSteps == 3 * n) << on.nSteps << " " << n;
        // Without Erase Behind the figure is traced once more; nothing else changes.
        EXPECT_EQ(off.nSteps, on.nSteps + n);
        EXPECT_EQ(off.iErase, on.iErase);
        EXPECT_EQ(std::memcmp(off.channels, on.channels, sizeof on.channels), 0);

        // The point after the last closes the figure. The running phase may end a hair below a whole cycle
        // and pick the neighbouring table entry, which moves a value by at most half its swing times the step
        // between entries (2 pi / 256), plus the truncation.
        TraceLinesFigure(on, n + 1, segments, colours); // n is at most 199, so n + 1 fits
        const int after[4] = {segments[n].x1, segments[n].y1, segments[n].x2, segments[n].y2};
        const int first[4] = {segments[0].x1, segments[0].y1, segments[0].x2, segments[0].y2};
        for (int c = 0; c < 4; ++c) {
            const double tolerance = on.channels[c].swing * 0.5 * (2 * 3.141592653589793 / 256) + 1;
            EXPECT_LE(std::abs(after[c] - first[c]), tolerance) << i << " channel " << c;
        }
        if (i > 300) continue;
        SeedRandom(Seed(i)); // a window of no height puts every point on the top edge
        const LinesFigurePlan flat = PlanLinesFigure(640, 0, true);
        TraceLinesFigure(flat, flat.nSegments, segments, colours);
        for (int t = 0; t < flat.nSegments; ++t)
            ASSERT_TRUE(segments[t].y1 == 0 && segments[t].y2 == 0) << i;
    }
    EXPECT_TRUE(seen[0] && seen[1]);
}

} // namespace
