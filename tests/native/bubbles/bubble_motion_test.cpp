#include "bubbles/core/bubble_motion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <type_traits>

#include "bubbles/core/bubble_queue.h"
#include "common/core/random.h"
#include "fake_bubble_platform.h"

namespace {

TEST(BubbleRecords, KeepTheirFieldOrderAndPlainLayout) {
    static_assert(std::is_standard_layout_v<BubblesData> && std::is_trivially_copyable_v<BubblesData>);
    EXPECT_EQ(offsetof(Bubble, colour), 16u);
    EXPECT_EQ(offsetof(Bubble, next), 18u);
    EXPECT_EQ(offsetof(Bubble, growing), 20u);
    EXPECT_EQ(offsetof(Bubble, falling), 21u);
    EXPECT_EQ(offsetof(BubblesData, held), 12u);
    EXPECT_EQ(offsetof(BubblesData, mouseMode), 20u);
    EXPECT_EQ(offsetof(BubblesData, pressActive), 24u);
    EXPECT_EQ(offsetof(BubblesData, gravityTime), 44u);
    EXPECT_EQ(offsetof(BubblesData, bubbles), 48u);
    EXPECT_EQ(sizeof(BubblesData::bubbles) / sizeof(Bubble), 201u);
}

struct PushCase {
    const char* name;
    Bubble a, b;
    float dx, dy;
};

class OverlapPushCases : public ::testing::TestWithParam<PushCase> {};

TEST_P(OverlapPushCases, MovesTheSecondBubbleClearOfTheFirst) {
    const PushCase& c = GetParam();
    const BubbleMove m = OverlapPush(c.a, c.b);
    EXPECT_NEAR(m.dx, c.dx, 1e-5) << c.name;
    EXPECT_NEAR(m.dy, c.dy, 1e-5) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    BubbleMotion, OverlapPushCases,
    ::testing::Values(
        PushCase{"coincident centres go right by the sum of the radii", MakeTestBubble(50, 50, 10),
                 MakeTestBubble(50, 50, 15), 25, 0},
        PushCase{"centres closer than 1/8 px count as coincident", MakeTestBubble(50, 50, 10),
                 MakeTestBubble(50.1f, 50, 15), 25, 0},
        PushCase{"exactly touching is clear", MakeTestBubble(0, 0, 10), MakeTestBubble(30, 40, 40), 0, 0},
        PushCase{"apart is clear", MakeTestBubble(0, 0, 10), MakeTestBubble(100, 0, 10), 0, 0},
        PushCase{"overlap along x", MakeTestBubble(0, 0, 10), MakeTestBubble(15, 0, 10), 5, 0},
        PushCase{"overlap along a diagonal", MakeTestBubble(0, 0, 20), MakeTestBubble(-30, -40, 40), -6, -8},
        PushCase{"a zero-radius probe inside a bubble", MakeTestBubble(10, 10, 0), MakeTestBubble(10, 13, 5),
                 0, 2},
        PushCase{"a zero-radius bubble cannot be reached", MakeTestBubble(10, 10, 0),
                 MakeTestBubble(10, 10, 0), 0, 0}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

class BubbleMotion : public ::testing::Test {
  protected:
    void SetUp() override {
        SeedRandom(12345);
        data.defaultRadius = 20;
        data.designer = 1;
    }
    void ExpectPictureMatchesBubbles() {
        EXPECT_EQ(surface.onScreen, RecordingSurface::Expected(data)) << "XOR picture out of step";
    }
    BubblesData data{};
    RecordingSurface surface{400, 300};
};

TEST_F(BubbleMotion, MovesOfASixteenthPixelOrLessAreDroppedAndQueueNothing) {
    AddBubbles(data, surface, {MakeTestBubble(100, 100, 20)});
    surface.draws.clear();
    MoveBubble(data, surface, 1, {0.0625f, 0});
    MoveBubble(data, surface, 1, {0.04f, -0.048f});
    EXPECT_TRUE(surface.draws.empty());
    EXPECT_EQ(data.queueHead, 0);
    EXPECT_EQ(data.bubbles[1].x, 100.0f);

    MoveBubble(data, surface, 1, {0.0626f, 0});
    EXPECT_EQ(surface.draws.size(), 2u);
    EXPECT_EQ(data.queueHead, 1);
    EXPECT_FLOAT_EQ(data.bubbles[1].x, 100.0626f);
    ExpectPictureMatchesBubbles();
}

TEST_F(BubbleMotion, AMoveErasesAtTheOldPlaceAndDrawsAtTheNew) {
    AddBubbles(data, surface, {MakeTestBubble(100, 100, 20)});
    surface.draws.clear();
    MoveBubble(data, surface, 1, {3, -4});
    ASSERT_EQ(surface.draws.size(), 2u);
    EXPECT_EQ(surface.draws[0].x, 100.0f);
    EXPECT_EQ(surface.draws[1].x, 103.0f);
    EXPECT_EQ(surface.draws[1].y, 96.0f);
    ExpectPictureMatchesBubbles();
}

TEST_F(BubbleMotion, SetRadiusRedrawsOnlyAChangeButAlwaysQueues) {
    AddBubbles(data, surface, {MakeTestBubble(100, 100, 20)});
    surface.draws.clear();
    SetBubbleRadius(data, surface, 1, 20);
    EXPECT_TRUE(surface.draws.empty());
    EXPECT_EQ(data.queueHead, 1);
    SetBubbleRadius(data, surface, 1, 7.5f);
    EXPECT_EQ(surface.draws.size(), 2u);
    EXPECT_EQ(data.bubbles[1].radius, 7.5f);
    ExpectPictureMatchesBubbles();
}

TEST_F(BubbleMotion, ProcessingPushesEveryOverlappingNeighbourButNotItself) {
    AddBubbles(data, surface,
               {MakeTestBubble(200, 150, 20), MakeTestBubble(210, 150, 20), MakeTestBubble(200, 150, 10),
                MakeTestBubble(300, 150, 20)});
    ProcessBubble(data, surface, 1);
    EXPECT_FLOAT_EQ(data.bubbles[1].x, 200);
    EXPECT_FLOAT_EQ(data.bubbles[2].x, 240);
    EXPECT_FLOAT_EQ(data.bubbles[3].x, 230); // coincident: pushed right by 20 + 10
    EXPECT_FLOAT_EQ(data.bubbles[4].x, 300);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{2, 3}));
    ExpectPictureMatchesBubbles();
}

struct EdgeCase {
    const char* name;
    int width, height;
    Bubble before;
    float x, y;
};

class EdgeCorrection : public BubbleMotion, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(EdgeCorrection, BringsTheBubbleBackTowardsTheInside) {
    const EdgeCase& c = GetParam();
    surface.Resize(c.width, c.height);
    AddBubbles(data, surface, {c.before});
    ProcessBubble(data, surface, 1);
    EXPECT_FLOAT_EQ(data.bubbles[1].x, c.x) << c.name;
    EXPECT_FLOAT_EQ(data.bubbles[1].y, c.y) << c.name;
    ExpectPictureMatchesBubbles();
}

INSTANTIATE_TEST_SUITE_P(
    BubbleMotion, EdgeCorrection,
    ::testing::Values(EdgeCase{"inside stays", 400, 300, MakeTestBubble(100, 100, 20), 100, 100},
                      EdgeCase{"touching the corner stays", 400, 300, MakeTestBubble(20, 280, 20), 20, 280},
                      EdgeCase{"across the left edge", 400, 300, MakeTestBubble(5, 100, 20), 20, 100},
                      EdgeCase{"across the top and right", 400, 300, MakeTestBubble(390, 12.5f, 20), 380, 20},
                      EdgeCase{"across the bottom", 400, 300, MakeTestBubble(100, 299, 20), 100, 280},
                      EdgeCase{"centre beyond the left moves back by its radius", 400, 300,
                               MakeTestBubble(-30, 100, 20), -10, 100},
                      EdgeCase{"centre beyond the bottom moves back by its radius", 400, 300,
                               MakeTestBubble(100, 350, 20), 100, 330},
                      EdgeCase{"wider than the window goes from x to W - x", 100, 300,
                               MakeTestBubble(30, 150, 80), 70, 150},
                      EdgeCase{"a sixteenth of a pixel across stays", 400, 300,
                               MakeTestBubble(19.9375f, 100, 20), 19.9375f, 100}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(BubbleMotion, ABubbleOutsideReturnsInStepsOfAtMostItsRadius) {
    AddBubbles(data, surface, {MakeTestBubble(500, 150, 20)});
    std::vector<float> xs;
    for (int step = 0; step < 10 && data.bubbles[1].x > 380; ++step) {
        ProcessBubble(data, surface, 1);
        xs.push_back(data.bubbles[1].x);
    }
    EXPECT_EQ(xs, (std::vector<float>{480, 460, 440, 420, 400, 380}));
    ExpectPictureMatchesBubbles();
}

TEST_F(BubbleMotion, TheHeldBubbleIsNeverMovedButStillPushes) {
    AddBubbles(data, surface, {MakeTestBubble(5, 295, 20), MakeTestBubble(15, 295, 20)});
    data.held = 1;
    data.bubbles[1].falling = 1;
    ProcessBubble(data, surface, 2); // neighbour, edges
    ProcessBubble(data, surface, 1); // own edges and gravity
    EXPECT_EQ(data.bubbles[1].x, 5.0f);
    EXPECT_EQ(data.bubbles[1].y, 295.0f);
    EXPECT_EQ(data.bubbles[1].falling, 0);
    const Bubble& pushed = data.bubbles[2];
    EXPECT_GE(std::hypot(pushed.x - 5.0, pushed.y - 295.0), 40.0 - 1e-4);
    ExpectPictureMatchesBubbles();
}

TEST_F(BubbleMotion, AFallingBubbleDropsFivePixelsAndClearsItsFlag) {
    AddBubbles(data, surface, {MakeTestBubble(100, 100, 20), MakeTestBubble(200, 290, 20)});
    data.bubbles[1].falling = 1;
    data.bubbles[2].falling = 1;
    ProcessBubble(data, surface, 1);
    ProcessBubble(data, surface, 2);
    EXPECT_EQ(data.bubbles[1].y, 105.0f);
    EXPECT_EQ(data.bubbles[2].y, 285.0f); // the fall and the bottom edge make one move
    EXPECT_EQ(data.bubbles[1].falling + data.bubbles[2].falling, 0);
}

TEST_F(BubbleMotion, GravityPulseMarksAndQueuesOnlyBubblesNotYetFalling) {
    AddBubbles(data, surface,
               {MakeTestBubble(50, 50, 10), MakeTestBubble(150, 50, 10), MakeTestBubble(250, 50, 10)});
    data.bubbles[2].falling = 1;
    GravityPulse(data);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{1, 3}));
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(data.bubbles[k].falling, 1);
}

TEST_F(BubbleMotion, MakeBubbleUsesTheDefaultRadiusAndStopsAtTheLimit) {
    data.defaultRadius = 35;
    MakeBubble(data, surface);
    ASSERT_EQ(data.count, 1);
    const Bubble& b = data.bubbles[1];
    EXPECT_EQ(b.radius, 35.0f);
    EXPECT_EQ(b.targetRadius, 35.0f);
    EXPECT_TRUE(b.x >= 0 && b.x < 400 && b.y >= 0 && b.y < 300);
    EXPECT_TRUE(b.colour >= 0 && b.colour < 17);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{1}));

    data.count = kMaxBubbles - 1;
    MakeBubble(data, surface);
    EXPECT_EQ(data.count, kMaxBubbles);
    const size_t draws = surface.draws.size();
    MakeBubble(data, surface);
    EXPECT_EQ(data.count, kMaxBubbles);
    EXPECT_EQ(surface.draws.size(), draws);
}

