#include <gtest/gtest.h>

#include <cmath>

#include "bubbles/core/bubble_motion.h"
#include "bubbles/core/bubble_queue.h"
#include "common/core/random.h"
#include "fake_bubble_platform.h"

namespace {

Bubble Parent(float radius, float target, int colour = 2) {
    Bubble b = MakeTestBubble(200, 150, radius, colour);
    b.targetRadius = target;
    return b;
}

class BubbleYeast : public XorCheckedTest {
  protected:
    void SetUp() override {
        SeedRandom(4242);
        data.designer = 1;
    }
};

TEST(BubbleBud, OnlyBubblesOfAtLeastHalfTheirTargetBudAndNeverPastTheLimit) {
    const struct {
        float radius, target;
        bool buds;
    } cases[] = {{9.9f, 20, false}, {10, 20, true}, {25, 20, true}, {19.5f, 40, false}};
    for (const auto& c : cases) {
        BubblesData d{};
        RecordingSurface surface;
        AddBubbles(d, surface, {Parent(c.radius, c.target)});
        BudBubble(d, surface, 1);
        EXPECT_EQ(d.count, c.buds ? 2 : 1) << c.radius << " of " << c.target;
    }
    BubblesData d{};
    RecordingSurface surface;
    BudBubble(d, surface, 1);
    EXPECT_EQ(d.count, 0) << "no bubble, no bud";
    for (int k = 0; k < kMaxBubbles; ++k)
        AddBubbles(d, surface, {Parent(20, 20)});
    const size_t draws = surface.draws.size();
    BudBubble(d, surface, 5);
    EXPECT_EQ(d.count, kMaxBubbles);
    EXPECT_EQ(surface.draws.size(), draws);
}

TEST(BubbleBud, StartsSmallOnItsParentsRimAndTakesAfterIt) {
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        SeedRandom(seed);
        BubblesData d{};
        RecordingSurface surface;
        AddBubbles(d, surface, {Parent(20, 30, 7)});
        BudBubble(d, surface, 1);
        ASSERT_EQ(d.count, 2);
        const Bubble& bud = d.bubbles[2];
        EXPECT_NEAR(std::hypot(bud.x - 200.0, bud.y - 150.0), 20.0, 1e-3);
        EXPECT_EQ(bud.x, std::floor(bud.x)) << "the horizontal offset is a whole number";
        EXPECT_EQ(std::make_tuple(bud.radius, bud.targetRadius, bud.colour, bud.growing),
                  std::make_tuple(1.0f, 30.0f, int16_t{7}, uint8_t{1}));
        EXPECT_EQ(QueueOrder(d), (std::vector<int>{2}));
        EXPECT_TRUE(surface.ShowsExactly(d));
    }
}

TEST_F(BubbleYeast, ABudGrowsOnePixelPer320MsToItsTargetInNineteenSteps) {
    Bubble bud = MakeTestBubble(300, 200, 1);
    bud.targetRadius = 20;
    bud.growing = 1;
    AddBubbles(data, surface, {MakeTestBubble(100, 100, 20), bud});
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
}

TEST_F(BubbleYeast, AYeastEventSetsTheNextIntervalAndStartsTheGrowthClock) {
    // Bubbles below half their target cannot bud, so the event only draws its numbers.
    for (int k = 0; k < 10; ++k)
        AddBubbles(data, surface, {MakeTestBubble(30.0f + 35 * k, 150, 10)});
    for (int k = 1; k <= 10; ++k)
        data.bubbles[k].targetRadius = 40;
    const uint32_t now = 0x10000u;
    data.yeastTime = now - 1;
    const uint32_t state = GetRandomState();
    const int interval = RandomBelow(10);
    for (int k = 0; k < 10; ++k)
        NextRandom(); // one chance per bubble
    const uint32_t after = GetRandomState();
    SeedRandom(state);

    FakeClock clock(now);
    BubblesTimerTick(data, surface, clock); // the timer's tick ends with yeast and growth
    EXPECT_EQ(data.yeastTime, now + 16u * interval);
    EXPECT_EQ(data.growTime, now) << "set by the event, not yet due in the same call";
    EXPECT_EQ(GetRandomState(), after) << "one draw for the interval and one chance per bubble";
}

} // namespace
