#pragma once
#include <windows.h>

#include "lines/core/lines_data.h"

// Fills a client area of this size with the background, white.
void LinesClear(HDC dc, SIZE client);

// One step of the record's run on dc: draw pass, erase pass, advance, and at the end of the run a cleared
// client area of this size and a new figure for it.
void LinesStep(HDC dc, LinesData& data, SIZE client);
