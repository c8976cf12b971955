#pragma once
#include <cstdint>

#include "bubbles/core/bubbles_data.h"
#include "lines/core/lines_data.h"
#include "saver/core/saver_settings.h"
#include "saver/core/saver_show.h"

// Everything one screen-saver window knows. The Lines and Bubbles records are those the child windows
// keep, kept apart from what only the screen saver needs.
struct SaverData {
    SaverSettings settings;
    bool fullScreen;
    SaverMouse mouse;
    LinesData lines;
    int16_t lastDraw; // of lines, to see a new figure begin
    BubblesData bubbles;
    uint32_t bubbleDue;
};
