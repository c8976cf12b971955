#include "lines/lines_draw.h"

#include "common/gdi.h"
#include "lines/core/lines_draw.h"
#include "lines/core/lines_figure.h"
#include "lines/core/lines_run.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);

void DrawPlot(HDC dc, const LinesData& data, const LinesSegment& prev, const LinesSegment& cur, int index) {
    PlotStroke strokes[kMaxPlotStrokes];
    const int count = PlotStrokes(prev, cur, index, data.iDraw, data.nSegments, strokes);
    RasterOpScope copyMode(dc, R2_COPYPEN);
    for (int i = 0; i < count; ++i) {
        const PlotStroke& s = strokes[i];
        GdiObject<HPEN> pen(CreatePen(s.dotted ? PS_DOT : PS_SOLID, 1, s.colour));
        SelectionScope keep(dc, pen.get());
        MoveToEx(dc, s.x1, s.y1, nullptr);
        LineTo(dc, s.x2, s.y2);
    }
}

// Segment index in the record's current style, with the pen and brush already selected (Plot brings its own).
void LinesDrawSegment(HDC dc, const LinesData& data, int index) {
    const LinesSegment& cur = data.segments[index];
    const LinesSegment& prev = data.segments[PreviousLinesSegment(index, data.nSegments)];
    const LinesBox box = LinesSegmentBox(cur);
    switch (data.style) {
    case kStyleLines:
        MoveToEx(dc, cur.x1, cur.y1, nullptr);
        LineTo(dc, cur.x2, cur.y2);
        break;
    case kStyleBoxes: Rectangle(dc, box.left, box.top, box.right, box.bottom); break;
    case kStyleOvals: Ellipse(dc, box.left, box.top, box.right, box.bottom); break;
    case kStyleLissajous:
        // One step of each point's trail; over the figure these are the two Lissajous curves.
        MoveToEx(dc, prev.x1, prev.y1, nullptr);
        LineTo(dc, cur.x1, cur.y1);
        MoveToEx(dc, prev.x2, prev.y2, nullptr);
        LineTo(dc, cur.x2, cur.y2);
        break;
    case kStylePlot: DrawPlot(dc, data, prev, cur, index); break;
    }
}

// Draws on a device context: each pass makes its pen, uses it and deletes it again.
class LinesDCSurface : public LinesSurface {
  public:
    LinesDCSurface(HDC dc, LinesData& data, SIZE client) : dc_(dc), data_(data), client_(client) {}
    void DrawSegment(int index) override { Pass(index, data_.colors[index]); }
    void EraseSegment(int index) override { Pass(index, kBackground); }
    void ClearAndStartNewFigure() override {
        LinesClear(dc_, client_);
        LinesNewFigure(data_, client_.cx, client_.cy);
    }

  private:
    void Pass(int index, COLORREF colour) {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
        SelectionScope keepPen(dc_, pen.get());
        // Boxes and ovals are outlines.
        SelectionScope keepBrush(dc_, GetStockObject(NULL_BRUSH));
        LinesDrawSegment(dc_, data_, index);
    }

    HDC dc_;
    LinesData& data_;
    SIZE client_;
};

} // namespace

void LinesClear(HDC dc, SIZE client) {
    const RECT area{0, 0, client.cx, client.cy};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void LinesStep(HDC dc, LinesData& data, SIZE client) {
    LinesDCSurface surface(dc, data, client);
    StepLinesRun(data, surface);
}
