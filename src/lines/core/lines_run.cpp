#include "lines/core/lines_run.h"

void StepLinesRun(LinesData& data, LinesSurface& surface) {
    const int nSteps = data.nSteps;
    if (data.iDraw < nSteps) surface.DrawSegment(data.iDraw % data.nSegments);
    // Drawn after the new segment, so where the two cross the background wins.
    if (data.fErase && data.iErase >= 0 && data.iErase < nSteps)
        surface.EraseSegment(data.iErase % data.nSegments);

    int draw = data.iDraw + 1;
    int erase = data.iErase + 1;
    if (data.fRepeat) {
        // % keeps the sign of the dividend: an eraser that has not started yet keeps counting up toward 0.
        draw %= nSteps;
        erase %= nSteps;
    }
    data.iDraw = static_cast<int16_t>(draw);
    data.iErase = static_cast<int16_t>(erase);

    const int governing = data.fErase ? erase : draw;
    if (governing > nSteps) surface.ClearAndStartNewFigure();
}

void RestartLinesRun(LinesData& data) {
    data.iErase = static_cast<int16_t>(data.iErase - data.iDraw);
    data.iDraw = 0;
}

bool CountLinesTick(LinesData& data) {
    data.tickCount = static_cast<int16_t>(data.tickCount + 1);
    if (data.tickCount < data.ticksPerStep) return false;
    data.tickCount = 0;
    return true;
}
