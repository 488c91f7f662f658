#pragma once
// The virtual board: the default circuit's chips as packages, grouped in
// blocks as a lab board places them.

#include "circuit_plan.h"
#include "schematic/sch_model.h"

namespace labdata {

schematic::SchSheet boardSheet(const CircuitPlan& plan);

}  // namespace labdata
