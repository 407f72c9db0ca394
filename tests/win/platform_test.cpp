// The test bed itself: the Windows the product will meet under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver.h"

namespace {

TEST(Platform, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(Platform, JapaneseFaceNameIsFifteenShiftJisBytes) {
    EXPECT_EQ(std::strlen("ＭＳ Ｐゴシック"), 15u);
    EXPECT_EQ(driver::Widen("ＭＳ Ｐゴシック"), L"ＭＳ Ｐゴシック");
}

TEST(Platform, TheProductsFontHasJapaneseGlyphs) {
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY,
                             FF_SWISS | DEFAULT_PITCH, "ＭＳ Ｐゴシック");
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

}  // namespace
