#pragma once
#include <windows.h>

LRESULT CALLBACK FrameWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
HWND CreateChildWindow(const char* className, HMENU popup);
BOOL CALLBACK CloseAllEnumProc(HWND hwnd, LPARAM lParam);
