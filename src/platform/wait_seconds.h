#pragma once
// The program's one waiting primitive: a polling wait that keeps handling
// window events, so serial notifications, timers and menus stay alive.

#include <functional>

namespace platform {

// Seconds since midnight, as the program's clock readings are taken.
float Timer();

// Waits until more than `seconds` have passed since `start` (a Timer() reading),
// handling pending window events at least once. A wait that spans midnight
// still ends after its duration.
void WaitSeconds(float start, float seconds);

// The clock and event pump behind WaitSeconds, replaceable so tests never sleep.
struct WaitHooks {
    std::function<double()> monotonicSeconds;  // any monotonic clock, in seconds
    std::function<double()> secondsSinceMidnight;
    std::function<void()> processEvents;
};

// Installs hooks (empty members fall back to the real clock / event loop);
// returns the previous hooks.
WaitHooks setWaitHooks(WaitHooks hooks);
const WaitHooks& waitHooks();

// Restores the previous hooks when it goes out of scope.
class ScopedWaitHooks {
public:
    explicit ScopedWaitHooks(WaitHooks hooks) : previous_(setWaitHooks(std::move(hooks))) {}
    ~ScopedWaitHooks() { setWaitHooks(std::move(previous_)); }
    ScopedWaitHooks(const ScopedWaitHooks&) = delete;
    ScopedWaitHooks& operator=(const ScopedWaitHooks&) = delete;

private:
    WaitHooks previous_;
};

// A deadline on the same clock, for the bounded waits of the port search.
class Deadline {
public:
    explicit Deadline(double seconds);
    bool expired() const;

private:
    double end_;
};

}  // namespace platform
