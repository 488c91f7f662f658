#pragma once
// The reference circuit builder: the builder as it was before its lookups were
// indexed (nested scans over the build tables), kept in the tests to check
// that the indexed builder gives exactly the same tables on any sheet.

#include "schematic/build_circuit.h"
#include "schematic/net_building.h"

namespace schematic::reference {

CircuitExtraction ExtractCircuit(const SchSheet& sheet);
RegistrationResult RegisterCircuit(sim::Simulator& simulator, CircuitBuild& build);
CircuitBuildResult BuildCircuit(sim::Simulator& simulator, const SchSheet& sheet, CircuitSetup& setup,
                                CircuitBuild& build);

}  // namespace schematic::reference
