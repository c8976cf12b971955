#include "lines/core/steps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Records what the steps ask for, one entry per call: "d3" draws segment 3, "e1" erases 1, "clear" ends the
// run. Starting a new figure resets the counters the way a new figure does.
class RecordingSurface : public LinesSurface {
  public:
    RecordingSurface(int16_t& iDraw, int16_t& iErase, int16_t newLag)
        : iDraw_(iDraw), iErase_(iErase), newLag_(newLag) {}
    void DrawSegment(int index) override { calls.push_back("d" + std::to_string(index)); }
    void EraseSegment(int index) override { calls.push_back("e" + std::to_string(index)); }
    void ClearAndStartNewFigure() override {
        calls.push_back("clear");
        iDraw_ = 0;
        iErase_ = static_cast<int16_t>(-newLag_);
    }
    std::vector<std::string> calls;

  private:
    int16_t& iDraw_;
    int16_t& iErase_;
    int16_t newLag_;
};

struct RecordedRun {
    LinesRun run;
    int16_t iDraw = 0;
    int16_t iErase;
    RecordingSurface surface;
    RecordedRun(LinesRun r, int lag)
        : run(r), iErase(static_cast<int16_t>(-lag)), surface(iDraw, iErase, static_cast<int16_t>(lag)) {}
    void Steps(int count) {
        for (int i = 0; i < count; ++i)
            StepLinesRun(run, iDraw, iErase, surface);
    }
};

std::vector<std::string> Draws(int from, int to, int nSegments, char kind = 'd') {
    std::vector<std::string> out;
    for (int s = from; s < to; ++s)
        out.push_back(kind + std::to_string(s % nSegments));
    return out;
}

TEST(LinesStep, WithoutEraseOrRepeatTracesTheRunThenClearsOneStepLater) {
    RecordedRun r({5, 15, false, false}, 2);
    r.Steps(15);
    EXPECT_EQ(r.surface.calls, Draws(0, 15, 5));
    r.Steps(1); // the finished picture stays up for this step, which draws nothing
    EXPECT_EQ(r.surface.calls.back(), "clear");
    EXPECT_EQ(r.surface.calls.size(), 16u);
    EXPECT_EQ(r.iDraw, 0);
}

TEST(LinesStep, WithEraseTheEraserFollowsByTheLagAndEndsTheRun) {
    const int n = 4, nSteps = 8, lag = 3;
    RecordedRun r({n, nSteps, true, false}, lag);
    std::vector<std::string> expected;
    for (int s = 0; s < nSteps + lag; ++s) {
        if (s < nSteps) expected.push_back("d" + std::to_string(s % n));
        if (s >= lag) expected.push_back("e" + std::to_string((s - lag) % n));
    }
    r.Steps(nSteps + lag);
    EXPECT_EQ(r.surface.calls, expected);
    EXPECT_EQ(r.iErase, nSteps); // every drawn step has been erased exactly once
    r.Steps(1);
    EXPECT_EQ(r.surface.calls.size(), expected.size() + 1);
    EXPECT_EQ(r.surface.calls.back(), "clear");
}

TEST(LinesStep, RepeatTracesTheSameFigureForeverWithCountersBelowNSteps) {
    for (bool erase : {false, true}) {
        const int n = 3, nSteps = 6, lag = 2;
        RecordedRun r({n, nSteps, erase, true}, lag);
        for (int s = 0; s < 10 * nSteps; ++s) {
            r.surface.calls.clear();
            r.Steps(1);
            ASSERT_FALSE(r.surface.calls.empty());
            EXPECT_EQ(r.surface.calls[0], "d" + std::to_string(s % n)) << erase << " " << s;
            EXPECT_NE(r.surface.calls.back(), "clear");
            EXPECT_LT(r.iDraw, nSteps);
            EXPECT_LT(r.iErase, nSteps);
            if (erase && s >= lag) {
                EXPECT_EQ(r.surface.calls.back(), "e" + std::to_string((s - lag) % n)) << s;
            }
        }
    }
}

TEST(LinesStep, RepeatKeepsTheSignOfTheDividendWhenWrapping) {
    struct Case {
        int16_t iDraw, iErase;
        int16_t nextDraw, nextErase;
    } cases[] = {
        {0, -3, 1, -2}, // an eraser that has not started keeps counting up, it does not jump to nSteps - 2
        {9, -1, 0, 0},
        {9, 7, 0, 8},
        {4, 9, 5, 0},
    };
    for (const Case& c : cases) {
        int16_t iDraw = c.iDraw, iErase = c.iErase;
        RecordingSurface surface(iDraw, iErase, 1);
        StepLinesRun({5, 10, true, true}, iDraw, iErase, surface);
        EXPECT_EQ(iDraw, c.nextDraw) << c.iDraw << " " << c.iErase;
        EXPECT_EQ(iErase, c.nextErase) << c.iDraw << " " << c.iErase;
    }
}

TEST(LinesStep, RunEndsOnlyWhenTheGoverningCounterPassesNSteps) {
    struct Case {
        bool erase;
        int16_t iDraw, iErase;
        bool clears;
    } cases[] = {
        {false, 9, 5, false}, // draws the last step: g becomes 10, not beyond
        {false, 10, 5, true}, // g = 11 > 10
        {true, 12, 9, false}, // the eraser decides: 10 is not beyond
        {true, 13, 10, true},
        {false, 11, 8, true}, // Erase Behind turned off after drawing finished: ends at once
        {true, 10, 5, false}, // turned on again, the eraser still has work
    };
    for (const Case& c : cases) {
        int16_t iDraw = c.iDraw, iErase = c.iErase;
        RecordingSurface surface(iDraw, iErase, 1);
        StepLinesRun({5, 10, c.erase, false}, iDraw, iErase, surface);
        EXPECT_EQ(!surface.calls.empty() && surface.calls.back() == "clear", c.clears)
            << c.iDraw << " " << c.iErase;
    }
}

TEST(LinesStep, StyleChangeRestartsTheRunKeepingTheEraseLag) {
    RecordedRun r({7, 21, true, false}, 5);
    r.Steps(12);
    RestartLinesRun(r.iDraw, r.iErase);
    EXPECT_EQ(r.iDraw, 0);
    EXPECT_EQ(r.iErase, -5);
    r.surface.calls.clear();
    r.Steps(6);
    EXPECT_EQ(r.surface.calls, (std::vector<std::string>{"d0", "d1", "d2", "d3", "d4", "d5", "e0"}));
}

TEST(LinesTick, StepsOnEveryNthTickAndStartsCountingAgain) {
    for (int ticksPerStep : {1, 2, 3}) {
        int16_t tickCount = 0;
        std::vector<int> stepped;
        for (int tick = 1; tick <= 9; ++tick) {
            if (CountLinesTick(tickCount, ticksPerStep)) stepped.push_back(tick);
        }
        std::vector<int> expected;
        for (int tick = ticksPerStep; tick <= 9; tick += ticksPerStep)
            expected.push_back(tick);
        EXPECT_EQ(stepped, expected) << ticksPerStep;
    }
}

} // namespace
