#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "lines/core/lines_figure.h"

// Everything one Lines window knows: its figure, its run and its settings. Fixed layout.
struct LinesData {
    LinesSegment segments[kLinesMaxSegments];
    COLORREF colors[kLinesMaxSegments];
    int16_t nSegments;
    int16_t nSteps;
    int16_t iDraw;  // step s draws segment s mod nSegments
    int16_t iErase; // negative until erasing begins
    int16_t style;  // LinesStyle
    int16_t ticksPerStep;
    int16_t tickCount;
    BOOL fErase;
    BOOL fRepeat;
};

static_assert(std::is_standard_layout_v<LinesData>);
static_assert(offsetof(LinesData, nSegments) == 4000 && offsetof(LinesData, fErase) == 4016 &&
                  sizeof(LinesData) == 4024,
              "the record's layout is fixed, on 32 and 64 bits alike");

enum LinesStyle : int16_t { kStyleLines, kStyleBoxes, kStyleOvals, kStyleLissajous, kStylePlot };

// The window property that carries a Lines window's record.
extern const char kLinesDataProp[];

// The window's record, or null before WM_CREATE has attached it and after WM_DESTROY.
LinesData* GetLinesData(HWND hwnd);

// Lends data to a window that is no Lines window but draws with the Lines code; null takes it back.
void SetLinesData(HWND hwnd, LinesData* data);
