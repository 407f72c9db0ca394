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
using driver::WholeScreen;

// The saver lays everything out in 96-dpi pixels on the screen's size in
// them, and draws it at the display's scale.
using driver::DisplayScale;
inline int DesignWidth() { return DisplayScale().cover(ScreenWidth()); }
inline int DesignHeight() { return DisplayScale().cover(ScreenHeight()); }

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
// where two card rows meet on one screen row the later pass shows. Each row
// keeps its own pixel rows of the card made at the scale, below the card's
// top (its place less the row) in the display's pixels.
inline Screen TitleScreen(COLORREF background, const driver::Pixels& card) {
    const Scale scale = DisplayScale();
    Screen screen = PlainScreen(background);
    const int left = scale(static_cast<int>(std::nearbyint(DesignWidth() / 2.0 - 150)));
    for (int pass = 1; pass <= 12; ++pass)
        for (int band = 0; band < 20; ++band) {
            const int row = 12 * band + pass;
            const int top = scale(static_cast<int>(std::nearbyint(DesignHeight() / 2.0 - 124 + row)) - row);
            for (int v = scale(row); v < scale(row + 1); ++v)
                for (int x = 0; x < card.width; ++x) screen.at(left + x, top + v) = card.at(x, v);
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
