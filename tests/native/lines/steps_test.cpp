#include "lines/core/steps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// A run and what its steps ask for, as words: " d3" draws segment 3, " e1" erases 1, " clear" ends the run,
// which resets the counters the way a new figure does.
struct RecordedRun : LinesSurface {
    RecordedRun(LinesRun r, int16_t lag) : run(r), iErase(static_cast<int16_t>(-lag)), lag(lag) {}
    void DrawSegment(int index) override { calls += " d" + std::to_string(index); }
    void EraseSegment(int index) override { calls += " e" + std::to_string(index); }
    void ClearAndStartNewFigure() override {
        calls += " clear";
        iDraw = 0;
        iErase = static_cast<int16_t>(-lag);
    }
    std::string Steps(int count) {
        calls.clear();
        for (int i = 0; i < count; ++i)
            StepLinesRun(run, iDraw, iErase, *this);
        return calls;
    }
    LinesRun run;
    int16_t iDraw = 0, iErase, lag;
    std::string calls;
};

// What steps from to to - 1 draw (and, lag behind, erase) of a figure of n segments.
std::string Expected(int from, int to, int n, int nSteps, int lag = -1) {
    std::string out;
    for (int s = from; s < to; ++s) {
        if (s < nSteps) out += " d" + std::to_string(s % n);
        if (lag >= 0 && s >= lag) out += " e" + std::to_string((s - lag) % n);
    }
    return out;
}

TEST(LinesStep, WithoutEraseOrRepeatTracesTheRunThenClearsOneStepLater) {
    RecordedRun r({5, 15, false, false}, 2);
    EXPECT_EQ(r.Steps(15), Expected(0, 15, 5, 15));
    EXPECT_EQ(r.Steps(1), " clear") << "the finished picture stands for one step";
    EXPECT_EQ(r.iDraw, 0);
}

TEST(LinesStep, WithEraseTheEraserFollowsByTheLagAndEndsTheRun) {
    RecordedRun r({4, 8, true, false}, 3);
    EXPECT_EQ(r.Steps(8 + 3), Expected(0, 8 + 3, 4, 8, 3));
    EXPECT_EQ(r.iErase, 8) << "every drawn step has been erased exactly once";
    EXPECT_EQ(r.Steps(1), " clear");
}

TEST(LinesStep, RepeatTracesTheSameFigureForeverWithCountersBelowNSteps) {
    for (bool erase : {false, true}) {
        RecordedRun r({3, 6, erase, true}, 2);
        for (int s = 0; s < 60; ++s) {
            EXPECT_EQ(r.Steps(1), Expected(s, s + 1, 3, s + 1, erase ? 2 : -1)) << erase << " " << s;
            EXPECT_TRUE(r.iDraw < 6 && r.iErase < 6) << erase << " " << s;
        }
    }
}

TEST(LinesStep, OneStepAdvancesBothCountersAndEndsTheRunOnlyPastNSteps) {
    const struct {
        bool erase, repeat;
        int16_t iDraw, iErase, nextDraw, nextErase; // next -1, -1: the run ends
    } cases[] = {
        // With Repeat, % keeps the sign of the dividend: an eraser that has not started keeps counting up.
        {true, true, 0, -3, 1, -2},
        {true, true, 9, -1, 0, 0},
        {true, true, 9, 7, 0, 8},
        {true, true, 4, 9, 5, 0},
        {false, false, 9, 5, 10, 6}, // draws the last step: 10 is not beyond
        {false, false, 10, 5, -1, -1},
        {true, false, 12, 9, 13, 10}, // the eraser decides
        {true, false, 13, 10, -1, -1},
        {false, false, 11, 8, -1, -1}, // Erase Behind turned off after drawing
                                       // finished: ends at once
        {true, false, 10, 5, 11, 6},   // turned on again, the eraser still has work
    };
    for (const auto& c : cases) {
        RecordedRun r({5, 10, c.erase, c.repeat}, 1);
        r.iDraw = c.iDraw;
        r.iErase = c.iErase;
        const bool ends = r.Steps(1).ends_with("clear");
        EXPECT_EQ(ends, c.nextDraw < 0) << c.iDraw << " " << c.iErase;
        if (!ends) {
            EXPECT_EQ(std::make_pair(r.iDraw, r.iErase), std::make_pair(c.nextDraw, c.nextErase)) << c.iDraw;
        }
    }
}

TEST(LinesStep, StyleChangeRestartsTheRunKeepingTheEraseLag) {
    RecordedRun r({7, 21, true, false}, 5);
    r.Steps(12);
    RestartLinesRun(r.iDraw, r.iErase);
    EXPECT_EQ(r.iDraw, 0);
    EXPECT_EQ(r.iErase, -5);
    EXPECT_EQ(r.Steps(6), " d0 d1 d2 d3 d4 d5 e0");
}

TEST(LinesTick, StepsOnEveryNthTickAndStartsCountingAgain) {
    for (int ticksPerStep : {1, 2, 3}) {
        int16_t tickCount = 0;
        for (int tick = 1; tick <= 9; ++tick)
            EXPECT_EQ(CountLinesTick(tickCount, ticksPerStep), tick % ticksPerStep == 0)
                << ticksPerStep << tick;
    }
}

} // namespace
