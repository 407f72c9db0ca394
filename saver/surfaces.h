// The saver's off-screen drawing surfaces and the copies every frame is made
// of. Private to the saver (and its surface tests).
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/scale.h"

enum SurfaceNumber {
    BackgroundSurface = 0,  // cx x cy, the background colour, never changed
    SpriteSurface = 1,      // the sprite sheet, 300 x 768 at 96 dpi
    ComposeSurface = 2,     // cx x cy, the frame being assembled
    TitleSurface = 3,       // the title card, 300 x 248 at 96 dpi
};

// The device context of the saver window; all screen drawing goes through it.
// Whatever a new one shows, the next present replaces all of it.
void SetWindowDC(HDC windowDC);
HDC WindowDC();

// Each monitor's show has a set of its own: these act on the set of the show
// being drawn (CurrentRun), its window DC included.

// Builds the SurfaceSet for a monitor of cx x cy pixels, the given background
// colour and the sprite sheet and title card made for the monitor's scale; a
// set built before is released. The frame and the screen start out unknown:
// the first clear and present copy everything.
void BuildSurfaceSet(std::int32_t cx, std::int32_t cy, COLORREF background, const Scale& scale);
// When the show ends with its monitor: the window DC is the caller's.
void ReleaseSurfaceSet();

// The same from given parts (the pictures made for that scale, which the set
// then owns): every surface compatible with WindowDC(), cx x cy pixels.
void BuildSurfaceSetFrom(std::int32_t cx, std::int32_t cy, COLORREF background, HBITMAP spriteSheet,
                         HBITMAP titleCard, const Scale& scale = {});

// The dogs and the intro place everything in 96-dpi pixels on a screen of
// 96-dpi size; the copies below turn those places into the display's pixels.
// Size of the run in 96-dpi pixels (covering every pixel of the screen), read
// once when the surfaces were built, and its scale.
std::int32_t RunWidth();
std::int32_t RunHeight();
const Scale& RunScale();

HDC SurfaceDC(SurfaceNumber surface);

void ClearFrame();    // background -> compose, where they differ
// compose -> screen, where they may differ. What another window drew over
// the saver is repaired when the system asks for a paint.
void PresentFrame();
// compose -> screen, all of it: after the display was off.
void ShowWholeFrame();
// The sprite cell at sheet row sheetRow (0 to 640), transparent, into the
// compose surface.
void DrawSprite(std::int32_t x, std::int32_t y, std::int32_t sheetRow);
// One row of the title card (300 x 1 at 96 dpi, its own pixel rows of the
// card made at another scale) into the compose surface.
void CopyTitleRow(std::int32_t x, std::int32_t y, std::int32_t cardRow);
// One full-width row of the compose surface to the screen.
void CopyScreenRow(std::int32_t row);
