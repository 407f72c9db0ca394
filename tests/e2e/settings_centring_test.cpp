// The settings window stands in the middle of the screen; run on desktops
// whose halves fall differently.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "driver.h"
#include "settings_session.h"

namespace {

using namespace settings_test;

using Centring = OpenSettings;

TEST_F(Centring, WindowStandsInTheMiddleOfTheScreenHalvesGoingToEven) {
    // The window's top-left corner on a screen of each width and height.
    const std::map<std::pair<int, int>, POINT> corners = {
        {{1024, 768}, {427, 160}},   // 160.5 gives 160
        {{1023, 768}, {426, 160}},   // 426.5 gives 426
        {{1680, 1050}, {755, 302}},  // 301.5 gives 302
    };
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const auto expected = corners.find({width, height});
    ASSERT_NE(expected, corners.end()) << "no expectation for a " << width << " x " << height << " screen";

    const driver::WindowInfo window = driver::Inspect(session.window());
    EXPECT_EQ(window.rect.left, expected->second.x);
    EXPECT_EQ(window.rect.top, expected->second.y);
    EXPECT_EQ(window.width(), 170);
    EXPECT_EQ(window.height(), 447);
}

}  // namespace
