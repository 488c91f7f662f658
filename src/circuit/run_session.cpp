#include "circuit/run_session.h"

#include <algorithm>

#include "circuit/circuit_messages.h"
#include "circuit/environment.h"
#include "circuit/terminal_text.h"
#include "link/comm_errors.h"
#include "link/link_state.h"

namespace circuit {

RunSession::RunSession(Environment& env, QObject* parent) : QObject(parent), env_(env), run_(env) {
    run_.afterEvents = [this] { passPendingOutput(); };
    run_.afterBatches = [this] { reportAfterBatches(); };
    env_.beforeRunStops = [this] { run_.stopping(); };
    env_.reportSerialErrors = [this](const std::vector<int32_t>& numbers) { reportSerialErrors(numbers); };
    env_.reportDroppedInput = [this] {
        if (!run_.active()) tellDroppedInput();
    };
    env_.simulator.setSerialLink(&port_);
    connect(&run_, &ContinuousRun::ended, this, &RunSession::tellDroppedBytes);
}

RunSession::~RunSession() = default;

void RunSession::openEnvironmentPort() {
    const devlink::PortSettings& settings = devlink::linkState().settings;
    port_.openConfigured(devlink::CommSettings(settings));
}

void RunSession::start() {
    if (!run_.active()) {
        toldThisRun_.clear();
        oscillationTold_ = false;
        droppedOutput_ = 0;
    }
    run_.start();
}

void RunSession::passPendingOutput() {
    sim::Simulator& s = env_.simulator;
    if (s.Pending8251Ic <= -1) return;
    if (ensureTerminal) ensureTerminal(s.Pending8251Ic);
    const int32_t ic = takePending8251Output(s, [this](uint8_t byte) {
        const int32_t e = port_.writeByte(byte);
        if (e != 0 && std::find(writeErrors_.begin(), writeErrors_.end(), e) == writeErrors_.end())
            writeErrors_.push_back(e);
    });
    if (ic >= 0) s.Receiving8251Ic = ic;
    droppedOutput_ += port_.takeDroppedOutput();
}

void RunSession::reportAfterBatches() {
    sim::SettleReport report = env_.simulator.takeReport();
    if (report.oscillation && !oscillationTold_) {
        oscillationTold_ = true;
        showOscillation(env_.simulator, report);
    }
    for (const int32_t e : writeErrors_) report.addSerialError(e);
    writeErrors_.clear();
    reportSerialErrors(report.serialErrors);
}

// Once per run, at its end: a count told while the run still goes would be
// out of date at once.
void RunSession::tellDroppedBytes() {
    if (droppedOutput_ != 0) {
        const int64_t count = droppedOutput_;
        droppedOutput_ = 0;
        showDroppedOutput(count, devlink::linkState().settings.CommPortNumber);
    }
    tellDroppedInput();
}

// The input dropped since it was last told, also while neither a run nor a
// command went on. A port without a line has only the input tests feed it,
// and says nothing of it, as it says nothing else.
void RunSession::tellDroppedInput() {
    const int64_t count = port_.takeDroppedInput();
    if (count == 0 || !port_.configured()) return;
    showDroppedInput(count, devlink::linkState().settings.CommPortNumber);
}

void RunSession::reportSerialErrors(const std::vector<int32_t>& numbers) {
    for (const int32_t n : numbers) {
        if (run_.active()) {
            if (std::find(toldThisRun_.begin(), toldThisRun_.end(), n) != toldThisRun_.end()) continue;
            toldThisRun_.push_back(n);
        }
        devlink::ReportCommError(n, devlink::linkState().settings.CommPortNumber);
    }
}

}  // namespace circuit
