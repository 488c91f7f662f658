#pragma once
// `Form12`: the terminal window of one simulated 8251 ("8251 out"), a fixed
// tool window over the frame. It shows what the 8251 sent while the console
// stepped the clock, and during a continuous run passes the keys typed into it
// to the 8251's receiver. Its own buttons clear it down to its last line and
// hide it; the frame's window menu shows it again.

#include <QPlainTextEdit>
#include <QWidget>

#include <cstdint>

#include "circuit/terminal_text.h"

class QPushButton;

namespace circuit {
struct Environment;
}

namespace circuit::widgets {

// The text box: read-only, every key and every input-method text goes to the window.
class TerminalBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TerminalBox(QWidget* parent = nullptr);

signals:
    void keyAscii(int code);
    void inputMethodUsed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};

class Form12 : public QWidget {
    Q_OBJECT
public:
    // A terminal of 8251 `ic`, hidden, with its design caption "8251 out".
    Form12(circuit::Environment& env, int32_t ic, QWidget* parent = nullptr);

    // The global IC number of its 8251.
    const int32_t IcDispFormNumber;

    // One output code of the 8251, by the terminal's code table; showText()
    // puts the text into the box afterwards.
    void put(int32_t code) { text_.put(code); }
    // The box shows the text, the caret at its end.
    void showText();
    const circuit::TerminalText& text() const { return text_; }

    TerminalBox* RichTextBox1() const { return box_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command9() const { return command9_; }

    // Handlers.
    void RichTextBox1_KeyPress(int keyAscii);
    void warnInputMethod();
    void Command1_Click();
    void Command9_Click();

private:
    circuit::Environment& env_;
    circuit::TerminalText text_;
    TerminalBox* box_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command9_ = nullptr;
};

}  // namespace circuit::widgets
