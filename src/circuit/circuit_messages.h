#pragma once
// The circuit layer's message boxes, through the installed prompter.

#include <QString>

#include <cstdint>

#include "sim/settle_report.h"
#include "sim/simulator.h"

namespace circuit {

// A settle the kernel cut short at its pass limit: the net whose toggle did not
// settle, its name, and that the levels shown may be wrong.
QString oscillationText(const sim::Simulator& simulator, const sim::SettleReport& report);
void showOscillation(const sim::Simulator& simulator, const sim::SettleReport& report);

// Run output the environment's port dropped because its transmit buffer was
// full: the count, under the device port's number `port`.
QString droppedOutputText(int64_t count, int port);
void showDroppedOutput(int64_t count, int port);

// Input the environment's port dropped because its receive buffer was full:
// the count, under the device port's number `port`.
QString droppedInputText(int64_t count, int port);
void showDroppedInput(int64_t count, int port);

// A data file that could not be opened or read: "<number>: <description>"
// under the title "信息提示! <number>".
void showFileError(int number, const QString& description);

}  // namespace circuit
