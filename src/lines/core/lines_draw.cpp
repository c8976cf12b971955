#include "lines/core/lines_draw.h"

#include <algorithm>

int PreviousLinesSegment(int index, int nSegments) { return index == 0 ? nSegments - 1 : index - 1; }

LinesBox LinesSegmentBox(const LinesSegment& s) {
    return LinesBox{std::min(s.x1, s.x2), std::min(s.y1, s.y2), std::max(s.x1, s.x2), std::max(s.y1, s.y2)};
}

int PlotStrokes(const LinesSegment& prev, const LinesSegment& cur, int index, int iDraw, int nSegments,
                PlotStroke (&strokes)[kMaxPlotStrokes]) {
    int count = 0;
    const int first = 4 * iDraw;
    for (const int x : {first, first + 4 * nSegments}) {
        // Tall enough to cross any window; the platform clips it.
        if (index == 0) strokes[count++] = PlotStroke{false, 0x000000, x, -20000, x, 20000};
        strokes[count++] = PlotStroke{false, 0x0000FF, x - 4, prev.y1, x, cur.y1};
        strokes[count++] = PlotStroke{true, 0x00C0C0, x - 4, prev.x1, x, cur.x1};
        strokes[count++] = PlotStroke{false, 0x00FF00, x - 4, prev.y2, x, cur.y2};
        strokes[count++] = PlotStroke{true, 0xC0C000, x - 4, prev.x2, x, cur.x2};
    }
    return count;
}
