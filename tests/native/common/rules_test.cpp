#include <gtest/gtest.h>

#include <climits>

#include "about/core/centering.h"
#include "shell/core/placement.h"

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
