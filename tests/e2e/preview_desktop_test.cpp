// The preview's picture, read from a preview whose host is the desktop
// window: its area is the whole screen, and there, unlike in a host of
// another process, what the child draws reaches the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "app/scale.h"
#include "driver.h"

namespace {

constexpr int PreviewPictureId = 102;

// "" when every pixel is as expected, else how many differ and the first.
std::string Differences(const driver::Pixels& seen, const std::function<COLORREF(int, int)>& expected) {
    int count = 0;
    std::string first;
    for (int y = seen.top; y < seen.top + seen.height; ++y)
        for (int x = seen.left; x < seen.left + seen.width; ++x) {
            if (seen.at(x, y) == expected(x, y)) continue;
            if (count++ == 0) {
                char text[96];
                wsprintfA(text, "first at (%d, %d): %06lX where %06lX was expected", x, y,
                          static_cast<unsigned long>(seen.at(x, y)),
                          static_cast<unsigned long>(expected(x, y)));
                first = text;
            }
        }
    return count ? std::to_string(count) + " pixels differ, " + first : "";
}

// The desktop as host: its area is the screen, of the size the test bed
// gave (larger than the picture, or smaller in the small-desktop run).
TEST(PreviewOnTheDesktop, PictureAtTheTopLeftPixelForPixelAndTheHostElsewhere) {
    // 152 x 112 at 96 dpi, drawn anew at the display's scale.
    const Scale scale = ScaleForDpi(driver::Dpi());
    const int pictureWidth = scale(152), pictureHeight = scale(112);
    const driver::Pixels picture = driver::PictureAt(driver::BuiltScr(), PreviewPictureId, pictureWidth, pictureHeight);
    ASSERT_EQ(picture.width, pictureWidth) << "the .scr holds no preview picture " << PreviewPictureId;
    ASSERT_EQ(picture.height, pictureHeight);

    // The picture and a band of the host's own background to its right and below.
    const RECT seen = {0, 0, std::min(GetSystemMetrics(SM_CXSCREEN), pictureWidth + 24),
                       std::min(GetSystemMetrics(SM_CYSCREEN), pictureHeight + 24)};
    // The bed's desktop is plain; windows of earlier tests may take a moment
    // to leave it.
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    std::string differences;
    ASSERT_TRUE(driver::WaitUntil(
        [&] {
            differences = Differences(driver::GrabScreen(seen), [&](int, int) { return desktop; });
            return differences.empty();
        },
        driver::WindowAppears))
        << "the desktop is not plain before the preview starts: " << differences;
    auto expected = [&](int x, int y) {
        return x < pictureWidth && y < pictureHeight ? picture.at(x, y) : desktop;
    };

    const std::string scr = driver::BuiltScr();
    driver::Process saver = driver::Start(scr, driver::Quoted(scr) + " /p " + std::to_string(HandleToULong(GetDesktopWindow())));
    HWND preview = driver::WaitWindow(saver.id(), driver::WindowClass, driver::PreviewTitle, driver::WindowAppears);
    ASSERT_NE(preview, nullptr) << "no preview window on the desktop";

    const bool shown = driver::WaitUntil(
        [&] { return (differences = Differences(driver::GrabScreen(seen), expected)).empty(); }, driver::WindowAppears);
    EXPECT_TRUE(shown) << differences;
    if (scale.dpi == 192) {
        EXPECT_GT(driver::MixedBlockShare(driver::GrabScreen({0, 0, pictureWidth, pictureHeight})), 0.05)
            << "the picture is enlarged, not drawn at 192 dpi";
    }

    driver::PostClose(preview);
    EXPECT_EQ(saver.waitExit(driver::ProcessEnds).problem(), "");
}

}  // namespace
