#include <gtest/gtest.h>

#include <utility>

#include "app/scale.h"

namespace {

TEST(Scale, DesignPixelsBecomeTheNearestDisplayPixelsAHalfToEven) {
    const struct { int dpi, designed, pixels; } cases[] = {
        {96, 170, 170}, {96, -7, -7},
        {192, 12, 24}, {192, 164, 328}, {288, 422, 1266},
        {120, 12, 15}, {120, 5, 6},      // 6.25
        {120, 150, 188}, {120, 2, 2},    // 187.5 and 2.5 go to the even side
        {168, 150, 262}, {168, 6, 10},   // 262.5, 10.5
        {144, 1, 2}, {144, 3, 4},        // 1.5, 4.5
        {144, -1, -2}, {144, -3, -4},    // the same below zero
        {240, 5, 12}, {240, 1, 2},       // 12.5, 2.5
    };
    for (const auto& c : cases) EXPECT_EQ(Scale{c.dpi}(c.designed), c.pixels) << c.designed << " at " << c.dpi;
}

TEST(Scale, RectanglesAreScaledByTheirEdges) {
    // At 120 dpi the edges 5 and 159 land on 6 and 199 (6.25, 198.75), so the
    // width is 193 where 154 alone would give 192.
    const PixelRect picture = Scale{120}(PixelRect{5, 6, 154, 114});
    EXPECT_EQ(picture.x, 6);
    EXPECT_EQ(picture.right(), 199);
    EXPECT_EQ(picture.width, 193);
    EXPECT_EQ(picture.y, 8);       // 7.5
    EXPECT_EQ(picture.bottom(), 150);
}

TEST(Scale, AScreenInDesignPixelsCoversEveryPixelAndNoMore) {
    EXPECT_EQ(Scale{192}.cover(2047), 1024) << "1023 would end a pixel short";
    EXPECT_EQ(Scale{192}.cover(1535), 768);
    EXPECT_EQ(Scale{144}.cover(1534), 1023) << "1534.5 goes to 1534";
    for (int dpi : {96, 120, 144, 168, 192, 240, 288, 480})
        for (int pixels = 0; pixels <= 4000; ++pixels) {
            const Scale scale{dpi};
            const int designed = scale.cover(pixels);
            ASSERT_TRUE(scale(designed) >= pixels && scale(designed - 1) < pixels) << pixels << " at " << dpi;
        }
}

TEST(Scale, WindowsOwnRangeOnly) {
    // No reading, or less than 100 %, keeps the design size; 500 % is the most.
    for (const auto& [dpi, used] : {std::pair{0, 96}, {72, 96}, {96, 96}, {144, 144}, {480, 480}, {100000, 480}})
        EXPECT_EQ(ScaleForDpi(dpi).dpi, used) << dpi;
}

}  // namespace
