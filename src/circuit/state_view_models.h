#pragma once
// The two state views a circuit window fills itself, the signal list and the
// IC tree, and the part of the refresh cycle that concerns them.

#include <cstdint>
#include <vector>

#include "circuit/ic_tree.h"
#include "circuit/signal_list.h"

namespace circuit {

struct LoadedCircuit;

struct StateViewModels {
    explicit StateViewModels(sim::Simulator& simulator) : simulator(simulator), signalList(simulator), icTree(simulator) {}

    // Every net and every IC of the circuit, as the tables hold them now.
    void fill(const LoadedCircuit& circuit);

    // The refresh cycle's first steps: the circuit's NC net back at 0, then
    // the signal list, then the IC tree (which reads the marks the list has
    // just moved on). What changed, for the widgets.
    struct Changes {
        const std::vector<int32_t>& rows;
        const std::vector<int32_t>& ics;
    };
    Changes refresh(const LoadedCircuit& circuit);

    sim::Simulator& simulator;
    SignalList signalList;
    IcTree icTree;
};

}  // namespace circuit
