#pragma once
// How one build invokes the edition's assembler: the exact batch line (kept as a
// record in T.BAT), the response file of the base edition, and the same command
// as an argument vector for starting the assembler without any shell.

#include "editions/edition_profile.h"
#include "workbench/work_names.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace workbench {

struct AssemblerOptions {
    bool generateLoadInfo = true;  // false passes -g
    bool useDefaultExtSet = true;  // true passes -e
};

struct BuildCommand {
    QString batchLine;        // upper-case, without line end
    QByteArray batchFile;     // T.BAT: the line, CR LF, CR LF
    QByteArray responseFile;  // T.TXT: T, CR LF, CR LF; empty when the edition feeds none
    QStringList arguments;    // the line's arguments after the program
    QString stdinFile;        // file name in the source folder, "" for none
    QString stdoutFile;       // file name in the source folder
};

// `names.i` is passed with -i when not empty; options are ignored where the
// edition passes none.
BuildCommand makeBuildCommand(const editions::AssemblerProfile& assembler, const WorkNames& names,
                              const AssemblerOptions& options);

// ".EXE" or ".COM": the extension of the assembler's name in the batch line.
QString assemblerExtension(const editions::AssemblerProfile& assembler);

}  // namespace workbench
