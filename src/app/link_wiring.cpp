// How the device link plugs into the program. Until the device port exists
// there is no port: the status always says so and the search finds nothing.

#include "app/main_window.h"
#include "app/program.h"

namespace app {

void wireLink(Program& program) {
    LinkHooks& link = program.hooks().link;
    link.showPortStatus = [](MainWindow& w) { w.setStatusText(1, QString::fromUtf16(kNoPortText)); };
    // No port can be searched yet: the status keeps telling that none is ready.
    link.searchPort = [](MainWindow& w) { w.setStatusText(1, QString::fromUtf16(kNoPortText)); };
}

}  // namespace app
