// The Am2901 and Am2910 models. Not simulated yet: an IC of these types is
// evaluated but leaves its pins and state as they are.

#include "sim/models.h"

namespace sim::models {

void am2901(Simulator&, IcRecord&) {}
void am2910(Simulator&, IcRecord&) {}

}  // namespace sim::models
