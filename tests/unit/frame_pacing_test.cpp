#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>

#include "saver/frame_pacing.h"
#include "settings/settings.h"

namespace {

constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();

std::int32_t AsSigned(std::uint32_t v) { return static_cast<std::int32_t>(v); }

TEST(FrameCount, IsTwoHundredFiveLessTheSpeed) {
    EXPECT_EQ(AsSigned(FrameCountOf(200)), 5) << "fastest slider position";
    EXPECT_EQ(AsSigned(FrameCountOf(0)), 205) << "slowest slider position";
    EXPECT_EQ(AsSigned(FrameCountOf(DefaultWeight)), 180) << "settings file without the key";
}

TEST(FrameCount, HandEditedSpeedsWrapInsteadOfOverflowing) {
    EXPECT_EQ(AsSigned(FrameCountOf(205)), 0);
    EXPECT_EQ(AsSigned(FrameCountOf(206)), -1);
    EXPECT_EQ(AsSigned(FrameCountOf(0xFFFFFFFFu)), 206) << "a weight of -1";
    EXPECT_EQ(AsSigned(FrameCountOf(0x80000000u + 205u)), Int32Min);
    EXPECT_EQ(AsSigned(FrameCountOf(0x80000000u + 206u)), Int32Max);
}

int StepsFor(std::int32_t frameCount) {
    int steps = 0;
    RunPollingSteps([&] { return frameCount; }, [&] { ++steps; });
    return steps;
}

TEST(PollingSteps, OneStepPerMillisecondOfTheFrameCount) {
    EXPECT_EQ(StepsFor(5), 5);
    EXPECT_EQ(StepsFor(180), 180);
    EXPECT_EQ(StepsFor(205), 205);
    EXPECT_EQ(StepsFor(1), 1);
}

TEST(PollingSteps, AtLeastOneStepWhateverTheFrameCount) {
    // Without a step the saver would never look at the input again.
    for (std::int32_t frameCount : {0, -1, -205, Int32Min}) EXPECT_EQ(StepsFor(frameCount), 1) << frameCount;
    EXPECT_EQ(StepsFor(AsSigned(FrameCountOf(0x80000000u + 205u))), 1) << "weight 2^31 + 205";
}

TEST(PollingSteps, FrameCountIsReadAgainBeforeEveryStep) {
    std::int32_t frameCount = 10;
    int steps = 0;
    RunPollingSteps([&] { return frameCount; }, [&] {
        if (++steps == 3) frameCount = 2;
    });
    EXPECT_EQ(steps, 3) << "a lowered count ends the frame after the step that lowered it";

    frameCount = 2;
    steps = 0;
    RunPollingSteps([&] { return frameCount; }, [&] {
        if (++steps == 1) frameCount = 4;
    });
    EXPECT_EQ(steps, 4) << "a raised count lengthens the frame";
}

TEST(CursorTest, OnePixelDoesNotCountTwoDo) {
    const struct {
        std::int32_t dx, dy;
        bool far;
    } cases[] = {
        {0, 0, false},  {1, 0, false},  {0, 1, false},  {1, 1, false}, {-1, 0, false},
        {0, -1, false}, {-1, 1, false}, {2, 0, true},   {0, 2, true},  {-2, 0, true},
        {0, -2, true},  {2, 1, true},   {1, -2, true},  {300, 0, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CursorMovedFar(500, 400, 500 + c.dx, 400 + c.dy), c.far) << c.dx << "," << c.dy;
        EXPECT_EQ(CursorMovedFar(500 + c.dx, 400 + c.dy, 500, 400), c.far) << "back " << c.dx << "," << c.dy;
    }
}

TEST(CursorTest, TwoPixelsOfOneHundredPercentAtAnyScale) {
    // The shortest move that ends it, in the display's pixels.
    for (const auto& [dpi, far] : {std::pair{96, 2}, {120, 3}, {144, 3}, {168, 4}, {192, 4}, {288, 6}}) {
        EXPECT_FALSE(CursorMovedFar(500, 400, 500 + far - 1, 400 - (far - 1), Scale{dpi})) << far - 1 << " at " << dpi;
        EXPECT_TRUE(CursorMovedFar(500, 400, 500 - far, 400, Scale{dpi})) << far << " at " << dpi;
        EXPECT_TRUE(CursorMovedFar(500, 400, 500, 400 + far, Scale{dpi})) << far << " at " << dpi;
    }
}

TEST(CursorTest, ReadingsAtOppositeEndsOfTheRange) {
    EXPECT_TRUE(CursorMovedFar(Int32Min, 0, Int32Max, 0));
    EXPECT_TRUE(CursorMovedFar(0, Int32Max, 0, Int32Min));
    EXPECT_FALSE(CursorMovedFar(Int32Min, Int32Max, Int32Min + 1, Int32Max - 1));
}

}  // namespace
