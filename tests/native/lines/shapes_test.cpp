#include "lines/core/shapes.h"

#include <gtest/gtest.h>

namespace {

TEST(PlotStrokes, ColumnComesFromTheDrawStepNotTheSegmentIndex) {
    const LinesSegment prev{11, 12, 13, 14}, cur{21, 22, 23, 24};
    PlotStroke strokes[kMaxPlotStrokes];
    // The erase pass asks for segment 3 while the draw step is 9: both columns follow the draw step.
    ASSERT_EQ(PlotStrokes(prev, cur, 3, 9, 20, strokes), 8);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(strokes[i].x1, 32);
        EXPECT_EQ(strokes[i].x2, 36);
        EXPECT_EQ(strokes[4 + i].x1, 32 + 80);
        EXPECT_EQ(strokes[4 + i].x2, 36 + 80);
    }
    struct Expected {
        bool dotted;
        uint32_t colour;
        int y1, y2;
    } expected[4] = {
        {false, 0x0000FF, 12, 22}, // y of A, red
        {true, 0x00C0C0, 11, 21},  // x of A, dark yellow
        {false, 0x00FF00, 14, 24}, // y of B, green
        {true, 0xC0C000, 13, 23},  // x of B, dark cyan
    };
    for (int column = 0; column < 2; ++column) {
        for (int i = 0; i < 4; ++i) {
            const PlotStroke& s = strokes[column * 4 + i];
            EXPECT_EQ(s.dotted, expected[i].dotted) << i;
            EXPECT_EQ(s.colour, expected[i].colour) << i;
            EXPECT_EQ(s.y1, expected[i].y1) << i;
            EXPECT_EQ(s.y2, expected[i].y2) << i;
        }
    }
}

TEST(PlotStrokes, SegmentZeroLeadsEachColumnWithABlackMarker) {
    PlotStroke strokes[kMaxPlotStrokes];
    ASSERT_EQ(PlotStrokes(LinesSegment{}, LinesSegment{}, 0, 5, 12, strokes), 10);
    for (const int i : {0, 5}) {
        const int x = i == 0 ? 20 : 20 + 48;
        EXPECT_FALSE(strokes[i].dotted);
        EXPECT_EQ(strokes[i].colour, 0x000000u);
        EXPECT_EQ(strokes[i].x1, x);
        EXPECT_EQ(strokes[i].x2, x);
        EXPECT_LT(strokes[i].y1, -10000);
        EXPECT_GT(strokes[i].y2, 10000);
        EXPECT_EQ(strokes[i + 1].colour, 0x0000FFu);
    }
}

} // namespace
