#pragma once
// The default circuit's schematic, drawn the way lab schematics are: each
// functional block in its frame; the buses with a bus entry for every pin,
// whose stub keeps its net label (the circuit builder joins nothing through a
// bus); inside a block, chip-to-chip connections as orthogonal wires with a
// junction at every branch and the net's label; net labels where a net
// leaves its block, for the console's switches and for the supplies, each
// chip's VCC and GND pins included; and a title block.

#include "circuit_plan.h"
#include "schematic/sch_model.h"

namespace labdata {

// ICs outside every frame form one block of their own. Every net carries the
// name the description gives it. Throws PlanError when the layout leaves no
// way for a wire or no room for a label, or when the drawing would not build
// the described circuit.
schematic::SchSheet circuitSheet(const CircuitPlan& plan);

}  // namespace labdata
