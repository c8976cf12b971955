// Derodazo.scr /s with the growth probe in it, for scripts/growth.sh: the screen saver's own window and loop
// with the settings stored under HKCU, and the process's figures once a minute until it closes the window
// after the given minutes.
//   growth_saver.exe <minutes>
#include <windows.h>

#include <cstdlib>

#include "growth_probe.h"
#include "common/core/random.h"
#include "saver/saver_store.h"
#include "saver/saver_window.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    SeedRandom(GetTickCount());
    const SaverSettings settings = LoadSaverSettings();
    HWND window = RegisterSaverClass(instance) ? CreateSaverWindow(instance, nullptr, settings) : nullptr;
    if (window == nullptr) return 1;
    StartGrowthProbe(std::atoi(argv[1]), window);
    return RunSaverLoop(window);
}
