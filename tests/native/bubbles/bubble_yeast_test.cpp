#include <gtest/gtest.h>

#include <cmath>

#include "bubbles/core/bubble_motion.h"
#include "bubbles/core/bubble_queue.h"
#include "common/core/random.h"
#include "fake_bubble_platform.h"

namespace {

class BubbleYeast : public ::testing::Test {
  protected:
    void SetUp() override {
        SeedRandom(4242);
        data.designer = 1;
    }
    BubblesData data{};
    RecordingSurface surface{400, 300};
};

TEST_F(BubbleYeast, OnlyBubblesOfAtLeastHalfTheirTargetBud) {
    struct Case {
        float radius, target;
        bool buds;
    };
    for (const Case c :
         {Case{9.9f, 20, false}, Case{10, 20, true}, Case{25, 20, true}, Case{19.5f, 40, false}}) {
        BubblesData d{};
        d.designer = 1;
        Bubble parent = MakeTestBubble(200, 150, c.radius);
        parent.targetRadius = c.target;
        AddBubbles(d, surface, {parent});
        BudBubble(d, surface, 1);
        EXPECT_EQ(d.count, c.buds ? 2 : 1) << c.radius << " of " << c.target;
    }
}

TEST_F(BubbleYeast, NoBudIsMadeAtTheLimitOrWithoutBubbles) {
    BudBubble(data, surface, 1);
    EXPECT_EQ(data.count, 0);
    for (int k = 0; k < kMaxBubbles; ++k)
        AddBubbles(data, surface, {MakeTestBubble(200, 150, 20)});
    const size_t draws = surface.draws.size();
    BudBubble(data, surface, 5);
    EXPECT_EQ(data.count, kMaxBubbles);
    EXPECT_EQ(surface.draws.size(), draws);
}

TEST_F(BubbleYeast, ABudStartsSmallOnItsParentsRimAndTakesAfterIt) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        SeedRandom(seed);
        BubblesData d{};
        Bubble parent = MakeTestBubble(200, 150, 20, 7);
        parent.targetRadius = 30;
        AddBubbles(d, surface, {parent});
        BudBubble(d, surface, 1);
        ASSERT_EQ(d.count, 2);
        const Bubble& bud = d.bubbles[2];
        EXPECT_NEAR(std::hypot(bud.x - 200.0, bud.y - 150.0), 20.0, 1e-3);
        EXPECT_EQ(bud.x, std::floor(bud.x)) << "the horizontal offset is a whole number";
        EXPECT_EQ(bud.radius, 1.0f);
        EXPECT_EQ(bud.targetRadius, 30.0f);
        EXPECT_EQ(bud.colour, 7);
        EXPECT_EQ(bud.growing, 1);
        EXPECT_EQ(QueueOrder(d), (std::vector<int>{2}));
        EXPECT_EQ(surface.draws.back().k, 2);
    }
}

TEST_F(BubbleYeast, ABudGrowsOnePixelPer320MsToItsTargetInNineteenSteps) {
    Bubble parent = MakeTestBubble(100, 100, 20);
    Bubble bud = MakeTestBubble(300, 200, 1);
    bud.targetRadius = 20;
    bud.growing = 1;
    AddBubbles(data, surface, {parent, bud});
    const uint32_t start = 0xFFFFF000u; // growth runs across the wrap of the tick counter
    data.growTime = start;
    std::vector<uint32_t> stepTimes;
    uint32_t flagCleared = 0, idle = 0;
    FakeClock clock(start);
    for (int ms = 0; ms < 25 * 320 && idle == 0; ++ms, ++clock.now) {
        const float before = data.bubbles[2].radius;
        const uint8_t wasGrowing = data.bubbles[2].growing;
        YeastAndGrowth(data, surface, clock);
        if (data.bubbles[2].radius != before) {
            EXPECT_EQ(data.bubbles[2].radius, before + 1.0f);
            stepTimes.push_back(clock.now - start);
        }
        if (wasGrowing && !data.bubbles[2].growing) flagCleared = clock.now - start;
        if (data.growTime == 0) idle = clock.now - start;
    }
    ASSERT_EQ(stepTimes.size(), 19u);
    EXPECT_EQ(data.bubbles[2].radius, 20.0f);
    EXPECT_EQ(stepTimes[0], 1u);
    for (size_t i = 1; i < stepTimes.size(); ++i)
        EXPECT_EQ(stepTimes[i] - stepTimes[i - 1], 321u);
    EXPECT_EQ(flagCleared, stepTimes.back() + 321);
    EXPECT_EQ(idle, flagCleared + 321);
    EXPECT_EQ(data.bubbles[1].radius, 20.0f) << "a bubble that is not a bud never grows";
    EXPECT_EQ(surface.onScreen, RecordingSurface::Expected(data));
}

