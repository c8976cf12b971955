#include <gtest/gtest.h>

#include <cmath>

#include "bubbles/core/bubbles_motion.h"
#include "bubbles/core/bubbles_mouse.h"
#include "bubbles/core/bubbles_queue.h"
#include "bubbles/core/bubbles_settings.h"
#include "common/core/random.h"
#include "fake_bubble_platform.h"

static Bubble B(float x, float y, float r, float t = 0) { return {x, y, r, t > 0 ? t : r, 7, -1, 0, 0}; }

// A window's record and its client area, whose picture must show exactly the bubbles after each test.
struct Bubbles : ::testing::Test {
    void Add(std::initializer_list<Bubble> bubbles) {
        for (const Bubble& b : bubbles) {
            data.bubbles[++data.count] = b;
            surface.DrawBubble(data, data.count);
        }
    }
    std::vector<int> Queue() const {
        std::vector<int> order;
        for (int k = data.queueHead; k > 0 && order.size() < 300; k = data.bubbles[k].next)
            order.push_back(k);
        return order;
    }
    void TearDown() override { EXPECT_TRUE(surface.ShowsExactly(data)); }
    BubblesData data{};
    XorSurface surface;
};

TEST_F(Bubbles, AnOverlapPushesAlongTheCentresOrAlongPlusXWhereTheyMeet) {
    // clang-format off
    const std::tuple<Bubble, Bubble, float, float> pushes[] = {{B(50, 50, 10), B(50.1f, 50, 15), 25, 0},
        {B(0, 0, 20), B(-30, -40, 40), -6, -8}, {B(10, 10, 0), B(10, 13, 5), 0, 2}, {B(0, 0, 10), B(30, 40, 40), 0, 0},
        {B(0, 0, 0.03125f), B(0.0625f, 0, 0.03125f), 0, 0}}; // touching is clear, however small
    // clang-format on
    for (const auto& [a, b, dx, dy] : pushes)
        EXPECT_LT(std::hypot(OverlapPush(a, b).dx - dx, OverlapPush(a, b).dy - dy), 1e-5) << b.x;
}

TEST_F(Bubbles, EdgesPullABubbleInByUpToItsRadiusAndASixteenthPixelIsNoMove) {
    Add({B(5, 50, 20), B(-30, 150, 20), B(390, 12.5f, 20), B(100, 299, 20), B(200, 350, 20), B(20, 280, 20),
         B(100, 100, 20), B(200, 100, 20)}); // the edges of 400 x 300, then two moved by hand
    const std::pair<float, float> want[] = {{20, 50},   {-10, 150}, {380, 20},  {100, 280},
                                            {200, 330}, {20, 280},  {100, 100}, {200.0626f, 100}};
    MoveBubble(data, surface, 7, {0.0625f, 0});
    MoveBubble(data, surface, 8, {0.0626f, 0});
    for (int k = 1; k <= 8; ++k) {
        ProcessBubble(data, surface, k);
        EXPECT_EQ(std::pair(data.bubbles[k].x, data.bubbles[k].y), want[k - 1]) << k;
    }
    EXPECT_EQ(Queue(), (std::vector{8, 1, 2, 3, 4, 5}));
}

TEST_F(Bubbles, GravityPulsesComeStrictlyAfter32MsToBubblesNotStillFalling) {
    Add({B(100, 100, 10), {300, 100, 10, 10, 7, -1, 0, 1}}); // the second still queued from the last pulse
    data.gravityTime = 0xFFFFFFD0u;
    for (const auto& [after, y] : {std::pair(0u, 100), {1u, 105}, {33u, 105}, {34u, 110}, {67u, 115}}) {
        FakeClock clock(0xFFFFFFD0u + after);
        BubblesTimerTick(data, surface, clock);
        EXPECT_EQ(std::pair(data.bubbles[1].y, data.bubbles[2].y), (std::pair<float, float>(y, 100)))
            << after;
    }
}

TEST_F(Bubbles, AFallOverTheTopEdgeAddsTheEdgesCorrection) {
    Add({{100, 15, 20, 20, 7, -1, 0, 1}}); // falling, 5 pixels over the top edge
    ProcessBubble(data, surface, 1);
    EXPECT_EQ(data.bubbles[1].y, 25.0f) << "5 down for the fall, 5 more back inside";
}

TEST_F(Bubbles, NewBubblesAndHalfGrownBudsTakeTheirPlacesFromTheDrawsInOrder) {
    Add({B(100, 100, 9.9f, 20), B(100, 200, 10, 20)}); // the first is below half its target: no bud
    data.defaultRadius = 35;
    for (uint32_t i = 1; i <= 8; ++i) {
        const uint32_t seed = i * 2654435761u; // small seeds draw small
        SeedRandom(seed);
        const float x = RandomBelow(400);
        const float y = RandomBelow(300);
        const int colour = RandomBelow(17);
        const int a = RandomBelow(10);
        const bool right = RandomBelow(2) != 0;
        const bool down = RandomBelow(2) != 0;
        SeedRandom(seed);
        MakeBubble(data, surface);
        BudBubble(data, surface, 1);
        BudBubble(data, surface, 2);
        ASSERT_EQ(data.count, 2 + 2 * static_cast<int>(i));
        const Bubble& b = data.bubbles[data.count - 1];
        const Bubble& bud = data.bubbles[data.count];
        EXPECT_EQ(std::tuple(b.x, b.y, b.radius, b.colour), std::tuple(x, y, 35, colour));
        EXPECT_EQ(
            std::pair(bud.x, bud.y),
            std::pair(100.0f + (right ? a : -a), float(200 + std::sqrt(100.0 - a * a) * (down ? 1 : -1))));
        EXPECT_EQ(std::tuple(bud.radius, bud.targetRadius, bud.colour, bud.growing), std::tuple(1, 20, 7, 1));
    }
}

