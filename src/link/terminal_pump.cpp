#include "link/terminal_pump.h"

#include "link/comm_send.h"
#include "link/device_port.h"

#include <QTimer>

#include <algorithm>

namespace devlink {
namespace {

constexpr int kFloodIndex = 200;  // two reads in a row beyond this index: only the tail is shown
constexpr int kFloodTail = 150;
constexpr int kTrimEveryTicks = 5;

}  // namespace

TerminalPump::TerminalPump(LinkState& link, QTimer& timer, QObject* parent)
    : QObject(parent), link_(link), timer_(timer) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &TerminalPump::Timer1_Timer);
    soon_.setSingleShot(true);
    soon_.setInterval(0);
    connect(&soon_, &QTimer::timeout, this, &TerminalPump::Timer1_Timer);
}

bool TerminalPump::portUsable() const { return link_.port && link_.port->isOpen() && link_.PortReady; }

void TerminalPump::show() {
    if (view_) view_->showTerminal(buffer_, buffer_.takeReplaced());
}

void TerminalPump::Timer1_Timer() {
    if (!portUsable() || link_.CommBusy != 0) return;
    link_.CommBusy = 1;
    const QByteArray bytes = link_.port->readAll();
    if (bytes.isEmpty()) {
        timer_.stop();
        link_.port->setReceiveNotification(true);
        link_.CommBusy = 0;
        return;
    }
    renderRead(bytes);
    link_.CommBusy = 0;
}

void TerminalPump::renderRead(QByteArrayView bytes) {
    if (bytes.isEmpty()) return;
    const int n = static_cast<int>(bytes.size()) - 1;
    int first = 0;
    if (n > kFloodIndex && TerminalLastCount > kFloodIndex) first = n - kFloodTail;
    if (SkipFirstByte == 1) {
        SkipFirstByte = 0;
        first = 1;
    }
    TerminalLastCount = n;
    buffer_.render(bytes.sliced(std::min(first, n + 1)));
    if (TerminalTick == kTrimEveryTicks) {
        TerminalTick = 0;
        buffer_.trim();
    } else {
        ++TerminalTick;
    }
    show();
}

void TerminalPump::serveReceive() {
    timer_.start();
    if (link_.port) link_.port->setReceiveNotification(false);
    // The receive handler holds CommBusy until it returns; the pump runs right after.
    soon_.start();
}

void TerminalPump::takeOverPort() {
    timer_.stop();
    soon_.stop();
    Timer1_Timer();
    if (link_.port) link_.port->setReceiveNotification(true);
}

void TerminalPump::sendTyped(char16_t code) {
    if (!link_.PortReady) return;
    if (code == 8) code = 127;
    if (code > 255) return;
    sendKeyByte(static_cast<quint8>(code));
}

void TerminalPump::sendBackspace() {
    if (link_.PortReady) sendKeyByte(127);
}

void TerminalPump::sendKeyByte(quint8 byte) {
    // SendCommByte's pause handles window events, so the next key can arrive
    // inside it; it goes out after this one, never before.
    keysWaiting_.append(static_cast<char>(byte));
    if (sendingKeys_) return;
    sendingKeys_ = true;
    while (!keysWaiting_.isEmpty()) {
        const auto next = static_cast<quint8>(keysWaiting_.at(0));
        keysWaiting_.remove(0, 1);
        SendCommByte(link_, next);
    }
    sendingKeys_ = false;
}

void TerminalPump::ToolCommandLineClear_Click() {
    buffer_.clearToLastLine();
    show();
}

}  // namespace devlink
