#pragma once
#include <windows.h>

LRESULT CALLBACK BubblesWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
