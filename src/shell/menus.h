#pragma once
#include <windows.h>

void RefreshChildMenu(HWND frame);
void FrameOnInitMenuPopup(HWND frame, WPARAM wParam, LPARAM lParam);
