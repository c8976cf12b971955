#include "harness.h"

#include "common/app_state.h"
#include "common/ids.h"
#include "lines/lines_draw.h"
#include "lines/lines_window.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(200, 30, 60);
constexpr COLORREF kMark = RGB(0, 0, 255);

void Tick(HWND hwnd, WPARAM id = kLinesTimer) { SendMessageA(hwnd, WM_TIMER, id, 0); }

bool AnyInk(HWND hwnd) {
    const std::vector<COLORREF> pixels = ClientPixels(hwnd);
    return std::any_of(pixels.begin(), pixels.end(), [](COLORREF c) { return c != kWhite; });
}

// Ink at the point or one pixel beside it: the platform may round an ellipse's edge either way.
bool InkNear(HWND hwnd, POINT p) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (Pixel(hwnd, p.x + dx, p.y + dy) == kInk) return true;
    return false;
}

class LinesWindow : public AppTest {
  protected:
    // A Lines window with a clean white client and no pending paint, so that only what a test sends draws.
    static HWND NewLines() { return Clear(NewChild(IDM_NEW_LINES)); }
    static HWND Clear(HWND hwnd) {
        HDC dc = GetDC(hwnd);
        LinesClear(hwnd, dc);
        ReleaseDC(hwnd, dc);
        return hwnd;
    }

    // A figure of the given segments, each a run of one tracing, stepped on every tick.
    static LinesData& SetFigure(HWND hwnd, const std::vector<LinesSegment>& segments, int16_t style,
                                bool erase, int16_t lag = 1) {
        LinesData& d = *GetLinesData(hwnd);
        std::copy(segments.begin(), segments.end(), d.segments);
        std::fill(d.colors, d.colors + segments.size(), kInk);
        d.nSegments = d.nSteps = static_cast<int16_t>(segments.size());
        d.iDraw = 0;
        d.iErase = static_cast<int16_t>(-lag);
        d.style = style;
        d.ticksPerStep = 1;
        d.tickCount = 0;
        d.fErase = erase;
        d.fRepeat = FALSE;
        return d;
    }

