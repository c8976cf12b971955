#include "bubbles/core/bubble_motion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <type_traits>

#include "bubbles/core/bubble_queue.h"
#include "common/core/random.h"
#include "fake_bubble_platform.h"

namespace {

// The records keep their field order and plain layout.
static_assert(std::is_standard_layout_v<BubblesData> && std::is_trivially_copyable_v<BubblesData>);
static_assert(offsetof(Bubble, colour) == 16 && offsetof(Bubble, next) == 18 &&
              offsetof(Bubble, falling) == 21);
static_assert(offsetof(BubblesData, held) == 12 && offsetof(BubblesData, mouseMode) == 20 &&
              offsetof(BubblesData, pressActive) == 24 && offsetof(BubblesData, gravityTime) == 44 &&
              offsetof(BubblesData, bubbles) == 48 && sizeof(BubblesData::bubbles) == 201 * sizeof(Bubble));

TEST(OverlapPush, MovesTheSecondBubbleClearOfTheFirst) {
    const struct {
        const char* name;
        Bubble a, b;
        float dx, dy;
    } cases[] = {
        {"coincident centres go right by the sum of the radii", MakeTestBubble(50, 50, 10),
         MakeTestBubble(50, 50, 15), 25, 0},
        {"centres closer than 1/8 px count as coincident", MakeTestBubble(50, 50, 10),
         MakeTestBubble(50.1f, 50, 15), 25, 0},
        {"exactly touching is clear", MakeTestBubble(0, 0, 10), MakeTestBubble(30, 40, 40), 0, 0},
        {"overlap along x", MakeTestBubble(0, 0, 10), MakeTestBubble(15, 0, 10), 5, 0},
        {"overlap along a diagonal", MakeTestBubble(0, 0, 20), MakeTestBubble(-30, -40, 40), -6, -8},
        {"a zero-radius probe inside a bubble", MakeTestBubble(10, 10, 0), MakeTestBubble(10, 13, 5), 0, 2},
        {"a zero-radius bubble cannot be reached", MakeTestBubble(10, 10, 0), MakeTestBubble(10, 10, 0), 0,
         0},
    };
    for (const auto& c : cases) {
        const BubbleMove m = OverlapPush(c.a, c.b);
        EXPECT_NEAR(m.dx, c.dx, 1e-5) << c.name;
        EXPECT_NEAR(m.dy, c.dy, 1e-5) << c.name;
    }
}

class BubbleMotion : public XorCheckedTest {
  protected:
    void SetUp() override {
        SeedRandom(12345);
        data.defaultRadius = 20;
        data.designer = 1;
    }
};

TEST_F(BubbleMotion, MovesAndResizesEraseAtTheOldPlaceDrawAtTheNewAndQueue) {
    AddBubbles(data, surface, {MakeTestBubble(100, 100, 20)});
    surface.draws.clear();
    MoveBubble(data, surface, 1, {0.0625f, 0}); // moves of a sixteenth of a pixel or less are dropped
    MoveBubble(data, surface, 1, {0.04f, -0.048f});
    EXPECT_TRUE(surface.draws.empty());
    EXPECT_EQ(data.queueHead, 0);
    MoveBubble(data, surface, 1, {3, -4});
    ASSERT_EQ(surface.draws.size(), 2u);
    EXPECT_EQ(surface.draws[0].x, 100.0f);
    EXPECT_EQ(surface.draws[1].x, 103.0f);
    EXPECT_EQ(surface.draws[1].y, 96.0f);
    EXPECT_EQ(QueueOrder(data), std::vector<int>{1});
    MoveBubble(data, surface, 1, {0.0626f, 0});
    EXPECT_FLOAT_EQ(data.bubbles[1].x, 103.0626f);

    DequeueBubble(data);
    surface.draws.clear();
    SetBubbleRadius(data, surface, 1, 20);
    EXPECT_TRUE(surface.draws.empty()) << "the same radius draws nothing";
    EXPECT_EQ(QueueOrder(data), std::vector<int>{1}) << "but queues";
    SetBubbleRadius(data, surface, 1, 7.5f);
    EXPECT_EQ(surface.draws.size(), 2u);
    EXPECT_EQ(data.bubbles[1].radius, 7.5f);
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
}

TEST_F(BubbleMotion, EdgesBringTheBubbleBackTowardsTheInside) {
    const struct {
        const char* name;
        int width;
        Bubble before;
        float x, y;
    } cases[] = {
        {"inside stays", 400, MakeTestBubble(100, 100, 20), 100, 100},
        {"touching the corner stays", 400, MakeTestBubble(20, 280, 20), 20, 280},
        {"across the left edge", 400, MakeTestBubble(5, 100, 20), 20, 100},
        {"across the top and right", 400, MakeTestBubble(390, 12.5f, 20), 380, 20},
        {"across the bottom", 400, MakeTestBubble(100, 299, 20), 100, 280},
        {"centre beyond the left moves back by its radius", 400, MakeTestBubble(-30, 100, 20), -10, 100},
        {"centre beyond the bottom moves back by its radius", 400, MakeTestBubble(100, 350, 20), 100, 330},
        {"wider than the window goes from x to W - x", 100, MakeTestBubble(30, 150, 80), 70, 150},
        {"a sixteenth of a pixel across stays", 400, MakeTestBubble(19.9375f, 100, 20), 19.9375f, 100},
    };
    for (const auto& c : cases) {
        BubblesData one{};
        RecordingSurface window(c.width, 300);
        AddBubbles(one, window, {c.before});
        ProcessBubble(one, window, 1);
        EXPECT_FLOAT_EQ(one.bubbles[1].x, c.x) << c.name;
        EXPECT_FLOAT_EQ(one.bubbles[1].y, c.y) << c.name;
        EXPECT_TRUE(window.ShowsExactly(one)) << c.name;
    }
    AddBubbles(data, surface, {MakeTestBubble(500, 150, 20)}); // far outside: back in steps of its radius
    std::vector<float> xs;
    for (int step = 0; step < 10 && data.bubbles[1].x > 380; ++step) {
        ProcessBubble(data, surface, 1);
        xs.push_back(data.bubbles[1].x);
    }
    EXPECT_EQ(xs, (std::vector<float>{480, 460, 440, 420, 400, 380}));
}

TEST_F(BubbleMotion, AGravityPulseQueuesBubblesNotYetFallingAndEachDropsFivePixelsOnce) {
    AddBubbles(data, surface,
               {MakeTestBubble(100, 100, 20), MakeTestBubble(200, 290, 20), MakeTestBubble(300, 50, 10)});
    data.bubbles[2].falling = 1;
    GravityPulse(data);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{1, 3}));
    for (int k = 1; k <= 3; ++k)
        ProcessBubble(data, surface, k);
    EXPECT_EQ(data.bubbles[1].y, 105.0f);
    EXPECT_EQ(data.bubbles[2].y, 285.0f); // the fall and the bottom edge make one move
    EXPECT_EQ(data.bubbles[1].falling + data.bubbles[2].falling + data.bubbles[3].falling, 0);
}

