#pragma once
#include <windows.h>

#include "bubbles/core/bubbles_data.h"

// The window property that carries a Bubbles window's record.
extern const char kBubblesDataProp[];

// The window's record, or null before WM_CREATE has attached it and after WM_DESTROY.
BubblesData* GetBubblesData(HWND hwnd);

// Lends data to a window that is no Bubbles window but draws with the Bubbles code; null takes it back.
void SetBubblesData(HWND hwnd, BubblesData* data);
