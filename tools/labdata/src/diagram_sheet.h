#pragma once
// An experiment's block diagram drawn from its description.

#include "diagram_plan.h"
#include "schematic/sch_model.h"

namespace labdata {

schematic::SchSheet diagramSheet(const DiagramPlan& plan);

}  // namespace labdata
