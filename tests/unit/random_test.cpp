#include <gtest/gtest.h>

#include <cmath>

#include "saver/random.h"

namespace {

// Multiplicative inverse of the generator's multiplier modulo 2^32, so a
// test can choose the seed that a step will produce.
std::uint32_t Inverse(std::uint32_t a) {
    std::uint32_t x = a;  // Newton's iteration doubles the correct bits each step
    for (int i = 0; i < 5; ++i) x *= 2u - a * x;
    return x;
}

void SeedSoNextStepGives(std::uint32_t next) { SeedRandom((next - 12345u) * Inverse(1103515245u)); }

TEST(Random, SeedOneGivesTheKnownSequenceAndFirstFraction) {
    SeedRandom(1);
    // 5759 is where 38526.69 rounds up to 38527.
    for (const std::int32_t value : {16838, 5759, 10114, 17516}) EXPECT_EQ(Rand15(), value);
    SeedRandom(1);
    EXPECT_DOUBLE_EQ(RandomFraction(), 0.70042);  // 16838 * 5759 = 96970042
}

TEST(Random, QuotientIsRoundedNotCut) {
    const struct { std::uint32_t seedAfterStep; std::int32_t value; } cases[] = {
        {0, 0},
        {32767, 0},                     // 0.49998 rounds down
        {32768, 0},                     // 0.5 goes to the even 0
        {32769, 1},
        {98304, 2},                     // 1.5 goes to the even 2
        {65536u * 32767u + 40000u, 0},  // 32767.61 rounds to 32768, which wraps
        {0xFFFF7FFFu, 32767},           // just below 65535.5
        {0xFFFF8000u, 0},               // 65535.5 rounds to 65536: wraps to 0
        {0xFFFFFFFFu, 0},
    };
    for (const auto& c : cases) {
        SeedSoNextStepGives(c.seedAfterStep);
        EXPECT_EQ(Rand15(), c.value) << "seed after step " << c.seedAfterStep;
        EXPECT_EQ(RandomSeed(), c.seedAfterStep);
    }
}

TEST(Random, FractionsStayOnTheGridBelowOne) {
    for (std::uint32_t seed : {1u, 2u, 12345u, 0xFFFFFFFFu, 0x80000000u}) {
        SeedRandom(seed);
        for (int i = 0; i < 10000; ++i) {
            const double r = RandomFraction();
            ASSERT_GE(r, 0.0);
            ASSERT_LE(r, 0.99999);
            const double scaled = r * 100000.0;
            ASSERT_NEAR(scaled, std::round(scaled), 1e-6) << "seed " << seed;
        }
    }
}

TEST(Random, SameSeedSameSequence) {
    SeedRandom(987654321u);
    double first[8];
    for (double& r : first) r = RandomFraction();
    SeedRandom(987654321u);
    for (double r : first) EXPECT_EQ(RandomFraction(), r);
}

}  // namespace
