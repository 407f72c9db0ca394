// Every frame is assembled off screen and copied to the screen in one piece,
// so the dogs never flicker over the background.
#include "saver/surfaces.h"

#include "resources/resources.h"

namespace {

constexpr int SurfaceSlots = 10;  // numbers 0-3 are used

struct SurfaceSet {
    HDC window;
    HDC dc[SurfaceSlots];
    HBITMAP bitmap[SurfaceSlots];
    std::int32_t cx, cy;
} g;

// Nothing here is ever released: the saver ends only by ending the process.
void MakeSurface(SurfaceNumber surface, HBITMAP bitmap) {
    g.dc[surface] = CreateCompatibleDC(g.window);
    g.bitmap[surface] = bitmap;
    SelectObject(g.dc[surface], bitmap);
}

HBITMAP LoadBitmapResource(int id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

void SetWindowDC(HDC windowDC) { g.window = windowDC; }

HDC WindowDC() { return g.window; }

void BuildSurfaceSet(COLORREF background) {
    const std::int32_t cx = GetSystemMetrics(SM_CXSCREEN);
    const std::int32_t cy = GetSystemMetrics(SM_CYSCREEN);
    BuildSurfaceSetFrom(cx, cy, background, LoadBitmapResource(SpriteSheetId),
                        LoadBitmapResource(TitleCardId));
}

void BuildSurfaceSetFrom(std::int32_t cx, std::int32_t cy, COLORREF background, HBITMAP spriteSheet,
                         HBITMAP titleCard) {
    g.cx = cx;
    g.cy = cy;
    const RECT fill = {0, 0, cx, cy};
    HBRUSH brush = CreateSolidBrush(background);

    MakeSurface(BackgroundSurface, CreateCompatibleBitmap(g.window, cx, cy));
    FillRect(g.dc[BackgroundSurface], &fill, brush);
    MakeSurface(SpriteSurface, spriteSheet);
    MakeSurface(ComposeSurface, CreateCompatibleBitmap(g.window, cx, cy));
    MakeSurface(TitleSurface, titleCard);
}

std::int32_t RunWidth() { return g.cx; }
std::int32_t RunHeight() { return g.cy; }

HDC SurfaceDC(SurfaceNumber surface) { return g.dc[surface]; }

void ClearFrame() {
    BitBlt(g.dc[ComposeSurface], 0, 0, g.cx, g.cy, g.dc[BackgroundSurface], 0, 0, SRCCOPY);
}

void PresentFrame() { BitBlt(g.window, 0, 0, g.cx, g.cy, g.dc[ComposeSurface], 0, 0, SRCCOPY); }

void DrawSprite(std::int32_t x, std::int32_t y, std::int32_t sheetRow) {
    // The mask (black dog on white) cuts the dog's hole, the colour cell (dog on
    // black) fills it; everything outside the silhouette stays as it was.
    BitBlt(g.dc[ComposeSurface], x, y, 150, 128, g.dc[SpriteSurface], 150, sheetRow, SRCAND);
    BitBlt(g.dc[ComposeSurface], x, y, 150, 128, g.dc[SpriteSurface], 0, sheetRow, SRCPAINT);
}

void CopyTitleRow(std::int32_t x, std::int32_t y, std::int32_t cardRow) {
    BitBlt(g.dc[ComposeSurface], x, y, 300, 1, g.dc[TitleSurface], 0, cardRow, SRCCOPY);
}

void CopyScreenRow(std::int32_t row) {
    BitBlt(g.window, 0, row, g.cx, 1, g.dc[ComposeSurface], 0, row, SRCCOPY);
}
