#pragma once
#include <windows.h>

#include "bubbles/core/bubbles_data.h"

LRESULT CALLBACK BubblesWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The window's record, or null before WM_CREATE has attached it and after WM_DESTROY.
BubblesData* GetBubblesData(HWND hwnd);
