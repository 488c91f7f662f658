#include "circuit/widgets/form12.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>

#include "circuit/environment.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "platform/prompter.h"

namespace circuit::widgets {

using platform::screenPx;
namespace {

// The character code a key types, as a terminal sends it; -1 for a key that
// types none (or types a character beyond one byte).
int keyAsciiOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab: return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Escape: return 27;
        default: break;
    }
    const QString text = event.text();
    if (text.isEmpty()) return -1;
    const char16_t c = text.front().unicode();
    return c > 0 && c < 256 ? c : -1;
}

}  // namespace

TerminalBox::TerminalBox(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // Read-only boxes take no input-method text; this one must see it to warn.
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

void TerminalBox::keyPressEvent(QKeyEvent* event) {
    // No key reaches the text, in either run mode.
    event->accept();
    const int code = keyAsciiOf(*event);
    if (code >= 0) emit keyAscii(code);
}

void TerminalBox::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
    if (!event->preeditString().isEmpty() || !event->commitString().isEmpty()) emit inputMethodUsed();
}

Form12::Form12(circuit::Environment& env, int32_t ic, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), IcDispFormNumber(ic), env_(env) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("8251 out"));
    setFixedSize(screenPx(7590), screenPx(5505));

    box_ = new TerminalBox(this);
    box_->setObjectName(QStringLiteral("RichTextBox1"));
    // A terminal's columns line up only in a fixed-pitch face: the panes' face, at the box's size.
    box_->setFont(platform::paneFont(box_->font().pointSizeF()));
    box_->setGeometry(0, 0, screenPx(7575), screenPx(4935));
    command1_ = new QPushButton(QStringLiteral("清除内容"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(screenPx(240), screenPx(5040), screenPx(975), screenPx(375));
    command9_ = new QPushButton(QStringLiteral("隐藏窗口"), this);
    command9_->setObjectName(QStringLiteral("Command9"));
    command9_->setGeometry(screenPx(6360), screenPx(5040), screenPx(975), screenPx(375));

    connect(box_, &TerminalBox::keyAscii, this, &Form12::RichTextBox1_KeyPress);
    connect(box_, &TerminalBox::inputMethodUsed, this, &Form12::warnInputMethod);
    connect(command1_, &QPushButton::clicked, this, &Form12::Command1_Click);
    connect(command9_, &QPushButton::clicked, this, &Form12::Command9_Click);
}

void Form12::showText() {
    box_->setPlainText(text_.text());
    box_->moveCursor(QTextCursor::End);
    box_->verticalScrollBar()->setValue(box_->verticalScrollBar()->maximum());
}

void Form12::RichTextBox1_KeyPress(int keyAscii) {
    if (!env_.runActive()) return;
    // A byte the 8251 refuses is lost.
    env_.simulator.Put8251RxByte(IcDispFormNumber, keyAscii == 8 ? 127 : keyAscii);
}

void Form12::warnInputMethod() {
    platform::MsgBox(QStringLiteral("请注意！您输入字符时可能打开了汉字\n输入法，本窗口不支持汉字输入。"),
                     platform::MsgButtons::Ok, QStringLiteral(" 提示：请注意！"), platform::MsgIcon::Warning);
}

void Form12::Command1_Click() {
    text_.keepLastLine();
    showText();
}

void Form12::Command9_Click() { hide(); }

}  // namespace circuit::widgets
