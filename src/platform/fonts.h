#pragma once
// The faces the program's texts name (宋体 for every pane, "MS Sans Serif" in
// the banner, Arial and "Times New Roman" in rich text) are not installed on a
// Linux desktop; they are mapped onto installed faces of the same kind (for
// 宋体: a face whose Latin letters are half-width and fixed-pitch).

#include <QFont>

namespace platform {

// Registers the substitutions with Qt's font matching. Call once after the
// application object exists; calling again does no harm.
void installFontSubstitutions();

// The panes' font: 宋体 at the given size.
QFont paneFont(double pointSize = 12);

inline constexpr const char16_t* kPaneFontFamily = u"宋体";

}  // namespace platform
