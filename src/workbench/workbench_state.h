#pragma once
// The assembly workbench's state for the whole run: the open source, the
// assembler options and the find settings. Default values are the start-up values.

#include <QString>

namespace workbench {

// The name a new, never-saved source carries.
inline const QString kUntitledSource = QStringLiteral("无标题.ASM");

struct FindState {
    QString FindText;
    int FindMatchCase = 0;   // 1 match case, 0 ignore case
    int FindDirection = 1;   // 1 towards the end, 0 towards the start
    int FindLastPos = 0;     // the editor's selection start right after the last search
    bool FindRestart = false;
};

struct WorkbenchState {
    // The open source.
    QString SourcePath;  // "" until the editor layout is first shown
    bool SourceHasName = false;
    bool SourceModified = false;
    bool TrackChanges = false;  // start-up switches it on as its last step

    // Assembler options (offered by the 16-bit and 8-bit editions only).
    bool GenerateLoadInfo = true;  // false passes -g
    bool UseDefaultExtSet = true;  // true passes -e
    QString ExtInstrFile;          // non-empty passes -i with a copy of this file

    FindState find;

    // Where the next file dialog opens: the folder of the last file chosen in
    // any of them (the dialogs never move the process's working folder).
    QString lastDialogFolder;
};

}  // namespace workbench
