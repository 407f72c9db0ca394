// Number conversions of the saver's arithmetic, without windows.h.
#pragma once

#include <cmath>
#include <cstdint>

// Nearest integer, ties to even (0.5 -> 0, 320.5 -> 320), kept to 32 bits by
// wrapping: a hand-edited setting can push a row past the int32 range, and the
// saver must go on drawing (somewhere off screen) rather than stop.
inline std::int32_t RoundToInt32(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded > -9.2e18 && rounded < 9.2e18)) return 0;  // NaN or beyond int64
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(rounded)));
}

// Sums and differences on 32-bit values as the hardware makes them: defined for
// every step or hop height a settings file can hold.
inline std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// The nearest 32-bit value: a place scaled from far off the screen stays far
// off it, on the same side, rather than wrapping round onto it.
inline std::int32_t Saturated(std::int64_t value) {
    constexpr std::int64_t Low = INT32_MIN, High = INT32_MAX;
    return static_cast<std::int32_t>(value < Low ? Low : value > High ? High : value);
}
