#include "shell/frame.h"

#include "about/about_dialog.h"
#include "common/app_state.h"
#include "common/child_windows.h"
#include "common/core/random.h"
#include "common/ids.h"
#include "shell/menus.h"
#include "shell/placement.h"

namespace {

// Takes a popup's title by position and detaches the popup; it stays valid for the whole run.
void DetachPopup(HMENU bar, char* title) {
    GetMenuStringA(bar, 1, title, kPopupTitleChars, MF_BYPOSITION);
    RemoveMenu(bar, 1, MF_BYPOSITION);
}

HWND CreateChildWindow(const char* className, HMENU popup) {
    ChildPlacement place = PlaceNewChild();
    MDICREATESTRUCTA mcs{};
    mcs.szClass = className;
    mcs.szTitle = className;
    mcs.hOwner = hInst;
    mcs.x = place.x;
    mcs.y = place.y;
    mcs.cx = place.width;
    mcs.cy = place.height;
    mcs.lParam = reinterpret_cast<LPARAM>(place.source);
    HWND child =
        reinterpret_cast<HWND>(SendMessageA(hwndClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    // Set after creation returns; the child's posted menu refresh runs later and finds it.
    if (child) SetChildMenu(child, popup);
    return child;
}

BOOL CALLBACK CloseAllEnumProc(HWND hwnd, LPARAM) {
    // Icon titles and other owned windows below the client are not children to close.
    if (GetWindow(hwnd, GW_OWNER)) return TRUE;
    HWND parent = GetParent(hwnd);
    SendMessageA(parent, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hwnd), 0);
    if (SendMessageA(hwnd, WM_QUERYENDSESSION, 0, 0)) {
        SendMessageA(parent, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    return TRUE;
}

LRESULT FrameOnCreate(HWND hwnd) {
    hmenuFrame = GetMenu(hwnd);
    hmenuFile = GetSubMenu(hmenuFrame, 0);
    hmenuLines = GetSubMenu(hmenuFrame, 1);
    hmenuBubbles = GetSubMenu(hmenuFrame, 2);
    hmenuHelp = GetSubMenu(hmenuFrame, 4);
    DetachPopup(hmenuFrame, szLinesPopupTitle);
    DetachPopup(hmenuFrame, szBubblesPopupTitle);
    DrawMenuBar(hwnd);

    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = GetSubMenu(hmenuFrame, 1);
    ccs.idFirstChild = 100;
    hwndClient = CreateWindowExA(0, "MDICLIENT", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0,
                                 0, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1)), hInst, &ccs);
    // Without a client there is nothing to show: refuse, and start-up ends with a nonzero code.
    if (!hwndClient) return -1;
    // Some MDI clients show both scroll bars until their first deferred layout pass; hide them now so
    // the first child is placed in the client's real area rather than beside two empty bars.
    ShowScrollBar(hwndClient, SB_BOTH, FALSE);
    SeedRandom(GetTickCount());
    return 0;
}

// Asked of WM_CLOSE and WM_QUERYENDSESSION alike: the frame may go only when every child went.
LRESULT FrameOnClose(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SendMessageA(hwnd, WM_COMMAND, IDM_WINDOW_CLOSE_ALL, 0);
    if (GetWindow(hwndClient, GW_CHILD)) return 0;
    return DefFrameProcA(hwnd, hwndClient, msg, wParam, lParam);
}

void FrameCloseActiveChild() {
    HWND child = ActiveChild();
    if (IsWindow(child) && SendMessageA(child, WM_QUERYENDSESSION, 0, 0)) {
        SendMessageA(hwndClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
    }
}

void FramePassToChild(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    HWND child = ActiveChild();
    if (IsWindow(child)) SendMessageA(child, WM_COMMAND, wParam, lParam);
    DefFrameProcA(hwnd, hwndClient, WM_COMMAND, wParam, lParam);
}

void FrameOnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDM_CLOSE: FrameCloseActiveChild(); break;
    case IDM_EXIT: SendMessageA(hwnd, WM_CLOSE, 0, 0); break;
    case IDM_ABOUT: DialogBoxParamA(hInst, MAKEINTRESOURCEA(IDD_ABOUT), hwnd, AboutDlgProc, 0); break;
    case IDM_WINDOW_TILE: SendMessageA(hwndClient, WM_MDITILE, MDITILE_VERTICAL, 0); break;
    case IDM_WINDOW_CASCADE: SendMessageA(hwndClient, WM_MDICASCADE, 0, 0); break;
    case IDM_WINDOW_ARRANGE: SendMessageA(hwndClient, WM_MDIICONARRANGE, 0, 0); break;
    case IDM_WINDOW_CLOSE_ALL: EnumChildWindows(hwndClient, CloseAllEnumProc, 0); break;
    case IDM_NEW_LINES: CreateChildWindow(kLinesClass, hmenuLines); break;
    case IDM_NEW_BUBBLES: CreateChildWindow(kBubblesClass, hmenuBubbles); break;
    default: FramePassToChild(hwnd, wParam, lParam); break;
    }
}

LRESULT FrameOnChildDestroyed(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    HWND child = reinterpret_cast<HWND>(wParam);
    if (IsWindow(child)) RemoveChildMenu(child);
    RefreshChildMenu(hwnd);
    return DefFrameProcA(hwnd, hwndClient, UWM_CHILD_DESTROYED, wParam, lParam);
}

} // namespace

LRESULT CALLBACK FrameWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return FrameOnCreate(hwnd);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION: return FrameOnClose(hwnd, msg, wParam, lParam);
    case WM_COMMAND: FrameOnCommand(hwnd, wParam, lParam); return 0;
    case WM_INITMENUPOPUP: FrameOnInitMenuPopup(hwnd, wParam, lParam); return 0;
    case UWM_REFRESH_MENUS:
        RefreshChildMenu(hwnd);
        return DefFrameProcA(hwnd, hwndClient, msg, wParam, lParam);
    case UWM_CHILD_DESTROYED: return FrameOnChildDestroyed(hwnd, wParam, lParam);
    }
    return DefFrameProcA(hwnd, hwndClient, msg, wParam, lParam);
}
