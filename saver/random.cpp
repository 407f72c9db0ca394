#include "saver/random.h"

#include <cmath>

namespace {
std::uint32_t seed = 1;
}

std::int32_t Rand15() {
    seed = seed * 1103515245u + 12345u;
    const double quotient = std::nearbyint(seed / 65536.0);  // ties to even
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(quotient) % 32768u);
}

double RandomFraction() {
    const std::int32_t a = Rand15();
    const std::int32_t b = Rand15();
    return (a * b % 100000) / 100000.0;
}

void SeedRandom(std::uint32_t tickCount) { seed = tickCount; }

// An odd step is invertible modulo 2^32: distinct runs, distinct seeds.
std::uint32_t RunSeed(std::uint32_t tickCount, int run) { return tickCount + static_cast<std::uint32_t>(run) * 0x9E3779B9u; }

std::uint32_t RandomSeed() { return seed; }
