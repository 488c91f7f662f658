#pragma once
// Reads the assembler's console output and decides what the build shows.
// The 16-bit and 8-bit editions use the banner rules, the base edition the
// response-file rules.

#include "editions/edition_profile.h"

#include <QString>

namespace workbench {

struct BuildOutput {
    QString text;          // the whole console output, line ends as written (CR LF)
    QString t;             // base name of the work files
    QString i;             // the extension-instruction copy's name, "" when none
    QString sourcePath;    // shown in place of T.ASM in messages
    QString extInstrFile;  // shown in place of I in messages
    QString baseName;      // B: the source's file name without folder and extension
};

struct BuildVerdict {
    enum class Kind {
        RawOutput,    // too few lines: the whole output is shown
        Success,      // the assembler reported a code file
        SourceError,  // an error in the source; `line` is the editor line to mark (0: none)
        InsError,     // an error in the extension-instruction file
        Other         // any other message, shown as it is
    };
    Kind kind = Kind::Other;
    QString message;  // the message pane's text; may hold CR LF
    int line = 0;     // SourceError: 1..65535 or 0. InsError: the number read, marked in the listing
    bool showIns = false;  // InsError with a line number: the .INS file goes into the listing pane
};

// The message pane's text after a successful build.
QString successText(const editions::AssemblerProfile& assembler, const QString& baseName);

BuildVerdict parseBuildOutput(const editions::AssemblerProfile& assembler, const BuildOutput& out);

// The value of the number at the start of `text` (leading blanks skipped,
// then an optional sign and decimal digits); 0 when there is none.
long long leadingNumber(QStringView text);

}  // namespace workbench
