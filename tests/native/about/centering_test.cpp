#include "about/core/centering.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

struct CenteringCase {
    const char* name;
    CenterRect outer;
    int width;
    int height;
    CenterPoint expected;
};

class CenteredTopLeftTable : public ::testing::TestWithParam<CenteringCase> {};

TEST_P(CenteredTopLeftTable, PlacesTheBoxWhereTheRuleSays) {
    const CenteringCase& c = GetParam();
    CenterPoint p = CenteredTopLeft(c.outer, c.width, c.height);
    EXPECT_EQ(p.x, c.expected.x);
    EXPECT_EQ(p.y, c.expected.y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CenteredTopLeftTable,
    ::testing::Values(
        CenteringCase{"EvenBoxInEvenRect", {0, 0, 800, 600}, 400, 300, {200, 150}},
        CenteringCase{"OddSizesTruncateEachHalf", {0, 0, 801, 601}, 401, 301, {200, 150}},
        CenteringCase{"OffsetRect", {100, 50, 900, 650}, 200, 100, {400, 300}},
        // (-3 + 0) / 2 is -1, not -2: the halving truncates toward zero, not downward.
        CenteringCase{"NegativeSumTruncatesTowardZero", {-3, -5, 0, 0}, 0, 0, {-1, -2}},
        CenteringCase{"RectPartlyLeftOfAndAboveTheScreen", {-700, -400, 100, 200}, 420, 327, {-510, -263}},
        CenteringCase{"RectPartlyRightOfAndBelowTheScreen", {1500, 900, 2300, 1500}, 420, 327, {1690, 1037}},
        CenteringCase{"BoxLargerThanRectOverhangsBothSides", {0, 0, 100, 100}, 300, 200, {-100, -50}},
        CenteringCase{"EmptyRectCentresOnItsCorner", {40, 60, 40, 60}, 10, 20, {35, 50}},
        CenteringCase{"HugeCoordinatesDoNotOverflow",
                      {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX},
                      4,
                      4,
                      {INT_MAX - 7, INT_MAX - 7}},
        CenteringCase{"HugeNegativeCoordinatesDoNotOverflow",
                      {INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10},
                      4,
                      4,
                      {INT_MIN + 3, INT_MIN + 3}}),
    [](const ::testing::TestParamInfo<CenteringCase>& info) { return std::string(info.param.name); });

} // namespace
