#include "harness.h"

#include "common/app_state.h"
#include "common/child_windows.h"
#include "common/gdi.h"
#include "common/ids.h"
#include "shell/command_line.h"
#include "shell/startup.h"

static HACCEL accelerators = nullptr; // the program's, loaded for each frame

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT && !TranslateAppMessage(msg, accelerators)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void RunArgs(std::initializer_list<const char*> args, bool pump) {
    std::vector<char*> argv{const_cast<char*>("Derodazo.exe")};
    for (const char* a : args)
        argv.push_back(const_cast<char*>(a));
    ProcessCommandLine(static_cast<int>(argv.size()), argv.data());
    if (pump) Pump();
}

HWND NewChild(UINT command) {
    SendMessageA(hwndFrame, WM_COMMAND, command, 0);
    Pump();
    return ActiveChild();
}

std::string Text(HWND hwnd) {
    char text[4096] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

UINT MenuState(HMENU popup, UINT command) {
    SendMessageA(hwndFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoA(popup, command, FALSE, &info);
    return info.fType | info.fState;
}

void SetKeys(bool shift, bool ctrl) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
}

Pixels Picture(int width, int height, const std::function<void(HDC)>& draw) {
    BITMAPINFO bi{{sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    MemoryDC dc;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectionScope keep(dc.get(), bitmap.get());
    PatBlt(dc.get(), 0, 0, width, height, WHITENESS);
    draw(dc.get());
    GdiFlush();
    Pixels pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
    for (COLORREF& p : pixels)
        p &= 0xFFFFFF; // what a blit leaves in the spare byte is no colour
    return pixels;
}

Pixels Capture(HWND hwnd) {
    const SIZE size = ClientSize(hwnd);
    return Picture(size.cx, size.cy,
                   [&](HDC dc) { BitBlt(dc, 0, 0, size.cx, size.cy, WindowDC(hwnd).get(), 0, 0, SRCCOPY); });
}

int LiveGdiObjects() {
    // Windows counts them; Wine answers 0, but takes a handle whose upper word is 0 for its table slot,
    // whatever the slot's generation.
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<int>(counted);
    int live = 0;
    for (UINT_PTR slot = 1; slot <= 0xFFFF; ++slot)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    return live;
}

void PumpFor(DWORD ms) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10))
        Pump();
}

void AppTest::SetUp() {
    hInst = GetModuleHandleA(nullptr);
    [[maybe_unused]] static const bool registered = RegisterAppClasses();
    accelerators = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    hmenuInserted = nullptr;
    SetKeys(false, false);
    // Keep the real pointer off the frame: a synthesized mouse move would join a drag.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    ASSERT_NE(CreateFrameWindow(SW_SHOWNORMAL), nullptr);
}

void AppTest::TearDown() {
    SetKeys(false, false);
    if (IsWindow(hwndFrame)) SendMessageA(hwndFrame, WM_CLOSE, 0, 0);
    Pump();
    hwndFrame = hwndClient = nullptr;
}
