// The four GAL20V8 programs. Not simulated yet: an IC of these types is
// evaluated but leaves its pins and state as they are.

#include "sim/models.h"

namespace sim::models {

void gal20v8_1(Simulator&, IcRecord&) {}
void gal20v8_2(Simulator&, IcRecord&) {}
void gal20v8_3(Simulator&, IcRecord&) {}
void gal20v8_4(Simulator&, IcRecord&) {}

}  // namespace sim::models
