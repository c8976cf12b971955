// poke close|rect|command ID: drives a running Derodazo from outside, once its frame shows (it waits up
// to 30 s). close also ends the About box; rect prints "x y width height". Exits 0, or 1 when the frame never
// showed or went away, 2 on bad words.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../../src/common/ids.h"

namespace {

HWND frame;

// The About box's modal loop would keep every other command waiting.
void DismissDialogs() {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;)
        if (GetWindow(w, GW_OWNER) == frame) PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
}

BOOL Command(unsigned id) { return PostMessageA(frame, WM_COMMAND, id, 0); }

} // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    const int number = argc > 2 ? std::atoi(argv[2]) : 0;
    for (int i = 0; i < 300 && !IsWindowVisible(frame); ++i) {
        Sleep(i == 0 ? 0 : 100);
        frame = FindWindowA("MDISeeThruMainWind", nullptr);
    }
    if (!IsWindowVisible(frame)) return 1;
    if (what == "close") Sleep(1500); // let the command line finish
    if (what == "command") return !Command(number);
    if (RECT r{}; what == "rect" && GetWindowRect(frame, &r))
        return std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top) < 0;
    if (what != "close") return 2;
    DismissDialogs();
    return !PostMessageA(frame, WM_CLOSE, 0, 0);
}
