#pragma once
#include <cstdint>

// The one process-wide pseudo-random source shared by every window.
void SeedRandom(uint32_t seed);
uint32_t GetRandomState();

// 0 to n - 1 from one draw; exact for n below 131076, where the 32-bit product cannot overflow.
int RandomBelow(int n);
