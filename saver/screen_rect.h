// A rectangle of the screen, without windows.h.
#pragma once

#include <cstdint>

// Right and bottom lie just outside it.
struct ScreenRect {
    std::int32_t left, top, right, bottom;
};

inline bool operator==(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// One copy in the display's pixels: the destination's corner and size, and
// the source row it starts from (the source column is the copy's own).
struct PixelCopy {
    std::int32_t x, y, width, height, sourceRow;
};

inline bool operator==(const PixelCopy& a, const PixelCopy& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height && a.sourceRow == b.sourceRow;
}
