#pragma once
// What the user is told when a circuit is not built. The boxes that show it
// are in prompter_sch_notifier.h.

#include <string>

#include "schematic/build_circuit.h"

namespace schematic {

// The text shown when a circuit does not fit the simulator's tables (UTF-8).
std::string tablesFullText(const TableRoom& needed, const TableRoom& available);

}  // namespace schematic
