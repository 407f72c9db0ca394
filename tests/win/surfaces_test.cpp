// The drawing surfaces on memory device contexts: a test sprite sheet and
// title card drawn here with the artwork's conventions, and a memory bitmap
// standing in for the saver window.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "driver.h"
#include "saver/surfaces.h"

namespace {

constexpr int Cx = 320, Cy = 240;  // the run's "screen"
constexpr int Wx = Cx + 20, Wy = Cy + 20;  // the window's bitmap is larger, to see what is left alone
constexpr COLORREF Sentinel = RGB(1, 2, 3);

// A top-down 32-bit bitmap that shows colour(x, y).
HBITMAP Bitmap(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    BITMAPINFO format = driver::TopDown32(w, h);
    RGBQUAD* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    for (int i = 0; i < w * h; ++i) {
        const COLORREF c = colour(i % w, i / w);
        bits[i] = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
    }
    return bitmap;
}

// Such a bitmap on a memory device context, both deleted with it.
struct Canvas {
    Canvas(int w, int h, const std::function<COLORREF(int, int)>& colour)
        : old(SelectObject(dc, Bitmap(w, h, colour))) {}
    ~Canvas() {
        DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old;
};

// Pixels of a surface, copied out through our own bitmap.
driver::Pixels Snapshot(HDC source, int w, int h) {
    return driver::Painted(w, h, [&](HDC dc) { BitBlt(dc, 0, 0, w, h, source, 0, 0, SRCCOPY); });
}

// The picture of a w x h area that shows colour(x, y) everywhere.
driver::Pixels Expected(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    driver::Pixels expected{0, 0, w, h, {}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) expected.data.push_back(colour(x, y));
    return expected;
}

// The test dog: a striped silhouette that reaches every edge of its cell, in
// colours that differ per cell, pose and pixel.
bool InDog(int cell, int x, int y) { return (x / 3 + y / 5 + cell) % 4 != 0; }
COLORREF DogColour(int cell, int x, int y) { return RGB(40 + x, 30 + y, 20 + 35 * cell); }
COLORREF Pattern(int x, int y) { return ((x / 4 + y / 4) % 2) ? RGB(x & 255, 200, y & 255) : RGB(250, x & 255, 90); }
COLORREF CardPixel(int x, int row) { return RGB(row, 255 - row, (x * 7) & 255); }

struct Surfaces : ::testing::Test {
    Canvas window{Wx, Wy, [](int, int) { return Sentinel; }};

    void SetUp() override {
        SetWindowDC(window.dc);
        // The sheet and the card are the set's from now on.
        const HBITMAP sheet = Bitmap(300, 768, [](int x, int y) {
            const int cell = y / 128, row = y % 128;
            if (x < 150) return InDog(cell, x, row) ? DogColour(cell, x, row) : RGB(0, 0, 0);
            return InDog(cell, x - 150, row) ? RGB(0, 0, 0) : RGB(255, 255, 255);
        });
        BuildSurfaceSetFrom(Cx, Cy, RGB(0x80, 0xFF, 0xFF), sheet, Bitmap(300, 248, CardPixel));
    }