    static HWND CreateLinesFrom(HWND source) {
        MDICREATESTRUCTA mcs{
            "LinesWind", "LinesWind", hInst, 0, 0, 200, 150, 0, reinterpret_cast<LPARAM>(source)};
        return reinterpret_cast<HWND>(
            SendMessageA(hwndClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
};

TEST_F(LinesWindow, EachStyleDrawsTheSegmentInItsColourAndNothingElse) {
    struct Case {
        const char* name;
        int16_t style;
        std::vector<LinesSegment> figure;
        std::vector<POINT> ink;
        std::vector<POINT> untouched; // marked before the step; the mark must survive
    };
    const Case cases[] = {
        // LineTo leaves out the end point; the pen is one pixel wide.
        {"lines", kStyleLines, {{20, 30, 120, 30}}, {{20, 30}, {70, 30}, {119, 30}}, {{120, 30}, {70, 31}}},
        // Corners A and B in any order; hollow, so what was inside shows through.
        {"boxes",
         kStyleBoxes,
         {{150, 100, 50, 40}},
         {{50, 70}, {149, 70}, {100, 40}, {100, 99}},
         {{100, 70}, {151, 70}}},
        {"ovals", kStyleOvals, {{50, 40, 150, 100}}, {{51, 70}, {100, 41}}, {{100, 70}, {52, 42}}},
        // Step 0 draws segment 0 from the last one, so the figure is closed: A from (120, 20) back to (20,
        // 20),
        // B from (300, 120) up to (300, 20), and not the segment from A to B.
        {"lissajous",
         kStyleLissajous,
         {{20, 20, 300, 20}, {120, 20, 300, 120}},
         {{70, 20}, {300, 70}},
         {{210, 20}, {210, 70}}},
    };
    HWND w = NewLines();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear(w);
        SetFigure(w, c.figure, c.style, false);
        HDC dc = GetDC(w);
        for (POINT p : c.untouched)
            SetPixel(dc, p.x, p.y, kMark);
        ReleaseDC(w, dc);
        Tick(w);
        for (POINT p : c.ink)
            EXPECT_TRUE(InkNear(w, p)) << p.x << "," << p.y;
        for (POINT p : c.untouched)
            EXPECT_EQ(Pixel(w, p.x, p.y), kMark) << p.x << "," << p.y;
        EXPECT_EQ(GetLinesData(w)->iDraw, 1);
    }
}

TEST_F(LinesWindow, PlotChartsTheCoordinatesAtTheDrawStepWithFixedPens) {
    HWND w = NewLines();
    LinesData& d =
        SetFigure(w, std::vector<LinesSegment>(10, LinesSegment{200, 100, 250, 150}), kStylePlot, false);
    d.nSteps = 30;
    d.iDraw = 10; // segment 0: columns at 40 and 40 + 4 * 10
    Tick(w);
    RECT rc{};
    GetClientRect(w, &rc);
    for (int x : {40, 80}) {
        EXPECT_EQ(Pixel(w, x, 2), RGB(0, 0, 0)) << x; // the marker crosses the whole window
        EXPECT_EQ(Pixel(w, x, rc.bottom - 2), RGB(0, 0, 0)) << x;
        EXPECT_EQ(Pixel(w, x - 3, 100), RGB(255, 0, 0)) << x; // y of A
        EXPECT_EQ(Pixel(w, x - 3, 150), RGB(0, 255, 0)) << x; // y of B
        bool yellow = false, cyan = false;                    // x of A and of B, dotted
        for (int px = x - 4; px < x; ++px) {
            yellow = yellow || Pixel(w, px, 200) == RGB(192, 192, 0);
            cyan = cyan || Pixel(w, px, 250) == RGB(0, 192, 192);
        }
        EXPECT_TRUE(yellow && cyan) << x;
    }
    Tick(w); // segment 1 at column 44: no marker
    EXPECT_EQ(Pixel(w, 44, 2), kWhite);
    EXPECT_EQ(Pixel(w, 43, 100), RGB(255, 0, 0));
}

TEST_F(LinesWindow, EraseBehindDrawsTheLaggingSegmentAgainInWhite) {
    HWND w = NewLines();
    SetFigure(w, {{20, 30, 120, 30}, {20, 60, 120, 60}, {20, 90, 120, 90}}, kStyleLines, true, 1);
    Tick(w);
    EXPECT_EQ(Pixel(w, 70, 30), kInk);
    Tick(w);
    EXPECT_EQ(Pixel(w, 70, 30), kWhite);
    EXPECT_EQ(Pixel(w, 70, 60), kInk);
}

TEST_F(LinesWindow, EndOfRunAndStepClearTheWindowAndStartANewFigure) {
    HWND w = NewLines();
    const LinesData& d = SetFigure(w, {{20, 30, 120, 30}, {20, 60, 120, 60}}, kStyleLines, false);
    Tick(w);
    Tick(w);
    EXPECT_EQ(Pixel(w, 70, 30), kInk);
    EXPECT_EQ(Pixel(w, 70, 60), kInk);
    EXPECT_EQ(d.nSegments, 2);
    Tick(w); // draws nothing: the finished picture has stood for one step
    EXPECT_FALSE(AnyInk(w));
    EXPECT_GE(d.nSegments, 12);
    EXPECT_EQ(d.iDraw, 0);
    EXPECT_EQ(d.nSteps % d.nSegments, 0);

    SetFigure(w, {{20, 30, 120, 30}, {20, 60, 120, 60}}, kStyleLines, false);
    Tick(w);
    EXPECT_EQ(SendFlag(w, "/s"), 1) << "Step works with Repeat off too";
    EXPECT_FALSE(AnyInk(w));
    EXPECT_GE(d.nSegments, 12);
    EXPECT_EQ(d.iDraw, 0);
}

TEST_F(LinesWindow, PaintDrawsOneStepInsideTheUpdateRegionOnly) {
    HWND w = NewLines();
    LinesData& d = SetFigure(w, {{20, 30, 300, 30}}, kStyleLines, false);
    d.ticksPerStep = 3;
    d.tickCount = 1;
    const RECT part{0, 0, 100, 100};
    InvalidateRect(w, &part, TRUE);
    UpdateWindow(w);
    EXPECT_EQ(Pixel(w, 50, 30), kInk);
    EXPECT_EQ(Pixel(w, 200, 30), kWhite); // clipped away
    EXPECT_EQ(d.iDraw, 1);
    EXPECT_EQ(d.tickCount, 1); // outside the tick counting
}

TEST_F(LinesWindow, TimerOneStepsEveryTicksPerStepTicksAndOtherTimersAreIgnored) {
    HWND w = NewLines();
    MSG msg{};
    // The window's own timer is due every 16 ms; a generous wait for the first one.
    for (int i = 0; i < 50 && !PeekMessageA(&msg, w, WM_TIMER, WM_TIMER, PM_REMOVE); ++i)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_TIMER);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, kLinesTimer);

