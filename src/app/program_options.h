#pragma once
// The programs' command line: the switches a program starts with, --help and
// --version. Anything else ends the program with an error.

#include <QString>
#include <QStringList>

#include <optional>

namespace app {

struct ProgramOptions {
    // --sampler: the sampling display, its controls and its menus are shown.
    bool sampler = false;
    // --circuit: the circuit-experiment environment alone, without the main window.
    bool circuit = false;
};

struct CommandLine {
    ProgramOptions options;
    // Set when the program is to end at once with this status: 0 after --help
    // or --version, 2 after an option it does not know or a stray argument.
    std::optional<int> exitStatus;
    QString out;  // for standard output (the help text, the version)
    QString err;  // for standard error
};

// `arguments` as the application has them, the program's own name first;
// `versionText` is what --version prints (the edition and its version).
CommandLine parseCommandLine(const QStringList& arguments, const QString& versionText);

// The arguments without the options that the window system takes for itself
// (-platform, -style, -display, ...), as the application object leaves them.
QStringList withoutWindowSystemOptions(const QStringList& arguments);

// True when the program ends on these arguments (--help, --version, an option
// it does not know, a stray argument): it answers on the terminal without
// starting its window system, so that works where there is no display.
bool endsBeforeWindowSystem(const QStringList& arguments);

}  // namespace app
