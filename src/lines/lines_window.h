#pragma once
#include <windows.h>

#include "lines/lines_data.h"

LRESULT CALLBACK LinesWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
