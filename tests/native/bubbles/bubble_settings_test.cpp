#include "bubbles/core/bubble_settings.h"

#include <gtest/gtest.h>

#include "bubbles/core/bubble_look.h"
#include "common/ids.h"
#include "fake_bubble_platform.h"

namespace {

TEST(BubbleSettings, ANewWindowStartsWithGravityOffDesignerAndYeastOn) {
    BubblesData data{};
    InitBubblesData(data, 5000, nullptr);
    EXPECT_EQ(data.defaultRadius, 20.0f);
    EXPECT_EQ(data.gravityTime, 0u);
    EXPECT_EQ(data.designer, 1);
    EXPECT_EQ(data.yeastTime, 5000u);
    EXPECT_EQ(data.count, 0);
    EXPECT_EQ(data.mouseMode, kModeMove);
}

TEST(BubbleSettings, AWindowSplitOffABubblesWindowTakesItsFourSettingsOnly) {
    BubblesData source{};
    source.defaultRadius = 35;
    source.gravityTime = 777;
    source.designer = 0;
    source.yeastTime = 0;
    source.count = 12;
    source.mouseMode = kModeGrow;
    source.modeFromMenu = 1;
    BubblesData data{};
    InitBubblesData(data, 5000, &source);
    EXPECT_EQ(data.defaultRadius, 35.0f);
    EXPECT_EQ(data.gravityTime, 777u);
    EXPECT_EQ(data.designer, 0);
    EXPECT_EQ(data.yeastTime, 0u);
    EXPECT_EQ(data.count, 0);
    EXPECT_EQ(data.mouseMode, kModeMove);
    EXPECT_EQ(data.modeFromMenu, 0);
}

TEST(BubbleSettings, SwitchingOnAtTickZeroStillSwitchesOn) {
    uint32_t field = 0;
    ToggleTickSetting(field, 0);
    EXPECT_NE(field, 0u);
    ToggleTickSetting(field, 123);
    EXPECT_EQ(field, 0u);
    ToggleTickSetting(field, 123);
    EXPECT_EQ(field, 123u);

    BubblesData data{};
    InitBubblesData(data, 0, nullptr);
    EXPECT_NE(data.yeastTime, 0u) << "Yeast starts on even at tick 0";
}

TEST(BubbleSettings, EraseAllEmptiesTheWindowAndLetsGoOfTheHeldBubble) {
    BubblesData data{};
    RecordingSurface surface;
    AddBubbles(data, surface, {MakeTestBubble(10, 10, 5), MakeTestBubble(50, 50, 5)});
    data.queueHead = 2;
    data.queueTail = 1;
    data.held = 2;
    EraseAllBubbles(data);
    EXPECT_EQ(data.count, 0);
    EXPECT_EQ(data.queueHead, 0);
    EXPECT_EQ(data.queueTail, 0);
    EXPECT_EQ(data.held, 0);
}

TEST(BubbleFlags, NameTheirCommandByAnyLeadingPartIgnoringCase) {
    struct Case {
        const char* flag;
        int command;
    };
    const Case cases[] = {
        {"/make", IDM_BUBBLES_MAKE},
        {"/MAKE", IDM_BUBBLES_MAKE},
        {"/m", IDM_BUBBLES_MAKE},
        {"/", IDM_BUBBLES_MAKE},
        {"/g", IDM_BUBBLES_GRAVITY},
        {"/GRAV", IDM_BUBBLES_GRAVITY},
        {"/gravity", IDM_BUBBLES_GRAVITY},
        {"/d", IDM_BUBBLES_DESIGNER},
        {"/Design", IDM_BUBBLES_DESIGNER},
        {"/y", IDM_BUBBLES_YEAST},
        {"/yeast", IDM_BUBBLES_YEAST},
        {"/makes", 0},
        {"-make", 0},
        {"/designer", 0},
        {"/x", 0},
        {"make", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BubblesFlagCommand(c.flag), c.command) << c.flag;
}

TEST(BubbleLook, BoundsAreTruncatedTowardZero) {
    struct Case {
        Bubble b;
        BubbleBox box;
    };
    const Case cases[] = {
        {MakeTestBubble(100, 50, 20), {80, 30, 120, 70}},
        {MakeTestBubble(7.5f, 10.25f, 10), {-2, 0, 17, 20}},
        {MakeTestBubble(-10.7f, -3.5f, 2.2f), {-12, -5, -8, -1}},
    };
    for (const Case& c : cases) {
        const BubbleBox box = BubbleBounds(c.b);
        EXPECT_EQ(box.left, c.box.left);
        EXPECT_EQ(box.top, c.box.top);
        EXPECT_EQ(box.right, c.box.right);
        EXPECT_EQ(box.bottom, c.box.bottom);
    }
}

} // namespace
