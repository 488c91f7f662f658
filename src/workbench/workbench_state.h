#pragma once
// The assembly workbench's state for the whole run: the open source (read by
// the main window's layouts and quit flow), the assembler options and the find
// settings. Default values are the start-up values.

#include "workbench/source_state.h"

#include <QString>

namespace workbench {

// The name a new, never-saved source carries.
inline const QString kUntitledSource = QStringLiteral("无标题.ASM");

struct FindState {
    QString FindText;
    int FindMatchCase = 0;  // 1 match case, 0 ignore case
    int FindDirection = 1;  // 1 towards the end, 0 towards the start
    int FindLastPos = 0;    // the editor's selection start right after the last search
    bool FindRestart = false;
};

struct WorkbenchState : SourceState {
    // Assembler options (offered by the 16-bit and 8-bit editions only).
    bool GenerateLoadInfo = true;  // false passes -g
    bool UseDefaultExtSet = true;  // true passes -e
    QString ExtInstrFile;          // non-empty passes -i with a copy of this file

    FindState find;
};

}  // namespace workbench
