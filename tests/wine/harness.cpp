#include "harness.h"

#include <map>

#include "common/app_state.h"
#include "common/ids.h"
#include "shell/startup.h"

namespace {
HACCEL appAccelerators = nullptr;
std::map<HWND, Spy> spies;

LRESULT CALLBACK SpyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Spy& spy = spies[hwnd];
    spy.seen.emplace_back(msg, wParam);
    if (msg == WM_QUERYENDSESSION && spy.refuseClose) return 0;
    return CallWindowProcA(spy.original, hwnd, msg, wParam, lParam);
}
} // namespace

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
    for (const char* a : args)
        argv.push_back(const_cast<char*>(a));
    ProcessCommandLine(static_cast<int>(argv.size()), argv.data());
    PumpMessages();
}

HWND ActiveChild() { return reinterpret_cast<HWND>(SendMessageA(hwndClient, WM_MDIGETACTIVE, 0, 0)); }

HWND NewChild(UINT command) {
    SendMessageA(hwndFrame, WM_COMMAND, command, 0);
    PumpMessages();
    return ActiveChild();
}

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
    for (int i = 0; i < GetMenuItemCount(hmenuFrame); ++i) {
        char text[64] = "";
        GetMenuStringA(hmenuFrame, i, text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

UINT MenuState(HMENU popup, UINT command) {
    SendMessageA(hwndFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoA(popup, command, FALSE, &info);
    return info.fType | info.fState;
}

LRESULT SendFlag(HWND hwnd, const char* flag) {
    return SendMessageA(hwnd, UWM_FLAG, reinterpret_cast<WPARAM>(flag), 0);
}

void SetKeys(bool shift, bool ctrl) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
}

void PressCtrl(char key) {
    SetKeys(false, true);
    HWND target = GetFocus() ? GetFocus() : hwndFrame;
    PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    PumpMessages();
    PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
    PumpMessages();
    SetKeys(false, false);
}

COLORREF Pixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

std::vector<COLORREF> Snapshot(int width, int height, const std::function<void(HDC)>& draw) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    draw(dc);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    const auto* xrgb = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB((xrgb[i] >> 16) & 0xFF, (xrgb[i] >> 8) & 0xFF, xrgb[i] & 0xFF);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

std::vector<COLORREF> ClientPixels(HWND hwnd, bool printed) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return Snapshot(rc.right, rc.bottom, [&](HDC dc) {
        if (printed) {
            SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
            return;
        }
        HDC screen = GetDC(hwnd);
        BitBlt(dc, 0, 0, rc.right, rc.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, screen);
    });
}

int Spy::Count(UINT msg, WPARAM wParam) const {
    int n = 0;
    for (const auto& [m, w] : seen)
        n += m == msg && w == wParam;
    return n;
}

int Spy::Count(UINT msg) const {
    int n = 0;
    for (const auto& [m, w] : seen)
        n += m == msg;
    return n;
}

Spy& Watch(HWND hwnd) {
    Spy& spy = spies[hwnd];
    spy.original =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProc)));
    return spy;
}

void AppTest::SetUp() {
    hInst = GetModuleHandleA(nullptr);
    static const bool registered = RegisterAppClasses();
    (void)registered;
    appAccelerators = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    hmenuInserted = nullptr;
    SetKeys(false, false);
    ASSERT_NE(CreateFrameWindow(SW_SHOWNORMAL), nullptr);
    PumpMessages();
}

void AppTest::TearDown() {
    SetKeys(false, false);
    for (auto& [hwnd, spy] : spies)
        spy.refuseClose = false;
    if (IsWindow(hwndFrame)) SendMessageA(hwndFrame, WM_CLOSE, 0, 0);
    // A child that refused to close keeps the frame open; force it so the next test starts clean.
    if (IsWindow(hwndFrame)) DestroyWindow(hwndFrame);
    PumpMessages();
    spies.clear();
    hwndFrame = nullptr;
    hwndClient = nullptr;
}
