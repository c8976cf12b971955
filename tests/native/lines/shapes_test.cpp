#include "lines/core/shapes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using Stroke = std::tuple<bool, uint32_t, int, int, int, int>; // dotted, colour, x1, y1, x2, y2

std::vector<Stroke> Strokes(int index, int iDraw, int nSegments) {
    const LinesSegment prev{11, 12, 13, 14}, cur{21, 22, 23, 24};
    PlotStroke s[kMaxPlotStrokes];
    const int count = PlotStrokes(prev, cur, index, iDraw, nSegments, s);
    std::vector<Stroke> out;
    for (int i = 0; i < count; ++i)
        out.emplace_back(s[i].dotted, s[i].colour, s[i].x1, s[i].y1, s[i].x2, s[i].y2);
    return out;
}

// One column: y of A red, x of A dark yellow and dotted, y of B green, x of B dark cyan and dotted.
std::vector<Stroke> Column(int x) {
    return {{false, 0x0000FF, x - 4, 12, x, 22},
            {true, 0x00C0C0, x - 4, 11, x, 21},
            {false, 0x00FF00, x - 4, 14, x, 24},
            {true, 0xC0C000, x - 4, 13, x, 23}};
}

TEST(PlotStrokes, TwoColumnsAtTheDrawStepAndAMarkerBeforeSegmentZero) {
    // The erase pass asks for segment 3 while the draw step is 9: both columns follow the draw step.
    std::vector<Stroke> expected = Column(36);
    for (const Stroke& s : Column(36 + 80))
        expected.push_back(s);
    EXPECT_EQ(Strokes(3, 9, 20), expected);

    // Segment 0 leads each column with a black marker tall enough to cross any window.
    const std::vector<Stroke> strokes = Strokes(0, 5, 12);
    ASSERT_EQ(strokes.size(), 10u);
    for (const size_t i : {0u, 5u}) {
        const int x = i == 0 ? 20 : 20 + 48;
        const auto [dotted, colour, x1, y1, x2, y2] = strokes[i];
        EXPECT_TRUE(!dotted && colour == 0 && x1 == x && x2 == x && y1 < -10000 && y2 > 10000) << i;
        EXPECT_EQ(strokes[i + 1], Column(x)[0]);
    }
}

} // namespace