TEST_F(BubbleMotion, MakeBubbleDrawsXThenYThenColourFromTheSharedSource) {
    SeedRandom(777);
    const int x = RandomBelow(400), y = RandomBelow(300), colour = RandomBelow(17);
    SeedRandom(777);
    MakeBubble(data, surface);
    EXPECT_EQ(data.bubbles[1].x, static_cast<float>(x));
    EXPECT_EQ(data.bubbles[1].y, static_cast<float>(y));
    EXPECT_EQ(data.bubbles[1].colour, colour);
}

TEST_F(BubbleMotion, TheTimerStopsQueueWorkWhenItsBudgetIsUsedUp) {
    // Forty bubbles clear of each other and of the edges: processing one queues nothing.
    for (int k = 0; k < 40; ++k)
        AddBubbles(data, surface, {MakeTestBubble(20.0f + 40 * (k % 9), 20.0f + 40 * (k / 9), 10)});
    RequeueAllBubbles(data);
    FakeClock clock(5000, 1); // every reading is one millisecond later
    BubblesTimerTick(data, surface, clock);
    // Readings 5001 to 5015 each allow one bubble; 5016 ends the tick's work.
    EXPECT_EQ(QueueOrder(data).size(), 25u);
    EXPECT_EQ(data.queueHead, 25);

    FakeClock stopped(0xFFFFFFF8u, 0); // a clock that does not move lets the queue drain, across the wrap too
    BubblesTimerTick(data, surface, stopped);
    EXPECT_EQ(data.queueHead, 0);
}

