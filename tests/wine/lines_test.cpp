#include "common/app_state.h"
#include "common/gdi.h"
#include "common/ids.h"
#include "harness.h"
#include "lines/core/lines_draw.h"
#include "lines/lines_data.h"

#include <algorithm>
#include <span>

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The model of one pass over segment i at draw step s: a one-pixel pen, hollow shapes, Plot's own pens.
void ModelPass(HDC dc, const LinesData& d, int i, int s, COLORREF ink) {
    const LinesSegment& c = d.segments[i];
    const LinesSegment& p = d.segments[(i + d.nSegments - 1) % d.nSegments];
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ink));
    SelectionScope keepPen(dc, pen.get());
    SelectionScope keepBrush(dc, GetStockObject(NULL_BRUSH));
    const RECT box{std::min(c.x1, c.x2), std::min(c.y1, c.y2), std::max(c.x1, c.x2), std::max(c.y1, c.y2)};
    if (d.style == kStyleLines) Line(dc, c.x1, c.y1, c.x2, c.y2);
    if (d.style == kStyleBoxes) Rectangle(dc, box.left, box.top, box.right, box.bottom);
    if (d.style == kStyleOvals) Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (d.style == kStyleLissajous) Line(dc, p.x1, p.y1, c.x1, c.y1);
    if (d.style == kStyleLissajous) Line(dc, p.x2, p.y2, c.x2, c.y2);
    PlotStroke strokes[kMaxPlotStrokes];
    const int n = d.style == kStylePlot ? PlotStrokes(p, c, i, s, d.nSegments, strokes) : 0;
    for (const PlotStroke& k : std::span(strokes, n)) {
        GdiObject<HPEN> own(CreatePen(k.dotted ? PS_DOT : PS_SOLID, 1, k.colour));
        SelectionScope keepOwn(dc, own.get());
        Line(dc, k.x1, k.y1, k.x2, k.y2);
    }
}

// A window whose record holds a three-segment figure of one step per tick, on white.
class Lines : public AppTest {
  protected:
    LinesData& Open(int16_t style, BOOL erase) {
        if (w == nullptr) w = NewChild(IDM_NEW_LINES);
        SendMessageA(w, WM_COMMAND, IDM_LINES_STEP, 0); // a white window
        LinesData& d = *GetLinesData(w);
        d = LinesData{{{20, 30, 220, 90}, {150, 140, 40, 60}, {60, 20, 180, 160}},
                      {RGB(200, 30, 60), RGB(0, 120, 90), RGB(90, 90, 250)},
                      3,
                      3,
                      0,
                      -1,
                      style,
                      1,
                      0,
                      erase,
                      FALSE};
        return d;
    }
    void Ticks(int n, WPARAM timer = kChildTimer) {
        for (int i = 0; i < n; ++i)
            SendMessageA(w, WM_TIMER, timer, 0);
    }
    HWND w = nullptr;
};

TEST_F(Lines, EveryStyleDrawsItsModelPicture) {
    for (int16_t style = kStyleLines; style <= kStylePlot; ++style) {
        for (BOOL erase : {FALSE, TRUE}) {
            const LinesData& d = Open(style, erase);
            Ticks(3);
            const Pixels model = Picture(ClientSize(w).cx, ClientSize(w).cy, [&](HDC m) {
                for (int s = 0; s < 3; ++s) { // the new segment first: the eraser wins where they cross
                    ModelPass(m, d, s, s, d.colors[s]);
                    if (erase && s >= 1) ModelPass(m, d, s - 1, s, RGB(255, 255, 255));
                }
            });
            EXPECT_TRUE(Capture(w) == model) << "style " << style << " erase " << erase;
        }
    }
}

TEST_F(Lines, StepsLeaveNoPenOrDCBehind) {
    Open(kStylePlot, TRUE);
    Ticks(50); // the first figures make what the platform keeps for the run
    const int before = LiveGdiObjects();
    for (int16_t style = kStyleLines; style <= kStylePlot; ++style) {
        GetLinesData(w)->style = style;
        Ticks(200);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST_F(Lines, OnlyItsOwnTimerStepsTheFigure) {
    const LinesData& d = Open(kStyleLines, TRUE);
    Ticks(1, 2);
    EXPECT_EQ(d.iDraw, 0);
    Ticks(1);
    EXPECT_EQ(d.iDraw, 1);
}

TEST_F(Lines, AStyleChangeTracesTheFigureAgainAndNamesTheCaption) {
    LinesData& d = Open(kStyleLines, TRUE);
    d.iDraw = 5;
    d.iErase = 2;
    SendMessageA(w, UWM_FLAG, reinterpret_cast<WPARAM>("/ov"), 0);
    EXPECT_EQ(std::tuple(d.style, d.iDraw, d.iErase, Text(w)), std::tuple(kStyleOvals, 0, -3, "Ovals"));
}

TEST_F(Lines, TheMenuChecksTheSettingsAndOffersStepOnlyUnderRepeat) {
    LinesData& d = Open(kStyleOvals, TRUE);
    for (BOOL repeat : {FALSE, TRUE}) {
        d.fRepeat = repeat;
        const std::pair<UINT, UINT> items[] = {{IDM_LINES_STEP, repeat ? 0u : MF_GRAYED},
                                               {IDM_LINES_REPEAT, repeat ? MF_CHECKED : 0u},
                                               {IDM_LINES_ERASE, MF_CHECKED},
                                               {IDM_STYLE_OVALS, MFT_RADIOCHECK | MF_CHECKED},
                                               {IDM_STYLE_LINES, 0}};
        for (const auto& [item, state] : items)
            EXPECT_EQ(MenuState(hmenuLines, item), state) << item;
    }
}

TEST_F(Lines, ANewWindowTakesTheSettingsOfTheLinesWindowItSplitsOnly) {
    RunArgs({"-lines", "/boxes", "/erase", "/repeat", "-lines"});
    const LinesData& split = *GetLinesData(ActiveChild());
    EXPECT_EQ(std::tuple(split.style, split.fErase, split.fRepeat, Text(ActiveChild())),
              std::tuple(kStyleBoxes, FALSE, TRUE, "Boxes"));
    RunArgs({"-bubbles", "-lines"});
    const LinesData& fresh = *GetLinesData(ActiveChild());
    EXPECT_EQ(std::tuple(fresh.style, fresh.fErase, fresh.fRepeat), std::tuple(kStyleLines, TRUE, FALSE));
}

} // namespace
