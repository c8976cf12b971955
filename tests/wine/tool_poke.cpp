// Drives a running Derodazo from outside for screenshots, waiting up to 30 s for what it needs:
//   poke rect         prints the frame's screen rectangle as "x y width height"
//   poke about        opens Help/About and waits until the dialog shows
//   poke close-about  closes the About dialog
//   poke syscolor N   prints system colour N (COLOR_*) as "r g b", without waiting for the frame
// Exits 0 on success, 1 when the window never appeared, 2 on a bad argument.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../../src/common/ids.h"

namespace {

constexpr int kTries = 300;
constexpr DWORD kPollMs = 100;

HWND FindFrame() {
    HWND frame = FindWindowA("MDISeeThruMainWind", nullptr);
    return frame && IsWindowVisible(frame) ? frame : nullptr;
}

HWND FindAboutDialog(HWND frame) {
    for (HWND dialog = FindWindowExA(nullptr, nullptr, "#32770", nullptr); dialog;
         dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr))
        if (GetWindow(dialog, GW_OWNER) == frame && IsWindowVisible(dialog)) return dialog;
    return nullptr;
}

template <typename Find> HWND WaitFor(Find find) {
    for (int i = 0; i < kTries; ++i) {
        if (HWND found = find()) return found;
        Sleep(kPollMs);
    }
    return nullptr;
}

int PrintFrameRect(HWND frame) {
    RECT r;
    GetWindowRect(frame, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

int OpenAbout(HWND frame) {
    // Posted: the dialog's modal loop would hold a sent message until the dialog closes.
    PostMessageA(frame, WM_COMMAND, IDM_ABOUT, 0);
    return WaitFor([frame] { return FindAboutDialog(frame); }) ? 0 : 1;
}

int CloseAbout(HWND frame) {
    HWND dialog = WaitFor([frame] { return FindAboutDialog(frame); });
    if (!dialog) return 1;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
}

int PrintSysColor(const char* index) {
    const COLORREF colour = GetSysColor(std::atoi(index));
    std::printf("%d %d %d\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "syscolor") == 0) return PrintSysColor(argv[2]);
    if (argc != 2) return 2;
    HWND frame = WaitFor(FindFrame);
    if (!frame) return 1;
    if (std::strcmp(argv[1], "rect") == 0) return PrintFrameRect(frame);
    if (std::strcmp(argv[1], "about") == 0) return OpenAbout(frame);
    if (std::strcmp(argv[1], "close-about") == 0) return CloseAbout(frame);
    return 2;
}