    void paintCompose(const std::function<COLORREF(int, int)>& colour) {
        BitBlt(SurfaceDC(ComposeSurface), 0, 0, Cx, Cy, Canvas(Cx, Cy, colour).dc, 0, 0, SRCCOPY);
    }
    driver::Pixels compose() { return Snapshot(SurfaceDC(ComposeSurface), Cx, Cy); }
    driver::Pixels shownInWindow() { return Snapshot(window.dc, Wx, Wy); }
};

TEST_F(Surfaces, BackgroundIsTheColourAndClearFrameCopiesAllOfIt) {
    for (COLORREF colour : {RGB(0x80, 0xFF, 0xFF), RGB(0x12, 0x34, 0x56), RGB(0, 0, 0)}) {
        BuildSurfaceSetFrom(Cx, Cy, colour, nullptr, nullptr);
        EXPECT_EQ(RunWidth(), Cx);
        EXPECT_EQ(RunHeight(), Cy);
        paintCompose(Pattern);
        ClearFrame();
        EXPECT_EQ(driver::Differences(compose(), Expected(Cx, Cy, [&](int, int) { return colour; })), "")
            << "pixels not in the background colour " << std::hex << colour;
    }
}

TEST_F(Surfaces, PresentFrameCopiesTheFrameExactlyAndNothingMore) {
    paintCompose(Pattern);
    PresentFrame();
    EXPECT_EQ(driver::Differences(shownInWindow(), Expected(Wx, Wy, [](int x, int y) {
                  return x < Cx && y < Cy ? Pattern(x, y) : Sentinel;
              })), "");
}

struct SpriteCase { const char* where; int x, y, cell; };

TEST_F(Surfaces, SpriteShowsTheDogAndLeavesEverythingElse) {
    std::vector<SpriteCase> cases = {
        {"inside", 40, 30, 0},
        {"half off the left", -75, 50, 0},
        {"half off the right", Cx - 75, 50, 3},
        {"half off the top", 80, -64, 1},
        {"half off the bottom", 80, Cy - 64, 4},
        {"corner", -100, -100, 2},
        {"one column in, left", -149, 10, 5},
        {"one column in, right", Cx - 1, 10, 5},
        {"wholly off the left", -150, 50, 0},
        {"wholly off the right", Cx, 50, 0},
        {"wholly off the top", 50, -128, 0},
        {"wholly off the bottom", 50, Cy, 0},
        {"far off", -100000, 2000000, 5},
    };
    for (int cell = 1; cell < 6; ++cell) cases.push_back({"each cell", 100, 60, cell});
    for (const SpriteCase& c : cases) {
        paintCompose(Pattern);
        DrawSprite(c.x, c.y, 128 * c.cell);
        const driver::Pixels pixels = compose();
        int changedOutside = 0, wrongInside = 0, dogPixels = 0;
        for (int y = 0; y < Cy; ++y)
            for (int x = 0; x < Cx; ++x) {
                const int u = x - c.x, v = y - c.y;
                const bool inCell = u >= 0 && u < 150 && v >= 0 && v < 128;
                const COLORREF got = pixels.at(x, y);
                const bool dog = inCell && InDog(c.cell, u, v);
                dogPixels += dog;
                wrongInside += dog && got != DogColour(c.cell, u, v);
                changedOutside += !dog && got != Pattern(x, y);
            }
        EXPECT_EQ(changedOutside, 0) << c.where << " cell " << c.cell << ": background changed outside the dog";
        EXPECT_EQ(wrongInside, 0) << c.where << " cell " << c.cell << ": dog pixels not shown as drawn";
        const bool cellOnScreen = c.x < Cx && c.x + 150 > 0 && c.y < Cy && c.y + 128 > 0;
        EXPECT_TRUE(!cellOnScreen || dogPixels > 0) << c.where << ": the case should show part of the dog";
    }
}

TEST_F(Surfaces, TitleRowGoesToTheFrameOneRowWide) {
    paintCompose(Pattern);
    CopyTitleRow(10, 100, 37);
    CopyTitleRow(-50, 101, 240);  // clipped at the left
    EXPECT_EQ(driver::Differences(compose(), Expected(Cx, Cy, [](int x, int y) {
                  if (y == 100 && x >= 10 && x < 310) return CardPixel(x - 10, 37);
                  return y == 101 && x < 250 ? CardPixel(x + 50, 240) : Pattern(x, y);
              })), "");
}

TEST_F(Surfaces, ScreenRowGoesToTheWindowFullWidth) {
    paintCompose(Pattern);
    CopyScreenRow(0);
    CopyScreenRow(117);
    CopyScreenRow(Cy);  // below the frame: nothing to copy
    EXPECT_EQ(driver::Differences(shownInWindow(), Expected(Wx, Wy, [](int x, int y) {
                  return (y == 0 || y == 117) && x < Cx ? Pattern(x, y) : Sentinel;
              })), "");
}

}  // namespace
