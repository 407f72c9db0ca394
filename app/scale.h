// The display scale, without windows.h: every size and place is designed in
// pixels at 96 dots per inch and turned into the display's pixels here.
#pragma once

#include <cstdint>

// A rectangle in pixels by its top-left corner and size.
struct PixelRect {
    int x, y, width, height;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

struct Scale {
    static constexpr int DesignDpi = 96;
    int dpi = DesignDpi;

    bool isDesignSize() const { return dpi == DesignDpi; }

    // A 96-dpi position or length in pixels at this dpi: the nearest pixel,
    // a half to the even one, like every rounding of the program.
    int operator()(int designed) const { return static_cast<int>(wide(designed)); }

    // The same in 64 bits, for places far off the screen whose pixels leave
    // the 32-bit range.
    std::int64_t wide(std::int64_t designed) const {
        const std::int64_t product = designed * dpi;
        std::int64_t quotient = product / DesignDpi, remainder = product % DesignDpi;
        if (remainder < 0) remainder += DesignDpi, --quotient;
        if (2 * remainder > DesignDpi || (2 * remainder == DesignDpi && quotient % 2 != 0)) ++quotient;
        return quotient;
    }

    // The shortest 96-dpi length whose pixels reach this many, at 100 % or
    // more: a screen's size in design pixels, so that what is laid out to its
    // edges reaches the last pixel (2047 at 192 dpi gives 1024, which covers
    // 2048; 1023 would end one column short).
    int cover(int pixels) const {
        int designed = static_cast<int>(std::int64_t(pixels) * DesignDpi / dpi);
        if ((*this)(designed) < pixels) ++designed;
        return designed;
    }

    // By its edges, not its size: two rectangles that touch, overlap or stand
    // apart at 96 dpi do the same at any dpi, since no edge passes another.
    PixelRect operator()(const PixelRect& designed) const {
        const int left = (*this)(designed.x), top = (*this)(designed.y);
        return {left, top, (*this)(designed.right()) - left, (*this)(designed.bottom()) - top};
    }
};

// The scale of a display of this many dots per inch. Windows offers 100 % and
// more; a smaller reading (or none) keeps the design size, and beyond 500 %,
// which Windows does not offer, the pictures would outgrow any screen.
inline Scale ScaleForDpi(int dpi) {
    constexpr int Largest = 5 * Scale::DesignDpi;
    return {dpi < Scale::DesignDpi ? Scale::DesignDpi : dpi > Largest ? Largest : dpi};
}