TEST_F(BubbleMotion, GravityPulsesComeOnlyAfterMoreThan32Milliseconds) {
    AddBubbles(data, surface, {MakeTestBubble(100, 100, 10)});
    struct Step {
        uint32_t now;
        bool pulse;
    };
    const uint32_t t0 = 0xFFFFFFD0u; // the pulses cross the wrap of the tick counter
    data.gravityTime = t0;
    const Step steps[] = {{t0, false},      {t0 + 1, true},   {t0 + 17, false}, {t0 + 33, false},
                          {t0 + 34, true},  {t0 + 50, false}, {t0 + 66, false}, {t0 + 67, true},
                          {t0 + 100, true}, {t0 + 132, false}};
    for (const Step& s : steps) {
        FakeClock clock(s.now);
        const float y = data.bubbles[1].y;
        BubblesTimerTick(data, surface, clock);
        EXPECT_EQ(data.bubbles[1].y > y, s.pulse) << "at " << s.now - t0;
        EXPECT_NE(data.gravityTime, 0u);
    }
}

TEST_F(BubbleMotion, GravityDueExactlyAtTheWrapStaysOn) {
    data.gravityTime = 0xFFFFFFDFu;
    FakeClock clock(0xFFFFFFE0u); // the next pulse would land on tick 0, which means "off"
    BubblesTimerTick(data, surface, clock);
    EXPECT_NE(data.gravityTime, 0u);
    EXPECT_FALSE(TickDue(data.gravityTime, 0));
    EXPECT_TRUE(TickDue(data.gravityTime, 2));
}

