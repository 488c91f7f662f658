// The continuous run's rhythm with a batch function of the test's own: three
// batches after a start, then two per tick with the window events handled
// between ticks; stops, restarts and modal dialogs.
#include <QDialog>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "circuit/continuous_run.h"
#include "circuit/environment.h"
#include "support/wait_until.h"
#include "usart_frame.h"
#include "circuit/widgets/run_parts.h"

using circuit::ContinuousRun;
using testsupport::pumpFor;
using testsupport::waitUntil;

namespace {

// A run whose batches and handlings of events are written into a log:
// "B<clock net>" per batch, "E" per handling of events.
struct LoggedRun {
    LoggedRun() {
        run.batch = [this](int32_t clockNet) {
            log.push_back("B" + std::to_string(clockNet));
            stopFlagInBatch.push_back(env.StopFlag);
        };
        run.afterEvents = [this] { log.push_back("E"); };
        env.beforeRunStops = [this] { run.stopping(); };
    }
    void start(int32_t clockNet) {
        env.StopFlag = 0;
        env.RunClockNet = clockNet;
        run.start();
    }
    std::string taken() {
        std::string s;
        for (const std::string& e : log) s += (s.empty() ? "" : " ") + e;
        log.clear();
        return s;
    }

    circuit::Environment env;
    ContinuousRun run{env};
    std::vector<std::string> log;
    std::vector<int32_t> stopFlagInBatch;
};

}  // namespace

TEST(ContinuousRun, ThreeBatchesAfterAStartThenTwoPerTickAfterTheEvents) {
    LoggedRun r;
    r.start(5);
    EXPECT_EQ(r.taken(), "") << "the run starts once the toggle's handler has returned";
    r.run.tick();
    EXPECT_EQ(r.taken(), "B5 B5 B5");
    r.run.tick();
    EXPECT_EQ(r.taken(), "E B5 B5");
    r.run.tick();
    EXPECT_EQ(r.taken(), "E B5 B5");
    EXPECT_TRUE(r.run.active());

    // StopFlag no longer 0: the next tick ends the run, without batch or output.
    r.env.StopFlag = -1;
    r.run.tick();
    EXPECT_EQ(r.taken(), "");
    EXPECT_FALSE(r.run.active());
}

TEST(ContinuousRun, ARestartBeginsAgainWithThreeBatchesOnTheNewClock) {
    LoggedRun r;
    r.start(5);
    r.run.tick();
    r.run.tick();
    r.taken();
    r.start(9);  // another window's toggle while the run goes on
    r.run.tick();
    EXPECT_EQ(r.taken(), "B9 B9 B9");
    r.run.tick();
    EXPECT_EQ(r.taken(), "E B9 B9");
}

TEST(ContinuousRun, NoBatchWhileAModalDialogIsUp) {
    LoggedRun r;
    bool modal = false;
    r.run.paused = [&] { return modal; };
    r.start(5);
    r.run.tick();
    r.taken();
    modal = true;
    r.run.tick();
    r.run.tick();
    EXPECT_EQ(r.taken(), "");
    EXPECT_TRUE(r.run.active());
    modal = false;
    r.run.tick();
    EXPECT_EQ(r.taken(), "E B5 B5");
}

TEST(ContinuousRun, AStopRightAfterTheStartStillRunsTheThreeBatchesFirst) {
    LoggedRun r;
    int reports = 0;
    r.run.afterBatches = [&] { ++reports; };
    r.start(5);
    r.env.stopRun();
    EXPECT_EQ(r.taken(), "B5 B5 B5") << "before the stop handler goes on";
    EXPECT_EQ(r.stopFlagInBatch, (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(r.env.StopFlag, -1);
    EXPECT_FALSE(r.run.active());
    pumpFor(50);
    EXPECT_EQ(r.taken(), "");

    // Once the run has ticked, a stop adds no batch.
    r.start(5);
    ASSERT_TRUE(waitUntil([&] { return r.log.size() >= 3; }));
    r.env.stopRun();
    const std::size_t atStop = r.log.size();
    pumpFor(50);
    EXPECT_EQ(r.log.size(), atStop);
}

TEST(ContinuousRun, EventsAreHandledOnlyBetweenTicks) {
    LoggedRun r;
    bool inBatch = false;
    int64_t batches = 0;
    r.run.batch = [&](int32_t) {
        inBatch = true;
        ++batches;
        inBatch = false;
    };
    // A handler that runs whenever the event loop does, as a click would.
    std::vector<int64_t> seen;
    QTimer click;
    QObject::connect(&click, &QTimer::timeout, [&] {
        EXPECT_FALSE(inBatch);
        if (r.run.active()) seen.push_back(batches);
    });
    click.start(0);
    r.start(5);
    ASSERT_TRUE(waitUntil([&] { return batches >= 15; }));
    r.env.stopRun();
    const int64_t atStop = batches;
    pumpFor(50);
    click.stop();

    EXPECT_EQ(batches, atStop) << "no batch after the stop";
    ASSERT_FALSE(seen.empty());
    for (const int64_t n : seen) EXPECT_TRUE(n == 0 || (n >= 3 && n % 2 == 1)) << n;
}

TEST(ContinuousRun, TheFramesRunPausesUnderAModalDialogAndEndsBeforeTheWindowsClose) {
    circuittest::UsartFrame f;
    auto* windows = circuit::widgets::RunWindows::of(*f.frame);
    ASSERT_TRUE(windows);
    ContinuousRun& run = windows->session().run();
    f.startRun();
    ASSERT_TRUE(waitUntil([&] { return run.batches() >= 5; }));

    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    pumpFor(20);
    const int64_t underDialog = run.batches();
    pumpFor(150);
    EXPECT_EQ(run.batches(), underDialog);
    dialog.hide();
    ASSERT_TRUE(waitUntil([&] { return run.batches() > underDialog; }));

    // "立即退出？" answered Yes: the run has ended before a window goes.
    bool windowUpAtEnd = false;
    QObject::connect(&run, &ContinuousRun::ended, [&] { windowUpAtEnd = f.window().isVisible(); });
    f.prompter.answerMessage(platform::MsgResult::Yes);
    f.frame->close();
    EXPECT_FALSE(run.active());
    EXPECT_TRUE(windowUpAtEnd);
    EXPECT_EQ(f.env().StopFlag, -1);
}
