// Geometry and timing of the intro, without windows.h: where the title card's
// rows land, which rows the blind uncovers, how clock seconds are counted.
#pragma once

#include <cstdint>

#include "app/scale.h"
#include "saver/screen_rect.h"

constexpr std::int32_t RevealPasses = 12;  // both blinds: one row per band per pass
constexpr std::int32_t BandRows = 12;
constexpr std::int32_t TitleBands = 20;    // card rows 1-240 of its 248
constexpr std::int32_t TitleWidth = 300;

// Left column of the 300-pixel card, centred and rounded (cx 1023 -> 362).
std::int32_t TitleColumn(std::int32_t cx);

// Screen row of card row 12 * band + pass. It is rounded once, after the card
// row is added, so on a screen of odd height pairs of card rows share a row.
std::int32_t TitleScreenRow(std::int32_t cy, std::int32_t band, std::int32_t pass);

// Last band of the full-screen blind: floor(cy / 12).
std::int32_t BlindLastBand(std::int32_t cy);

// The intro's copies in the display's pixels. A row of the design becomes
// the rows from scale(row) to scale(row + 1), so neighbouring rows meet
// without a gap or an overlap at any scale and a band is s times as tall.
// A title row at (x, y) is the card row's own pixel rows of the card made at
// that scale (scale(300) wide), below the card's scaled top; a row of the
// screen spans its width in pixels.
PixelCopy TitleRowCopy(std::int32_t x, std::int32_t y, std::int32_t cardRow, const Scale& scale);
PixelCopy ScreenRowCopy(std::int32_t row, std::int32_t width, const Scale& scale);

// Seconds from one clock reading to a later one, by the seconds field only
// (0..59, so 59 to 1 is 2).
std::int32_t ClockSecondsBetween(unsigned startSecond, unsigned nowSecond);

// The run's size in 96-dpi pixels, which a display change may alter between
// two passes.
struct RunSize {
    std::int32_t cx, cy;
};

// copyRow(cardRow, x, y) for the twenty rows, one per band, that a pass of
// the title reveal adds.
template <typename CopyRow>
void CopyTitlePass(const RunSize& size, std::int32_t pass, CopyRow copyRow) {
    for (std::int32_t band = 0; band <= TitleBands - 1; ++band)
        copyRow(BandRows * band + pass, TitleColumn(size.cx), TitleScreenRow(size.cy, band, pass));
}

// Builds the title card up in twelve passes: each pass's rows placed on the
// size() of that moment, then endPass() (present and wait).
template <typename Size, typename CopyRow, typename EndPass>
void RunTitleReveal(Size size, CopyRow copyRow, EndPass endPass) {
    for (std::int32_t pass = 1; pass <= RevealPasses; ++pass) {
        CopyTitlePass(size(), pass, copyRow);
        endPass();
    }
}

// Uncovers the whole screen in twelve passes: copyRow(screenRow) for every
// band, then endPass() (wait). Screen row 0 is never copied.
template <typename CopyRow, typename EndPass>
void RunBlindReveal(std::int32_t cy, CopyRow copyRow, EndPass endPass) {
    for (std::int32_t pass = 1; pass <= RevealPasses; ++pass) {
        for (std::int32_t band = 0; band <= BlindLastBand(cy); ++band) copyRow(BandRows * band + pass);
        endPass();
    }
}

// Waits until the clock's seconds have gone n past the first reading. Every
// reading follows a waitFrame(), so the wait always looks at input at least
// once and lasts between n - 1 and n seconds.
template <typename WaitFrame, typename ReadSecond>
void RunClockWait(std::int32_t n, WaitFrame waitFrame, ReadSecond readSecond) {
    const unsigned start = readSecond();
    std::int32_t passed = 0;
    do {
        waitFrame();
        passed = ClockSecondsBetween(start, readSecond());
    } while (passed < n);
}
