#pragma once
#include <windows.h>

// The pieces of WinMain, kept apart so tests drive the same code the program runs.
bool RegisterAppClasses();
HWND CreateFrameWindow(int showCommand);
bool TranslateAppMessage(MSG& msg, HACCEL accelerators);
int RunAppMessageLoop(HACCEL accelerators);
