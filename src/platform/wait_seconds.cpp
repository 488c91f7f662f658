#include "platform/wait_seconds.h"

#include <QCoreApplication>
#include <QTime>

#include <chrono>
#include <cmath>
#include <thread>

namespace platform {
namespace {

double realMonotonic() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double realMidnight() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void realProcessEvents() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

WaitHooks& hooks() {
    static WaitHooks h;
    return h;
}

double monotonicNow() {
    const auto& h = hooks();
    return h.monotonicSeconds ? h.monotonicSeconds() : realMonotonic();
}

}  // namespace

WaitHooks setWaitHooks(WaitHooks next) {
    WaitHooks previous = std::move(hooks());
    hooks() = std::move(next);
    return previous;
}

const WaitHooks& waitHooks() { return hooks(); }

float Timer() {
    const auto& h = hooks();
    return static_cast<float>(h.secondsSinceMidnight ? h.secondsSinceMidnight() : realMidnight());
}

void WaitSeconds(float start, float seconds) {
    // The caller's start is a midnight-clock reading; what has passed since it
    // (wrapping at midnight) is subtracted, the rest is timed on a monotonic
    // clock so that midnight never stretches or shortens the wait.
    double already = static_cast<double>(Timer()) - start;
    if (already < 0) already += 86400.0;
    if (already > 43200.0) already = 0;  // a start "in the future" is treated as now
    // Both readings are rounded to the float's step (about 4 ms late in the day);
    // counting one step less keeps the wait from ending early.
    const double step = static_cast<double>(std::nextafter(start, 86400.0f) - start);
    already = already > step ? already - step : 0.0;
    const double remaining = static_cast<double>(seconds) - already;
    const double begin = monotonicNow();
    const auto& h = hooks();
    for (;;) {
        if (h.processEvents) h.processEvents(); else realProcessEvents();
        const double left = remaining - (monotonicNow() - begin);
        if (left < 0) break;
        // Yield the core between polls instead of spinning; a millisecond is far
        // below the 20 ms pacing of the device link.
        if (!h.monotonicSeconds && left > 0.002) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

Deadline::Deadline(double seconds) : end_(monotonicNow() + seconds) {}

bool Deadline::expired() const { return monotonicNow() > end_; }

}  // namespace platform
