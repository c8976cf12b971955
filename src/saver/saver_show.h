#pragma once
#include <windows.h>

#include "saver/core/saver_data.h"

// Sets up the chosen show for the window's client area and starts its timer.
void StartSaverShow(HWND hwnd, SaverData& data);
void StopSaverShow(HWND hwnd);
// One timer tick of the show, drawn on the window.
void SaverShowTick(HWND hwnd, SaverData& data);
// WM_PAINT: the show on the freshly erased dc of a client area of this size.
void PaintSaverShow(HDC dc, SaverData& data, SIZE client);
