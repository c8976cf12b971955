// monkey SECONDS SEED: plays with a running Derodazo from outside, once its frame shows, for
// scripts/growth.sh: real input (clicks and drags in random children with Shift or Ctrl held,
// Ctrl+B/L/M/R/T/F4/F6), menu commands (all but Exit and Close All; the About box dismissed again) and
// activations, keeping 3 to 12 children. Exits 0 while the frame lives, 1 when it never showed or went away.
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "../../src/common/ids.h"

namespace {

HWND frame;
unsigned seed;

unsigned Random(unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
}

void Mouse(POINT p, DWORD flags) {
    mouse_event(flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE,
                p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1),
                p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1), 0, 0);
}

// A click, or a drag when the mouse moves while down; Shift or Ctrl change what it does in Bubbles.
void ClickOrDrag(HWND child) {
    const BYTE modifier = Random(3) == 0 ? VK_SHIFT : Random(2) == 0 ? VK_CONTROL : 0;
    RECT rc{};
    GetClientRect(child, &rc);
    POINT p{static_cast<LONG>(Random(rc.right + 1)), static_cast<LONG>(Random(rc.bottom + 1))};
    ClientToScreen(child, &p);
    if (modifier) keybd_event(modifier, 0, 0, 0);
    Mouse(p, MOUSEEVENTF_LEFTDOWN);
    for (unsigned i = Random(6); i > 0; --i, Sleep(Random(20))) {
        p = {p.x + static_cast<LONG>(Random(81)) - 40, p.y + static_cast<LONG>(Random(81)) - 40};
        Mouse(p, 0);
    }
    Mouse(p, MOUSEEVENTF_LEFTUP);
    if (modifier) keybd_event(modifier, 0, KEYEVENTF_KEYUP, 0);
}

void Accelerator() {
    const BYTE keys[] = {'B', 'L', 'M', 'R', 'T', VK_F6, VK_F4}, key = keys[Random(7)];
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

// The About box's modal loop would keep every other command waiting.
void DismissDialogs() {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;)
        if (GetWindow(w, GW_OWNER) == frame) PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
}

BOOL Command(unsigned id) { return PostMessageA(frame, WM_COMMAND, id, 0); }

int Monkey(DWORD seconds, unsigned start_seed) {
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    seed = start_seed;
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
    return IsWindow(frame) ? 0 : 1; // poke close dismisses what the last moves opened
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 0; i < 300 && !IsWindowVisible(frame); ++i, Sleep(100))
        frame = FindWindowA("MDISeeThruMainWind", nullptr);
    if (argc < 3 || !IsWindowVisible(frame)) return 1;
    Sleep(1500); // let the command line finish
    return Monkey(static_cast<DWORD>(std::atoi(argv[1])), static_cast<unsigned>(std::atoi(argv[2])));
}
