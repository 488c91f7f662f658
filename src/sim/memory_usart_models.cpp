// The 8251, 2732 and 6116 models. Not simulated yet: an IC of these types is
// evaluated but leaves its pins and state as they are.

#include "sim/models.h"

namespace sim::models {

void usart8251(Simulator&, IcRecord&) {}
void eprom2732(Simulator&, IcRecord&) {}
void ram6116(Simulator&, IcRecord&) {}

}  // namespace sim::models
