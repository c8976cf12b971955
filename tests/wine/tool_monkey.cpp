// Plays with a running Derodazo like a restless user for a bounded time: clicks and drags in random child
// windows with Shift or Ctrl held, accelerator keys, menu commands (About included, dismissed again) and
// window activations. Exits 0 when the frame was there from start to end, 1 when it vanished.
//   monkey.exe <seconds> [seed]
#include <windows.h>

#include <cstdlib>
#include <vector>

namespace {

unsigned state = 1;
unsigned Next(unsigned n) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % n;
}

HWND frame = nullptr;
HWND client = nullptr;

std::vector<HWND> Children() {
    std::vector<HWND> result;
    for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (!GetWindow(w, GW_OWNER) && IsWindowVisible(w)) result.push_back(w);
    return result;
}

void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void Mouse(int x, int y, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
}

POINT RandomPointIn(HWND child) {
    RECT rc{};
    GetClientRect(child, &rc);
    POINT p{rc.right > 0 ? static_cast<LONG>(Next(rc.right)) : 0,
            rc.bottom > 0 ? static_cast<LONG>(Next(rc.bottom)) : 0};
    ClientToScreen(child, &p);
    return p;
}

void ClickOrDrag(HWND child) {
    const bool shift = Next(4) == 0;
    const bool ctrl = Next(3) == 0;
    if (shift) Key(VK_SHIFT, false);
    if (ctrl) Key(VK_CONTROL, false);
    POINT p = RandomPointIn(child);
    Mouse(p.x, p.y, MOUSEEVENTF_LEFTDOWN);
    for (unsigned i = Next(6); i > 0; --i) {
        Sleep(Next(20));
        p.x += static_cast<int>(Next(81)) - 40;
        p.y += static_cast<int>(Next(81)) - 40;
        Mouse(p.x, p.y, 0);
    }
    Mouse(p.x, p.y, MOUSEEVENTF_LEFTUP);
    if (ctrl) Key(VK_CONTROL, true);
    if (shift) Key(VK_SHIFT, true);
}

void Accelerator() {
    const WORD keys[] = {'B', 'L', 'M', 'R', 'T', VK_F6, VK_F4};
    const WORD key = keys[Next(sizeof keys / sizeof keys[0])];
    const size_t children = Children().size();
    // Ctrl+F4 closes the active child and Ctrl+B, Ctrl+L make one: keep between 3 and 12 of them.
    if (key == VK_F4 && children < 4) return;
    if ((key == 'B' || key == 'L') && children > 12) return;
    Key(VK_CONTROL, false);
    Key(key, false);
    Key(key, true);
    Key(VK_CONTROL, true);
}

void MenuCommand() {
    // Everything but Exit and Close All, which would end the run early.
    const WORD commands[] = {40001, 40004, 40005, 40006, 40007, 40008, 40009, 40010,
                             40011, 40013, 40014, 40015, 40016, 40017, 40018, 40019,
                             40020, 40022, 40023, 40024, 40025, 40026, 40027};
    WORD command = commands[Next(sizeof commands / sizeof commands[0])];
    const size_t children = Children().size();
    if (command == 40001 && children < 3) command = 40022;
    if ((command == 40022 || command == 40023) && children > 12) command = 40001;
    PostMessageA(frame, WM_COMMAND, command, 0);
}

// The About box runs its own modal loop; close it again like a user pressing Escape would.
void DismissDialogs() {
    DWORD pid = 0;
    GetWindowThreadProcessId(frame, &pid);
    for (HWND w = FindWindowA("#32770", nullptr); w; w = FindWindowA("#32770", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != pid) break;
        PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
        Sleep(50);
        if (FindWindowA("#32770", nullptr) == w) {
            PostMessageA(w, WM_COMMAND, IDOK, 0);
            Sleep(50);
        }
        if (FindWindowA("#32770", nullptr) == w) break;
    }
}

} // namespace

int main(int argc, char** argv) {
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 10;
    state = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : GetTickCount();
    for (int i = 0; i < 300 && !frame; ++i) {
        frame = FindWindowA("MDISeeThruMainWind", nullptr);
        if (!frame || !IsWindowVisible(frame)) {
            frame = nullptr;
            Sleep(100);
        }
    }
    if (!frame) return 1;
    Sleep(1000); // let the command line finish
    client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    SetForegroundWindow(frame);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        if (!IsWindow(frame)) return 1;
        std::vector<HWND> children = Children();
        switch (Next(10)) {
        case 0: MenuCommand(); break;
        case 1: Accelerator(); break;
        case 2:
            if (!children.empty())
                PostMessageA(client, WM_MDIACTIVATE,
                             reinterpret_cast<WPARAM>(children[Next(children.size())]), 0);
            break;
        default:
            if (!children.empty()) ClickOrDrag(children[Next(children.size())]);
            break;
        }
        Sleep(Next(30));
        DismissDialogs();
    }
    DismissDialogs();
    return IsWindow(frame) ? 0 : 1;
}
