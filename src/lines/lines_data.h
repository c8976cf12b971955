#pragma once
#include <windows.h>

#include "lines/core/lines_data.h"

// The window property that carries a Lines window's record.
extern const char kLinesDataProp[];

// The window's record, or null before WM_CREATE has attached it and after WM_DESTROY.
LinesData* GetLinesData(HWND hwnd);

// The window owns its record from WM_CREATE to WM_DESTROY.
void AttachLinesData(HWND hwnd, LinesData* data);
LinesData* DetachLinesData(HWND hwnd);
