// How the sampling display plugs into the program: nothing yet.

#include "app/program.h"

namespace app {

void wireSampling(Program&) {}

}  // namespace app
