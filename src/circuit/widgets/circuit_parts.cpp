#include "circuit/widgets/circuit_parts.h"

#include "circuit/widgets/console_part.h"
#include "circuit/widgets/experiment_pane.h"

namespace circuit::widgets {

void installCircuitParts(CircuitParts& parts) {
    // Each part adds its own install call here.
    installExperimentParts(parts);
    installConsoleParts(parts);
}

}  // namespace circuit::widgets
