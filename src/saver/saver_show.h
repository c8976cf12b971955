#pragma once
#include <windows.h>

#include "bubbles/core/bubbles_data.h"
#include "lines/lines_data.h"
#include "saver/core/saver_settings.h"
#include "saver/core/saver_show.h"

// Everything one screen-saver window knows. The Lines and Bubbles records are the windows' own, kept
// apart from what only the screen saver needs.
struct SaverData {
    SaverSettings settings;
    bool fullScreen;
    SaverMouse mouse;
    LinesData lines;
    int16_t lastDraw; // of lines, to see a new figure begin
    BubblesData bubbles;
    uint32_t bubbleDue;
};

// Sets up the chosen show for the window's client area and starts its 16 ms timer.
void StartSaverShow(HWND hwnd, SaverData& data);
void StopSaverShow(HWND hwnd, SaverData& data);
void SaverShowTick(HWND hwnd, SaverData& data);
void PaintSaverShow(HWND hwnd, const SaverData& data);
