#pragma once
// The command-line window's link to the device: the pump that polls the port
// and renders what arrives, the switch between receive notifications and
// polling, the keys sent to the device, and the clear command.

#include "link/link_state.h"
#include "link/terminal_buffer.h"

#include <QObject>
#include <QTimer>

namespace devlink {

// The pane that shows the buffer.
class TerminalView {
public:
    virtual ~TerminalView() = default;
    // The buffer changed; `replaced`: its text was replaced as a whole.
    virtual void showTerminal(const TerminalBuffer& buffer, bool replaced) = 0;
};

class TerminalPump : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 50;

    // `timer` is the window's pump timer (Timer1); the pump drives it.
    TerminalPump(LinkState& link, QTimer& timer, QObject* parent = nullptr);

    TerminalBuffer& buffer() { return buffer_; }
    void setView(TerminalView* view) { view_ = view; }
    QTimer& timer() { return timer_; }

    // Timer1_Timer: reads what waits and renders it; a tick that reads nothing
    // switches back to receive notifications.
    void Timer1_Timer();
    // What the pump does with the bytes of one non-empty read: the flood rule,
    // SkipFirstByte, rendering, and the trimming on every sixth such read.
    void renderRead(QByteArrayView bytes);

    // A receive event in the command-line mode: notifications off, the timer on,
    // and one pump as soon as the receive handler is done.
    void serveReceive();

    // Before an exchange sends its first byte: the timer stops, what waits is
    // shown, and receive notifications come again, so the exchange gets every echo.
    void takeOverPort();

    // A typed character goes to the device (backspace as 127); nothing is inserted.
    void sendTyped(char16_t code);
    // The Backspace key: one 127.
    void sendBackspace();

    // ToolCommandLineClear_Click: clears the pane but its last line.
    void ToolCommandLineClear_Click();

    int TerminalLastCount = 0;  // index of the last byte of the previous non-empty read
    int TerminalTick = 0;       // ticks that read bytes, 0 to 5
    int SkipFirstByte = 0;      // 1: the next non-empty read is shown from its second byte

private:
    bool portUsable() const;
    void show();
    void sendKeyByte(quint8 byte);

    LinkState& link_;
    QTimer& timer_;
    QTimer soon_;  // the pump right after the receive handler
    TerminalBuffer buffer_;
    TerminalView* view_ = nullptr;
    // Keys typed during the pause before a key's byte wait their turn behind it.
    QByteArray keysWaiting_;
    bool sendingKeys_ = false;
};

}  // namespace devlink
