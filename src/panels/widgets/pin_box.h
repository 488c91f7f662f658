#pragma once
// An input box of a test panel: read only, one centred level. Every key that
// types a character (Backspace, Enter and Esc among them) is handed to the
// panel instead of editing the box; other keys (Shift, the arrows, Delete)
// keep their ordinary meaning.

#include <QLineEdit>

#include <optional>

namespace panels {

// The character a key press types, or nothing for keys that type none
// (Delete among them).
std::optional<char32_t> typedCharacter(const QKeyEvent* event);

class PinBox : public QLineEdit {
    Q_OBJECT
public:
    explicit PinBox(QWidget* parent = nullptr, int maxLength = 1);

signals:
    void keyTyped(char32_t key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace panels
