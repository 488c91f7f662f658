#include "circuit/state_view_models.h"

#include "circuit/loaded_circuit.h"
#include "sim/simulator.h"

namespace circuit {

void StateViewModels::fill(const LoadedCircuit& circuit) {
    signalList.fill(circuit.StartSignalNumber, circuit.EndSignalNumber);
    icTree.fill(circuit.StartIcNumber, circuit.EndIcNumber);
}

StateViewModels::Changes StateViewModels::refresh(const LoadedCircuit& circuit) {
    if (sim::Simulator::isNet(circuit.ncNet())) simulator.NetTable[static_cast<std::size_t>(circuit.ncNet())].Value = 0;
    const std::vector<int32_t>& rows = signalList.refresh();
    const std::vector<int32_t>& changedIcs = icTree.refresh();
    return Changes{rows, changedIcs};
}

}  // namespace circuit
