#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

// One entry of a figure in client coordinates: point A is (x1, y1), point B is (x2, y2). Laid out like a
// RECT, but the values are not ordered.
struct LinesSegment {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
};

// Room for segments and colours in a Lines record; a figure uses at most 199 of them.
inline constexpr int kLinesMaxSegments = 200;

// Everything one Lines window knows: its figure, its run and its settings. Fixed layout: the colours are
// Windows' COLORREF (0x00BBGGRR) and the flags its 32-bit BOOL, kept here without the platform's headers.
struct LinesData {
    LinesSegment segments[kLinesMaxSegments];
    uint32_t colors[kLinesMaxSegments];
    int16_t nSegments;
    int16_t nSteps;
    int16_t iDraw;  // step s draws segment s mod nSegments
    int16_t iErase; // negative until erasing begins
    int16_t style;  // LinesStyle
    int16_t ticksPerStep;
    int16_t tickCount;
    int32_t fErase;
    int32_t fRepeat;
};

static_assert(std::is_standard_layout_v<LinesData>);
static_assert(offsetof(LinesData, nSegments) == 4000 && offsetof(LinesData, fErase) == 4016 &&
                  sizeof(LinesData) == 4024,
              "the record's layout is fixed, on 32 and 64 bits alike");

enum LinesStyle : int16_t { kStyleLines, kStyleBoxes, kStyleOvals, kStyleLissajous, kStylePlot };