TEST_F(Bubbles, ABudGrowsAPixelEvery320MsUpToItsTarget) {
    Add({B(100, 100, 1, 20)});
    data.bubbles[1].growing = 1;
    int grown = 0;
    for (FakeClock clock(data.growTime = 0xFFFFF000u); data.growTime != 0; ++clock.now) { // across the wrap
        const float r = data.bubbles[1].radius;
        YeastAndGrowth(data, surface, clock);
        EXPECT_TRUE(data.bubbles[1].radius == r || clock.now - 0xFFFFF000u == 1 + 321u * grown++);
    }
    EXPECT_EQ(grown, 19);
    EXPECT_EQ(data.bubbles[1].radius, 20);
}

// Over a Yeast run long enough to draw every chance, what the bubble's draw was decides: below 3 buds.
TEST_F(Bubbles, ABubbleBudsOnAChanceBelow3InAThousandOnly) {
    SeedRandom(99);
    int chances[4] = {};
    for (uint32_t now = 1000; chances[3] == 0 || chances[2] == 0; now += 200) {
        ASSERT_LT(now, 10000000u) << "no draw of 2 and 3 in the run";
        data.count = 0;
        Add({B(100, 100, 20)});
        data.yeastTime = now - 100;
        const uint32_t state = GetRandomState(); // the event draws its interval, then the bubble its chance
        RandomBelow(10);
        const int chance = RandomBelow(1000);
        SeedRandom(state);
        FakeClock clock(now);
        YeastAndGrowth(data, surface, clock);
        if (chance < 4) ++chances[chance];
        EXPECT_EQ(data.count, chance < 3 ? 2 : 1) << "chance " << chance;
        surface.Repaint(data);
    }
}

TEST_F(Bubbles, ARecordStartsWithTheDefaultsOrItsSourcesFourSettings) {
    BubblesData source{}; // Designer and Yeast off
    source.defaultRadius = 35;
    source.gravityTime = 777;
    BubblesData split{};
    InitBubblesData(data, 0, nullptr);
    InitBubblesData(split, 5000, &source);
    EXPECT_EQ(std::tuple(data.defaultRadius, data.gravityTime, data.designer, data.yeastTime),
              std::tuple(20, 0u, 1, 1u)); // Yeast on even at tick 0
    EXPECT_EQ(std::tuple(split.defaultRadius, split.gravityTime, split.designer, split.yeastTime),
              std::tuple(35, 777u, 0, 0u));
}

TEST_F(Bubbles, APressHoldsTheLowestBubbleUnderThePointerNotOnItsRim) {
    Add({B(100, 100, 20), B(120, 100, 20)});
    for (const auto& [x, held] : {std::pair(110.0f, 1), {139.0f, 2}, {120.0f, 2}, {140.0f, 0}, {-5.0f, 0}})
        EXPECT_EQ(HitTestBubbles(data, x, 100), held) << x;
}

TEST_F(Bubbles, ADragMovesGrowsOrPopsTheHeldBubbleAsTheModeSays) {
    Add({B(100, 100, 20), B(120, 100, 20), B(300, 200, 30), B(50, 250, 10)});
    ASSERT_TRUE(PressBubbles(data, surface, 295, 205));
    DragHeldBubble(data, surface, 145, 105); // keeping the grab offset, onto bubble 2
    ProcessBubble(data, surface, 2);         // which cannot push it
    ProcessBubble(data, surface, 3);         // but is pushed
    const Bubble& held = data.bubbles[3];
    EXPECT_EQ(std::tuple(held.x, held.y, data.held, data.bubbles[2].x), std::tuple(150, 100, 3, 100));
    EndDrag(data);
    EXPECT_EQ(std::tuple(data.held, data.pressActive, Queue()), std::tuple(0, 0, std::vector{3, 1, 2}));
    data.mouseMode = kModeGrow;
    ASSERT_TRUE(PressBubbles(data, surface, 155, 100));
    DragHeldBubble(data, surface, 150, 145);
    EXPECT_EQ(std::tuple(held.radius, held.targetRadius, data.defaultRadius, held.x),
              std::tuple(45, 45, 45, 150));
    data.mouseMode = kModePop;
    EXPECT_FALSE(PressBubbles(data, surface, 190, 100));
    EXPECT_EQ(std::tuple(data.count, held.x, data.held), std::tuple(3, 50, 0))
        << "the last moved into its place";
    EXPECT_EQ(Queue(), (std::vector{3, 2, 1}));
}
