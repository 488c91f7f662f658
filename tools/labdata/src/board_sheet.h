#pragma once
// The virtual board: the default circuit's chips as packages, in the blocks
// of the board's description.

#include "board_plan.h"
#include "circuit_plan.h"
#include "schematic/sch_model.h"

namespace labdata {

// Throws std::runtime_error when the board leaves out a chip of the circuit,
// shows one twice or names one the circuit does not have.
schematic::SchSheet boardSheet(const BoardPlan& board, const CircuitPlan& circuit);

}  // namespace labdata
