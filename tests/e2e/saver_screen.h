// What a saver run puts on the screen, built from the resources inside the
// built .scr, and the waits that watch the real screen for it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "app/scale.h"
#include "driver.h"

namespace saver_screen {

inline int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
inline int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
inline RECT WholeScreen() { return {0, 0, ScreenWidth(), ScreenHeight()}; }

// The saver lays everything out in 96-dpi pixels on the screen's size in
// them, and draws it at the display's scale.
inline Scale Shown() { return ScaleForDpi(driver::Dpi()); }
inline int DesignWidth() { return Shown().cover(ScreenWidth()); }
inline int DesignHeight() { return Shown().cover(ScreenHeight()); }

// The title card (103) and the sprite sheet (101) of the .scr as the saver
// makes them at that scale.
inline driver::Pixels TitleCardShown(const std::string& scr) {
    return driver::PictureAt(scr, 103, Shown()(300), Shown()(248));
}
inline driver::Pixels SpriteSheetShown(const std::string& scr) {
    return driver::PictureAt(scr, 101, Shown()(150), Shown()(128));
}

inline bool CursorShowing() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return (info.flags & CURSOR_SHOWING) != 0;
}

// A whole screen as it must look.
struct Screen {
    int width, height;
    std::vector<COLORREF> pixels;
    Screen(int w, int h, COLORREF fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    COLORREF& at(int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; }
};

inline Screen PlainScreen(COLORREF background) { return Screen(ScreenWidth(), ScreenHeight(), background); }

// The title card's rows 1-240, centred, each row's place rounded to even;
// where two card rows meet on one screen row the later pass shows. A row of
// 96-dpi pixels is as many rows of the card made at the scale as it covers.
inline Screen TitleScreen(COLORREF background, const driver::Pixels& card) {
    const Scale scale = Shown();
    Screen screen = PlainScreen(background);
    const int left = scale(static_cast<int>(std::nearbyint(DesignWidth() / 2.0 - 150)));
    for (int pass = 1; pass <= 12; ++pass)
        for (int band = 0; band < 20; ++band) {
            const int row = 12 * band + pass;
            const int y = static_cast<int>(std::nearbyint(DesignHeight() / 2.0 - 124 + row));
            for (int v = 0; scale(y) + v < scale(y + 1); ++v)
                for (int x = 0; x < card.width; ++x) screen.at(left + x, scale(y) + v) = card.at(x, scale(row) + v);
        }
    return screen;
}

inline bool Matches(const driver::Pixels& grabbed, const Screen& expected) {
    if (grabbed.width != expected.width || grabbed.height != expected.height) return false;
    return grabbed.data == expected.pixels;
}

// Polls the screen until it shows one of the pictures; the tick it was first
// seen, or 0 if the time ran out.
inline DWORD WaitForAnyScreen(const std::vector<Screen>& any, DWORD timeoutMs) {
    DWORD seen = 0;
    driver::WaitUntil(
        [&] {
            const driver::Pixels grabbed = driver::GrabScreen(WholeScreen());
            for (const Screen& expected : any)
                if (Matches(grabbed, expected)) {
                    seen = GetTickCount();
                    return true;
                }
            return false;
        },
        timeoutMs);
    return seen;
}

inline bool WaitForScreen(const Screen& expected, DWORD timeoutMs) {
    return WaitForAnyScreen({expected}, timeoutMs) != 0;
}

// Polls until the screen no longer shows the picture.
inline bool WaitForScreenToLeave(const Screen& shown, DWORD timeoutMs) {
    return driver::WaitUntil([&] { return !Matches(driver::GrabScreen(WholeScreen()), shown); }, timeoutMs);
}

// Polls until some screen row is seen to change twice. The blind reveal
// copies every row once, so only the animation changes a row again.
inline bool WaitForARowToChangeTwice(DWORD timeoutMs) {
    const RECT screen = WholeScreen();
    std::vector<int> changes(static_cast<size_t>(screen.bottom), 0);
    driver::Pixels last = driver::GrabScreen(screen);
    return driver::WaitUntil(
        [&] {
            driver::Pixels now = driver::GrabScreen(screen);
            bool twice = false;
            for (int y = 0; y < screen.bottom; ++y) {
                const auto row = static_cast<std::ptrdiff_t>(y) * screen.right;
                if (!std::equal(now.data.begin() + row, now.data.begin() + row + screen.right, last.data.begin() + row))
                    twice = ++changes[static_cast<size_t>(y)] >= 2 || twice;
            }
            last = std::move(now);
            return twice;
        },
        timeoutMs);
}

}  // namespace saver_screen
