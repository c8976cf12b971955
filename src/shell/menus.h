#pragma once
#include <windows.h>

void RefreshChildMenu(HWND frame);
void GrayAllMenuItems(HMENU popup);
void FrameOnInitMenuPopup(HWND frame, WPARAM wParam, LPARAM lParam);
