#include "lines/lines_window.h"

#include "common/app_state.h"
#include "common/ids.h"

LRESULT CALLBACK LinesWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MDIACTIVATE: PostMessageA(hwndFrame, UWM_REFRESH_MENUS, 0, 0); break;
    case WM_DESTROY: SendMessageA(hwndFrame, UWM_CHILD_DESTROYED, reinterpret_cast<WPARAM>(hwnd), 0); return 0;
    case UWM_FLAG: return 0;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}
