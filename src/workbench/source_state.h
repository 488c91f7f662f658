#pragma once
// The source editor's module state, read by the main window's layouts and quit
// flow and owned by the workbench. One instance lives for the whole run.

#include <QString>

namespace workbench {

struct SourceState {
    QString SourcePath;           // "无标题.ASM" for a new source; empty before the first one
    bool SourceHasName = false;   // the source has been opened or saved under a name
    bool SourceModified = false;  // changed since it was opened, created or saved
    bool TrackChanges = false;    // edits mark the source modified only while this is on
};

}  // namespace workbench