TEST_F(BubbleMotion, GravityPilesBubblesOnTheBottomEdge) {
    AddBubbles(data, surface,
               {MakeTestBubble(100, 40, 20), MakeTestBubble(105, 100, 20), MakeTestBubble(300, 60, 30)});
    data.gravityTime = 1;
    FakeClock clock(1);
    for (int tick = 0; tick < 400; ++tick) {
        clock.now += 16;
        BubblesTimerTick(data, surface, clock);
    }
    EXPECT_NEAR(data.bubbles[3].y, 270, 5.1);
    const float lower = std::max(data.bubbles[1].y, data.bubbles[2].y);
    EXPECT_NEAR(lower, 280, 5.1);
    ExpectPictureMatchesBubbles();
}

// Random packings that fit (about a seventh of the area covered) come to rest without overlaps.
class Relaxation : public BubbleMotion, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(Relaxation, ComesToRestInsideTheEdgesWithoutOverlap) {
    SeedRandom(GetParam());
    for (int k = 0; k < 15; ++k) {
        data.defaultRadius = static_cast<float>(10 + RandomBelow(15));
        MakeBubble(data, surface);
    }
    int steps = 0;
    while (data.queueHead > 0 && steps < 100000) {
        ProcessBubble(data, surface, DequeueBubble(data));
        ++steps;
    }
    ASSERT_EQ(data.queueHead, 0) << "did not settle";
    const double slack = 0.0625 + 1e-3;
    for (int k = 1; k <= data.count; ++k) {
        const Bubble& b = data.bubbles[k];
        EXPECT_GE(b.x - b.radius, -slack);
        EXPECT_GE(b.y - b.radius, -slack);
        EXPECT_LE(b.x + b.radius, 400 + slack);
        EXPECT_LE(b.y + b.radius, 300 + slack);
        for (int j = k + 1; j <= data.count; ++j) {
            const Bubble& o = data.bubbles[j];
            const double overlap = b.radius + o.radius - std::hypot(double(b.x) - o.x, double(b.y) - o.y);
            EXPECT_LE(overlap, slack) << k << " and " << j;
        }
    }
    ExpectPictureMatchesBubbles();
}

INSTANTIATE_TEST_SUITE_P(BubbleMotion, Relaxation,
                         ::testing::Values(1u, 2u, 42u, 1999u, 0xDEADBEEFu, 31337u));

} // namespace