    LinesData& d = SetFigure(w, {{20, 30, 120, 30}}, kStyleLines, false);
    d.ticksPerStep = 2;
    Tick(w, 2);
    Tick(w, 2);
    EXPECT_EQ(d.tickCount, 0);
    Tick(w);
    EXPECT_EQ(d.iDraw, 0);
    EXPECT_EQ(Pixel(w, 70, 30), kWhite);
    Tick(w);
    EXPECT_EQ(d.iDraw, 1);
    EXPECT_EQ(Pixel(w, 70, 30), kInk);
}

TEST_F(LinesWindow, SlashFlagsActLikeTheirCommandsAndAnswerWhetherTheyWereKnown) {
    RunArgs({"-lines", "/E", "/boxes"}); // the command line hands them to the new window
    HWND w = ActiveChild();
    const LinesData& d = *GetLinesData(w);
    EXPECT_FALSE(d.fErase);
    EXPECT_EQ(d.style, kStyleBoxes);
    const LinesData before = d;
    for (const char* unknown : {"/steps", "/linesx", "erase", "-l", static_cast<const char*>(nullptr)})
        EXPECT_EQ(SendFlag(w, unknown), 0) << unknown;
    EXPECT_EQ(std::memcmp(&before, &d, sizeof d), 0);

    struct Case {
        const char* flag;
        int16_t style;
        const char* caption;
        BOOL erase, repeat;
    };
    const Case cases[] = {
        {"/li", kStyleLines, "Lines", FALSE, FALSE}, {"/lis", kStyleLissajous, "Lissajous", FALSE, FALSE},
        {"/P", kStylePlot, "Plot", FALSE, FALSE},    {"/R", kStylePlot, "Plot", FALSE, TRUE},
        {"", kStylePlot, "Plot", TRUE, TRUE}, // the empty flag is a prefix of "/erase"
        {"/o", kStyleOvals, "Ovals", TRUE, TRUE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendFlag(w, c.flag), 1) << c.flag;
        EXPECT_EQ(d.style, c.style) << c.flag;
        EXPECT_EQ(WindowText(w), c.caption) << c.flag;
        EXPECT_EQ(d.fErase, c.erase) << c.flag;
        EXPECT_EQ(d.fRepeat, c.repeat) << c.flag;
    }
}

DWORD WINAPI SendFlagFromOtherThread(void* hwnd) {
    return static_cast<DWORD>(SendFlag(static_cast<HWND>(hwnd), "/erase"));
}

TEST_F(LinesWindow, FlagFromAnotherThreadIsIgnored) {
    HWND w = NewLines();
    HANDLE thread = CreateThread(nullptr, 0, SendFlagFromOtherThread, w, 0, nullptr);
    // The sent message is delivered while this thread waits in a message-aware wait.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 5000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    DWORD result = 99;
    GetExitCodeThread(thread, &result);
    CloseHandle(thread);
    EXPECT_EQ(result, 0u);
    EXPECT_TRUE(GetLinesData(w)->fErase);
}

