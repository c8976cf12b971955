#pragma once
#include <windows.h>

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Centre a window on its parent (for a popup, its owner), on another window's whole rectangle, or in a
// rectangle in screen coordinates. Size and z-order stay; nothing is clamped to the screen.
void CenterWindowOnParent(HWND hwnd);
void CenterWindowOnWindow(HWND hwnd, HWND other);
void CenterWindowInRect(HWND hwnd, const RECT* rect);
