#include "platform/wait_seconds.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
struct FakeClock {
    double mono = 1000.0;
    double midnight = 100.0;
    int pumps = 0;
    double step = 0.01;
    WaitHooks hooks() {
        return WaitHooks{[this] { return mono; }, [this] { return midnight; },
                         [this] { ++pumps; mono += step; midnight += step; if (midnight >= 86400) midnight -= 86400; }};
    }
};
}  // namespace

TEST(WaitSeconds, WaitsTheDurationAndPumpsEvents) {
    FakeClock c;
    ScopedWaitHooks scope(c.hooks());
    const double begin = c.mono;
    WaitSeconds(Timer(), 3.0f);
    EXPECT_GT(c.mono - begin, 2.99);
    EXPECT_LT(c.mono - begin, 3.05);
    EXPECT_GE(c.pumps, 300);
}

TEST(WaitSeconds, ZeroSecondsStillHandlesEventsOnce) {
    FakeClock c;
    ScopedWaitHooks scope(c.hooks());
    WaitSeconds(Timer(), 0.0f);
    EXPECT_GE(c.pumps, 1);
    EXPECT_LE(c.pumps, 2);
}

TEST(WaitSeconds, AWaitAcrossMidnightEnds) {
    FakeClock c;
    c.midnight = 86399.5;
    ScopedWaitHooks scope(c.hooks());
    const double begin = c.mono;
    WaitSeconds(Timer(), 1.0f);
    EXPECT_NEAR(c.mono - begin, 1.0, 0.05);
}

TEST(WaitSeconds, RealClockWaitIsBounded) {
    Deadline d(0.05);
    EXPECT_FALSE(d.expired());
    WaitSeconds(Timer(), 0.06f);
    EXPECT_TRUE(d.expired());
}

TEST(WaitSeconds, ClockRoundingNeverShortensAWait) {
    // The clock readings are 32-bit floats: late in the day they step by about
    // 4 ms, so a start reading and the next one can differ by a step although
    // almost no time has passed. The wait must still last its full duration.
    for (double offset = 0.0; offset < 0.008; offset += 0.00025) {
        FakeClock c;
        c.midnight = 50000.0 + offset;
        c.step = 0.0005;
        WaitHooks h = c.hooks();
        h.secondsSinceMidnight = [&c] { c.midnight += 0.0003; c.mono += 0.0003; return c.midnight; };
        ScopedWaitHooks scope(h);
        const float start = Timer();
        const double begin = c.mono;
        WaitSeconds(start, 0.02f);
        EXPECT_GE(c.mono - begin, 0.02) << offset;
        EXPECT_LT(c.mono - begin, 0.03) << offset;
    }
}
