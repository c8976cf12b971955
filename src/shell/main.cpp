#include <windows.h>

#include <cstdlib>

#include "common/app_state.h"
#include "common/ids.h"
#include "shell/command_line.h"
#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    hInst = instance;
    if (!RegisterAppClasses()) return 1;
    HACCEL accelerators = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!CreateFrameWindow(showCommand) || !hwndClient) return 2;
    ProcessCommandLine(__argc, __argv);
    return RunAppMessageLoop(accelerators);
}
