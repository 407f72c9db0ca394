// The test bed itself: the Windows the product will meet under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "driver.h"

namespace {

TEST(Platform, AnsiCodePageIsTheOneTheBedWasAskedFor) {
    const char* expected = std::getenv("TESTBED_CODEPAGE");
    ASSERT_NE(expected, nullptr) << "run me in the test bed";
    EXPECT_EQ(GetACP(), std::strtoul(expected, nullptr, 10));
}

// Hand-edited settings files are written in Shift-JIS, whatever the system's code page.
TEST(Platform, ShiftJisConvertsBothWaysUnderAnyCodePage) {
    EXPECT_EQ(driver::Encode(L"ＭＳ Ｐゴシック", 932), "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(driver::Widen(driver::Encode(L"表ソ犬小屋", 932), 932), L"表ソ犬小屋");
}

TEST(Platform, TheProductsFontHasJapaneseGlyphs) {
    HFONT font = driver::CreateSettingsFont(12);
    ASSERT_NE(font, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);

    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 12);

    // Every character the product shows must come from a real glyph, not a box.
    const std::wstring text = L"Pokセーバー Ver.3.01 いぬすすむはねるうごきちょっぴりいっぱいゆっくりはやい背景色";
    std::wstring glyphs(text.size(), L'\0');
    const DWORD converted = GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()),
                                             reinterpret_cast<WORD*>(&glyphs[0]), GGI_MARK_NONEXISTING_GLYPHS);
    EXPECT_EQ(converted, text.size());
    for (size_t i = 0; i < text.size(); ++i)
        EXPECT_NE(static_cast<WORD>(glyphs[i]), 0xFFFF) << "no glyph for character " << i;

    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
}

TEST(Platform, DesktopHasTheSizeTheBedWasAskedFor) {
    const char* expected = std::getenv("TESTBED_SIZE");
    ASSERT_NE(expected, nullptr) << "run me in the test bed";
    int width = 0, height = 0;
    ASSERT_EQ(std::sscanf(expected, "%dx%d", &width, &height), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height);
}

// What the probe window of the input test has been sent.
int lastKey = 0, clicks = 0;
LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) lastKey = static_cast<int>(wParam);
    if (message == WM_LBUTTONDOWN) clicks++;
    return DefWindowProcW(window, message, wParam, lParam);
}

bool CursorAt(int x, int y) {
    POINT point;
    GetCursorPos(&point);
    return point.x == x && point.y == y;
}

// Real X input must reach Windows programs in the desktop: later tests act
// as a person through it.
TEST(Platform, RealXInputReachesTheDesktop) {
    const std::unique_ptr<HWND__, decltype(&DestroyWindow)> probe(
        driver::MakeWindow(L"PokInputProbe", WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, driver::WholeScreen(), nullptr,
                           nullptr, ProbeProcedure),
        DestroyWindow);
    SetForegroundWindow(probe.get());
    driver::PumpMessages();
    ASSERT_TRUE(driver::XMovePointer(300, 200));
    EXPECT_TRUE(driver::WaitUntil([] { return CursorAt(300, 200); }, 5000));
    ASSERT_TRUE(driver::XMovePointerBy(1, -2));
    EXPECT_TRUE(driver::WaitUntil([] { return CursorAt(301, 198); }, 5000));

    ASSERT_TRUE(driver::XKey("a"));
    EXPECT_TRUE(driver::WaitUntil([] { return lastKey == 'A'; }, 5000));
    ASSERT_TRUE(driver::XClick(1));
    EXPECT_TRUE(driver::WaitUntil([] { return clicks == 1; }, 5000));
}

}  // namespace
