#pragma once
// Unloading every window of the program, as a closing main window or frame does.

class QWidget;

namespace platform {

// Closes every visible top-level window but `except`, newest first; menus
// that happen to be open are left to close themselves.
void closeOtherWindows(const QWidget* except);

}  // namespace platform
