#pragma once
// Timing helpers shared by the benchmark programs.

#include <algorithm>
#include <chrono>
#include <vector>

namespace benchtiming {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

struct Stats {
    double median = 0;
    double max = 0;
};

inline Stats stats(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.back()};
}

}  // namespace benchtiming
