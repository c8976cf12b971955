#include "lines/lines_window.h"

#include <new>

#include "common/app_state.h"
#include "common/child_windows.h"
#include "common/gdi.h"
#include "common/ids.h"
#include "lines/core/lines_figure.h"
#include "lines/core/lines_flags.h"
#include "lines/core/lines_run.h"
#include "lines/lines_data.h"
#include "lines/lines_draw.h"

namespace {

// The command each slash flag stands for, in the order the flags are tried.
const UINT kFlagCommands[kLinesFlagCount] = {IDM_LINES_ERASE,     IDM_LINES_REPEAT, IDM_LINES_STEP,
                                             IDM_STYLE_LINES,     IDM_STYLE_BOXES,  IDM_STYLE_OVALS,
                                             IDM_STYLE_LISSAJOUS, IDM_STYLE_PLOT};

// The caption is always the name of the current style and nothing else.
void SetStyleCaption(HWND hwnd, int style) {
    char name[64] = "";
    LoadStringA(hInst, IDS_STYLE_LINES + style, name, sizeof name);
    SetWindowTextA(hwnd, name);
}

LRESULT LinesOnCreate(HWND hwnd, const CREATESTRUCTA* cs) {
    // Nothing is set up yet when the record cannot be had, so refusing creation leaves nothing behind.
    auto* data = new (std::nothrow) LinesData{};
    if (data == nullptr) return -1;
    AttachLinesData(hwnd, data);
    data->fRepeat = FALSE;
    data->style = kStyleLines;
    data->fErase = TRUE;
    if (const LinesData* from = GetLinesData(SourceWindowOfClass(cs, kLinesClass))) {
        data->fErase = from->fErase;
        data->fRepeat = from->fRepeat;
        data->style = from->style;
    }
    SetStyleCaption(hwnd, data->style);
    SetTimer(hwnd, kChildTimer, kChildTimerMs, nullptr);
    const SIZE client = ClientSize(hwnd);
    LinesNewFigure(*data, client.cx, client.cy);
    return 0;
}

void LinesOnDestroy(HWND hwnd) {
    // Synchronous, so the frame takes this window's popup out of the bar while the window still exists.
    SendMessageA(hwndFrame, UWM_CHILD_DESTROYED, reinterpret_cast<WPARAM>(hwnd), 0);
    delete DetachLinesData(hwnd);
}

void LinesOnTimer(HWND hwnd, WPARAM timerId) {
    LinesData* data = GetLinesData(hwnd);
    if (timerId != kChildTimer || data == nullptr) return;
    if (!CountLinesTick(*data)) return;
    WindowDC dc(hwnd);
    LinesStep(dc.get(), *data, ClientSize(hwnd));
}

void LinesOnPaint(HWND hwnd) {
    // The update region has been wiped to white; one step is drawn, clipped to it, and nothing is restored.
    PaintDC paint(hwnd);
    if (LinesData* data = GetLinesData(hwnd)) LinesStep(paint.get(), *data, ClientSize(hwnd));
}

void LinesStepNow(HWND hwnd, LinesData& data) {
    const SIZE client = ClientSize(hwnd);
    LinesClear(WindowDC(hwnd).get(), client);
    LinesNewFigure(data, client.cx, client.cy);
}

// The current figure is traced again from its first step in the new style; what is on screen stays.
void LinesChangeStyle(HWND hwnd, LinesData& data, int style) {
    data.style = static_cast<int16_t>(style);
    SetStyleCaption(hwnd, style);
    RestartLinesRun(data);
}

void LinesOnCommand(HWND hwnd, UINT command) {
    LinesData* data = GetLinesData(hwnd);
    if (data == nullptr) return;
    switch (command) {
    case IDM_LINES_ERASE: data->fErase = data->fErase ? FALSE : TRUE; break;
    case IDM_LINES_REPEAT: data->fRepeat = data->fRepeat ? FALSE : TRUE; break;
    case IDM_LINES_STEP: LinesStepNow(hwnd, *data); break;
    case IDM_STYLE_LINES:
    case IDM_STYLE_BOXES:
    case IDM_STYLE_OVALS:
    case IDM_STYLE_LISSAJOUS:
    case IDM_STYLE_PLOT: LinesChangeStyle(hwnd, *data, static_cast<int>(command - IDM_STYLE_LINES)); break;
    }
}

// The frame has grayed every item already; enable and check what applies to this window.
void LinesOnInitMenuPopup(HWND hwnd, HMENU popup) {
    const LinesData* data = GetLinesData(hwnd);
    if (data == nullptr) return;
    if (popup == hmenuFile) EnableCommand(popup, IDM_CLOSE);
    if (popup != hmenuLines) return;
    EnableCommand(popup, IDM_LINES_ERASE);
    EnableCommand(popup, IDM_LINES_REPEAT);
    // Step only makes sense while Repeat holds the figure; otherwise runs end by themselves.
    if (data->fRepeat) EnableCommand(popup, IDM_LINES_STEP);
    for (UINT command = IDM_STYLE_LINES; command <= IDM_STYLE_PLOT; ++command)
        EnableCommand(popup, command);
    CheckCommand(popup, IDM_LINES_ERASE, data->fErase != FALSE);
    CheckCommand(popup, IDM_LINES_REPEAT, data->fRepeat != FALSE);
    CheckMenuRadioItem(popup, IDM_STYLE_LINES, IDM_STYLE_PLOT, IDM_STYLE_LINES + data->style, MF_BYCOMMAND);
}

LRESULT LinesOnFlag(HWND hwnd, WPARAM wParam) {
    // From another thread or process the pointer means nothing here.
    if (InSendMessage()) return 0;
    const int index = LinesFlagIndex(reinterpret_cast<const char*>(wParam));
    if (index < 0) return 0;
    SendMessageA(hwnd, WM_COMMAND, kFlagCommands[index], 0);
    return 1;
}

LRESULT LinesOnMdiActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // Posted, not sent: a new child is activated before the frame has given it its popup.
    PostMessageA(hwndFrame, UWM_REFRESH_MENUS, 0, 0);
    return DefMDIChildProcA(hwnd, WM_MDIACTIVATE, wParam, lParam);
}

} // namespace

LRESULT CALLBACK LinesWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return LinesOnCreate(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY: LinesOnDestroy(hwnd); return 0;
    case WM_PAINT: LinesOnPaint(hwnd); return 0;
    case WM_COMMAND: LinesOnCommand(hwnd, LOWORD(wParam)); return 0;
    case WM_TIMER: LinesOnTimer(hwnd, wParam); return 0;
    case WM_INITMENUPOPUP: LinesOnInitMenuPopup(hwnd, reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_MDIACTIVATE: return LinesOnMdiActivate(hwnd, wParam, lParam);
    case UWM_FLAG: return LinesOnFlag(hwnd, wParam);
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}
