#include "saver/saver_window.h"

#include <new>

#include "common/child_windows.h"
#include "common/gdi.h"
#include "common/message_loop.h"
#include "saver/saver_show.h"

namespace {

const char kSaverClass[] = "SaverWind";
const char kSaverDataProp[] = "SAVERDATA";

SaverData* GetSaverData(HWND hwnd) { return static_cast<SaverData*>(GetPropA(hwnd, kSaverDataProp)); }

void AttachSaverData(HWND hwnd, SaverData* data) { SetPropA(hwnd, kSaverDataProp, data); }

SaverData* DetachSaverData(HWND hwnd) { return static_cast<SaverData*>(RemovePropA(hwnd, kSaverDataProp)); }

LRESULT SaverOnCreate(HWND hwnd, const CREATESTRUCTA* cs) {
    auto* data = new (std::nothrow) SaverData{};
    if (data == nullptr) return -1;
    data->settings = *static_cast<const SaverSettings*>(cs->lpCreateParams);
    data->fullScreen = (cs->style & WS_CHILD) == 0;
    AttachSaverData(hwnd, data);
    StartSaverShow(hwnd, *data);
    return 0;
}

void SaverOnDestroy(HWND hwnd) {
    StopSaverShow(hwnd);
    delete DetachSaverData(hwnd);
    PostQuitMessage(0);
}

void SaverOnTimer(HWND hwnd) {
    SaverData* data = GetSaverData(hwnd);
    if (data == nullptr) return;
    // A preview ends with its parent; the parent, in another process, may go without destroying us.
    if (!data->fullScreen && !IsWindow(GetParent(hwnd))) {
        DestroyWindow(hwnd);
        return;
    }
    SaverShowTick(hwnd, *data);
}

void SaverOnPaint(HWND hwnd) {
    PaintDC paint(hwnd);
    if (SaverData* data = GetSaverData(hwnd)) PaintSaverShow(paint.get(), *data, ClientSize(hwnd));
}

bool IsFullScreen(HWND hwnd) {
    const SaverData* data = GetSaverData(hwnd);
    return data != nullptr && data->fullScreen;
}

// Full screen ends on any key, button or real mouse move: closes the window and says so. A preview leaves
// input to its parent.
bool EndShowOnInput(HWND hwnd) {
    if (!IsFullScreen(hwnd)) return false;
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return true;
}

void SaverOnMouseMove(HWND hwnd, LPARAM lParam) {
    SaverData* data = GetSaverData(hwnd);
    if (data == nullptr || !data->fullScreen) return;
    const auto x = static_cast<int>(static_cast<short>(LOWORD(lParam)));
    const auto y = static_cast<int>(static_cast<short>(HIWORD(lParam)));
    if (SaverMouseMovedAway(data->mouse, x, y)) EndShowOnInput(hwnd);
}

LRESULT SaverOnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (!IsFullScreen(hwnd)) return DefWindowProcA(hwnd, WM_SETCURSOR, wParam, lParam);
    SetCursor(nullptr);
    return TRUE;
}

LRESULT CALLBACK SaverWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return SaverOnCreate(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY: SaverOnDestroy(hwnd); return 0;
    case WM_TIMER: SaverOnTimer(hwnd); return 0;
    case WM_PAINT: SaverOnPaint(hwnd); return 0;
    case WM_SETCURSOR: return SaverOnSetCursor(hwnd, wParam, lParam);
    case WM_MOUSEMOVE: SaverOnMouseMove(hwnd, lParam); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        if (EndShowOnInput(hwnd)) return 0;
        break;
    case WM_ACTIVATEAPP:
        if (!wParam) EndShowOnInput(hwnd);
        break;
    case WM_SYSCOMMAND:
        // Windows would start the screen saver again, over the running one.
        if ((wParam & 0xFFF0) == SC_SCREENSAVE && IsFullScreen(hwnd)) return 0;
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

bool RegisterSaverClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = SaverWndProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kSaverClass;
    return RegisterClassA(&wc) != 0;
}

HWND CreateSaverWindow(HINSTANCE instance, HWND parent, const SaverSettings& settings) {
    auto* params = const_cast<SaverSettings*>(&settings);
    if (parent != nullptr) {
        RECT client{};
        GetClientRect(parent, &client);
        return CreateWindowExA(0, kSaverClass, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                               parent, nullptr, instance, params);
    }
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSaverClass, "", WS_POPUP,
                                GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                nullptr, nullptr, instance, params);
    if (hwnd == nullptr) return nullptr;
    ShowCursor(FALSE);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    return hwnd;
}

int RunSaverLoop(HWND window) {
    // Keys go to the show as they are: no accelerators, no dialog keys.
    return RunMessageLoop(window, [](MSG&) { return false; });
}
