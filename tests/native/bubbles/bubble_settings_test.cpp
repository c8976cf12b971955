#include "bubbles/core/bubble_settings.h"

#include <gtest/gtest.h>

#include "bubbles/core/bubble_look.h"
#include "fake_bubble_platform.h"

namespace {

TEST(BubbleSettings, ANewWindowStartsWithTheDefaultsOrTheFourSettingsOfABubblesSource) {
    BubblesData source{};
    source.defaultRadius = 35;
    source.gravityTime = 777;
    source.designer = 0;
    source.count = 12;
    source.mouseMode = kModeGrow;
    source.modeFromMenu = 1;
    const BubblesData* const sources[] = {nullptr, &source};
    for (const BubblesData* from : sources) {
        BubblesData data{};
        InitBubblesData(data, 5000, from);
        EXPECT_EQ(data.defaultRadius, from ? 35.0f : 20.0f);
        EXPECT_EQ(data.gravityTime, from ? 777u : 0u);
        EXPECT_EQ(data.designer, from ? 0 : 1);
        EXPECT_EQ(data.yeastTime, from ? 0u : 5000u);
        EXPECT_EQ(data.count, 0) << "the bubbles and the mouse state are the window's own";
        EXPECT_EQ(data.mouseMode, kModeMove);
        EXPECT_EQ(data.modeFromMenu, 0);
    }
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
    EXPECT_EQ(std::vector<int>({data.count, data.queueHead, data.queueTail, data.held}),
              std::vector<int>(4, 0));
}

TEST(BubbleLook, BoundsAreTruncatedTowardZero) {
    const std::pair<Bubble, std::vector<int>> cases[] = {
        {MakeTestBubble(100, 50, 20), {80, 30, 120, 70}},
        {MakeTestBubble(7.5f, 10.25f, 10), {-2, 0, 17, 20}},
        {MakeTestBubble(-10.7f, -3.5f, 2.2f), {-12, -5, -8, -1}},
    };
    for (const auto& [bubble, box] : cases) {
        const BubbleBox b = BubbleBounds(bubble);
        EXPECT_EQ(std::vector<int>({b.left, b.top, b.right, b.bottom}), box);
    }
}

} // namespace
