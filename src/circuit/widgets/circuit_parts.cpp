#include "circuit/widgets/circuit_parts.h"

#include "circuit/widgets/console_part.h"
#include "circuit/widgets/experiment_pane.h"
#include "circuit/widgets/run_parts.h"

namespace circuit::widgets {

void installCircuitParts(CircuitParts& parts) {
    // Each part adds its own install call here.
    installExperimentParts(parts);
    installConsoleParts(parts);
    installRunParts(parts);
}

}  // namespace circuit::widgets
