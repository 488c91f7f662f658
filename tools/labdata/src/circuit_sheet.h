#pragma once
// The default circuit's schematic, drawn the way lab schematics are: each
// functional block in its frame; the buses with a bus entry for every pin,
// whose stub keeps its net label (the circuit builder joins nothing through a
// bus); inside a block, chip-to-chip connections as orthogonal wires with a
// junction at every branch; net labels where a net leaves its block, for the
// console's switches and probes and for names the lab's texts use; and a
// title block.

#include <set>
#include <string>

#include "circuit_plan.h"
#include "schematic/sch_model.h"

namespace labdata {

// ICs outside every frame form one block of their own. `referred` holds the
// names the lab's texts, scripts and diagrams use: a net of one block keeps
// its label when its name is among them, and takes a generated name
// otherwise. Throws PlanError when the layout leaves no way for
// a wire or no room for a label, or when the drawing would not build the
// described circuit.
schematic::SchSheet circuitSheet(const CircuitPlan& plan, const std::set<std::string>& referred = {});

}  // namespace labdata
