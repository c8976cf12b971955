#include "about/core/centering.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(CenteredTopLeft, CentresTheBoxOnTheRectHalvingTowardZeroWithoutOverflow) {
    const struct {
        const char* name;
        CenterRect outer;
        int width, height;
        CenterPoint expected;
    } cases[] = {
        {"even box in even rect", {0, 0, 800, 600}, 400, 300, {200, 150}},
        {"odd sizes truncate each half", {0, 0, 801, 601}, 401, 301, {200, 150}},
        {"offset rect", {100, 50, 900, 650}, 200, 100, {400, 300}},
        // (-3 + 0) / 2 is -1, not -2: the halving truncates toward zero, not downward.
        {"negative sum truncates toward zero", {-3, -5, 0, 0}, 0, 0, {-1, -2}},
        {"rect partly left of and above the screen", {-700, -400, 100, 200}, 420, 327, {-510, -263}},
        {"box larger than the rect overhangs both sides", {0, 0, 100, 100}, 300, 200, {-100, -50}},
        {"empty rect centres on its corner", {40, 60, 40, 60}, 10, 20, {35, 50}},
        {"huge coordinates",
         {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX},
         4,
         4,
         {INT_MAX - 7, INT_MAX - 7}},
        {"huge negative coordinates",
         {INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10},
         4,
         4,
         {INT_MIN + 3, INT_MIN + 3}},
    };
    for (const auto& c : cases) {
        const CenterPoint p = CenteredTopLeft(c.outer, c.width, c.height);
        EXPECT_EQ(p.x, c.expected.x) << c.name;
        EXPECT_EQ(p.y, c.expected.y) << c.name;
    }
}

} // namespace
