#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace platform {

int screenTwipsPerPixel() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || !QGuiApplication::primaryScreen()) return 15;
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    if (dpi <= 0) return 15;
    const int t = static_cast<int>(std::lround(1440.0 / dpi));
    return t > 0 ? t : 1;
}

int twipsToPx(int twips, int twipsPerPixel) { return twipsPerPixel > 0 ? twips / twipsPerPixel : twips; }

}  // namespace platform
