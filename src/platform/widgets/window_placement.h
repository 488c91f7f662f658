#pragma once
// Where a new window of its own appears: over the window it belongs to, as a
// window manager places a new dialog, and not wherever the screen begins.

class QWidget;

namespace platform {

// Places `window` centred over `owner`, moved `cascade` steps down and to the
// right (one step about a title bar high), and kept on the owner's screen.
// Only the first call for a window places it: later ones leave it where it
// is, also where the user has moved it. A missing owner places nothing.
void placeOverOnce(QWidget& window, const QWidget* owner, int cascade = 0);

}  // namespace platform
