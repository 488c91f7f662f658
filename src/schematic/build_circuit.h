#pragma once
// Building a circuit from a schematic: net building, registration into the
// simulator's tables, and the circuit window's settings.
//
// All or nothing: a sheet that cannot be built, or a circuit that does not
// fit the simulator's tables, changes nothing in the simulator (no numbers,
// no net levels) and leaves the circuit window's setup untouched; the caller
// reports the failure (ReportCircuitBuildFailure in prompter_sch_notifier.h) and gives up the load.

#include <cstdint>
#include <vector>

#include "schematic/circuit_build.h"
#include "schematic/circuit_registration.h"
#include "schematic/circuit_setup.h"
#include "schematic/sch_model.h"
#include "schematic/sch_read_notifier.h"
#include "schematic/schematic_state.h"

namespace sim {
class Simulator;
}

namespace schematic {

struct CircuitBuildResult {
    bool built = false;
    // Why the sheet could not be built (a directive value out of range).
    SchFailure failure = SchFailure::None;
    // The numbers the circuit took, or what it needed when the tables were too full.
    RegistrationResult registration;

    bool tablesFull() const { return !built && failure == SchFailure::None; }
    // The IC numbers of the circuit's 8251s, in IC order; the circuit window
    // makes a terminal window for each.
    const std::vector<int32_t>& usart8251Ics() const { return registration.usart8251Ics; }
};

// Builds `sheet` into `build` (replacing its content), registers it in the
// simulator's tables with the next free numbers and fills `setup`. On
// success the simulator's LastIcNumber, LastSignalNumber and
// LastFanoutNumber are the circuit's last numbers; its first three signals
// are its GND, VCC and NC nets, and its last fanout records list one IC each,
// in IC order. The sheet is only read.
CircuitBuildResult BuildCircuit(sim::Simulator& simulator, const SchSheet& sheet, CircuitSetup& setup,
                                CircuitBuild& build);

// The same for the schematic just read: the state's current sheet, whose
// build tables the state keeps for the hot-spot builders. After a failure the
// state's build tables and current sheet are empty.
CircuitBuildResult BuildCircuit(sim::Simulator& simulator, SchematicState& state, CircuitSetup& setup);

}  // namespace schematic
