// The saver's small random generator, without windows.h.
#pragma once

#include <cstdint>

// Next value in 0..32767. The quotient of the seed by 65536 is rounded, not
// cut, so a given seed always yields the same sequence as the design expects.
std::int32_t Rand15();

// r / 100000 for r = (Rand15 * Rand15) mod 100000: 0 to 0.99999, never 1.
double RandomFraction();

// The tick count seeds the generator once per saver run.
void SeedRandom(std::uint32_t tickCount);

// The seed of the show on monitor run `run` placed at tickCount: the tick
// itself for the primary's (run 0), and for every other run a seed of its
// own, so no two monitors placed at the same moment show the same crowd.
std::uint32_t RunSeed(std::uint32_t tickCount, int run);

// The seed holds 1 when the process starts; tests read and reset it here.
std::uint32_t RandomSeed();
