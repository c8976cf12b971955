// Drives a running Derodazo from outside as a user would, once its frame shows (it waits up to 30 s):
//   poke wait | close         close also dismisses the About box, then sends the frame WM_CLOSE
//   poke rect                 prints the frame's screen rectangle as "x y width height"
//   poke command ID           chooses menu command ID
//   poke syscolor INDEX       prints the system colour as "red green blue"
//   poke monkey SECONDS SEED  random clicks, drags, accelerators, menu commands and activations
// Exits 0 on success, 1 when the frame never showed or went away, 2 on a bad argument.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "../../src/common/ids.h"

namespace {

HWND frame;
unsigned seed;

unsigned Random(unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
}

void Key(WORD vk, DWORD up) {
    INPUT in{INPUT_KEYBOARD, {}};
    in.ki = {vk, 0, up, 0, 0};
    SendInput(1, &in, sizeof in);
}

void Mouse(POINT p, DWORD flags) {
    INPUT in{INPUT_MOUSE, {}};
    in.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
}

// A click, or a drag when the mouse moves while down; Shift or Ctrl change what it does in Bubbles.
void ClickOrDrag(HWND child) {
    const WORD modifier = Random(3) == 0 ? VK_SHIFT : Random(2) == 0 ? VK_CONTROL : 0;
    RECT rc{};
    GetClientRect(child, &rc);
    POINT p{static_cast<LONG>(Random(rc.right + 1)), static_cast<LONG>(Random(rc.bottom + 1))};
    ClientToScreen(child, &p);
    if (modifier) Key(modifier, 0);
    Mouse(p, MOUSEEVENTF_LEFTDOWN);
    for (unsigned i = Random(6); i > 0; --i, Sleep(Random(20))) {
        p = {p.x + static_cast<LONG>(Random(81)) - 40, p.y + static_cast<LONG>(Random(81)) - 40};
        Mouse(p, 0);
    }
    Mouse(p, MOUSEEVENTF_LEFTUP);
    if (modifier) Key(modifier, KEYEVENTF_KEYUP);
}

void Accelerator() {
    const WORD keys[] = {'B', 'L', 'M', 'R', 'T', VK_F6, VK_F4}, key = keys[Random(7)];
    Key(VK_CONTROL, 0);
    Key(key, 0);
    Key(key, KEYEVENTF_KEYUP);
    Key(VK_CONTROL, KEYEVENTF_KEYUP);
}

// The About box's modal loop would keep every other command waiting.
void DismissDialogs() {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;)
        if (GetWindow(w, GW_OWNER) == frame) PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
}

BOOL Command(unsigned id) { return PostMessageA(frame, WM_COMMAND, id, 0); }

int Monkey(DWORD seconds) {
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    SetForegroundWindow(frame);
    for (DWORD start = GetTickCount(); GetTickCount() - start < seconds * 1000; Sleep(Random(30))) {
        if (!IsWindow(frame)) return 1;
        DismissDialogs();
        std::vector<HWND> kids;
        for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (IsWindowVisible(w)) kids.push_back(w);
        const unsigned id = IDM_CLOSE + Random(IDM_BUBBLES_GROW - IDM_CLOSE + 1);
        HWND kid = kids.empty() ? nullptr : kids[Random(kids.size())];
        // Fewer than 3 windows leave little to play with, more than 12 only slow the run down.
        switch (kids.size() < 3 ? 10 : kids.size() > 12 ? 11 : Random(10)) {
        case 0: Command(id == IDM_EXIT || id == IDM_WINDOW_CLOSE_ALL ? IDM_ABOUT : id); break;
        case 1: Accelerator(); break;
        case 2: PostMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(kid), 0); break;
        case 10: Command(IDM_NEW_LINES + Random(2)); break;
        case 11: Command(IDM_CLOSE); break;
        default: ClickOrDrag(kid);
        }
    }
    DismissDialogs();
    return IsWindow(frame) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const char* what = argc > 1 ? argv[1] : "";
    const int number = argc > 2 ? std::atoi(argv[2]) : 0;
    const COLORREF c = GetSysColor(number);
    if (std::strcmp(what, "syscolor") == 0) // needs no frame
        return std::printf("%d %d %d\n", GetRValue(c), GetGValue(c), GetBValue(c)) < 0;
    for (int i = 0; i < 300 && !(frame && IsWindowVisible(frame)); ++i, Sleep(100))
        frame = FindWindowA("MDISeeThruMainWind", nullptr);
    RECT r{};
    if (!frame || !IsWindowVisible(frame)) return 1;
    if (std::strcmp(what, "wait") == 0) return 0;
    if (std::strcmp(what, "command") == 0) return !Command(number);
    if (std::strcmp(what, "monkey") == 0) {
        seed = argc > 3 ? std::atoi(argv[3]) : GetTickCount();
        Sleep(1000); // let the command line finish
        return Monkey(number);
    }
    if (std::strcmp(what, "rect") == 0 && GetWindowRect(frame, &r))
        return std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top) < 0;
    if (std::strcmp(what, "close") != 0) return 2;
    Sleep(1500); // let the command line finish
    DismissDialogs();
    return !PostMessageA(frame, WM_CLOSE, 0, 0);
}
