#include "panels/widgets/pin_box.h"

#include <QKeyEvent>

namespace panels {

PinBox::PinBox(QWidget* parent, int maxLength) : QLineEdit(parent) {
    setReadOnly(true);
    setMaxLength(maxLength);
    setAlignment(Qt::AlignCenter);
    setTextMargins(0, 0, 0, 0);
    setFrame(true);
    // A read-only box still looks like one the user may type into.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
}

std::optional<char32_t> typedCharacter(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) return std::nullopt;
    return text.toUcs4().value(0);
}

void PinBox::keyPressEvent(QKeyEvent* event) {
    const std::optional<char32_t> key = typedCharacter(event);
    if (!key) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    emit keyTyped(*key);
}

}  // namespace panels
