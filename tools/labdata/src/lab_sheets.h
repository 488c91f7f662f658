#pragma once
// The default circuit's schematic, drawn from its description.

#include "circuit_plan.h"
#include "schematic/sch_model.h"

namespace labdata {

schematic::SchSheet circuitSheet(const CircuitPlan& plan);

}  // namespace labdata
