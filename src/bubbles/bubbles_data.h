#pragma once
#include <windows.h>

#include "bubbles/core/bubbles_data.h"

// The window property that carries a Bubbles window's record.
extern const char kBubblesDataProp[];

// The window's record, or null before WM_CREATE has attached it and after WM_DESTROY.
BubblesData* GetBubblesData(HWND hwnd);

// The window owns its record from WM_CREATE to WM_DESTROY.
void AttachBubblesData(HWND hwnd, BubblesData* data);
BubblesData* DetachBubblesData(HWND hwnd);
