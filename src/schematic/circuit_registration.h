#pragma once
// Registration: moves a built circuit into the simulator's global tables.
//
// Every circuit takes the next consecutive numbers after those of the
// circuits registered before it, and numbers are never given back:
// - its ICs the next IC numbers, in build-table order;
// - its GND, VCC and NC nets the next three signal numbers, then its live
//   nets, in build-table order;
// - its fanout records the next record numbers: shared reader lists and
//   per-driver lists of bus nets first, one single-IC record per IC last.
// Only this circuit's own records are searched for an equal list to share.
//
// The whole registration is worked out before anything is written: a circuit
// that does not fit the tables is refused and leaves the simulator exactly as
// it was.

#include <cstdint>
#include <vector>

#include "schematic/circuit_build.h"

namespace sim {
class Simulator;
}

namespace schematic {

// How many IC numbers, signal numbers and fanout records a circuit takes, or
// the tables still have.
struct TableRoom {
    int32_t icNumbers = 0;
    int32_t signalNumbers = 0;
    int32_t fanoutRecords = 0;

    bool holds(const TableRoom& need) const {
        return need.icNumbers <= icNumbers && need.signalNumbers <= signalNumbers && need.fanoutRecords <= fanoutRecords;
    }
    friend bool operator==(const TableRoom&, const TableRoom&) = default;
};

struct RegistrationResult {
    bool registered = false;
    TableRoom needed;     // what the circuit takes
    TableRoom available;  // what the tables had left
    TableRoom whole;      // what the tables hold when empty
    // The IC numbers of the circuit's 8251s, in IC order: each gets a
    // terminal window from the circuit window.
    std::vector<int32_t> usart8251Ics;
};

// The room left in the simulator's tables after the numbers given out so far.
TableRoom tableRoom(const sim::Simulator& simulator);
// The room the tables offer before any number is given out.
TableRoom wholeTableRoom(const sim::Simulator& simulator);

// Registers the circuit of `build` (as net building left it) into the
// simulator's tables and advances its LastIcNumber, LastSignalNumber and
// LastFanoutNumber. Writes the global numbers back into the build tables:
// the ICs' and memory images' IC numbers, the nets' signal numbers (-1 for a
// net that is not registered) and the reader groups' shared records.
// When the circuit does not fit, nothing is written anywhere.
RegistrationResult RegisterCircuit(sim::Simulator& simulator, CircuitBuild& build);

}  // namespace schematic
