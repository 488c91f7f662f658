#pragma once
// The default circuit's schematic, drawn from its description.

#include "circuit_plan.h"
#include "schematic/sch_model.h"

namespace labdata {

// Throws PlanError, naming an IC's line, when two ICs stand so close that a
// stub of one touches a stub or pin of the other on another net: the
// builder would join the two nets.
schematic::SchSheet circuitSheet(const CircuitPlan& plan);

}  // namespace labdata
