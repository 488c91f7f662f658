#pragma once
// The command-line pane (RichTextBox1) as a terminal: it shows the pump's
// buffer, sends every typed key to the device and takes no edit of its own.

#include "link/terminal_pump.h"

#include <QObject>
#include <QString>

class QKeyEvent;
class QTextEdit;

namespace devlink {

class CommandLinePane : public QObject, public TerminalView {
    Q_OBJECT
public:
    // Takes the pane's present text and caret as the buffer's start (the banner).
    CommandLinePane(QTextEdit& pane, TerminalPump& pump, QObject* parent = nullptr);

    void showTerminal(const TerminalBuffer& buffer, bool replaced) override;

    // The warning shown when a key comes from an input method.
    static void warnInputMethod();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(QKeyEvent* key);

    QTextEdit& pane_;
    TerminalPump& pump_;
    QString shown_;  // the document text last shown
};

}  // namespace devlink