TEST_F(BubbleYeast, AYeastEventSetsTheNextIntervalAndStartsTheGrowthClock) {
    for (int k = 0; k < 10; ++k)
        AddBubbles(data, surface, {MakeTestBubble(30.0f + 35 * k, 150, 10)});
    const uint32_t now = 0x10000u;
    data.yeastTime = now - 1;
    for (uint32_t seed = 1;; ++seed) { // a seed whose event buds nothing keeps the count check simple
        SeedRandom(seed);
        RandomBelow(10);
        bool anyBud = false;
        for (int k = 0; k < 10; ++k)
            anyBud |= RandomBelow(1000) < 3;
        if (!anyBud) {
            SeedRandom(seed);
            break;
        }
    }
    const uint32_t seedState = GetRandomState();
    const int interval = RandomBelow(10);
    SeedRandom(seedState);

    FakeClock clock(now);
    YeastAndGrowth(data, surface, clock);
    EXPECT_EQ(data.yeastTime, now + 16u * interval);
    EXPECT_EQ(data.growTime, now) << "set by the event, not yet due in the same call";
    EXPECT_EQ(data.count, 10);
    const uint32_t after = GetRandomState();
    SeedRandom(seedState);
    for (int k = 0; k < 11; ++k)
        NextRandom();
    EXPECT_EQ(after, GetRandomState()) << "one draw for the interval and one chance per bubble";
}

TEST_F(BubbleYeast, AWindowAtTheLimitNeverBuds) {
    for (int k = 0; k < kMaxBubbles; ++k)
        AddBubbles(data, surface, {MakeTestBubble(200, 150, 20)});
    FakeClock clock(1);
    data.yeastTime = 1;
    for (int tick = 0; tick < 500; ++tick) {
        clock.now += 16;
        YeastAndGrowth(data, surface, clock);
    }
    EXPECT_EQ(data.count, kMaxBubbles);
}

TEST_F(BubbleYeast, YeastFillsAWindowUpToTheLimitAndEveryBudGrowsToItsTarget) {
    surface.Resize(2000, 2000);
    data.defaultRadius = 20;
    for (int k = 0; k < 5; ++k)
        MakeBubble(data, surface);
    data.yeastTime = 1;
    FakeClock clock(1, 1); // each reading a millisecond later, so the budget ends every tick
    for (int tick = 0; tick < 40000 && data.count < kMaxBubbles; ++tick) {
        clock.now += 16;
        BubblesTimerTick(data, surface, clock);
    }
    EXPECT_EQ(data.count, kMaxBubbles);
    for (int tick = 0; tick < 2000; ++tick) {
        clock.now += 16;
        BubblesTimerTick(data, surface, clock);
    }
    for (int k = 1; k <= data.count; ++k) {
        EXPECT_EQ(data.bubbles[k].radius, 20.0f) << k;
        EXPECT_EQ(data.bubbles[k].growing, 0) << k;
    }
    EXPECT_EQ(data.growTime, 0u);
    EXPECT_EQ(surface.onScreen, RecordingSurface::Expected(data));
}

} // namespace
