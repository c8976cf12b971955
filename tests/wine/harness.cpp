#include "harness.h"

#include "common/app_state.h"
#include "common/ids.h"
#include "shell/startup.h"

namespace {
HACCEL appAccelerators = nullptr;
}

bool PumpMessages() {
    bool quit = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            continue;
        }
        if (!TranslateAppMessage(msg, appAccelerators)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return quit;
}

void RunArgs(std::initializer_list<const char*> args) {
    std::vector<char*> argv{const_cast<char*>("Derodazo.exe")};
    for (const char* a : args) argv.push_back(const_cast<char*>(a));
    ProcessCommandLine(static_cast<int>(argv.size()), argv.data());
    PumpMessages();
}

HWND ActiveChild() { return reinterpret_cast<HWND>(SendMessageA(hwndClient, WM_MDIGETACTIVE, 0, 0)); }

std::vector<HWND> Children() {
    std::vector<HWND> result;
    for (HWND w = GetWindow(hwndClient, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!GetWindow(w, GW_OWNER)) result.push_back(w);
    }
    return result;
}

std::string WindowText(HWND hwnd) {
    char text[256] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string ClassName(HWND hwnd) {
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::vector<std::string> MenuBarTexts() {
    std::vector<std::string> texts;
    const int count = GetMenuItemCount(hmenuFrame);
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        GetMenuStringA(hmenuFrame, i, text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

void AppTest::SetUp() {
    hInst = GetModuleHandleA(nullptr);
    static const bool registered = RegisterAppClasses();
    (void)registered;
    appAccelerators = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    accelerators = appAccelerators;
    hmenuInserted = nullptr;
    ASSERT_NE(CreateFrameWindow(SW_SHOWNORMAL), nullptr);
    PumpMessages();
}

void AppTest::TearDown() {
    if (IsWindow(hwndFrame)) SendMessageA(hwndFrame, WM_CLOSE, 0, 0);
    // A child that refused to close keeps the frame open; force it so the next test starts clean.
    if (IsWindow(hwndFrame)) DestroyWindow(hwndFrame);
    PumpMessages();
    hwndFrame = nullptr;
    hwndClient = nullptr;
}
