#include "circuit/continuous_run.h"

#include "circuit/environment.h"
#include "sim/simulator.h"

namespace circuit {

ContinuousRun::ContinuousRun(Environment& env, QObject* parent) : QObject(parent), env_(env) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ContinuousRun::tick);
    batch = [this](int32_t clockNet) { env_.simulator.ToggleNetAndSettle(kBatchInversions - 1, clockNet); };
}

void ContinuousRun::start() {
    fresh_ = true;
    active_ = true;
    // A tick on the stack re-arms the timer when it ends.
    if (!inTick_) timer_.start(0);
}

void ContinuousRun::stopping() {
    if (!active_) return;
    if (fresh_ && !inTick_) {
        inTick_ = true;
        runBatches(3);
        if (afterBatches) afterBatches();
        inTick_ = false;
    }
    if (!inTick_) end();
}

void ContinuousRun::tick() {
    if (!active_ || inTick_) return;
    if (env_.StopFlag != 0) return end();
    if (paused && paused()) {
        timer_.start(kPausedRecheckMs);
        return;
    }
    inTick_ = true;
    const bool fresh = fresh_;
    if (!fresh && afterEvents) afterEvents();
    runBatches(fresh ? 3 : 2);
    if (afterBatches) afterBatches();
    inTick_ = false;
    if (env_.StopFlag != 0) return end();
    timer_.start(0);
}

void ContinuousRun::runBatches(int count) {
    fresh_ = false;
    for (int i = 0; i < count; ++i) {
        batch(env_.RunClockNet);
        ++batches_;
        if (env_.StopFlag != 0) break;
    }
}

void ContinuousRun::end() {
    timer_.stop();
    if (!active_) return;
    active_ = false;
    emit ended();
}

}  // namespace circuit
