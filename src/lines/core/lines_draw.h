#pragma once
#include <cstdint>

#include "lines/core/lines_figure.h"

// The segment before index, the last one before 0: the figure is closed.
int PreviousLinesSegment(int index, int nSegments);

struct LinesBox {
    int left;
    int top;
    int right;
    int bottom;
};

// The box with corners A and B.
LinesBox LinesSegmentBox(const LinesSegment& s);

// One line of the Plot chart with its own pen.
struct PlotStroke {
    bool dotted;
    uint32_t colour; // 0x00BBGGRR
    int x1;
    int y1;
    int x2;
    int y2;
};

inline constexpr int kMaxPlotStrokes = 10;

// The Plot chart's lines for segment index: the four coordinates against time, 4 pixels per step, at the
// column of the current draw step iDraw (whichever pass asks) and again one figure's width to the right,
// each column led by a black marker when index begins a pass through the figure. Returns how many.
int PlotStrokes(const LinesSegment& prev, const LinesSegment& cur, int index, int iDraw, int nSegments,
                PlotStroke (&strokes)[kMaxPlotStrokes]);
