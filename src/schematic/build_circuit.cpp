#include "schematic/build_circuit.h"

#include "schematic/net_building.h"

namespace schematic {

CircuitBuildResult BuildCircuit(sim::Simulator& simulator, const SchSheet& sheet, CircuitSetup& setup,
                                CircuitBuild& build) {
    CircuitBuildResult result;
    CircuitExtraction extraction = ExtractCircuit(sheet);
    build = std::move(extraction.build);
    if (extraction.failure != SchFailure::None) {
        result.failure = extraction.failure;
        return result;
    }
    result.registration = RegisterCircuit(simulator, build);
    if (!result.registration.registered) return result;
    BuildCircuitSetup(build, simulator, setup);
    result.built = true;
    return result;
}

CircuitBuildResult BuildCircuit(sim::Simulator& simulator, SchematicState& state, CircuitSetup& setup) {
    CircuitBuildResult result = BuildCircuit(simulator, state.currentSheet, setup, state.circuitBuild);
    if (!result.built) {
        // No view will take this sheet over: the load ends here.
        state.circuitBuild = CircuitBuild{};
        state.currentSheet.clear();
    }
    return result;
}

}  // namespace schematic
