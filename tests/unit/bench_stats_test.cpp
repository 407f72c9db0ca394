// The order statistics the benchmark prints: a wrong rank would quietly
// report the wrong run as the 95th percentile.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tools/bench/stats.h"

namespace {

using bench::Median;
using bench::Percentile;

TEST(BenchStats, MedianIsTheMiddleSampleOrTheMeanOfTheTwoMiddleOnes) {
    const struct { std::vector<double> samples; double median; } cases[] = {
        {{7}, 7}, {{9, 1, 5}, 5}, {{3, 3, 1, 8, 2}, 3},  // an odd count: the middle sample
        {{4, 1}, 2.5}, {{10, 2, 6, 4}, 5},               // an even count: the mean of the two middle ones
    };
    for (const auto& c : cases) EXPECT_EQ(Median(c.samples), c.median) << testing::PrintToString(c.samples);
}

TEST(BenchStats, NinetyFifthOfTwentyIsTheNineteenthSmallest) {
    std::vector<double> samples;
    for (int i = 20; i >= 1; --i) samples.push_back(i * 10.0);  // given largest first
    EXPECT_EQ(Percentile(samples, 95), 190);
    EXPECT_EQ(Percentile(samples, 50), 100);
    EXPECT_EQ(Percentile(samples, 100), 200);
    EXPECT_EQ(Percentile(samples, 1), 10);
}

TEST(BenchStats, NearestRankRoundsTheRankUp) {
    // 95 % of 21 samples is 19.95 of them: the 20th smallest.
    std::vector<double> samples;
    for (int i = 1; i <= 21; ++i) samples.push_back(i);
    EXPECT_EQ(Percentile(samples, 95), 20);
    // Of 10 samples, 95 % is 9.5: the 10th, the largest.
    EXPECT_EQ(Percentile({5, 1, 9, 3, 7, 2, 8, 4, 6, 10}, 95), 10);
}

TEST(BenchStats, NoSamplesOrANonsensePercentageGiveNoNumber) {
    EXPECT_TRUE(std::isnan(Median({})));
    EXPECT_TRUE(std::isnan(Percentile({}, 95)));
    EXPECT_TRUE(std::isnan(Percentile({1, 2}, 0)));
    EXPECT_TRUE(std::isnan(Percentile({1, 2}, 101)));
}

}  // namespace
