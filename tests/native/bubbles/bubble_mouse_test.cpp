#include "bubbles/core/bubble_mouse.h"

#include <gtest/gtest.h>

#include <cmath>

#include "bubbles/core/bubble_motion.h"
#include "bubbles/core/bubble_queue.h"
#include "fake_bubble_platform.h"

namespace {

class BubbleMouse : public XorCheckedTest {
  protected:
    void SetUp() override {
        data.designer = 1;
        data.defaultRadius = 20;
        AddBubbles(data, surface,
                   {MakeTestBubble(100, 100, 20, 3), MakeTestBubble(120, 100, 20, 4),
                    MakeTestBubble(300, 200, 30, 5), MakeTestBubble(50, 250, 10, 6)});
    }
};

TEST_F(BubbleMouse, APressHoldsTheLowestIndexedBubbleUnderThePointer) {
    const struct {
        float x, y;
        int held;
    } cases[] = {{110, 100, 1},
                 {139, 100, 2},
                 {300, 200, 3},
                 {119, 100, 1},
                 {120, 100, 2} /* on the rim of 1 */,
                 {140, 100, 0} /* exactly on the rim */,
                 {200, 20, 0},
                 {-5, -5, 0}};
    for (const auto& c : cases) {
        data.pressActive = 0;
        data.mouseX = data.mouseY = -1;
        EXPECT_EQ(HitTestBubbles(data, c.x, c.y), c.held) << c.x << "," << c.y;
        EXPECT_EQ(data.held, c.held);
        EXPECT_EQ(data.pressActive, c.held != 0 ? 1 : 0);
        EXPECT_EQ(data.mouseX, c.held != 0 ? c.x : -1.0f);
        EXPECT_EQ(data.bubbles[0].x, c.x) << "the probe marks the press";
        EXPECT_EQ(data.bubbles[0].radius, 0.0f);
    }
}

TEST_F(BubbleMouse, APopShiftsLaterEntriesDownAndRequeuesEveryBubbleButEmptySpacePopsNothing) {
    data.mouseMode = kModePop;
    EXPECT_FALSE(PressBubbles(data, surface, 200, 20));
    EXPECT_EQ(data.count, 4);
    EXPECT_EQ(surface.draws.size(), 4u);
    EXPECT_EQ(data.queueHead, 0);

    EnqueueBubble(data, 4);
    const Bubble third = data.bubbles[3], fourth = data.bubbles[4];
    EXPECT_FALSE(PressBubbles(data, surface, 125, 100)) << "Pop mode never captures";
    EXPECT_EQ(data.count, 3);
    EXPECT_EQ(data.bubbles[2].x, third.x);
    EXPECT_EQ(data.bubbles[2].colour, third.colour);
    EXPECT_EQ(data.bubbles[3].colour, fourth.colour);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(data.held, 0);
    EXPECT_EQ(data.pressActive, 1) << "the press lasts until the button is released";
}

TEST_F(BubbleMouse, AMoveDragKeepsTheGrabOffsetAndPushesNeighboursWhileHeld) {
    ASSERT_TRUE(PressBubbles(data, surface, 295, 205));
    ASSERT_EQ(data.held, 3);
    DragHeldBubble(data, surface, 195, 105);
    EXPECT_EQ(data.bubbles[3].x, 200.0f);
    EXPECT_EQ(data.bubbles[3].y, 100.0f);
    EXPECT_EQ(data.held, 3);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{3}));
    DragHeldBubble(data, surface, 155, 105); // onto bubble 2
    ProcessBubble(data, surface, DequeueBubble(data));
    EXPECT_EQ(data.bubbles[3].x, 160.0f) << "held: the mouse alone moves it";
    const Bubble& two = data.bubbles[2];
    EXPECT_GE(std::hypot(two.x - 160.0, two.y - 100.0), 50.0 - 1e-4);
    EndDrag(data);
    EXPECT_EQ(data.held, 0);
    EXPECT_EQ(data.pressActive, 0);
    EXPECT_EQ(QueueOrder(data).back(), 3) << "queued so that the edges pull it back in";
}

TEST_F(BubbleMouse, AGrowDragSetsRadiusTargetAndDefaultRadius) {
    data.mouseMode = kModeGrow;
    ASSERT_TRUE(PressBubbles(data, surface, 305, 200));
    DragHeldBubble(data, surface, 300, 245); // the first move already sets the rim under the pointer
    EXPECT_EQ(data.bubbles[3].radius, 45.0f);
    EXPECT_EQ(data.bubbles[3].targetRadius, 45.0f);
    EXPECT_EQ(data.defaultRadius, 45.0f);
    EXPECT_EQ(data.bubbles[3].x, 300.0f);
    DragHeldBubble(data, surface, 303, 204);
    EXPECT_EQ(data.bubbles[3].radius, 5.0f);
    DragHeldBubble(data, surface, 300, 200); // on the centre: nothing is left to hit
    EndDrag(data);
    EXPECT_EQ(data.bubbles[3].radius, 0.0f);
    EXPECT_EQ(HitTestBubbles(data, 300, 200), 0);
    MakeBubble(data, surface);
    EXPECT_EQ(data.bubbles[5].radius, 0.0f);
}

TEST(BubbleMouseMode, FollowsTheKeysUnlessPressedOrChosenFromTheMenu) {
    const struct {
        int pressActive, modeFromMenu;
        bool shift, ctrl;
        int16_t start, expected;
    } cases[] = {
        {0, 0, false, false, kModePop, kModeMove}, {0, 0, true, false, kModeMove, kModePop},
        {0, 0, false, true, kModeMove, kModeGrow}, {0, 0, true, true, kModeMove, kModePop},
        {1, 0, true, false, kModeGrow, kModeGrow}, {0, 1, false, false, kModePop, kModePop},
        {1, 1, false, true, kModeMove, kModeMove},
    };
    for (const auto& c : cases) {
        BubblesData data{};
        data.pressActive = c.pressActive;
        data.modeFromMenu = c.modeFromMenu;
        data.mouseMode = c.start;
        UpdateMouseModeFromKeys(data, c.shift, c.ctrl);
        EXPECT_EQ(data.mouseMode, c.expected) << c.pressActive << c.modeFromMenu << c.shift << c.ctrl;
    }
}

} // namespace
