#pragma once
// The environment's run machinery without its windows: the continuous run on
// the kernel, the environment's port handed to the 8251 models, the pending
// 8251 output passed on to the port between batches, and what went wrong in
// the kernel or on the port told once, after the batches:
// - during a run, each serial error number and a settle cut short at most once
//   for the whole run, and the output a full transmit buffer dropped and the
//   input a full receive buffer dropped once each, with its count, when the
//   run ends;
// - for a console command outside a run, each number once for the command,
//   and the input dropped since it was last told, once.
//
// Made once per frame. It installs itself into the environment (the stop
// routine's completion of a pending start, the serial error report, the
// simulator's serial link); the environment must outlive its use, and its
// destruction touches the environment no more.

#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

#include "circuit/continuous_run.h"
#include "circuit/environment_port.h"

namespace circuit {

struct Environment;

class RunSession : public QObject {
    Q_OBJECT
public:
    explicit RunSession(Environment& env, QObject* parent = nullptr);
    ~RunSession() override;

    ContinuousRun& run() { return run_; }
    EnvironmentPort& port() { return port_; }

    // Opens the port CORVANE_ENV_PORT names, with the device port's settings.
    void openEnvironmentPort();

    // Makes the terminal window of 8251 `ic` and shows it, the first time it
    // is asked for; filled by the windows.
    std::function<void(int32_t ic)> ensureTerminal;

    // The run-mode toggle in single-step mode, after StopFlag and RunClockNet.
    void start();
    // After a handling of events during a run: the pending 8251's output to
    // the port, byte by byte, and that 8251 becomes the port's receiver.
    void passPendingOutput();
    // Serial error numbers met in a kernel call or on the port, for the user.
    void reportSerialErrors(const std::vector<int32_t>& numbers);

private:
    void reportAfterBatches();
    void tellDroppedBytes();
    void tellDroppedInput();

    Environment& env_;
    EnvironmentPort port_;
    ContinuousRun run_;
    std::vector<int32_t> writeErrors_;
    // What this run has told already.
    std::vector<int32_t> toldThisRun_;
    bool oscillationTold_ = false;
    int64_t droppedOutput_ = 0;
};

}  // namespace circuit
