#pragma once
#include <windows.h>

// Runs the thread's messages until WM_QUIT, or until the main window is gone; takes returns true for a
// message it has handled itself (an accelerator, say), which is then neither translated nor dispatched.
// Returns WM_QUIT's wParam, 0 when the main window went without one, 3 when GetMessageA fails.
template <typename Takes> int RunMessageLoop(HWND main, Takes takes) {
    MSG msg;
    BOOL got = 0;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
        if (!takes(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // A nested modal loop (a caption drag, say) can swallow the WM_QUIT that the main window's
        // destruction posts; with the window gone there is nothing left to wait for.
        if (!IsWindow(main)) return 0;
    }
    return got == 0 ? static_cast<int>(msg.wParam) : 3; // -1: the loop failed, and msg holds nothing
}
