// Which monitors the saver covers besides the primary, without windows.h.
#pragma once

#include <cstdint>
#include <vector>

// A rectangle of the virtual screen; right and bottom lie just outside it.
struct ScreenRect {
    std::int32_t left, top, right, bottom;
};

inline bool operator==(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The saver window covers the primary rectangle; every other monitor gets a
// plain window of its own, in the order given. A monitor lying inside the
// primary (a mirrored panel), an empty one or a repeat gets none, so no part
// of the screen is covered twice.
std::vector<ScreenRect> OtherMonitorCovers(const ScreenRect& primary,
                                           const std::vector<ScreenRect>& monitors);
