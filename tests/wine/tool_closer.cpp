// Finds Derodazo's frame window, waiting up to 30 s for it, and sends it WM_CLOSE as a user would.
// With --wait-only it only waits. Exits 0 when the window was found, 1 otherwise.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
    const bool waitOnly = argc > 1 && std::strcmp(argv[1], "--wait-only") == 0;
    for (int i = 0; i < 300; ++i) {
        HWND frame = FindWindowA("MDISeeThruMainWind", nullptr);
        if (frame && IsWindowVisible(frame)) {
            // Give the start-up command line time to finish before closing.
            Sleep(waitOnly ? 0 : 1500);
            if (!waitOnly) PostMessageA(frame, WM_CLOSE, 0, 0);
            return 0;
        }
        Sleep(100);
    }
    return 1;
}
