#include "common/app_state.h"
#include "common/core/random.h"
#include "common/ids.h"
#include "harness.h"
#include "lines/core/lines_draw.h"
#include "lines/lines_data.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

namespace {

// The model of one pass over segment i at draw step s: a one-pixel pen, hollow shapes, Plot's own pens.
void ModelPass(HDC dc, const LinesData& d, int i, int s, COLORREF ink) {
    const LinesSegment& c = d.segments[i];
    const LinesSegment& p = d.segments[(i + d.nSegments - 1) % d.nSegments];
    HGDIOBJ oldPen = SelectObject(dc, CreatePen(PS_SOLID, 1, ink));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int l = std::min(c.x1, c.x2), t = std::min(c.y1, c.y2), r = std::max(c.x1, c.x2);
    const int b = std::max(c.y1, c.y2);
    if (d.style == kStyleBoxes) Rectangle(dc, l, t, r, b);
    if (d.style == kStyleOvals) Ellipse(dc, l, t, r, b);
    if (d.style == kStyleLissajous) MoveToEx(dc, p.x1, p.y1, nullptr), LineTo(dc, c.x1, c.y1);
    if (d.style == kStyleLissajous) MoveToEx(dc, p.x2, p.y2, nullptr), LineTo(dc, c.x2, c.y2);
    if (d.style == kStyleLines) MoveToEx(dc, c.x1, c.y1, nullptr), LineTo(dc, c.x2, c.y2);
    PlotStroke strokes[kMaxPlotStrokes];
    for (int k = 0, n = d.style == kStylePlot ? PlotStrokes(p, c, i, s, d.nSegments, strokes) : 0; k < n;
         ++k) {
        DeleteObject(
            SelectObject(dc, CreatePen(strokes[k].dotted ? PS_DOT : PS_SOLID, 1, strokes[k].colour)));
        MoveToEx(dc, strokes[k].x1, strokes[k].y1, nullptr);
        LineTo(dc, strokes[k].x2, strokes[k].y2);
    }
    SelectObject(dc, oldBrush);
    DeleteObject(SelectObject(dc, oldPen));
}

using Lines = AppTest;

TEST_F(Lines, EveryStyleDrawsItsModelAndTheWindowFollowsItsFigureCommandsFlagsAndSource) {
    HWND w = NewChild(IDM_NEW_LINES);
    LinesData& d = *GetLinesData(w);
    RECT rc{};
    GetClientRect(w, &rc);
    for (int16_t style = kStyleLines; style <= kStylePlot; ++style) {
        for (BOOL erase : {FALSE, TRUE}) {
            SendMessageA(w, WM_COMMAND, IDM_LINES_STEP, 0); // a white window
            d = LinesData{};
            const LinesSegment figure[] = {{20, 30, 220, 90}, {150, 140, 40, 60}, {60, 20, 180, 160}};
            std::copy(figure, figure + 3, d.segments);
            d.colors[0] = RGB(200, 30, 60), d.colors[1] = RGB(0, 120, 90), d.colors[2] = RGB(90, 90, 250);
            d.nSegments = d.nSteps = 3, d.iErase = -1, d.style = style, d.ticksPerStep = 1, d.fErase = erase;
            for (int s = 0; s < 3; ++s)
                SendMessageA(w, WM_TIMER, 1, 0);
            const Pixels model = Picture(rc.right, rc.bottom, [&](HDC m) {
                for (int s = 0; s < 3; ++s) { // the new segment first: the eraser wins where they cross
                    ModelPass(m, d, s, s, d.colors[s]);
                    if (erase && s >= 1) ModelPass(m, d, s - 1, s, RGB(255, 255, 255));
                }
            });
            EXPECT_TRUE(Capture(w) == model) << "style " << style << " erase " << erase;
            for (int steps = 0; erase && steps < 10000;) // 50 000 in all, far past the handle table
                steps += (SendMessageA(w, WM_TIMER, 1, 0), d.tickCount == 0);
        }
    }
    HDC dc = GetDC(w);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    EXPECT_TRUE(dc && pen) << "no DC or pen stayed behind: a fresh one can still be had";
    DeleteObject(pen);
    ReleaseDC(w, dc);
    SeedRandom(1234567);
    SendMessageA(w, WM_COMMAND, IDM_LINES_STEP, 0);
    SeedRandom(1234567);
    const LinesFigurePlan plan = PlanLinesFigure(rc.right, rc.bottom, true);
    LinesData traced{};
    TraceLinesFigure(plan, plan.nSegments, traced.segments, reinterpret_cast<uint32_t*>(traced.colors));
    EXPECT_TRUE(d.nSegments == plan.nSegments && d.nSteps == plan.nSteps && d.iErase == plan.iErase);
    const size_t n = static_cast<size_t>(plan.nSegments);
    EXPECT_TRUE(!std::memcmp(d.segments, traced.segments, 16 * n) &&
                !std::memcmp(d.colors, traced.colors, 4 * n));
    const int16_t ticks = d.tickCount; // its own timer may have ticked while the window was made
    SendMessageA(w, WM_TIMER, 2, 0);   // not its timer
    EXPECT_TRUE(d.iDraw == 0 && d.tickCount == ticks);
    d.iDraw = 5, d.iErase = 2;
    SendMessageA(w, WM_COMMAND, IDM_STYLE_OVALS, 0);
    EXPECT_TRUE(d.style == kStyleOvals && d.iDraw == 0 && d.iErase == -3 && Text(w) == "Ovals") << "lag";
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
    const std::tuple<const char*, LRESULT, int16_t> flags[] = {{"/lis", 1, kStyleLissajous},
                                                               {"/li", 1, kStyleLines},
                                                               {"/PLOT", 1, kStylePlot},
                                                               {"/plots", 0, kStylePlot},
                                                               {nullptr, 0, kStylePlot}};
    for (const auto& [flag, known, style] : flags)
        EXPECT_TRUE(SendMessageA(w, UWM_FLAG, reinterpret_cast<WPARAM>(flag), 0) == known &&
                    d.style == style);
    // Another thread's pointers mean nothing here: not its flag's text, nor its window's property as a
    // source.
    std::atomic<HWND> foreign{nullptr};
    std::atomic<LRESULT> fromThread{-1};
    std::thread other([&] {
        HWND f = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        SetPropA(f, kLinesDataProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x10)));
        foreign = f;
        fromThread = SendMessageA(w, UWM_FLAG, reinterpret_cast<WPARAM>("/boxes"), 0);
        DestroyWindow(f);
    });
    while (!foreign)
        Sleep(1);
    MDICREATESTRUCTA mcs{"LinesWind", "", hInst, 0, 0, 200, 150, 0, reinterpret_cast<LPARAM>(foreign.load())};
    SendMessageA(hwndClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs));
    EXPECT_EQ(GetLinesData(Active())->style, kStyleLines);
    while (fromThread == -1)
        Pump(); // a message sent from another thread is handled while this one looks for messages
    other.join();
    EXPECT_TRUE(fromThread == 0 && d.style == kStylePlot);

    RunArgs({"-lines", "/boxes", "/erase", "/repeat", "-lines"}); // a Lines source of this thread passes on
    const LinesData& split = *GetLinesData(Active());
    EXPECT_TRUE(split.style == kStyleBoxes && !split.fErase && split.fRepeat && Text(Active()) == "Boxes");
    RunArgs({"-bubbles", "-lines"});
    const LinesData& fresh = *GetLinesData(Active());
    EXPECT_TRUE(fresh.style == kStyleLines && fresh.fErase && !fresh.fRepeat);
}

} // namespace
