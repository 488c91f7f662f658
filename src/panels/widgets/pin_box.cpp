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
    // Delete carries the character DEL with it here, but types nothing.
    if (event->key() == Qt::Key_Delete) return std::nullopt;
    const QString text = event->text();
    if (text.isEmpty() || text.front() == QChar(0x7F)) return std::nullopt;
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
