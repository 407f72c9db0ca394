// The settings window stands in the middle of the screen; run on desktops
// whose halves fall differently.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "driver.h"
#include "settings_session.h"

namespace {

using namespace settings_test;

using Centring = OpenSettings;

TEST_F(Centring, WindowStandsInTheMiddleOfTheScreenHalvesGoingToEven) {
    const struct { int screenWidth, screenHeight, x, y; } cases[] = {
        {1024, 768, 427, 160},   // 160.5 gives 160
        {1023, 768, 426, 160},   // 426.5 gives 426
        {1680, 1050, 755, 302},  // 301.5 gives 302
    };
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const auto* expected = std::find_if(std::begin(cases), std::end(cases), [&](const auto& c) {
        return c.screenWidth == width && c.screenHeight == height;
    });
    ASSERT_NE(expected, std::end(cases)) << "no expectation for a " << width << " x " << height << " screen";

    const driver::WindowInfo window = driver::Inspect(session.window());
    EXPECT_EQ(window.rect.left, expected->x);
    EXPECT_EQ(window.rect.top, expected->y);
    EXPECT_EQ(window.width(), 170);
    EXPECT_EQ(window.height(), 447);
}

}  // namespace
