// Derodazo's own start-up and message loop with the growth probe in it, for scripts/growth.sh: the same
// windows and command line as Derodazo.exe, and the process's figures once a minute until it closes the
// frame after the given minutes.
//   growth_host.exe <minutes> [Derodazo's arguments...]
#include <windows.h>

#include <cstdlib>

#include "growth_probe.h"
#include "common/app_state.h"
#include "common/ids.h"
#include "shell/command_line.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    hInst = GetModuleHandleA(nullptr);
    if (!RegisterAppClasses()) return 1;
    HACCEL accelerators = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!CreateFrameWindow(SW_SHOWNORMAL) || !hwndClient) return 2;
    // argv[1] stands where the program's own path would: ProcessCommandLine skips it.
    ProcessCommandLine(argc - 1, argv + 1);
    StartGrowthProbe(std::atoi(argv[1]), hwndFrame);
    return RunAppMessageLoop(accelerators);
}
