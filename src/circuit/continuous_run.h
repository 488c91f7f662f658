#pragma once
// The continuous run: the run clock inverted batch after batch on the UI
// thread. A single-shot timer drives it. Each tick runs its batches (three
// after a start, two after that) and re-arms the timer with interval 0, so
// that everything waiting (console actions, menus, terminal keys, timers,
// closing the frame) is handled between two ticks: never inside a batch, and
// a tick never runs inside another, not even under a message box that one of
// its own steps shows. The run ends at the first tick that finds StopFlag no
// longer 0.

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace circuit {

struct Environment;

class ContinuousRun : public QObject {
    Q_OBJECT
public:
    // Inversions of the clock net per batch.
    static constexpr int32_t kBatchInversions = 1280;
    // How often a paused run looks again whether the modal dialog has gone.
    static constexpr int kPausedRecheckMs = 50;

    explicit ContinuousRun(Environment& env, QObject* parent = nullptr);

    // One batch on clock net `clockNet`; by default the kernel's 1280 settled
    // inversions of it. Tests put their own in.
    std::function<void(int32_t clockNet)> batch;
    // True while a modal dialog is up: the run waits and runs no batch.
    std::function<bool()> paused;
    // At each tick after the first of a start, before its batches: window
    // events have been handled since the last batch.
    std::function<void()> afterEvents;
    // After each tick's batches, and after the batches a stop completes.
    std::function<void()> afterBatches;

    // The run-mode toggle has set StopFlag to 0 and RunClockNet. The first
    // tick comes once the caller has returned to the event loop; a run that is
    // already going starts over with three batches before its next handling
    // of events.
    void start();
    // Called by the stop routine before StopFlag goes to -1: a run that has
    // started and not yet ticked does its three batches now. Then the timer
    // stops; a tick on the stack ends by itself.
    void stopping();

    bool active() const { return active_; }
    // Batches run since this object was made.
    int64_t batches() const { return batches_; }

    // One tick, as the timer runs it.
    void tick();

signals:
    // The run has ended: a tick found StopFlag no longer 0, or it was stopped.
    void ended();

private:
    void runBatches(int count);
    void end();

    Environment& env_;
    QTimer timer_;
    bool active_ = false;
    bool fresh_ = false;  // started, and no batch since
    bool inTick_ = false;
    int64_t batches_ = 0;
};

}  // namespace circuit
