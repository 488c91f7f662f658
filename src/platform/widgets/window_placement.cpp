#include "platform/widgets/window_placement.h"

#include <QFontMetrics>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace platform {
namespace {

const char* const kPlacedProperty = "placedOverOwner";

}  // namespace

void placeOverOnce(QWidget& window, const QWidget* owner, int cascade) {
    if (!owner || window.property(kPlacedProperty).toBool()) return;
    window.setProperty(kPlacedProperty, true);
    const QRect over = owner->frameGeometry();
    const QSize size = window.size();
    const int step = QFontMetrics(window.font()).height() + 8;
    QPoint topLeft = over.topLeft() + QPoint((over.width() - size.width()) / 2, (over.height() - size.height()) / 2) +
                     QPoint(step, step) * cascade;
    if (const QScreen* screen = owner->screen()) {
        const QRect room = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
        topLeft.setY(std::clamp(topLeft.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height())));
    }
    window.move(topLeft);
}

}  // namespace platform
