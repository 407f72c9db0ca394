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
