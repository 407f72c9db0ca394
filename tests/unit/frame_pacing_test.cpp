#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "saver/frame_pacing.h"
#include "settings/settings.h"

namespace {

// Hand-edited speeds wrap instead of overflowing, and a count of 0 or less still waits.
TEST(FrameCount, IsTwoHundredFiveLessTheSpeedAndWaitsThatManyMillisecondsOrOne) {
    const struct { std::uint32_t weight; std::int32_t count; std::int64_t us; const char* what; } cases[] = {
        {200, 5, 5'000, "fastest slider position"},
        {0, 205, 205'000, "slowest slider position"},
        {DefaultWeight, 180, 180'000, "settings file without the key"},
        {205, 0, 1'000, ""},
        {206, -1, 1'000, ""},
        {0xFFFFFFFFu, 206, 206'000, "a weight of -1"},
        {0x80000000u + 205u, INT32_MIN, 1'000, ""},
        {0x80000000u + 206u, INT32_MAX, std::int64_t{INT32_MAX} * 1000, "a frame that lasts weeks"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<std::int32_t>(FrameCountOf(c.weight)), c.count) << c.what << ", weight " << c.weight;
        EXPECT_EQ(FrameMicroseconds(FrameCountOf(c.weight)), c.us) << c.what << ", weight " << c.weight;
    }
}

// Frames drawn in 300 us and waits that oversleep by up to 2 ms: the pace is
// the frame count plus the drawing, however many frames go by.
TEST(FrameClock, NoDriftOverTenThousandFrames) {
    for (const std::int64_t frame : {5'000, 180'000}) {
        FrameClock clock;
        std::int64_t now = 1'000'000;
        const std::int64_t start = now;
        for (int k = 0; k < 10'000; ++k) {
            ScheduleFrame(clock, now, frame);
            ASSERT_GT(SleepBeforeLooking(clock, now), 0) << "frame " << k << " due before it waited";
            const std::int64_t woke = clock.deadline + (k * 7919) % 2'000;
            FrameWaitEnded(clock, woke);
            now = woke + 300;
        }
        const std::int64_t drift = now - start - 10'000 * (frame + 300);
        EXPECT_GE(drift, 0) << frame;
        EXPECT_LT(drift, 2'000 + 300) << "frames of " << frame << " us drifted";
    }
}

// A year of uptime at the counter rates Windows has used: the clock must
// not wrap or lose its microseconds.
TEST(FrameClock, TheCounterReadsInMicrosecondsAfterAYear) {
    constexpr std::int64_t Year = 365LL * 24 * 3600;
    for (const std::int64_t hz : {3'579'545LL, 10'000'000LL, 2'400'000'000LL})
        EXPECT_EQ(CounterMicroseconds(Year * hz + hz - 1, hz), Year * 1'000'000 + 999'999) << hz << " Hz";
}

TEST(FrameClock, ALateFrameDoesNotMakeTheNextOnesHurry) {
    for (const std::int64_t late : {50'000, 3'000'000}) {
        FrameClock clock;
        ScheduleFrame(clock, 0, 5'000);
        FrameWaitEnded(clock, clock.deadline + late);
        const std::int64_t drawn = clock.deadline + late + 300;
        EXPECT_EQ(ScheduleFrame(clock, drawn, 5'000), drawn + 5'000) << "after a frame " << late << " us late";
        FrameWaitEnded(clock, clock.deadline);
        EXPECT_EQ(ScheduleFrame(clock, clock.deadline + 300, 5'000), clock.deadline + 300 + 5'000);
    }
}

TEST(FrameClock, LooksAtTheInputAtLeastFiveTimesASecond) {
    FrameClock clock;
    ScheduleFrame(clock, 0, std::int64_t{INT32_MAX} * 1000);
    EXPECT_EQ(SleepBeforeLooking(clock, 0), InputLookUs);
    EXPECT_LE(InputLookUs, 250'000);
    ScheduleFrame(clock, 0, 5'000);
    EXPECT_EQ(SleepBeforeLooking(clock, 4'000), 1'000);
    EXPECT_EQ(SleepBeforeLooking(clock, 5'000), 0) << "due";
    EXPECT_EQ(SleepBeforeLooking(clock, 9'000), 0) << "overdue";
}

TEST(CursorTest, OnePixelDoesNotCountTwoDo) {
    const struct { std::int32_t dx, dy; bool far; } cases[] = {
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
    EXPECT_TRUE(CursorMovedFar(INT32_MIN, 0, INT32_MAX, 0));
    EXPECT_TRUE(CursorMovedFar(0, INT32_MAX, 0, INT32_MIN));
    EXPECT_FALSE(CursorMovedFar(INT32_MIN, INT32_MAX, INT32_MIN + 1, INT32_MAX - 1));
}

}  // namespace
