#pragma once
#include <cstdint>

// The one process-wide pseudo-random source shared by every window.
void SeedRandom(uint32_t seed);
uint32_t GetRandomState();

// Next value of the generator, 0 to 32767.
int NextRandom();

// 0 to n - 1 from one draw; exact for n below 131076, where the 32-bit product cannot overflow.
int RandomBelow(int n);
