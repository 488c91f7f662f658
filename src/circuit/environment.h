#pragma once
// The circuit environment's module state: the one simulator every circuit of
// the environment lives in, the schematic reader's state its loads go through,
// the run state shared by all circuit windows, and the experiment menu's table.
// The frame owns one; tests make their own.

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

#include "circuit/lab_menu.h"
#include "schematic/schematic_state.h"
#include "sim/simulator.h"

namespace circuit {

struct Environment {
    // The first circuit loaded here starts at IC 0, net 0 and fanout record 1.
    sim::Simulator simulator;
    schematic::SchematicState schematic;

    // 0 while a continuous run is active, -1 when none is or a stop was asked for.
    int32_t StopFlag = -1;
    // The net the run loop inverts: the clock of the window that started the run.
    int32_t RunClockNet = 0;
    // Sum of the toggle times of every clock-pulse command of the run, in seconds.
    double PulseTimeTotal = 0.0;

    LabMenu labMenu;

    // The folder of the file last chosen in a memory-data dialog; empty until
    // then, when the dialogs start in the program's data folder.
    QString memoryDataFolder;

    bool runActive() const { return StopFlag == 0; }

    // Ends a continuous run. Every place that stops a run comes through here.
    void stopRun();

    // Filled by the continuous run: called by stopRun while a run is active,
    // before StopFlag goes to -1, so that a run whose start is still pending
    // does its first batches before the stop takes effect.
    std::function<void()> beforeRunStops;

    // Filled by the environment's serial port: the serial errors the 8251
    // models met during a kernel call, each number once, for the user.
    std::function<void(const std::vector<int32_t>& errorNumbers)> reportSerialErrors;
    // Filled by the environment's serial port: after a kernel call, the input
    // its receive buffer had no room for, for the user.
    std::function<void()> reportDroppedInput;

    // Takes the simulator's settle report after a kernel call and tells the
    // user once what went wrong: a settle cut short by the pass limit names the
    // net; serial errors go to reportSerialErrors, then reportDroppedInput.
    sim::SettleReport takeSettleReport();
};

}  // namespace circuit
