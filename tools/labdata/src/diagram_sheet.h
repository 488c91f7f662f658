#pragma once
// An experiment's block diagram drawn from its description.

#include "diagram_plan.h"
#include "schematic/sch_model.h"

namespace labdata {

// A bus is drawn as two lines this far either side of its description's line.
inline constexpr int32_t kDiagramBusHalfWidth = 4;

schematic::SchSheet diagramSheet(const DiagramPlan& plan);

}  // namespace labdata
