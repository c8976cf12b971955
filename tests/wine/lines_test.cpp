#include "harness.h"

#include "common/app_state.h"
#include "common/ids.h"
#include "lines/lines_draw.h"
#include "lines/lines_window.h"

#include <atomic>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(200, 30, 60);
constexpr COLORREF kMark = RGB(0, 0, 255);

COLORREF Pixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

void Mark(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    SetPixel(dc, x, y, kMark);
    ReleaseDC(hwnd, dc);
}

// Whether any pixel of the client area differs from white.
bool AnyInk(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    HDC dc = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(dc);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = rc.right;
    bi.bmiHeader.biHeight = -rc.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    GdiFlush();
    bool ink = false;
    const auto* p = static_cast<const uint32_t*>(bits);
    for (long i = 0; i < static_cast<long>(rc.right) * rc.bottom && !ink; ++i)
        ink = (p[i] & 0xFFFFFF) != 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, dc);
    return ink;
}

void Tick(HWND hwnd, WPARAM id = kLinesTimer) { SendMessageA(hwnd, WM_TIMER, id, 0); }

LRESULT Flag(HWND hwnd, const char* flag) {
    return SendMessageA(hwnd, UWM_FLAG, reinterpret_cast<WPARAM>(flag), 0);
}

class LinesWindow : public AppTest {
  protected:
    // A Lines window with a clean white client and no pending paint, so that only what a test sends draws.
    HWND NewLines() {
        SendMessageA(hwndFrame, WM_COMMAND, IDM_NEW_LINES, 0);
        HWND hwnd = ActiveChild();
        PumpMessages();
        HDC dc = GetDC(hwnd);
        LinesClear(hwnd, dc);
        ReleaseDC(hwnd, dc);
        return hwnd;
    }

    // A figure of the given segments, each a run of one tracing, stepped on every tick.
    static LinesData& SetFigure(HWND hwnd, std::initializer_list<LinesSegment> segments, int16_t style,
                                bool erase, int16_t lag = 1) {
        LinesData& d = *GetLinesData(hwnd);
        int n = 0;
        for (const LinesSegment& s : segments) {
            d.segments[n] = s;
            d.colors[n] = kInk;
            ++n;
        }
        d.nSegments = static_cast<int16_t>(n);
        d.nSteps = static_cast<int16_t>(n);
        d.iDraw = 0;
        d.iErase = static_cast<int16_t>(-lag);
        d.style = style;
        d.ticksPerStep = 1;
        d.tickCount = 0;
        d.fErase = erase;
        d.fRepeat = FALSE;
        return d;
    }

    void SetUp() override {
        AppTest::SetUp();
        RECT rc{};
        GetClientRect(hwndClient, &rc);
        ASSERT_GE(rc.right, 400);
        ASSERT_GE(rc.bottom, 300);
    }
};

TEST_F(LinesWindow, LinesStyleDrawsTheSegmentInItsColour) {
    HWND w = NewLines();
    SetFigure(w, {{20, 30, 120, 30}}, kStyleLines, false);
    Tick(w);
    for (int x : {20, 70, 119})
        EXPECT_EQ(Pixel(w, x, 30), kInk) << x;
    EXPECT_EQ(Pixel(w, 120, 30), kWhite); // LineTo leaves out the end point
    EXPECT_EQ(Pixel(w, 70, 31), kWhite);
    EXPECT_EQ(GetLinesData(w)->iDraw, 1);
}

TEST_F(LinesWindow, BoxesAreOutlinesWithCornersAAndB) {
    HWND w = NewLines();
    SetFigure(w, {{150, 100, 50, 40}}, kStyleBoxes, false);
    Mark(w, 100, 70);
    Tick(w);
    EXPECT_EQ(Pixel(w, 50, 70), kInk);
    EXPECT_EQ(Pixel(w, 149, 70), kInk);
    EXPECT_EQ(Pixel(w, 100, 40), kInk);
    EXPECT_EQ(Pixel(w, 100, 99), kInk);
    EXPECT_EQ(Pixel(w, 100, 70), kMark); // hollow: what was inside shows through
    EXPECT_EQ(Pixel(w, 151, 70), kWhite);
}

