#include "platform/widgets/dialog_owner.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

QPointer<QWidget>& owner() {
    static QPointer<QWidget> o;
    return o;
}

}  // namespace

void setDialogOwner(QWidget* w) { owner() = w; }

QWidget* dialogOwner() { return owner(); }

void keepAboveDialogOwner(QWidget* dialog) {
    QWidget* o = owner();
    if (!dialog || !o || dialog == o || !dialog->isWindow()) return;
    // Both need their native windows for the window manager to see the link.
    o->winId();
    dialog->winId();
    if (QWindow* w = dialog->windowHandle()) w->setTransientParent(o->windowHandle());
}

}  // namespace platform
