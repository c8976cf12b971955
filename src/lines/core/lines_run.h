#pragma once
#include "lines/core/lines_data.h"

// What a step asks of its window. The window draws on GDI; tests record the calls.
class LinesSurface {
  public:
    // Segment index in its own colour, in the record's current style.
    virtual void DrawSegment(int index) = 0;
    // The same segment again in the background colour.
    virtual void EraseSegment(int index) = 0;
    // Clear the window to the background and put a new figure in the record, which resets the step counters.
    virtual void ClearAndStartNewFigure() = 0;

  protected:
    ~LinesSurface() = default;
};

// One step of the record's run: draw pass, erase pass, advance, end of run. The step counters are not
// touched once the surface has started a new figure.
void StepLinesRun(LinesData& data, LinesSurface& surface);

// A style change traces the current figure again from its first step, keeping the eraser's lag.
void RestartLinesRun(LinesData& data);

// Counts one timer tick; true when it completes a step's worth of ticks (and the count starts over).
bool CountLinesTick(LinesData& data);
