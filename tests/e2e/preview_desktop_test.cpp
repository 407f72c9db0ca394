// The preview's picture, read from a preview whose host is the desktop
// window: its area is the whole screen, and there, unlike in a host of
// another process, what the child draws reaches the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "driver.h"
#include "resources/resources.h"

namespace {

// The desktop as host: its area is the screen, of the size the test bed
// gave (larger than the picture, or smaller in the small-desktop run).
TEST(PreviewOnTheDesktop, PictureAtTheTopLeftPixelForPixelAndTheHostElsewhere) {
    // 152 x 112 at 96 dpi, drawn anew at the display's scale.
    driver::Pixels picture;
    ASSERT_TRUE(driver::PictureShown(driver::BuiltScr(), PreviewPictureId, picture));

    // The picture and a band of the host's own background to its right and below.
    const RECT seen = {0, 0, std::min(GetSystemMetrics(SM_CXSCREEN), picture.width + 24),
                       std::min(GetSystemMetrics(SM_CYSCREEN), picture.height + 24)};
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    driver::Pixels expected{0, 0, seen.right, seen.bottom, {}};
    for (int y = 0; y < seen.bottom; ++y)
        for (int x = 0; x < seen.right; ++x)
            expected.data.push_back(x < picture.width && y < picture.height ? picture.at(x, y) : desktop);
    // The bed's desktop is plain; windows of earlier tests may take a moment
    // to leave it.
    ASSERT_TRUE(driver::WaitPixels(seen, desktop, driver::WindowAppears))
        << "the desktop is not plain before the preview starts";

    const driver::ScrCopy scr("preview_desktop");
    driver::Process saver = scr.start("/p " + std::to_string(HandleToULong(GetDesktopWindow())));
    HWND preview = saver.window(driver::PreviewTitle);
    ASSERT_NE(preview, nullptr) << "no preview window on the desktop";

    std::string differences;
    driver::WaitUntil([&] { return (differences = driver::Differences(driver::GrabScreen(seen), expected)).empty(); },
                      driver::WindowAppears);
    EXPECT_EQ(differences, "");
    EXPECT_TRUE(driver::NotEnlarged({0, 0, picture.width, picture.height})) << "the picture";

    driver::PostClose(preview);
    EXPECT_EQ(saver.waitExit(driver::ProcessEnds).problem(), "");
}

}  // namespace
