#pragma once
// The window the program's dialogs stay above: the main window. While an
// exchange, a transfer, the port search or a message runs, the main window is
// disabled, so these dialogs cannot be its children (a disabled window disables
// its children). The window manager is told instead that they belong to it, so
// a click on the greyed main window never buries them.

class QWidget;

namespace platform {

// The main window registers itself; the registration ends with the window.
void setDialogOwner(QWidget* owner);
QWidget* dialogOwner();

// Makes `dialog`, a window of its own, a transient of the owner; nothing
// happens while no owner is registered.
void keepAboveDialogOwner(QWidget* dialog);

}  // namespace platform
