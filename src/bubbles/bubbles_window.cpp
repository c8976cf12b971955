#include "bubbles/bubbles_window.h"

#include <new>

#include "bubbles/bubbles_clock.h"
#include "bubbles/bubbles_data.h"
#include "bubbles/bubbles_draw.h"
#include "bubbles/bubbles_mouse.h"
#include "bubbles/bubbles_work.h"
#include "bubbles/core/bubbles_motion.h"
#include "bubbles/core/bubbles_queue.h"
#include "bubbles/core/bubbles_settings.h"
#include "common/app_state.h"
#include "common/child_windows.h"
#include "common/gdi.h"
#include "common/ids.h"

namespace {

LRESULT BubblesOnCreate(HWND hwnd, const CREATESTRUCTA* cs) {
    // Nothing is set up yet when the record cannot be had, so refusing creation leaves nothing behind.
    auto* data = new (std::nothrow) BubblesData{};
    if (data == nullptr) return -1;
    LoadBubbleCursors();
    AttachBubblesData(hwnd, data);
    InitBubblesData(*data, GetTickCount(), GetBubblesData(SourceWindowOfClass(cs, kBubblesClass)));
    SetTimer(hwnd, kChildTimer, kChildTimerMs, nullptr);
    return 0;
}

void BubblesOnDestroy(HWND hwnd) {
    KillTimer(hwnd, kChildTimer);
    SendMessageA(hwndFrame, UWM_CHILD_DESTROYED, reinterpret_cast<WPARAM>(hwnd), 0);
    delete DetachBubblesData(hwnd);
}

void BubblesOnSize(HWND hwnd) {
    BubblesData* data = GetBubblesData(hwnd);
    if (data == nullptr) return;
    const SIZE client = ClientSize(hwnd);
    BubblesClientResized(*data, {client.cx, client.cy});
}

void BubblesOnPaint(HWND hwnd) {
    PaintDC paint(hwnd);
    if (const BubblesData* data = GetBubblesData(hwnd)) PaintBubbles(paint.get(), *data);
}

void BubblesOnTimer(HWND hwnd, WPARAM timerId) {
    BubblesData* data = GetBubblesData(hwnd);
    if (timerId != kChildTimer || data == nullptr) return;
    BubbleWindowSurface surface(hwnd);
    TickCountClock clock;
    bubbleWork.steps += BubblesTimerTick(*data, surface, clock);
}

void BubblesOnCommand(HWND hwnd, int command) {
    BubblesData* data = GetBubblesData(hwnd);
    if (data == nullptr) return;
    switch (command) {
    case IDM_BUBBLES_MAKE: {
        BubbleWindowSurface surface(hwnd);
        MakeBubble(*data, surface);
        break;
    }
    case IDM_BUBBLES_GRAVITY: ToggleTickSetting(data->gravityTime, GetTickCount()); break;
    case IDM_BUBBLES_YEAST: ToggleTickSetting(data->yeastTime, GetTickCount()); break;
    case IDM_BUBBLES_DESIGNER:
        // Every bubble changes its look, so XOR over the old picture would not do: paint afresh.
        data->designer = data->designer ? 0 : 1;
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case IDM_BUBBLES_ERASE_ALL:
        EraseAllBubbles(*data);
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case IDM_BUBBLES_MOVE: ChooseMouseMode(*data, kModeMove); break;
    case IDM_BUBBLES_POP: ChooseMouseMode(*data, kModePop); break;
    case IDM_BUBBLES_GROW: ChooseMouseMode(*data, kModeGrow); break;
    }
}

void EnableAndCheck(HMENU popup, UINT command, bool checked) {
    EnableCommand(popup, command);
    CheckCommand(popup, command, checked);
}

// The frame has grayed every item already; enable what applies to this window.
void BubblesOnInitMenuPopup(HWND hwnd, HMENU popup) {
    const BubblesData* data = GetBubblesData(hwnd);
    if (data == nullptr) return;
    if (popup == hmenuFile) {
        EnableCommand(popup, IDM_CLOSE);
    } else if (popup == hmenuBubbles) {
        if (data->count < kMaxBubbles) EnableCommand(popup, IDM_BUBBLES_MAKE);
        if (data->count != 0) EnableCommand(popup, IDM_BUBBLES_ERASE_ALL);
        EnableAndCheck(popup, IDM_BUBBLES_GRAVITY, data->gravityTime != 0);
        EnableAndCheck(popup, IDM_BUBBLES_DESIGNER, data->designer != 0);
        EnableAndCheck(popup, IDM_BUBBLES_YEAST, data->yeastTime != 0);
        for (UINT command = IDM_BUBBLES_MOVE; command <= IDM_BUBBLES_GROW; ++command)
            EnableCommand(popup, command);
        CheckMenuRadioItem(popup, IDM_BUBBLES_MOVE, IDM_BUBBLES_GROW, IDM_BUBBLES_MOVE + data->mouseMode,
                           MF_BYCOMMAND);
    }
}

LRESULT BubblesOnFlag(HWND hwnd, WPARAM wParam) {
    // From another thread or process the pointer means nothing here.
    if (InSendMessage() || wParam == 0) return 0;
    const int command = BubblesFlagCommand(reinterpret_cast<const char*>(wParam));
    if (command == 0) return 0;
    SendMessageA(hwnd, WM_COMMAND, command, 0);
    return 1;
}

LRESULT BubblesOnMdiActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    PostMessageA(hwndFrame, UWM_REFRESH_MENUS, 0, 0);
    BubblesEndDrag(hwnd);
    return DefMDIChildProcA(hwnd, WM_MDIACTIVATE, wParam, lParam);
}

} // namespace

LRESULT CALLBACK BubblesWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return BubblesOnCreate(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY: BubblesOnDestroy(hwnd); return 0;
    case WM_SIZE: BubblesOnSize(hwnd); break;
    case WM_PAINT: BubblesOnPaint(hwnd); return 0;
    case WM_SETCURSOR: return BubblesOnSetCursor(hwnd, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP: BubblesOnKey(hwnd, wParam, lParam); return 0;
    case WM_COMMAND: BubblesOnCommand(hwnd, LOWORD(wParam)); return 0;
    case WM_TIMER: BubblesOnTimer(hwnd, wParam); return 0;
    case WM_INITMENUPOPUP: BubblesOnInitMenuPopup(hwnd, reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_LBUTTONDOWN: BubblesOnLButtonDown(hwnd, lParam); return 0;
    case WM_MOUSEMOVE: BubblesOnMouseMove(hwnd, wParam, lParam); return 0;
    case WM_LBUTTONUP: BubblesOnLButtonUp(hwnd); return 0;
    case WM_CAPTURECHANGED: BubblesEndDrag(hwnd); break;
    case WM_MDIACTIVATE: return BubblesOnMdiActivate(hwnd, wParam, lParam);
    case UWM_FLAG: return BubblesOnFlag(hwnd, wParam);
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}