TEST_F(LinesWindow, StyleChangeRetracesTheFigureKeepingTheLagAndThePicture) {
    HWND w = NewLines();
    LinesData& d =
        SetFigure(w, {{20, 30, 120, 30}, {20, 60, 120, 60}, {20, 90, 120, 90}}, kStyleLines, true, 2);
    d.nSteps = 9;
    for (int i = 0; i < 5; ++i)
        Tick(w);
    const LinesData before = d;
    for (int again = 0; again < 2; ++again) { // choosing the current style again still restarts the run
        SendMessageA(w, WM_COMMAND, IDM_STYLE_BOXES, 0);
        EXPECT_EQ(d.style, kStyleBoxes);
        EXPECT_EQ(WindowText(w), "Boxes");
        EXPECT_EQ(d.iDraw, 0);
        EXPECT_EQ(d.iErase, -2);
        Tick(w);
    }
    EXPECT_EQ(std::memcmp(d.segments, before.segments, sizeof d.segments), 0);
    EXPECT_EQ(Pixel(w, 70, 60), kInk); // not cleared
}

TEST_F(LinesWindow, LinesPopupShowsTheSettingsAndGraysStepWhileRepeatIsOff) {
    HWND w = NewLines();
    const auto expectPopup = [](bool erase, bool repeat, UINT style) {
        EXPECT_EQ((MenuState(hmenuLines, IDM_LINES_STEP) & MF_GRAYED) != 0, !repeat);
        EXPECT_EQ(MenuState(hmenuLines, IDM_LINES_ERASE), erase ? UINT{MF_CHECKED} : 0u);
        EXPECT_EQ(MenuState(hmenuLines, IDM_LINES_REPEAT), repeat ? UINT{MF_CHECKED} : 0u);
        for (UINT command = IDM_STYLE_LINES; command <= IDM_STYLE_PLOT; ++command) {
            const UINT state = MenuState(hmenuLines, command);
            EXPECT_EQ(state & ~UINT{MFT_RADIOCHECK}, command == style ? UINT{MF_CHECKED} : 0u) << command;
            EXPECT_TRUE(command != style || (state & MFT_RADIOCHECK)) << command;
        }
    };
    expectPopup(true, false, IDM_STYLE_LINES);
    for (UINT command : {IDM_LINES_REPEAT, IDM_LINES_ERASE, IDM_STYLE_OVALS})
        SendMessageA(w, WM_COMMAND, command, 0);
    expectPopup(false, true, IDM_STYLE_OVALS);
    EXPECT_FALSE(MenuState(hmenuFile, IDM_CLOSE) & MF_GRAYED);
}

TEST_F(LinesWindow, NewWindowTakesTheSettingsOfALinesSourceButNotItsFigure) {
    RunArgs({"-lines", "/plot", "/erase", "/repeat", "-lines"});
    HWND source = Children().back();
    HWND split = ActiveChild();
    ASSERT_NE(split, source);
    const LinesData& d = *GetLinesData(split);
    EXPECT_EQ(d.style, kStylePlot);
    EXPECT_FALSE(d.fErase);
    EXPECT_TRUE(d.fRepeat);
    EXPECT_EQ(WindowText(split), "Plot");
    EXPECT_NE(std::memcmp(d.segments, GetLinesData(source)->segments, sizeof d.segments), 0);
}

DWORD WINAPI ForeignWindowThread(void* out) {
    // A window of another thread carrying the property with a value that is no record of ours.
    HWND w = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetPropA(w, "LINESDATA", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x10)));
    static_cast<std::atomic<HWND>*>(out)->store(w);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(w);
    return 0;
}

TEST_F(LinesWindow, SourcesThatAreNoLinesWindowOfOursLeaveTheDefaults) {
    HWND bubbles = NewChild(IDM_NEW_BUBBLES);
    HWND gone = CreateLinesFrom(nullptr);
    SendMessageA(gone, WM_COMMAND, IDM_STYLE_OVALS, 0);
    SendMessageA(hwndClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(gone), 0);
    std::atomic<HWND> foreign{nullptr};
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, ForeignWindowThread, &foreign, 0, &threadId);
    while (foreign.load() == nullptr)
        Sleep(1);

    for (HWND source : {bubbles, gone, foreign.load(), static_cast<HWND>(nullptr)}) {
        HWND w = CreateLinesFrom(source);
        ASSERT_NE(w, nullptr);
        const LinesData& d = *GetLinesData(w);
        EXPECT_EQ(d.style, kStyleLines);
        EXPECT_TRUE(d.fErase);
        EXPECT_FALSE(d.fRepeat);
        EXPECT_EQ(WindowText(w), "Lines");
    }
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
}

} // namespace
