// Every frame is assembled off screen and only then copied to the screen, so
// the dogs never flicker over the background. Only what changed is copied:
// the record of changes says where the frame differs from the background and
// where the screen may differ from the frame.
#include "saver/surfaces.h"

#include "resources/pictures.h"
#include "saver/dogs.h"
#include "saver/frame_changes.h"
#include "saver/intro_layout.h"
#include "saver/monitors.h"

namespace {

constexpr int SurfaceSlots = 10;  // numbers 0-3 are used

struct SurfaceSet {
    HDC window;
    HDC dc[SurfaceSlots];
    HBITMAP bitmap[SurfaceSlots];
    std::int32_t cx, cy;  // in pixels
    Scale scale;
    FrameChanges changes;
};

// One set per monitor's show.
SurfaceSet sets[MaxRuns];

// The set of the show being drawn.
SurfaceSet& g() { return sets[CurrentRun()]; }

void MakeSurface(SurfaceNumber surface, HBITMAP bitmap) {
    g().dc[surface] = CreateCompatibleDC(g().window);
    g().bitmap[surface] = bitmap;
    SelectObject(g().dc[surface], bitmap);
}

void Copy(HDC to, HDC from, const ScreenRect& r) {
    BitBlt(to, r.left, r.top, r.right - r.left, r.bottom - r.top, from, r.left, r.top, SRCCOPY);
}

}  // namespace

void ReleaseSurfaceSet() {
    for (int surface = 0; surface < SurfaceSlots; ++surface) {
        if (g().dc[surface]) DeleteDC(g().dc[surface]);
        if (g().bitmap[surface]) DeleteObject(g().bitmap[surface]);
        g().dc[surface] = nullptr;
        g().bitmap[surface] = nullptr;
    }
}

void SetWindowDC(HDC windowDC) {
    g().window = windowDC;
    ForgetScreen(g().changes);
}

HDC WindowDC() { return g().window; }

void BuildSurfaceSet(std::int32_t cx, std::int32_t cy, COLORREF background, const Scale& scale) {
    BuildSurfaceSetFrom(cx, cy, background, LoadPicture(SpriteSheetId, scale), LoadPicture(TitleCardId, scale),
                        scale);
}

void BuildSurfaceSetFrom(std::int32_t cx, std::int32_t cy, COLORREF background, HBITMAP spriteSheet,
                         HBITMAP titleCard, const Scale& scale) {
    ReleaseSurfaceSet();
    g().cx = cx;
    g().cy = cy;
    g().scale = scale;
    StartChanges(g().changes, cx, cy);
    const RECT fill = {0, 0, cx, cy};
    HBRUSH brush = CreateSolidBrush(background);

    MakeSurface(BackgroundSurface, CreateCompatibleBitmap(g().window, cx, cy));
    FillRect(g().dc[BackgroundSurface], &fill, brush);
    DeleteObject(brush);
    MakeSurface(SpriteSurface, spriteSheet);
    MakeSurface(ComposeSurface, CreateCompatibleBitmap(g().window, cx, cy));
    MakeSurface(TitleSurface, titleCard);
}

std::int32_t RunWidth() { return g().scale.cover(g().cx); }
std::int32_t RunHeight() { return g().scale.cover(g().cy); }
const Scale& RunScale() { return g().scale; }

HDC SurfaceDC(SurfaceNumber surface) { return g().dc[surface]; }

void ClearFrame() {
    ClearChanges(g().changes, [](const ScreenRect& r) { Copy(g().dc[ComposeSurface], g().dc[BackgroundSurface], r); });
}

void PresentFrame() {
    PresentChanges(g().changes, [](const ScreenRect& r) { Copy(g().window, g().dc[ComposeSurface], r); });
}

void ShowWholeFrame() {
    ForgetScreen(g().changes);
    PresentFrame();
}

void DrawSprite(std::int32_t x, std::int32_t y, std::int32_t sheetRow) {
    // The mask (black dog on white) cuts the dog's hole, the colour cell (dog on
    // black) fills it; everything outside the silhouette stays as it was.
    const PixelCopy c = SpriteCopy({x, y, sheetRow}, g().scale);
    BitBlt(g().dc[ComposeSurface], c.x, c.y, c.width, c.height, g().dc[SpriteSurface], c.width, c.sourceRow, SRCAND);
    BitBlt(g().dc[ComposeSurface], c.x, c.y, c.width, c.height, g().dc[SpriteSurface], 0, c.sourceRow, SRCPAINT);
    NoteDrawn(g().changes, c.x, c.y, c.width, c.height);
}

void CopyTitleRow(std::int32_t x, std::int32_t y, std::int32_t cardRow) {
    const PixelCopy c = TitleRowCopy(x, y, cardRow, g().scale);
    BitBlt(g().dc[ComposeSurface], c.x, c.y, c.width, c.height, g().dc[TitleSurface], 0, c.sourceRow, SRCCOPY);
    NoteDrawn(g().changes, c.x, c.y, c.width, c.height);
}

// The record is left as it is: the row only brings the screen nearer the frame.
void CopyScreenRow(std::int32_t row) {
    const PixelCopy c = ScreenRowCopy(row, g().cx, g().scale);
    BitBlt(g().window, c.x, c.y, c.width, c.height, g().dc[ComposeSurface], 0, c.sourceRow, SRCCOPY);
}
