#pragma once
// The time of each sample index and the texts the display writes for it.

#include <QString>

#include <vector>

namespace sampler {

// Entries 0 to round(length x 8 / width): k sampling periods of `divisor` x 0.02
// microseconds each, rounded to two decimals.
std::vector<double> buildTimeAxis(double length, int width, double divisor);

// "##.00": two decimals, no digit before the point for values below 1 (".04").
QString formatTimeLabel(double microseconds);
// "##0.00": at least one digit before the point ("0.40").
QString formatReadoutTime(double microseconds);

}  // namespace sampler
