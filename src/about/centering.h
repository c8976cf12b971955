#pragma once
#include <windows.h>

// Centres a window on its parent (for a popup, its owner), on the parent's whole window rectangle. Size and
// z-order stay; nothing is clamped to the screen.
void CenterWindowOnParent(HWND hwnd);
