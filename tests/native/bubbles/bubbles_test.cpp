#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>

#include "bubbles/core/bubble_motion.h"
#include "bubbles/core/bubble_mouse.h"
#include "bubbles/core/bubble_queue.h"
#include "bubbles/core/bubble_settings.h"
#include "common/core/random.h"
#include "fake_bubble_platform.h"

static Bubble B(float x, float y, float r, float target = 0) {
    return {x, y, r, target > 0 ? target : r, 7, -1, 0, 0};
}

// A window's record and its client area, whose picture must show exactly the bubbles after each test.
struct Bubbles : ::testing::Test {
    void Add(std::initializer_list<Bubble> bubbles) {
        for (const Bubble& b : bubbles)
            data.bubbles[++data.count] = b, surface.DrawBubble(data, data.count);
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

TEST_F(Bubbles, TheQueueIsFirstInFirstOutHoldsEachBubbleOnceAndRequeuesHighestFirst) {
    Add({B(50, 50, 5), B(150, 50, 5), B(250, 50, 5), B(350, 50, 5), B(50, 150, 5)});
    for (int k : {3, 0, 1, 3, 5, 1})
        EnqueueBubble(data, k);
    EXPECT_EQ(DequeueBubble(data), 3);
    EnqueueBubble(data, 3); // taken out, it can be queued again behind the others
    EXPECT_EQ(Queue(), (std::vector{1, 5, 3}));
    for (int k : {1, 5, 3, 0})
        EXPECT_EQ(DequeueBubble(data), k);
    for (int k : {2, 3}) // an emptied queue takes bubbles again
        EnqueueBubble(data, k);
    EXPECT_EQ(Queue(), (std::vector{2, 3}));
    RequeueAllBubbles(data);
    EXPECT_EQ(std::tuple(Queue(), data.queueTail), std::tuple(std::vector{5, 4, 3, 2, 1}, 1));
    data.held = 2;
    EraseAllBubbles(data); // a held index would point past the end
    surface.Repaint(data);
    EXPECT_EQ(std::tuple(data.count, data.queueHead, data.queueTail, data.held), std::tuple(0, 0, 0, 0));
}

TEST_F(Bubbles, OverlapsPushAlongTheCentresOrPlusXAndMovesOfASixteenthPixelOrLessAreDropped) {
    // clang-format off
    const std::tuple<Bubble, Bubble, float, float> pushes[] = {{B(50, 50, 10), B(50.1f, 50, 15), 25, 0},
        {B(0, 0, 20), B(-30, -40, 40), -6, -8}, {B(10, 10, 0), B(10, 13, 5), 0, 2}, {B(0, 0, 10), B(30, 40, 40), 0, 0},
        {B(0, 0, 0.03125f), B(0.0625f, 0, 0.03125f), 0, 0}}; // touching is clear, however small
    // clang-format on
    for (const auto& [a, b, dx, dy] : pushes) {
        const BubbleMove m = OverlapPush(a, b);
        EXPECT_TRUE(std::abs(m.dx - dx) < 1e-5 && std::abs(m.dy - dy) < 1e-5) << m.dx << " " << m.dy;
    }
    Add({B(100, 100, 20), B(200, 100, 20)});
    MoveBubble(data, surface, 1, {0.0625f, 0});
    MoveBubble(data, surface, 2, {0.0626f, 0});
    const BubbleBox box = BubbleBounds(B(7.5f, -3.5f, 10.2f)); // truncated toward zero
    EXPECT_EQ(
        std::tuple(data.bubbles[1].x, data.bubbles[2].x, Queue(), box.left, box.top, box.right, box.bottom),
        std::tuple(100, 200.0626f, std::vector{2}, -2, -13, 17, 6));
}

TEST(BubbleMotion, EachEdgeBringsABubbleBackByAtMostItsRadiusOrBothSidesAtOnce) {
    // clang-format off
    const std::tuple<int, Bubble, float, float> cases[] = {{400, B(5, 100, 20), 20, 100}, {400, B(390, 12.5f, 20), 380, 20},
        {400, B(100, 299, 20), 100, 280}, {400, B(-30, 100, 20), -10, 100}, {400, B(100, 350, 20), 100, 330},
        {400, B(20, 280, 20), 20, 280}, {100, B(30, 150, 80), 70, 150}};
    // clang-format on
    for (const auto& [width, bubble, x, y] : cases) {
        BubblesData data{};
        XorSurface surface{};
        surface.size.width = width;
        data.bubbles[data.count = 1] = bubble;
        ProcessBubble(data, surface, 1);
        EXPECT_EQ(std::tuple(data.bubbles[1].x, data.bubbles[1].y), std::tuple(x, y));
    }
}

TEST_F(Bubbles, GravityPulsesComeStrictlyAfter32MsAcrossTheWrapAndQueueWorkStopsAtItsBudget) {
    Add({B(100, 100, 10), B(300, 100, 10)});
    data.bubbles[2].falling = 1; // still queued from the last pulse
    data.gravityTime = 0xFFFFFFD0u;
    for (const auto& [after, dy] : {std::pair(0u, 0), {1u, 5}, {33u, 0}, {34u, 5}, {66u, 0}, {67u, 5}}) {
        const float y = data.bubbles[1].y;
        FakeClock clock(0xFFFFFFD0u + after);
        BubblesTimerTick(data, surface, clock);
        EXPECT_EQ(std::tuple(data.bubbles[1].y - y, data.bubbles[2].y), std::tuple(dy, 100)) << after;
    }
    data.gravityTime = 0;
    for (int k = 0; k < 38; ++k) // apart from each other and the edges
        Add({B(20.0f + 40 * (k % 10), 160.0f + 40 * (k / 10), 10)});
    RequeueAllBubbles(data);
    FakeClock clock(5000, 1); // readings 5001 to 5015 each allow one bubble
    BubblesTimerTick(data, surface, clock);
    EXPECT_EQ(Queue().size(), 25u);
}

TEST_F(Bubbles, ANewBubbleDrawsXThenYThenColourAndRandomPackingsSettleInsideWithoutOverlap) {
    SeedRandom(777);
    const float x = RandomBelow(400), y = RandomBelow(300), colour = RandomBelow(17);
    SeedRandom(777);
    data.defaultRadius = 35;
    MakeBubble(data, surface);
    const Bubble b = data.bubbles[1];
    EXPECT_EQ(std::tuple(b.x, b.y, b.radius, b.targetRadius, b.colour), std::tuple(x, y, 35, 35, colour));
    for (data.defaultRadius = 10; data.count < 15; data.defaultRadius = 10 + RandomBelow(15))
        MakeBubble(data, surface);
    for (int steps = 0; data.queueHead > 0 && steps < 100000; ++steps)
        ProcessBubble(data, surface, DequeueBubble(data));
    const std::span<const Bubble> all(data.bubbles + 1, data.count);
    for (const Bubble& p : all) {
        EXPECT_LE(std::max({p.radius - p.x, p.radius - p.y, p.x + p.radius - 400, p.y + p.radius - 300}),
                  0.07);
        for (const Bubble& q : all.subspan(&p - all.data() + 1))
            EXPECT_LE(p.radius + q.radius - std::hypot(p.x - q.x, p.y - q.y), 0.07);
    }
}

TEST_F(Bubbles, HalfGrownBubblesBudOnTheirRimInTheDrawnQuadrantUpTo199AndBudsGrowAPixelEvery320Ms) {
    Add({B(100, 100, 9.9f, 20), B(100, 200, 10, 20)});
    for (int i = 1; i <= 8; ++i) {
        const uint32_t seed = i * 2654435761u; // small seeds all start with small draws
        SeedRandom(seed);
        const int a = RandomBelow(10), left = RandomBelow(2), up = RandomBelow(2);
        SeedRandom(seed);
        BudBubble(data, surface, 1);
        BudBubble(data, surface, 2);
        const Bubble& bud = data.bubbles[data.count];
        EXPECT_EQ(std::tuple(bud.x, bud.y, bud.radius, bud.targetRadius, bud.colour, bud.growing, data.count),
                  std::tuple(100.0f + (left ? a : -a), float(200 + std::sqrt(100.0 - a * a) * (up ? 1 : -1)),
                             1, 20, 7, 1, 2 + i));
    }
    std::vector<uint32_t> steps, expected;
    for (FakeClock clock(data.growTime = 0xFFFFF000u); data.growTime != 0; ++clock.now) { // across the wrap
        const float r = data.bubbles[3].radius;
        YeastAndGrowth(data, surface, clock);
        if (data.bubbles[3].radius != r) steps.push_back(clock.now - 0xFFFFF000u);
    }
    for (uint32_t i = 0; i < 19; ++i)
        expected.push_back(1 + 321 * i);
    EXPECT_EQ(std::tuple(steps, data.bubbles[3].radius, data.bubbles[2].radius),
              std::tuple(expected, 20, 10));
    while (data.count < kMaxBubbles)
        Add({B(10, 10, 10)});
    BudBubble(data, surface, 2);
    EXPECT_EQ(data.count, kMaxBubbles);
}

TEST_F(Bubbles, YeastComesAfter16TimesRandomBelow10MsWithOneChancePerBubbleAndStartsGrowth) {
    Add({B(100, 100, 9, 20), B(200, 100, 9, 20)}); // too small to bud
    SeedRandom(4242);
    const int interval = RandomBelow(10);
    RandomBelow(1000), RandomBelow(1000); // one chance per bubble
    const uint32_t after = GetRandomState();
    SeedRandom(4242);
    data.yeastTime = 0xFFFFu;
    FakeClock clock(0x10000u);
    YeastAndGrowth(data, surface, clock);
    EXPECT_EQ(std::tuple(data.yeastTime, data.growTime, GetRandomState()),
              std::tuple(0x10000u + 16 * interval, 0x10000u, after));
}

TEST(BubbleSettings, ANewWindowTakesTheDefaultsOrItsSourcesFourSettingsAndSwitchesOnEvenAtTickZero) {
    BubblesData source{}, fresh{}, split{};
    source.defaultRadius = 35, source.gravityTime = 777, source.designer = 0, source.yeastTime = 0;
    InitBubblesData(fresh, 0, nullptr);
    InitBubblesData(split, 5000, &source);
    ToggleTickSetting(split.gravityTime, 0);
    ToggleTickSetting(split.yeastTime, 0);
    EXPECT_EQ(std::tuple(fresh.defaultRadius, fresh.gravityTime, fresh.designer, fresh.yeastTime != 0,
                         split.defaultRadius, split.gravityTime, split.designer, split.yeastTime != 0),
              std::tuple(20, 0u, 1, true, 35, 0u, 0, true));
}

struct BubbleMouse : Bubbles {
    void SetUp() override { Add({B(100, 100, 20), B(120, 100, 20), B(300, 200, 30), B(50, 250, 10)}); }
};

TEST_F(BubbleMouse, APressHoldsTheLowestIndexedBubbleUnderThePointerButNotOnItsRimAndPopsInPopMode) {
    for (const auto& [x, held] : {std::pair(110.0f, 1), {139.0f, 2}, {120.0f, 2}, {140.0f, 0}, {-5.0f, 0}}) {
        data.pressActive = 0;
        EXPECT_EQ(HitTestBubbles(data, x, 100), held) << x;
        EXPECT_EQ(std::tuple(data.pressActive, data.bubbles[0].x), std::tuple(held != 0, x));
    }
    data.mouseMode = kModePop;
    const Bubble third = data.bubbles[3], fourth = data.bubbles[4];
    EXPECT_FALSE(PressBubbles(data, surface, 125, 100));
    EXPECT_EQ(std::tuple(data.count, data.bubbles[2].x, data.bubbles[3].x, Queue(), data.held),
              std::tuple(3, third.x, fourth.x, std::vector{3, 2, 1}, 0));
}

TEST_F(BubbleMouse, AMoveDragKeepsTheGrabOffsetTheHeldBubbleOnlyPushesAndAGrowDragSetsTheRadii) {
    ASSERT_TRUE(PressBubbles(data, surface, 295, 205));
    DragHeldBubble(data, surface, 145, 105); // onto bubble 2
    ProcessBubble(data, surface, 2);         // which cannot push it
    ProcessBubble(data, surface, 3);         // but is pushed
    const Bubble &held = data.bubbles[3], &two = data.bubbles[2];
    EXPECT_EQ(std::tuple(held.x, held.y, data.held, two.x), std::tuple(150, 100, 3, 100));
    EndDrag(data);
    EXPECT_EQ(std::tuple(data.held, data.pressActive, Queue()), std::tuple(0, 0, std::vector{3, 1, 2}));
    data.mouseMode = kModeGrow;
    ASSERT_TRUE(PressBubbles(data, surface, 155, 100));
    DragHeldBubble(data, surface, 150, 145);
    EXPECT_EQ(std::tuple(held.radius, held.targetRadius, data.defaultRadius, held.x),
              std::tuple(45, 45, 45, 150));
}

TEST(BubbleMouseMode, FollowsTheKeysUnlessAPressIsUnderWayOrItWasChosenFromTheMenu) {
    // clang-format off
    const std::tuple<int, int, bool, bool, BubbleMouseMode> cases[] = {{0, 0, false, false, kModeMove},
        {0, 0, true, false, kModePop}, {0, 0, false, true, kModeGrow}, {0, 0, true, true, kModePop},
        {1, 0, true, false, kModeGrow}, {0, 1, false, false, kModeGrow}}; // pressed or chosen: unchanged
    // clang-format on
    for (const auto& [press, menu, shift, ctrl, mode] : cases) {
        BubblesData data{};
        data.pressActive = press, data.modeFromMenu = menu, data.mouseMode = kModeGrow;
        UpdateMouseModeFromKeys(data, shift, ctrl);
        EXPECT_EQ(data.mouseMode, mode) << press << menu << shift << ctrl;
    }
}
