#include "bubbles/bubbles_clock.h"

namespace {

LONGLONG CounterFrequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

} // namespace

TickCountClock::TickCountClock() : start_(GetTickCount()) { QueryPerformanceCounter(&counterStart_); }

uint32_t TickCountClock::Now() {
    // Fixed at boot, so asking once for the run is enough.
    static const LONGLONG frequency = CounterFrequency();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return start_ + static_cast<uint32_t>((now.QuadPart - counterStart_.QuadPart) * 1000 / frequency);
}
