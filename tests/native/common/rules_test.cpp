#include <gtest/gtest.h>

#include <climits>

#include "about/core/centering.h"
#include "bubbles/core/bubbles_settings.h"
#include "common/ids.h"
#include "lines/core/lines_flags.h"
#include "shell/core/command_line.h"
#include "shell/core/placement.h"

// The shell's three words, then the Lines and the Bubbles flags: each names the first it is a prefix of.
TEST(Flags, AnArgumentNamesTheFirstKeywordItIsACaseInsensitivePrefixOf) {
    using enum ArgumentAction;
    // clang-format off
    const std::tuple<const char*, ArgumentAction, int, int> cases[] = {{"", kNewLines, 0, IDM_BUBBLES_MAKE},
        {"-BuBbLeS", kNewBubbles, -1, 0}, {"-ne", kNextWindow, -1, 0}, {"-nextt", kChildFlag, -1, 0},
        {"/l", kChildFlag, 3, 0}, {"/LIS", kChildFlag, 6, 0}, {"/plotx", kChildFlag, -1, 0},
        {"/g", kChildFlag, -1, IDM_BUBBLES_GRAVITY}, {"/d", kChildFlag, -1, IDM_BUBBLES_DESIGNER},
        {"/Y", kChildFlag, -1, IDM_BUBBLES_YEAST}, {nullptr, kChildFlag, -1, 0}};
    // clang-format on
    for (const auto& [arg, shell, lines, bubbles] : cases) {
        EXPECT_EQ(std::pair(ClassifyArgument(arg), LinesFlagIndex(arg)), std::pair(shell, lines))
            << (arg ? arg : "-");
        EXPECT_EQ(arg ? BubblesFlagCommand(arg) : 0, bubbles) << (arg ? arg : "null");
    }
}

TEST(Placement, ASplitHalvesAcrossIfTallerElseSideBySideKeepingTheOddPixelAndNoHalfBelow40) {
    using Box = std::tuple<int, int, int, int>; // left, top, right, bottom
    // clang-format off
    const std::tuple<Box, bool, Box, Box> cases[] = {{{0, 0, 300, 401}, true, {0, 0, 300, 201}, {0, 201, 300, 401}},
        {{0, 0, 300, 300}, true, {0, 0, 150, 300}, {150, 0, 300, 300}}, {{-35, 5, 46, 84}, true, {-35, 5, 6, 84}, {6, 5, 46, 84}},
        {{0, 0, 79, 60}, false, {}, {}}, {{0, 0, 60, 79}, false, {}, {}}, {{0, 0, 400, 39}, false, {}, {}}};
    // clang-format on
    for (const auto& [active, made, kept, freed] : cases) {
        const Split s = SplitWindowRect(std::make_from_tuple<SplitRect>(active));
        const auto box = [=](auto& r) { return made ? Box(r.left, r.top, r.right, r.bottom) : Box(); };
        EXPECT_EQ(std::tuple(s.made, box(s.kept), box(s.freed)), std::tuple(made, kept, freed));
    }
}

TEST(Placement, CentringTruncatesEachHalvingTowardZero) {
    // clang-format off
    const std::tuple<CenterRect, int, int, int, int> centrings[] = {{{0, 0, 801, 601}, 401, 301, 200, 150},
        {{-3, -5, 0, 0}, 0, 0, -1, -2}, {{-700, -400, 100, 200}, 420, 327, -510, -263},
        {{INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 10}, 4, 4, INT_MAX - 7, INT_MIN + 3}};
    // clang-format on
    for (const auto& [outer, width, height, x, y] : centrings) {
        const CenterPoint p = CenteredTopLeft(outer, width, height);
        EXPECT_EQ(std::pair(p.x, p.y), std::pair(x, y)) << outer.left;
    }
}
