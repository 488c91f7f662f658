// How the assembly workbench plugs into the program. Until the source editor
// exists nothing can be saved, so a save reports that nothing was written.

#include "app/program.h"

namespace app {

void wireWorkbench(Program& program) {
    WorkbenchHooks& workbench = program.hooks().workbench;
    workbench.saveSourceFile = [] { return false; };
}

}  // namespace app
