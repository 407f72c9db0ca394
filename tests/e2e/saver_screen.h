// What a saver run puts on the screen, built from the resources inside the
// built .scr, and the waits that watch the real screen for it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "app/scale.h"
#include "driver.h"

namespace saver_screen {

using driver::WholeScreen;
// The primary monitor's size: each monitor runs its show on its own size.
inline SIZE MainScreen() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// The saver lays everything out in 96-dpi pixels on the screen's size in
// them, and draws it at the display's scale.
using driver::DisplayScale;
inline int DesignWidth(SIZE size = MainScreen()) { return DisplayScale().cover(size.cx); }
inline int DesignHeight(SIZE size = MainScreen()) { return DisplayScale().cover(size.cy); }

inline bool CursorShowing() {
    CURSORINFO info = {sizeof info, 0, nullptr, {}};
    GetCursorInfo(&info);
    return (info.flags & CURSOR_SHOWING) != 0;
}

// A whole screen (or monitor) as it must look: the background, until drawn on.
struct Screen : driver::Pixels {
    explicit Screen(COLORREF background, SIZE size = MainScreen())
        : Pixels{0, 0, size.cx, size.cy, std::vector<COLORREF>(static_cast<size_t>(size.cx) * size.cy, background)} {}
    COLORREF& at(int x, int y) { return data[static_cast<size_t>(y * width + x)]; }
};

// The title card's rows 1-240, centred, each row's place rounded to even;
// where two card rows meet on one screen row the later pass shows. Each row
// keeps its own pixel rows of the card made at the scale, below the card's
// top (its place less the row) in the display's pixels.
inline Screen TitleScreen(COLORREF background, const driver::Pixels& card, SIZE size = MainScreen()) {
    const Scale scale = DisplayScale();
    Screen screen(background, size);
    const int left = scale(static_cast<int>(std::nearbyint(DesignWidth(size) / 2.0 - 150)));
    for (int pass = 1; pass <= 12; ++pass)
        for (int band = 0; band < 20; ++band) {
            const int row = 12 * band + pass;
            const int top = scale(static_cast<int>(std::nearbyint(DesignHeight(size) / 2.0 - 124 + row)) - row);
            for (int v = scale(row); v < scale(row + 1); ++v)
                for (int x = 0; x < card.width; ++x) screen.at(left + x, top + v) = card.at(x, v);
        }
    return screen;
}

// One right-facing dog cell of pose 0-2 at a place of 96-dpi pixels: the
// dog's colours where they are not black, the screen as it was elsewhere.
inline void PutDog(Screen& screen, const driver::Pixels& cells, int designLeft, int designTop, int pose) {
    const int height = cells.height / 3, row = pose * height;
    const int left = DisplayScale()(designLeft), top = DisplayScale()(designTop);
    for (int v = 0; v < height; ++v)
        for (int u = 0; u < cells.width; ++u) {
            const int x = left + u, y = top + v;
            if (x < 0 || y < 0 || x >= screen.width || y >= screen.height) continue;
            if (const COLORREF colour = cells.at(u, row + v)) screen.at(x, y) = colour;
        }
}

// The one dog of hiki 0 starts in the middle of the screen.
inline int FirstDogX(SIZE size = MainScreen()) {
    return static_cast<int>(std::nearbyint((DesignWidth(size) - 150) / 2.0));
}
inline int FirstDogY(SIZE size = MainScreen()) {
    return static_cast<int>(std::nearbyint((DesignHeight(size) - 127) / 2.0));
}

// The screens of that dog hopping on the spot (dx0 0, dy0 0), one per pose.
inline std::vector<Screen> DogOnTheSpot(COLORREF background, const driver::Pixels& sheet, SIZE size = MainScreen()) {
    std::vector<Screen> poses(3, Screen(background, size));
    for (int pose = 0; pose < 3; ++pose) PutDog(poses[pose], sheet, FirstDogX(size), FirstDogY(size), pose);
    return poses;
}

inline bool Matches(const driver::Pixels& grabbed, const Screen& expected) {
    return grabbed.width == expected.width && grabbed.height == expected.height && grabbed.data == expected.data;
}

// Polls the screen (or one monitor's area of it) until it shows one of the
// pictures; the tick it was first seen, or 0 if the time ran out.
inline DWORD WaitForAnyScreen(const std::vector<Screen>& any, DWORD timeoutMs, const RECT& area = WholeScreen()) {
    const auto shown = [&] {
        const driver::Pixels grabbed = driver::GrabScreen(area);
        return std::any_of(any.begin(), any.end(), [&](const Screen& expected) { return Matches(grabbed, expected); });
    };
    return driver::WaitUntil(shown, timeoutMs) ? GetTickCount() : 0;
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
