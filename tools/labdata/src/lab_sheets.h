#pragma once
// The drawings of the data folder: the default circuit's schematic, the
// virtual board with the same ICs where a lab board places them, and the
// block diagrams.

#include "circuit_plan.h"
#include "diagram_plan.h"
#include "schematic/sch_model.h"

namespace labdata {

schematic::SchSheet circuitSheet(const CircuitPlan& plan);
schematic::SchSheet boardSheet(const CircuitPlan& plan);
schematic::SchSheet diagramSheet(const DiagramPlan& plan);

}  // namespace labdata
