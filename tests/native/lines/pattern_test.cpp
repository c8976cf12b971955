#include "lines/core/pattern.h"

#include "common/core/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

uint32_t Hsv(uint32_t hue, uint32_t saturation, uint32_t value) {
    return hue | saturation << 8 | value << 16;
}
int Red(uint32_t c) { return static_cast<int>(c & 0xFF); }
int Green(uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(SineTable, HoldsOnePeriodOfASine) {
    InitSineTable();
    for (int k = 0; k < 256; ++k) {
        EXPECT_NEAR(sineTable[k], std::sin(k * 3.141592653589793 / 128), 1e-7) << k;
    }
    EXPECT_EQ(sineTable[64], 1.0f);
    EXPECT_EQ(sineTable[192], -1.0f);
}

TEST(SineTable, OtherQuartersMirrorTheFirstBitForBit) {
    InitSineTable();
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

TEST(HsvToRgb, IsGreyWhenSaturationIsZero) {
    for (uint32_t value = 0; value < 256; ++value) {
        for (uint32_t hue : {0u, 77u, 255u}) {
            const uint32_t c = HsvToRgb(Hsv(hue, 0, value));
            EXPECT_EQ(Red(c), Green(c));
            EXPECT_EQ(Green(c), Blue(c));
            // value / 255 * 255 may land a hair below the integer, and the byte is truncated
            EXPECT_LE(static_cast<int>(value) - Red(c), 1) << value;
            EXPECT_GE(static_cast<int>(value) - Red(c), 0) << value;
        }
    }
}

TEST(HsvToRgb, SweepStaysWithinValueAndSaturationAndMovesSmoothlyInHue) {
    for (uint32_t value : {64u, 200u, 255u}) {
        for (uint32_t saturation : {64u, 255u}) {
            uint32_t previous = HsvToRgb(Hsv(0, saturation, value));
            for (uint32_t hue = 0; hue < 256; ++hue) {
                const uint32_t c = HsvToRgb(Hsv(hue, saturation, value));
                const int top = std::max({Red(c), Green(c), Blue(c)});
                const int bottom = std::min({Red(c), Green(c), Blue(c)});
                EXPECT_NEAR(top, static_cast<int>(value), 1) << hue;
                EXPECT_NEAR(bottom, value * (255.0 - saturation) / 255.0, 1.0) << hue;
                // Six sectors over 255 hue steps: a component moves by at most about 6 per step.
                if (hue != 255) {
                    EXPECT_LE(std::abs(Red(c) - Red(previous)), 7) << hue;
                    EXPECT_LE(std::abs(Green(c) - Green(previous)), 7) << hue;
                    EXPECT_LE(std::abs(Blue(c) - Blue(previous)), 7) << hue;
                }
                previous = c;
            }
        }
    }
}

TEST(HsvToRgb, EachHueSectorHasItsOwnStrongestAndWeakestComponent) {
    // Sector of hue h is floor(6h / 255): red strongest in 0 and 5, green in 1 and 2, blue in 3 and 4.
    for (uint32_t hue = 0; hue < 255; ++hue) {
        const uint32_t c = HsvToRgb(Hsv(hue, 255, 255));
        const int sector = static_cast<int>(hue * 6 / 255);
        const int strongest[6] = {Red(c), Green(c), Green(c), Blue(c), Blue(c), Red(c)};
        const int weakest[6] = {Blue(c), Blue(c), Red(c), Red(c), Green(c), Green(c)};
        EXPECT_EQ(strongest[sector], 255) << hue;
        EXPECT_EQ(weakest[sector], 0) << hue;
    }
}

TEST(LinesMinSwing, IsAQuarterOfTheShorterSideButAtMostTwenty) {
    struct Case {
        int width, height, minSwing;
    } cases[] = {{640, 480, 20}, {60, 40, 10}, {640, 0, 0}, {0, 480, 0}, {83, 2000, 20}, {79, 79, 19}};
    for (const Case& c : cases)
        EXPECT_EQ(LinesMinSwing(c.width, c.height), c.minSwing) << c.width << "x" << c.height;
}

TEST(LinesChannel, SwingsBetweenThePairWithTheCentreTruncatedTowardZero) {
    struct Case {
        int a, b, minSwing;
        float swing, centre;
    } cases[] = {
        {300, 10, 20, 290.0f, 155.0f}, {10, 301, 20, 291.0f, 156.0f}, // delta -291 halves to -145, not -146
        {100, 100, 20, 20.0f, 100.0f},                                // equal values still swing by minSwing
        {0, 0, 0, 0.0f, 0.0f},         {50, 45, 10, 10.0f, 47.0f},
    };
    for (const Case& c : cases) {
        const LinesChannel ch = MakeLinesChannel(c.a, c.b, c.minSwing, 17, 3 * 256, 48);
        EXPECT_EQ(ch.swing, c.swing) << c.a << " " << c.b;
        EXPECT_EQ(ch.centre, c.centre) << c.a << " " << c.b;
        EXPECT_EQ(ch.phase, 17.0);
        EXPECT_EQ(ch.increment, 16.0);
    }
}

LinesChannel Still(float centre, double phase) { return LinesChannel{0.0f, centre, phase, 0.0}; }

TEST(TraceLinesFigure, ReadsCoordinatesFromTheTableAndTruncatesTowardZero) {
    InitSineTable();
    LinesFigurePlan plan{};
    plan.channels[kChannelX1] = LinesChannel{50.0f, 100.0f, 64.0, 0.0};     // at the crest: 100 + 25
    plan.channels[kChannelY1] = LinesChannel{50.0f, 100.0f, 192.0, 0.0};    // at the trough: 100 - 25
    plan.channels[kChannelX2] = LinesChannel{3.0f, 0.0f, 192.9, 0.0};       // -1.5 truncates to -1
    plan.channels[kChannelY2] = LinesChannel{40.0f, 7.0f, 256.0 + 64, 0.0}; // the phase wraps round the table
    plan.channels[kChannelHue] = Still(0.0f, 0.0);
    plan.channels[kChannelSaturation] = Still(0.0f, 0.0);
    plan.channels[kChannelValue] = Still(255.0f, 0.0);
    LinesSegment segment{};
    uint32_t colour = 0;
    TraceLinesFigure(plan, 1, &segment, &colour);
    EXPECT_EQ(segment.x1, 125);
    EXPECT_EQ(segment.y1, 75);
    EXPECT_EQ(segment.x2, -1);
    EXPECT_EQ(segment.y2, 27);
    EXPECT_EQ(colour, 0xFFFFFFu);
}

TEST(TraceLinesFigure, ColourChannelsWrapModulo256) {
    InitSineTable();
    struct Case {
        float hueCentre, hueSwing;
        double huePhase;
        uint32_t hue;
    } cases[] = {
        {250.0f, 20.0f, 64.0, 4},  // 260 wraps to 4
        {2.0f, 20.0f, 192.0, 248}, // -8 wraps to 248
        {128.0f, 0.0f, 0.0, 128},
    };
    for (const Case& c : cases) {
        LinesFigurePlan plan{};
        plan.channels[kChannelHue] = LinesChannel{c.hueSwing, c.hueCentre, c.huePhase, 0.0};
        plan.channels[kChannelSaturation] = Still(255.0f, 0.0);
        plan.channels[kChannelValue] = Still(200.0f + 256.0f, 0.0); // 456 wraps to 200
        LinesSegment segment{};
        uint32_t colour = 0;
        TraceLinesFigure(plan, 1, &segment, &colour);
        EXPECT_EQ(colour, HsvToRgb(Hsv(c.hue, 255, 200))) << c.hueCentre;
    }
}

// Replays the first draw of a figure: its base harmonic.
int BaseHarmonic(uint32_t seed) {
    SeedRandom(seed);
    return factorTable[RandomBelow(9)];
}

uint32_t StateAfterDraws(uint32_t seed, int draws) {
    SeedRandom(seed);
    for (int i = 0; i < draws; ++i)
        NextRandom();
    return GetRandomState();
}

constexpr uint32_t kSeeds = 3000;

// Neighbouring seeds start the generator on nearly the same first value; spreading them reaches every figure
// kind.
uint32_t Seed(uint32_t i) { return i * 2654435761u; }

TEST(PlanLinesFigure, DrawsExactly37RandomValues) {
    for (uint32_t i = 1; i <= 200; ++i) {
        const uint32_t seed = Seed(i);
        for (const auto& [width, height] : {std::pair{640, 480}, std::pair{0, 0}, std::pair{60, 40}}) {
            SeedRandom(seed);
            PlanLinesFigure(width, height, seed % 2 == 0);
            EXPECT_EQ(GetRandomState(), StateAfterDraws(seed, 37)) << seed;
        }
    }
}

TEST(PlanLinesFigure, TakesEachValueFromItsPlaceInTheSequenceOfDraws) {
    const int width = 640, height = 480;
    for (uint32_t i = 1; i <= 500; ++i) {
        const uint32_t seed = Seed(i);
        SeedRandom(seed);
        int r[37];
        for (int& value : r)
            value = NextRandom();
        const auto below = [&r](int k, int n) {
            return static_cast<int>((static_cast<uint32_t>(n) * r[k]) >> 15);
        };
        // Draws 0-4: harmonic, segments, tracings, lag, ticks; then four per pair index j, from draw 5 + 4j.
        const int m = factorTable[below(0, 9)];
        const int span = m == 1 ? 100 : 200;
        const int n = span / 8 + below(1, span - span / 8);
        const int lag = 1 + below(3, n - 1) / (m == 1 ? 1 : 2);
        int y[8], x[8], phase[8], frequency[8];
        for (int j = 0; j < 8; ++j) {
            const int k = 5 + 4 * j;
            y[j] = j < 4 ? below(k, height) : 64 + below(k, 192);
            x[j] = below(k + 1, j < 4 ? width : 256);
            phase[j] = below(k + 2, 256);
            frequency[j] = (factorTable[below(k + 3, 12)] + m) * 256;
        }
        SeedRandom(seed);
        const LinesFigurePlan plan = PlanLinesFigure(width, height, true);
        EXPECT_EQ(plan.nSegments, n) << seed;
        EXPECT_EQ(plan.nSteps, n * factorTable[below(2, 9)]) << seed;
        EXPECT_EQ(plan.iErase, -lag) << seed;
        EXPECT_EQ(plan.ticksPerStep, factorTable[below(4, 9)]) << seed;
        const struct {
            const int* side;
            int pair;
        } drives[kLinesChannelCount] = {{x, 0}, {y, 0}, {x, 2}, {y, 2}, {x, 4}, {y, 4}, {y, 6}};
        for (int c = 0; c < kLinesChannelCount; ++c) {
            const int p = drives[c].pair;
            const LinesChannel expected =
                MakeLinesChannel(drives[c].side[p], drives[c].side[p + 1], 20, phase[c], frequency[c], n);
            EXPECT_EQ(std::memcmp(&plan.channels[c], &expected, sizeof expected), 0)
                << seed << " channel " << c;
        }
    }
}

TEST(PlanLinesFigure, SegmentsLagAndTicksStayInTheirRangesOverManySeeds) {
    bool seenShort = false, seenLong = false;
    for (uint32_t i = 1; i <= kSeeds; ++i) {
        const uint32_t seed = Seed(i);
        const int m = BaseHarmonic(seed);
        SeedRandom(seed);
        const LinesFigurePlan plan = PlanLinesFigure(640, 480, true);
        const int n = plan.nSegments;
        const int lag = -plan.iErase;
        if (m == 1) {
            seenShort = true;
            EXPECT_TRUE(n >= 12 && n <= 99) << seed << " n " << n;
            EXPECT_TRUE(lag >= 1 && lag <= n - 1) << seed << " lag " << lag;
        } else {
            seenLong = true;
            EXPECT_TRUE(n >= 25 && n <= 199) << seed << " n " << n;
            EXPECT_TRUE(lag >= 1 && lag <= 1 + (n - 2) / 2) << seed << " lag " << lag;
        }
        EXPECT_TRUE(plan.ticksPerStep >= 1 && plan.ticksPerStep <= 3) << seed;
    }
    EXPECT_TRUE(seenShort && seenLong);
}

TEST(PlanLinesFigure, EraseBehindOnlyShortensTheRunByOneTracing) {
    for (uint32_t i = 1; i <= kSeeds; ++i) {
        const uint32_t seed = Seed(i);
        SeedRandom(seed);
        const LinesFigurePlan on = PlanLinesFigure(640, 480, true);
        SeedRandom(seed);
        const LinesFigurePlan off = PlanLinesFigure(640, 480, false);
        const int n = on.nSegments;
        EXPECT_EQ(on.nSteps % n, 0) << seed;
        EXPECT_TRUE(on.nSteps / n >= 1 && on.nSteps / n <= 3) << seed << " " << on.nSteps;
        EXPECT_EQ(off.nSteps, on.nSteps + n) << seed;
        EXPECT_EQ(off.nSegments, on.nSegments);
        EXPECT_EQ(off.iErase, on.iErase);
        EXPECT_EQ(off.ticksPerStep, on.ticksPerStep);
        EXPECT_EQ(std::memcmp(off.channels, on.channels, sizeof on.channels), 0) << seed;
    }
}

TEST(PlanLinesFigure, EveryChannelSwingsAtLeastMinSwingAndMakesWholeCycles) {
    for (uint32_t i = 1; i <= kSeeds; ++i) {
        const uint32_t seed = Seed(i);
        const int m = BaseHarmonic(seed);
        SeedRandom(seed);
        const LinesFigurePlan plan = PlanLinesFigure(640, 480, true);
        for (int c = 0; c < kLinesChannelCount; ++c) {
            const LinesChannel& ch = plan.channels[c];
            EXPECT_GE(ch.swing, 20.0f) << seed << " channel " << c;
            EXPECT_TRUE(ch.phase >= 0.0 && ch.phase <= 255.0) << seed;
            const double cycles = ch.increment * plan.nSegments / 256.0;
            EXPECT_NEAR(cycles, std::round(cycles), 1e-9) << seed << " channel " << c;
            EXPECT_TRUE(cycles >= 1 + m - 0.5 && cycles <= 5 + m + 0.5) << seed << " channel " << c;
        }
        // Coordinates swing between points inside the window; colours stay in their bands.
        EXPECT_TRUE(plan.channels[kChannelX1].centre >= 0 && plan.channels[kChannelX1].centre < 640);
        EXPECT_TRUE(plan.channels[kChannelY2].centre >= 0 && plan.channels[kChannelY2].centre < 480);
        EXPECT_TRUE(plan.channels[kChannelSaturation].centre >= 64 &&
                    plan.channels[kChannelSaturation].centre < 256);
        EXPECT_TRUE(plan.channels[kChannelValue].centre >= 64 && plan.channels[kChannelValue].centre < 256);
    }
}

TEST(PlanLinesFigure, PointAfterTheLastClosesTheFigure) {
    InitSineTable();
    for (uint32_t i = 1; i <= kSeeds; ++i) {
        const uint32_t seed = Seed(i);
        SeedRandom(seed);
        const LinesFigurePlan plan = PlanLinesFigure(640, 480, seed % 3 == 0);
        const int n = plan.nSegments;
        LinesSegment segments[kLinesMaxSegments];
        uint32_t colours[kLinesMaxSegments];
        TraceLinesFigure(plan, n + 1, segments, colours); // n is at most 199, so n + 1 fits
        // The running phase may end a hair below a whole cycle and pick the neighbouring table entry, which
        // moves a value by at most half its swing times the step between entries (2 pi / 256), plus the
        // truncation.
        const int after[4] = {segments[n].x1, segments[n].y1, segments[n].x2, segments[n].y2};
        const int first[4] = {segments[0].x1, segments[0].y1, segments[0].x2, segments[0].y2};
        for (int c = 0; c < 4; ++c) {
            const double tolerance = plan.channels[c].swing * 0.5 * (2 * 3.141592653589793 / 256) + 1;
            EXPECT_LE(std::abs(after[c] - first[c]), tolerance) << seed << " channel " << c;
        }
    }
}

TEST(PlanLinesFigure, ZeroHeightPutsEveryPointOnTheTopEdge) {
    InitSineTable();
    for (uint32_t i = 1; i <= 500; ++i) {
        const uint32_t seed = Seed(i);
        SeedRandom(seed);
        const LinesFigurePlan plan = PlanLinesFigure(640, 0, true);
        EXPECT_EQ(plan.channels[kChannelY1].swing, 0.0f);
        LinesSegment segments[kLinesMaxSegments];
        uint32_t colours[kLinesMaxSegments];
        TraceLinesFigure(plan, plan.nSegments, segments, colours);
        for (int t = 0; t < plan.nSegments; ++t) {
            ASSERT_EQ(segments[t].y1, 0) << seed << " " << t;
            ASSERT_EQ(segments[t].y2, 0) << seed << " " << t;
        }
    }
}

TEST(PlanLinesFigure, SmallWindowWidensNarrowPairsToMinSwing) {
    for (uint32_t i = 1; i <= 500; ++i) {
        const uint32_t seed = Seed(i);
        SeedRandom(seed);
        const LinesFigurePlan plan = PlanLinesFigure(60, 40, true);
        for (const LinesChannel& ch : plan.channels)
            EXPECT_GE(ch.swing, 10.0f) << seed;
        // At 60 x 40 no random pair can be wider than the window
        EXPECT_LE(plan.channels[kChannelX1].swing, 60.0f);
        EXPECT_LE(plan.channels[kChannelY1].swing, 40.0f);
    }
}

} // namespace
