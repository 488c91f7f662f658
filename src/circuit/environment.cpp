#include "circuit/environment.h"

#include "circuit/circuit_messages.h"

namespace circuit {

void Environment::stopRun() {
    if (StopFlag == 0 && beforeRunStops) beforeRunStops();
    StopFlag = -1;
}

sim::SettleReport Environment::takeSettleReport() {
    sim::SettleReport report = simulator.takeReport();
    if (report.oscillation) showOscillation(simulator, report);
    if (!report.serialErrors.empty() && reportSerialErrors) reportSerialErrors(report.serialErrors);
    if (reportDroppedInput) reportDroppedInput();
    return report;
}

}  // namespace circuit
