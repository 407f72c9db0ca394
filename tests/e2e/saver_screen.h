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

#include "driver.h"

namespace saver_screen {

inline int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
inline int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
inline RECT WholeScreen() { return {0, 0, ScreenWidth(), ScreenHeight()}; }

// A bitmap resource of a module, as 0x00BBGGRR pixels from the top.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

inline Picture LoadPicture(const std::string& module, int id) {
    Picture picture;
    HMODULE data = LoadLibraryExA(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(data, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info = {};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info)) {
        picture.width = info.bmWidth;
        picture.height = info.bmHeight;
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = info.bmWidth;
        format.bmiHeader.biHeight = -info.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        std::vector<RGBQUAD> quads(static_cast<size_t>(info.bmWidth) * info.bmHeight);
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, bitmap, 0, info.bmHeight, quads.data(), &format, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        for (const RGBQUAD& q : quads) picture.pixels.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
        DeleteObject(bitmap);
    }
    if (data) FreeLibrary(data);
    return picture;
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
// where two card rows meet on one screen row the later pass shows.
inline Screen TitleScreen(COLORREF background, const Picture& card) {
    Screen screen = PlainScreen(background);
    const int left = static_cast<int>(std::nearbyint(screen.width / 2.0 - 150));
    for (int pass = 1; pass <= 12; ++pass)
        for (int band = 0; band < 20; ++band) {
            const int row = 12 * band + pass;
            const int y = static_cast<int>(std::nearbyint(screen.height / 2.0 - 124 + row));
            for (int x = 0; x < 300; ++x) screen.at(left + x, y) = card.at(x, row);
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