TEST_F(LinesWindow, OvalsAreHollowEllipsesInscribedInTheBox) {
    HWND w = NewLines();
    SetFigure(w, {{50, 40, 150, 100}}, kStyleOvals, false);
    Mark(w, 100, 70);
    Tick(w);
    bool left = false, top = false;
    for (int d = -1; d <= 1; ++d) {
        left = left || Pixel(w, 50, 70 + d) == kInk || Pixel(w, 51, 70 + d) == kInk;
        top = top || Pixel(w, 100 + d, 40) == kInk || Pixel(w, 100 + d, 41) == kInk;
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(top);
    EXPECT_EQ(Pixel(w, 100, 70), kMark);
    EXPECT_EQ(Pixel(w, 52, 42), kWhite); // the box's corner is outside the oval
}

TEST_F(LinesWindow, LissajousDrawsTheTrailOfEachPointFromThePreviousSegment) {
    HWND w = NewLines();
    // Step 0 draws segment 0, whose previous segment is the last one: the figure is closed.
    SetFigure(w, {{20, 20, 300, 20}, {120, 20, 300, 120}}, kStyleLissajous, false);
    Tick(w);
    EXPECT_EQ(Pixel(w, 70, 20), kInk);    // A from (120, 20) back to (20, 20)
    EXPECT_EQ(Pixel(w, 300, 70), kInk);   // B from (300, 120) up to (300, 20)
    EXPECT_EQ(Pixel(w, 210, 20), kWhite); // not the segment from A to B
    EXPECT_EQ(Pixel(w, 210, 70), kWhite);
}

TEST_F(LinesWindow, PlotChartsTheCoordinatesAtTheDrawStepWithFixedPens) {
    HWND w = NewLines();
    LinesData& d = SetFigure(w, {}, kStylePlot, false);
    d.nSegments = 10;
    d.nSteps = 30;
    for (int i = 0; i < 10; ++i)
        d.segments[i] = LinesSegment{200, 100, 250, 150};
    d.iDraw = 10; // segment 0: columns at 40 and 40 + 4 * 10
    Tick(w);
    RECT rc{};
    GetClientRect(w, &rc);
    for (int x : {40, 80}) {
        EXPECT_EQ(Pixel(w, x, 2), RGB(0, 0, 0)) << x; // the marker crosses the whole window
        EXPECT_EQ(Pixel(w, x, rc.bottom - 2), RGB(0, 0, 0)) << x;
        EXPECT_EQ(Pixel(w, x - 3, 100), RGB(255, 0, 0)) << x; // y of A
        EXPECT_EQ(Pixel(w, x - 3, 150), RGB(0, 255, 0)) << x; // y of B
        bool yellow = false, cyan = false;
        for (int px = x - 4; px < x; ++px) {
            yellow = yellow || Pixel(w, px, 200) == RGB(192, 192, 0); // x of A, dotted
            cyan = cyan || Pixel(w, px, 250) == RGB(0, 192, 192);     // x of B, dotted
        }
        EXPECT_TRUE(yellow) << x;
        EXPECT_TRUE(cyan) << x;
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

TEST_F(LinesWindow, EndOfRunClearsTheWindowAndStartsANewFigure) {
    HWND w = NewLines();
    SetFigure(w, {{20, 30, 120, 30}, {20, 60, 120, 60}}, kStyleLines, false);
    Tick(w);
    Tick(w);
    EXPECT_EQ(Pixel(w, 70, 30), kInk);
    EXPECT_EQ(Pixel(w, 70, 60), kInk);
    EXPECT_EQ(GetLinesData(w)->nSegments, 2);
    Tick(w); // draws nothing: the finished picture has stood for one step
    EXPECT_FALSE(AnyInk(w));
    const LinesData& d = *GetLinesData(w);
    EXPECT_GE(d.nSegments, 12);
    EXPECT_EQ(d.iDraw, 0);
    EXPECT_EQ(d.nSteps % d.nSegments, 0);
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

TEST_F(LinesWindow, TimerStepsEveryTicksPerStepTicksAndIgnoresOtherTimers) {
    HWND w = NewLines();
    LinesData& d = SetFigure(w, {{20, 30, 120, 30}}, kStyleLines, false);
    d.ticksPerStep = 2;
    Tick(w, 2);
    Tick(w, 2);
    EXPECT_EQ(d.tickCount, 0);
    EXPECT_EQ(d.iDraw, 0);
    EXPECT_EQ(Pixel(w, 70, 30), kWhite);
    Tick(w);
    EXPECT_EQ(d.iDraw, 0);
    EXPECT_EQ(Pixel(w, 70, 30), kWhite);
    Tick(w);
    EXPECT_EQ(d.iDraw, 1);
    EXPECT_EQ(Pixel(w, 70, 30), kInk);
}

TEST_F(LinesWindow, AnimatesOnItsOwnTimerOne) {
    HWND w = NewLines();
    MSG msg{};
    // Generous: the timer is due every 16 ms.
    for (int i = 0; i < 50 && !PeekMessageA(&msg, w, WM_TIMER, WM_TIMER, PM_REMOVE); ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_TIMER);
    }
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, kLinesTimer);
}

TEST_F(LinesWindow, FlagsFromTheCommandLineActLikeTheirCommands) {
    RunArgs({"-lines", "/E", "/boxes"});
    HWND w = ActiveChild();
    const LinesData* d = GetLinesData(w);
    EXPECT_FALSE(d->fErase);
    EXPECT_EQ(d->style, kStyleBoxes);
    RunArgs({"/li"});
    EXPECT_EQ(d->style, kStyleLines);
    EXPECT_EQ(WindowText(w), "Lines");
    RunArgs({"/lis"});
    EXPECT_EQ(d->style, kStyleLissajous);
    EXPECT_EQ(WindowText(w), "Lissajous");
    RunArgs({"/erase", "/erase", "/R"});
    EXPECT_FALSE(d->fErase);
    EXPECT_TRUE(d->fRepeat);
}

TEST_F(LinesWindow, FlagAnswersWhetherItWasRecognised) {
    HWND w = NewLines();
    const LinesData& d = *GetLinesData(w);
    const LinesData before = d;
    for (const char* flag : {"/steps", "/linesx", "erase", "-l"})
        EXPECT_EQ(Flag(w, flag), 0) << flag;
    EXPECT_EQ(std::memcmp(&before, &d, sizeof d), 0);
    EXPECT_EQ(Flag(w, "/P"), 1);
    EXPECT_EQ(d.style, kStylePlot);
    EXPECT_EQ(WindowText(w), "Plot");
    EXPECT_EQ(Flag(w, ""), 1); // the empty flag is a prefix of "/erase"
    EXPECT_FALSE(d.fErase);
}

TEST_F(LinesWindow, StepFlagStartsANewFigureEvenWithRepeatOff) {
    HWND w = NewLines();
    LinesData& d = SetFigure(w, {{20, 30, 120, 30}, {20, 60, 120, 60}}, kStyleLines, false);
    Tick(w);
    EXPECT_EQ(Pixel(w, 70, 30), kInk);
    EXPECT_EQ(Flag(w, "/s"), 1);
    EXPECT_FALSE(AnyInk(w));
    EXPECT_GE(d.nSegments, 12);
    EXPECT_EQ(d.iDraw, 0);
}

DWORD WINAPI SendFlagFromOtherThread(void* hwnd) {
    return static_cast<DWORD>(
        SendMessageA(static_cast<HWND>(hwnd), UWM_FLAG, reinterpret_cast<WPARAM>("/erase"), 0));
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
    SendMessageA(w, WM_COMMAND, IDM_STYLE_BOXES, 0);
    EXPECT_EQ(d.style, kStyleBoxes);
    EXPECT_EQ(WindowText(w), "Boxes");
    EXPECT_EQ(d.iDraw, 0);
    EXPECT_EQ(d.iErase, -2);
    EXPECT_EQ(std::memcmp(d.segments, before.segments, sizeof d.segments), 0);
    EXPECT_EQ(Pixel(w, 70, 30), kInk); // not cleared
    EXPECT_EQ(Pixel(w, 70, 60), kInk);
    // Choosing the current style again still restarts the run.
    Tick(w);
    SendMessageA(w, WM_COMMAND, IDM_STYLE_BOXES, 0);
    EXPECT_EQ(d.iDraw, 0);
    EXPECT_EQ(d.iErase, -2);
}

UINT State(HMENU menu, UINT command) { return GetMenuState(menu, command, MF_BYCOMMAND); }

bool RadioChecked(HMENU menu, UINT command) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoA(menu, command, FALSE, &info);
    return (info.fType & MFT_RADIOCHECK) && (info.fState & MFS_CHECKED);
}

void OpenPopup(HMENU popup) { SendMessageA(hwndFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 1); }

TEST_F(LinesWindow, LinesPopupShowsTheSettingsAndGraysStepWhileRepeatIsOff) {
    HWND w = NewLines();
    OpenPopup(hmenuLines);
    EXPECT_TRUE(State(hmenuLines, IDM_LINES_STEP) & MF_GRAYED);
    EXPECT_FALSE(State(hmenuLines, IDM_LINES_ERASE) & MF_GRAYED);
    EXPECT_FALSE(State(hmenuLines, IDM_LINES_REPEAT) & MF_GRAYED);
    EXPECT_TRUE(State(hmenuLines, IDM_LINES_ERASE) & MF_CHECKED);
    EXPECT_FALSE(State(hmenuLines, IDM_LINES_REPEAT) & MF_CHECKED);
    for (UINT command = IDM_STYLE_LINES; command <= IDM_STYLE_PLOT; ++command) {
        EXPECT_FALSE(State(hmenuLines, command) & MF_GRAYED) << command;
        EXPECT_EQ(RadioChecked(hmenuLines, command), command == IDM_STYLE_LINES) << command;
    }

    SendMessageA(w, WM_COMMAND, IDM_LINES_REPEAT, 0);
    SendMessageA(w, WM_COMMAND, IDM_LINES_ERASE, 0);
    SendMessageA(w, WM_COMMAND, IDM_STYLE_OVALS, 0);
    OpenPopup(hmenuLines);
    EXPECT_FALSE(State(hmenuLines, IDM_LINES_STEP) & MF_GRAYED);
    EXPECT_FALSE(State(hmenuLines, IDM_LINES_ERASE) & MF_CHECKED);
    EXPECT_TRUE(State(hmenuLines, IDM_LINES_REPEAT) & MF_CHECKED);
    for (UINT command = IDM_STYLE_LINES; command <= IDM_STYLE_PLOT; ++command) {
        EXPECT_EQ(RadioChecked(hmenuLines, command), command == IDM_STYLE_OVALS) << command;
    }

    OpenPopup(hmenuFile);
    EXPECT_FALSE(State(hmenuFile, IDM_CLOSE) & MF_GRAYED);
}

HWND CreateLinesFrom(HWND source) {
    MDICREATESTRUCTA mcs{};
    mcs.szClass = "LinesWind";
    mcs.szTitle = "LinesWind";
    mcs.hOwner = GetModuleHandleA(nullptr);
    mcs.cx = 200;
    mcs.cy = 150;
    mcs.lParam = reinterpret_cast<LPARAM>(source);
    return reinterpret_cast<HWND>(SendMessageA(hwndClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
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

    HWND direct = CreateLinesFrom(source);
    EXPECT_EQ(GetLinesData(direct)->style, kStylePlot);
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
    SendMessageA(hwndFrame, WM_COMMAND, IDM_NEW_BUBBLES, 0);
    HWND bubbles = ActiveChild();
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
