#pragma once
// The programs' command-line switches.

#include <QStringList>

namespace app {

struct ProgramOptions {
    // --sampler: the sampling display, its controls and its menus are shown.
    bool sampler = false;
    // --circuit: the circuit-experiment environment alone, without the main window.
    bool circuit = false;
};

// `arguments` as the application has them, the program's own name first.
// Switches the program does not know are left alone.
ProgramOptions parseProgramOptions(const QStringList& arguments);

}  // namespace app
