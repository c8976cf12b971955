#include "lines/lines_draw.h"

#include <algorithm>

#include "common/gdi.h"
#include "lines/core/lines_draw.h"
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

// Draws on a real window: each pass makes its pen, uses it and deletes it again.
class LinesWindowSurface : public LinesSurface {
  public:
    LinesWindowSurface(HWND hwnd, HDC dc, const LinesData& data) : hwnd_(hwnd), dc_(dc), data_(data) {}
    void DrawSegment(int index) override { Pass(index, data_.colors[index]); }
    void EraseSegment(int index) override { Pass(index, kBackground); }
    void ClearAndStartNewFigure() override {
        LinesClear(hwnd_, dc_);
        LinesNewFigure(hwnd_);
    }

  private:
    void Pass(int index, COLORREF colour) {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
        SelectionScope keepPen(dc_, pen.get());
        // Boxes and ovals are outlines.
        SelectionScope keepBrush(dc_, GetStockObject(NULL_BRUSH));
        LinesDrawSegment(dc_, data_, index);
    }

    HWND hwnd_;
    HDC dc_;
    const LinesData& data_;
};

} // namespace

void LinesNewFigure(HWND hwnd) {
    LinesData* data = GetLinesData(hwnd);
    if (data == nullptr) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    const LinesFigurePlan plan = PlanLinesFigure(client.right, client.bottom, data->fErase != FALSE);
    uint32_t colors[kLinesMaxSegments];
    TraceLinesFigure(plan, plan.nSegments, data->segments, colors);
    std::copy(colors, colors + plan.nSegments, data->colors);
    data->nSegments = plan.nSegments;
    data->nSteps = plan.nSteps;
    data->iDraw = 0;
    data->iErase = plan.iErase;
    data->ticksPerStep = plan.ticksPerStep;
}

void LinesClear(HWND hwnd, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void LinesStep(HWND hwnd, HDC dc, LinesData& data) {
    LinesWindowSurface surface(hwnd, dc, data);
    const LinesRun run{data.nSegments, data.nSteps, data.fErase != FALSE, data.fRepeat != FALSE};
    StepLinesRun(run, data.iDraw, data.iErase, surface);
}

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

void LinesOnTimer(HWND hwnd, WPARAM timerId) {
    LinesData* data = GetLinesData(hwnd);
    if (timerId != kLinesTimer || data == nullptr) return;
    if (!CountLinesTick(data->tickCount, data->ticksPerStep)) return;
    WindowDC dc(hwnd);
    LinesStep(hwnd, dc.get(), *data);
}

void LinesOnPaint(HWND hwnd) {
    // The update region has been wiped to white; one step is drawn, clipped to it, and nothing is restored.
    PaintDC paint(hwnd);
    if (LinesData* data = GetLinesData(hwnd)) LinesStep(hwnd, paint.get(), *data);
}
