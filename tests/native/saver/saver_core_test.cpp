#include "saver/core/saver_args.h"
#include "common/core/random.h"
#include "saver/core/saver_show.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(SaverCommand, WindowsArgumentFormsGiveTheirModeAndWindow) {
    using enum SaverMode;
    // clang-format off
    const std::tuple<const char*, const char*, SaverMode, uint64_t> cases[] = {{"", "", kSettings, 0},
        {"/s", "", kFullScreen, 0}, {"/p", "1234", kPreview, 1234}, {"-P:1234", "", kPreview, 1234},
        {"/C:4660", "", kSettings, 4660}, {"/a", "", kPassword, 0}, {"/p", "", kInvalid, 0}, {"/p", "12x", kInvalid, 0},
        {"/s", "/c", kInvalid, 0}, {"/save", "", kInvalid, 0}, {"/p:18446744073709551617", "", kInvalid, 0}};
    // clang-format on
    for (const auto& [flag, handle, mode, window] : cases) {
        const char* argv[] = {flag, handle}; // "" is no word at all
        const SaverCommand got = ParseSaverCommand((*flag != 0) + (*handle != 0), argv);
        EXPECT_TRUE(got.mode == mode && got.window == window) << flag << ' ' << handle;
    }
}

// A minute of the show, 16 ms a tick, no Yeast, once the first bubbles are made: the share of the time it
// holds the number chosen. A show left with more, as buds leave it, trims them.
TEST(SaverShow, TheBubblesShowHoldsItsNumberNearlyAllTheTime) {
    for (const auto& [wanted, start] : {std::pair(1, 0), {3, 0}, {40, 0}, {40, 45}}) {
        SeedRandom(7);
        int count = start;
        uint32_t due = 1000;
        int ticks = 0;
        int held = 0;
        for (uint32_t now = 1000; now < 61000; now += 16) {
            const BubbleShowStep step = NextBubbleShowStep(count, wanted, now, due);
            count += step == BubbleShowStep::kMake ? 1 : step == BubbleShowStep::kPop ? -1 : 0;
            ticks += now >= 7000;
            held += now >= 7000 && count == wanted;
        }
        EXPECT_GT(held * 10, ticks * 9) << wanted << " from " << start << ": " << held << " of " << ticks;
    }
}

TEST(SaverShow, AMouseMoveEndsTheShowBeyondFourPixelsFromWhereItWasFirstSeen) {
    const std::tuple<int, int, bool> moves[] = {{104, 100, false}, {96, 104, false}, {100, 96, false},
                                                {105, 100, true},  {100, 95, true},  {200, 100, true}};
    for (const auto& [x, y, away] : moves) {
        SaverMouse mouse{false, 0, 0};
        EXPECT_FALSE(SaverMouseMovedAway(mouse, 100, 100)) << "the first position is the anchor";
        EXPECT_EQ(SaverMouseMovedAway(mouse, x, y), away) << x << ' ' << y;
    }
}

TEST(SaverShow, BubblesScaleWithTheMonitorsDpiAndAPreviewWithItsWindow) {
    const std::tuple<int, bool, int, float> cases[] = {
        {96, false, 0, 20.0f},   {192, false, 0, 40.0f}, {144, false, 0, 30.0f}, {96, true, 256, 6.0f},
        {192, true, 256, 11.0f}, {96, true, 2048, 21.0f}}; // previews of a 1024-pixel-high screen
    for (const auto& [dpi, preview, height, radius] : cases)
        EXPECT_EQ(ShowBubbleRadius(dpi, preview, height, 1024), radius) << dpi << ' ' << height;
}
