#pragma once
#include <windows.h>

#include "saver/core/saver_settings.h"

bool RegisterSaverClass(HINSTANCE instance);

// With no parent: one borderless topmost window over every monitor, with the cursor hidden, that ends
// at the user's first sign of life. With a parent: a preview filling its client area that ignores input.
HWND CreateSaverWindow(HINSTANCE instance, HWND parent, const SaverSettings& settings);

// Runs until the window is gone; its exit code.
int RunSaverLoop(HWND window);
