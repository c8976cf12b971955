#pragma once
#include <windows.h>

#include "lines/lines_data.h"

// Every Lines window animates on its own timer: one tick every 16 ms, a step every ticksPerStep ticks.
inline constexpr UINT_PTR kLinesTimer = 1;
inline constexpr UINT kLinesTimerMs = 16;

// A new figure and run for the window's current client size. Draws nothing.
void LinesNewFigure(HWND hwnd);

// Fills the whole client area with the background, white.
void LinesClear(HWND hwnd, HDC dc);

// One step of the run on dc: draw pass, erase pass, advance, and at the end of the run clear and start anew.
void LinesStep(HWND hwnd, HDC dc, LinesData& data);

// Segment index in the record's current style, with the pen and brush already selected (Plot brings its own).
void LinesDrawSegment(HDC dc, const LinesData& data, int index);

void LinesOnTimer(HWND hwnd, WPARAM timerId);
void LinesOnPaint(HWND hwnd);
