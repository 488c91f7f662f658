#include "link/widgets/command_line_pane.h"

#include "platform/prompter.h"
#include "platform/widgets/rich_text_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextEdit>

namespace devlink {

CommandLinePane::CommandLinePane(QTextEdit& pane, TerminalPump& pump, QObject* parent)
    : QObject(parent), pane_(pane), pump_(pump) {
    shown_ = pane_.toPlainText();
    pump_.buffer() = TerminalBuffer(TerminalBuffer::fromDocumentText(shown_),
                                    TerminalBuffer::fromDocumentPosition(shown_, pane_.textCursor().position()));
    pump_.setView(this);
    // The device writes the pane; the keyboard, the clipboard and drops do not.
    pane_.setReadOnly(true);
    pane_.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pane_.setAttribute(Qt::WA_InputMethodEnabled, true);
    pane_.setAcceptDrops(false);
    pane_.installEventFilter(this);
}

void CommandLinePane::showTerminal(const TerminalBuffer& buffer, bool replaced) {
    const QString next = TerminalBuffer::documentText(buffer.text());
    auto setWhole = [this](const QString& text) {
        // A replaced text loses the banner's formatting: all of it in the pane's font.
        if (auto* box = qobject_cast<platform::RichTextBox*>(&pane_)) box->setText(text);
        else pane_.setPlainText(text);
    };
    if (replaced) {
        setWhole(next);
    } else {
        // Only the changed middle is replaced, so the rest keeps its formatting.
        const qsizetype limit = std::min(shown_.size(), next.size());
        qsizetype prefix = 0;
        while (prefix < limit && shown_.at(prefix) == next.at(prefix)) ++prefix;
        qsizetype suffix = 0;
        while (suffix < limit - prefix && shown_.at(shown_.size() - 1 - suffix) == next.at(next.size() - 1 - suffix))
            ++suffix;
        QTextCursor edit(pane_.document());
        edit.setPosition(static_cast<int>(prefix));
        edit.setPosition(static_cast<int>(shown_.size() - suffix), QTextCursor::KeepAnchor);
        edit.insertText(next.mid(prefix, next.size() - suffix - prefix));
        if (pane_.toPlainText() != next) setWhole(next);
    }
    shown_ = next;
    QTextCursor caret = pane_.textCursor();
    caret.setPosition(static_cast<int>(TerminalBuffer::documentPosition(buffer.text(), buffer.promptStart())));
    pane_.setTextCursor(caret);
    pane_.ensureCursorVisible();
}

void CommandLinePane::warnInputMethod() {
    platform::MsgBox(QStringLiteral("请注意！您输入字符时可能打开了汉字\r\n输入法，本窗口不支持汉字输入。"), platform::MsgButtons::Ok,
                     QStringLiteral(" 提示：请注意！"), platform::MsgIcon::Warning);
}

bool CommandLinePane::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &pane_) return false;
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Keys that type a character go to the device, not to a shortcut of the pane.
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->text().isEmpty() || key->key() == Qt::Key_Backspace) {
                event->accept();
                return true;
            }
            return false;
        }
        case QEvent::KeyPress: return keyPressed(static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod: {
            const auto* im = static_cast<QInputMethodEvent*>(event);
            if (!im->commitString().isEmpty() || !im->preeditString().isEmpty()) warnInputMethod();
            return true;
        }
        default: return false;
    }
}

bool CommandLinePane::keyPressed(QKeyEvent* key) {
    if (key->key() == Qt::Key_Backspace) {
        pump_.sendBackspace();
        return true;
    }
    // The Delete key would only edit the pane.
    if (key->key() == Qt::Key_Delete) return true;
    const QString text = key->text();
    if (text.isEmpty()) return false;  // caret movement and the like
    bool beyondByte = false;
    for (const QChar c : text) {
        if (c.unicode() > 255) beyondByte = true;
        else pump_.sendTyped(c.unicode());
    }
    // A character no byte can carry comes from an input method.
    if (beyondByte) warnInputMethod();
    return true;
}

}  // namespace devlink
