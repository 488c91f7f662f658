#include "sampler/time_axis.h"

#include <cmath>

namespace sampler {

std::vector<double> buildTimeAxis(double length, int width, double divisor) {
    if (width <= 0 || !(length >= 0)) return {0.0};
    const double span = length * 8 / width;
    const long last = std::lround(span);
    std::vector<double> axis(static_cast<size_t>(last) + 1, 0.0);
    // Each entry from its index rather than by adding steps, so that no rounding
    // error builds up across four thousand entries.
    for (long k = 1; k <= last; ++k) axis[static_cast<size_t>(k)] = std::round(k * divisor / 50.0 * 100.0) / 100.0;
    return axis;
}

QString formatTimeLabel(double microseconds) {
    QString text = QString::number(microseconds, 'f', 2);
    if (text.startsWith(QLatin1String("0."))) text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0."))) text.remove(1, 1);
    return text;
}

QString formatReadoutTime(double microseconds) { return QString::number(microseconds, 'f', 2); }

}  // namespace sampler
