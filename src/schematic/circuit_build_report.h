#pragma once
// Tells the user why a circuit was not built, in the program's message boxes.

#include <string>

#include "schematic/build_circuit.h"

namespace schematic {

// The text shown when a circuit does not fit the simulator's tables (UTF-8).
std::string tablesFullText(const TableRoom& needed, const TableRoom& available);

// Shows the message of a failed build: a sheet that could not be built in the
// reader's form for failures ("信息提示! n"), a refused circuit with what it
// needed and what was left. Nothing for a built circuit.
void ReportCircuitBuildFailure(const CircuitBuildResult& result);

}  // namespace schematic
