#include "shell/startup.h"

#include "bubbles/bubbles_window.h"
#include "common/app_state.h"
#include "common/child_windows.h"
#include "common/ids.h"
#include "common/message_loop.h"
#include "lines/lines_window.h"
#include "shell/frame.h"

namespace {

ATOM RegisterChildClass(const char* name, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = name;
    return RegisterClassExA(&wc);
}

ATOM RegisterFrameClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = FrameWndProc;
    wc.hInstance = hInst;
    wc.hIcon = LoadIconA(hInst, MAKEINTRESOURCEA(IDI_APP));
    wc.hIconSm = static_cast<HICON>(LoadImageA(hInst, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_DEFAULTCOLOR));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    wc.lpszClassName = kFrameClass;
    return RegisterClassExA(&wc);
}

} // namespace

bool RegisterAppClasses() {
    // Registering twice (a test process starting several frames) keeps the first registration.
    bool ok = RegisterFrameClass() != 0;
    ok = RegisterChildClass(kLinesClass, LinesWndProc) != 0 && ok;
    ok = RegisterChildClass(kBubblesClass, BubblesWndProc) != 0 && ok;
    return ok;
}

HWND CreateFrameWindow(int showCommand) {
    char title[64] = "";
    LoadStringA(hInst, IDS_APP_TITLE, title, sizeof title);
    hwndFrame =
        CreateWindowExA(0, kFrameClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, hInst, nullptr);
    if (hwndFrame) ShowWindow(hwndFrame, showCommand);
    return hwndFrame;
}

bool TranslateAppMessage(MSG& msg, HACCEL accelerators) {
    if (hwndClient && TranslateMDISysAccel(hwndClient, &msg)) return true;
    return TranslateAcceleratorA(hwndFrame, accelerators, &msg) != 0;
}

int RunAppMessageLoop(HACCEL accelerators) {
    return RunMessageLoop(hwndFrame,
                          [accelerators](MSG& msg) { return TranslateAppMessage(msg, accelerators); });
}
