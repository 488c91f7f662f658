#include "platform/widgets/close_windows.h"

#include <QApplication>
#include <QWidget>

namespace platform {

void closeOtherWindows(const QWidget* except) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        QWidget* w = *it;
        if (w != except && w->isVisible() && !w->inherits("QMenu")) w->close();
    }
}

}  // namespace platform
