#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "common/core/random.h"
#include "saver/core/saver_args.h"
#include "saver/saver_dialog.h"
#include "saver/saver_ids.h"
#include "saver/saver_store.h"
#include "saver/saver_window.h"

namespace {

// A handle from the command line names a window only if it fits a handle of this word size.
HWND WindowFromArgument(uint64_t value) {
    const auto handle = static_cast<uintptr_t>(value);
    return static_cast<uint64_t>(handle) == value ? reinterpret_cast<HWND>(handle) : nullptr;
}

int ShowUsage(HINSTANCE instance) {
    char title[64] = "";
    char text[512] = "";
    LoadStringA(instance, IDS_SAVER_TITLE, title, sizeof title);
    LoadStringA(instance, IDS_SAVER_USAGE, text, sizeof text);
    MessageBoxA(nullptr, text, title, MB_OK | MB_ICONERROR);
    return 2;
}

int RunShow(HINSTANCE instance, HWND parent) {
    SeedRandom(GetTickCount());
    const SaverSettings settings = LoadSaverSettings();
    if (!RegisterSaverClass(instance)) return 1;
    HWND window = CreateSaverWindow(instance, parent, settings);
    return window != nullptr ? RunSaverLoop(window) : 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const SaverCommand command = ParseSaverCommand(__argc - 1, __argv + 1);
    HWND window = WindowFromArgument(command.window);
    switch (command.mode) {
    case SaverMode::kFullScreen: return RunShow(instance, nullptr);
    case SaverMode::kPreview:
        // The preview's host may already be gone; there is nobody to tell.
        return IsWindow(window) ? RunShow(instance, window) : 1;
    case SaverMode::kSettings: RunSaverSettings(instance, IsWindow(window) ? window : nullptr); return 0;
    case SaverMode::kPassword: return 0;
    case SaverMode::kInvalid: break;
    }
    return ShowUsage(instance);
}
