#pragma once
// The device link's state for the whole run: the port settings, whether a port
// counts as the device's, which exchange the receive handler serves, the one
// device port, and the few things the link asks of the main window.

#include "link/codefile/code_file.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace devlink {

class DevicePort;

enum DeviceLinkMode : int {
    LinkModeIdle = 0,
    LinkModeScan = 1,
    LinkModeTerminal = 2,
    LinkModeRecvCode = 3,
    LinkModeSendCode = 4,
    LinkModeMemory = 5,
    LinkModeRegister = 6,
    LinkModeUnasm = 7,
    LinkModeRun = 8,
    LinkModeStepInto = 9,
    LinkModeStepOver = 10,
};

// The parity letter for each position of the parity list: odd, even, mark, space, none.
inline constexpr char ParityLetters[] = "OEMSN";

struct PortSettings {
    int CommPortNumber = 1;
    int CommBaudRate = 9600;
    QString CommParity = QStringLiteral("N");
    int CommDataBits = 8;
    float CommStopBits = 1.0f;

    bool operator==(const PortSettings&) const = default;
};

// "9600,N,8,1": baud rate, parity letter, data bits and stop bits in their
// shortest decimal form ("1", "1.5", "2").
QString CommSettings(const PortSettings& settings);
QString stopBitsText(float stopBits);

// What the link needs from the main window. Empty members do nothing, so the
// link works (and is tested) without one.
struct LinkHost {
    std::function<void(const QString&)> showStatusText;  // status bar panel 1
    std::function<void(bool)> setMainWindowEnabled;
    std::function<void(bool)> setMainWindowWaitCursor;
    std::function<void()> bringMainWindowToFront;
};

struct LinkState {
    PortSettings settings;
    bool PortReady = false;
    DeviceLinkMode LinkMode = LinkModeIdle;
    // The main window's serial port, created once for its whole run; null until then.
    DevicePort* port = nullptr;
    LinkHost host;

    // The running exchange, shared by the monitor commands, the command-line
    // window and the code transfers.
    QByteArray LinkCommand;    // the command being sent, carriage return included
    int LinkCommandIndex = 0;  // 1-based index in LinkCommand of the character sent last
    // Between exchanges one zero byte; a reply is appended behind it (at most
    // its first kReplyKeptBytes, see reply_completion.h).
    QByteArray RecvBuffer = QByteArray(1, '\0');
    // Code transfers: the header step, then the data bytes still to move; 0 otherwise.
    int XferCounter = 0;
    int XferFileNumber = 0;  // the open code file of a transfer, 0 when none
    // The blocks of the file being sent that have a count other than 0, the one
    // being sent and the last one.
    std::vector<codefile::CodeSegment> SegmentTable;
    int SegmentIndex = 0;
    int LastSegmentIndex = 0;
    // 1 while the receive handler (or the command-line pump, or the font
    // dialog) works: the pump then does nothing.
    int CommBusy = 0;
    int OnCommBusy = 0;  // the receive handler's re-entry guard

    // The start values of the port settings; `PortReady` becomes false, the port is left as it is.
    void resetPortSettings();
    void showStatusText(const QString& text) const;
    void setMainWindowEnabled(bool enabled) const;
    void setMainWindowWaitCursor(bool on) const;
    void bringMainWindowToFront() const;
};

// The program's one link state.
LinkState& linkState();

}  // namespace devlink
