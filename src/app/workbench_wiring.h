#pragma once
// The assembly workbench on the main window: its panes, its menu entries and
// toolbar buttons, and the save routine the layouts and the quit flow call.

#include "app/program_hooks.h"
#include "workbench/workbench_state.h"

namespace workbench {
class Workbench;
}

namespace app {

class MainWindow;

// Fills `hooks` so that the main window, once built, carries a workbench on
// `state` (which must be the state the window was given).
void wireWorkbenchHooks(WorkbenchHooks& hooks, workbench::WorkbenchState& state);

// The workbench attached to `window`, null before the window is built.
workbench::Workbench* workbenchOf(MainWindow& window);

}  // namespace app
