#pragma once
#include <cstdint>

#include "lines/core/lines_data.h"

// One period of a sine, shared by every Lines window and built by the first figure.
extern float sineTable[256];
void InitSineTable();

// Small harmonic factors; the first nine entries alone give 1, 2 or 3, with 1 the most likely.
extern const int8_t factorTable[12];

// packed: hue in bits 0-7, saturation in 8-15, value in 16-23. Returns 0x00BBGGRR.
uint32_t HsvToRgb(uint32_t packed);

// A sine wave that one value of the figure follows: a coordinate, the hue, the saturation or the value.
struct LinesChannel {
    float swing; // peak to peak
    float centre;
    double phase;     // in table entries; only grows
    double increment; // added once per point
};

enum LinesChannelIndex {
    kChannelX1,
    kChannelY1,
    kChannelX2,
    kChannelY2,
    kChannelHue,
    kChannelSaturation,
    kChannelValue,
    kLinesChannelCount
};

// Everything a new figure is made of: its size, its run and the curves its points and colours follow.
struct LinesFigurePlan {
    int16_t nSegments;
    int16_t nSteps;
    int16_t iErase; // minus the erase lag
    int16_t ticksPerStep;
    LinesChannel channels[kLinesChannelCount];
};

// Smallest peak-to-peak swing of a channel, so that no channel stands still in a window of this size.
int LinesMinSwing(int width, int height);

// A channel that swings between a and b (at least minSwing wide) and makes frequency / 256 cycles over n
// points.
LinesChannel MakeLinesChannel(int a, int b, int minSwing, int startPhase, int frequency, int n);

// Draws exactly 37 values from the shared random source, always in the same order, so that a seed
// names one figure. erase: whether Erase Behind is on, which shortens the run by one tracing.
LinesFigurePlan PlanLinesFigure(int width, int height, bool erase);

// Samples count points of the plan from its start phases. Colour channels wrap modulo 256.
void TraceLinesFigure(const LinesFigurePlan& plan, int count, LinesSegment* segments, uint32_t* colors);

// A new figure and run in the record for a client area of width x height (Erase Behind as the record says).
// Draws nothing; the step counters start over.
void LinesNewFigure(LinesData& data, int width, int height);
