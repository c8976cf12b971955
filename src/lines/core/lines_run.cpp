#include "lines/core/lines_run.h"

void StepLinesRun(const LinesRun& run, int16_t& iDraw, int16_t& iErase, LinesSurface& surface) {
    if (iDraw < run.nSteps) surface.DrawSegment(iDraw % run.nSegments);
    // Drawn after the new segment, so where the two cross the background wins.
    if (run.erase && iErase >= 0 && iErase < run.nSteps) surface.EraseSegment(iErase % run.nSegments);

    int draw = iDraw + 1;
    int erase = iErase + 1;
    if (run.repeat) {
        // % keeps the sign of the dividend: an eraser that has not started yet keeps counting up toward 0.
        draw %= run.nSteps;
        erase %= run.nSteps;
    }
    iDraw = static_cast<int16_t>(draw);
    iErase = static_cast<int16_t>(erase);

    const int governing = run.erase ? erase : draw;
    if (governing > run.nSteps) surface.ClearAndStartNewFigure();
}

void RestartLinesRun(int16_t& iDraw, int16_t& iErase) {
    iErase = static_cast<int16_t>(iErase - iDraw);
    iDraw = 0;
}

bool CountLinesTick(int16_t& tickCount, int ticksPerStep) {
    tickCount = static_cast<int16_t>(tickCount + 1);
    if (tickCount < ticksPerStep) return false;
    tickCount = 0;
    return true;
}