TEST_F(BubbleMotion, MakeBubbleDrawsXThenYThenColourFromTheSharedSource) {
    data.defaultRadius = 35;
    SeedRandom(777);
    const int x = RandomBelow(400), y = RandomBelow(300), colour = RandomBelow(17);
    SeedRandom(777);
    MakeBubble(data, surface);
    ASSERT_EQ(data.count, 1);
    const Bubble& b = data.bubbles[1];
    EXPECT_EQ(std::make_tuple(b.x, b.y, b.colour), std::make_tuple(float(x), float(y), int16_t(colour)));
    EXPECT_EQ(b.radius, 35.0f);
    EXPECT_EQ(b.targetRadius, 35.0f);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{1}));
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

TEST_F(BubbleMotion, GravityPulsesComeOnlyAfterMoreThan32MillisecondsAcrossTheWrap) {
    AddBubbles(data, surface, {MakeTestBubble(100, 100, 10)});
    const uint32_t t0 = 0xFFFFFFD0u; // the pulses cross the wrap of the tick counter
    data.gravityTime = t0;
    const std::pair<uint32_t, bool> steps[] = {{0, false},  {1, true},   {17, false}, {33, false},
                                               {34, true},  {50, false}, {66, false}, {67, true},
                                               {100, true}, {132, false}};
    for (const auto& [after, pulse] : steps) {
        FakeClock clock(t0 + after);
        const float y = data.bubbles[1].y;
        BubblesTimerTick(data, surface, clock);
        EXPECT_EQ(data.bubbles[1].y > y, pulse) << "at " << after;
        EXPECT_NE(data.gravityTime, 0u);
    }
    data.gravityTime = 0xFFFFFFDFu;
    FakeClock clock(0xFFFFFFE0u); // the next pulse would land on tick 0, which means "off"
    BubblesTimerTick(data, surface, clock);
    EXPECT_NE(data.gravityTime, 0u);
    EXPECT_FALSE(TickDue(data.gravityTime, 0));
    EXPECT_TRUE(TickDue(data.gravityTime, 2));
}

// Random packings that fit (about a seventh of the area covered) come to rest without overlaps.
TEST_F(BubbleMotion, RandomPackingsComeToRestInsideTheEdgesWithoutOverlap) {
    for (uint32_t seed : {1u, 42u, 0xDEADBEEFu}) {
        SeedRandom(seed);
        data = BubblesData{};
        surface = RecordingSurface{400, 300};
        for (int k = 0; k < 15; ++k) {
            data.defaultRadius = static_cast<float>(10 + RandomBelow(15));
            MakeBubble(data, surface);
        }
        for (int steps = 0; data.queueHead > 0 && steps < 100000; ++steps)
            ProcessBubble(data, surface, DequeueBubble(data));
        ASSERT_EQ(data.queueHead, 0) << "did not settle";
        const double slack = 0.0625 + 1e-3;
        for (int k = 1; k <= data.count; ++k) {
            const Bubble& b = data.bubbles[k];
            EXPECT_TRUE(b.x - b.radius >= -slack && b.y - b.radius >= -slack &&
                        b.x + b.radius <= 400 + slack && b.y + b.radius <= 300 + slack)
                << seed << ": " << k << " outside";
            for (int j = k + 1; j <= data.count; ++j) {
                const Bubble& o = data.bubbles[j];
                const double overlap = b.radius + o.radius - std::hypot(double(b.x) - o.x, double(b.y) - o.y);
                EXPECT_LE(overlap, slack) << seed << ": " << k << " and " << j;
            }
        }
        EXPECT_TRUE(surface.ShowsExactly(data)) << seed;
    }
}

} // namespace
