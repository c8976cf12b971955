#pragma once
#include <windows.h>

#include "bubbles/core/bubbles_surface.h"

// GetTickCount moves in steps of 15 or 16 ms, too coarse to end a 16 ms budget on time: a tick could run
// for nearly twice as long. This clock starts at GetTickCount, which the record's due times are kept in,
// and then follows the performance counter. Made afresh for each tick.
class TickCountClock : public BubbleClock {
  public:
    TickCountClock();
    uint32_t Now() override;

  private:
    uint32_t start_;
    LARGE_INTEGER counterStart_;
};
