#include "saver/intro_layout.h"

#include <cmath>

#include "saver/rounding.h"

std::int32_t TitleColumn(std::int32_t cx) { return RoundToInt32(cx / 2.0 - TitleWidth / 2); }

std::int32_t TitleScreenRow(std::int32_t cy, std::int32_t band, std::int32_t pass) {
    // Card row 124 falls on the middle of the screen.
    double row = cy / 2.0 - 124;
    row += BandRows * band;
    row += pass;
    return RoundToInt32(row);
}

std::int32_t BlindLastBand(std::int32_t cy) { return static_cast<std::int32_t>(std::floor(cy / 12.0)); }

PixelCopy TitleRowCopy(std::int32_t x, std::int32_t y, std::int32_t cardRow, const Scale& scale) {
    // The card's own top is scaled, then the row's place in the card: every
    // row keeps the height it has in the card made at this scale, where
    // scale(y) alone would stretch one row and drop another wherever the
    // card's top and its rows fall differently between pixels.
    const std::int32_t top = scale(y - cardRow) + scale(cardRow);
    return {scale(x), top, scale(TitleWidth), scale(cardRow + 1) - scale(cardRow), scale(cardRow)};
}

PixelCopy ScreenRowCopy(std::int32_t row, std::int32_t width, const Scale& scale) {
    const std::int32_t top = scale(row);
    return {0, top, width, scale(row + 1) - top, top};
}

std::int32_t ClockSecondsBetween(unsigned startSecond, unsigned nowSecond) {
    std::int32_t d = static_cast<std::int32_t>(nowSecond) - static_cast<std::int32_t>(startSecond);
    if (d < 0) d += 60;
    return d;
}
