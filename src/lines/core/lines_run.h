#pragma once
#include <cstdint>

// What a step asks of its window. The window draws on GDI; tests record the calls.
class LinesSurface {
  public:
    // Segment index in its own colour, in the window's current style.
    virtual void DrawSegment(int index) = 0;
    // The same segment again in the background colour.
    virtual void EraseSegment(int index) = 0;
    // Clear the window to the background and replace the figure, which resets the step counters.
    virtual void ClearAndStartNewFigure() = 0;

  protected:
    ~LinesSurface() = default;
};

// The part of a Lines record that decides what a step does.
struct LinesRun {
    int nSegments;
    int nSteps;
    bool erase;
    bool repeat;
};

// One step: draw pass, erase pass, advance, end of run. iDraw and iErase are the window's own counters,
// advanced in place; they are not touched once the surface has started a new figure.
void StepLinesRun(const LinesRun& run, int16_t& iDraw, int16_t& iErase, LinesSurface& surface);

// A style change traces the current figure again from its first step, keeping the eraser's lag.
void RestartLinesRun(int16_t& iDraw, int16_t& iErase);

// Counts one timer tick; true when it completes a step's worth of ticks (and the count starts over).
bool CountLinesTick(int16_t& tickCount, int ticksPerStep);
