// Order statistics of a benchmark's samples; no windows.h, so the unit tests
// check them natively too.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace bench {

// The middle value; with an even count, the mean of the two middle values.
// NaN for no samples.
inline double Median(std::vector<double> samples) {
    if (samples.empty()) return std::numeric_limits<double>::quiet_NaN();
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

// Nearest rank: the smallest sample with at least `percent` per cent of the
// samples at or below it (so the 95th of 20 samples is the 19th smallest).
// NaN for no samples or a percentage outside (0, 100].
inline double Percentile(std::vector<double> samples, double percent) {
    if (samples.empty() || !(percent > 0 && percent <= 100)) return std::numeric_limits<double>::quiet_NaN();
    std::sort(samples.begin(), samples.end());
    const double rank = std::ceil(percent / 100 * static_cast<double>(samples.size()));
    return samples[static_cast<size_t>(rank) - 1];
}

}  // namespace bench
