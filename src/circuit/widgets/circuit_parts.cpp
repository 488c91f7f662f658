#include "circuit/widgets/circuit_parts.h"

namespace circuit::widgets {

void installCircuitParts(CircuitParts& parts) {
    // Each part adds its own install call here.
    (void)parts;
}

}  // namespace circuit::widgets
