#pragma once
// What the user is told when a circuit is not built. The boxes that show it
// are in prompter_sch_notifier.h.

#include <string>

#include "schematic/build_circuit.h"

namespace schematic {

// The text shown when a circuit does not fit the simulator's tables (UTF-8):
// what it needs and what is left, with the advice to restart when the empty
// tables (`whole`) would hold it; when not even they would, what they hold.
std::string tablesFullText(const TableRoom& needed, const TableRoom& available, const TableRoom& whole);

}  // namespace schematic
