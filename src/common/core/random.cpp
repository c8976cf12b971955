#include "common/core/random.h"

namespace {

uint32_t state = 0;

// The next value of the generator, 0 to 32767.
int NextRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

} // namespace

void SeedRandom(uint32_t seed) { state = seed; }

uint32_t GetRandomState() { return state; }

int RandomBelow(int n) {
    const uint32_t r = static_cast<uint32_t>(NextRandom());
    return static_cast<int>((static_cast<uint32_t>(n) * r) >> 15);
}
