#pragma once
// Code transfer: "从Vuz设备获取数据" receives one block of the device's memory
// into a new code file, "向Vuz设备发送数据" sends every block of a code file to
// the device. Each starts a monitor routine with the edition's G command,
// paced by echoes like every monitor command, then moves a four-byte header
// (address high, address low, count high, count low) and the data byte by
// byte, every byte answered by its echo, under the exchange's progress dialog.

#include "editions/edition_profile.h"
#include "link/link_state.h"

#include <QFile>
#include <QObject>

#include <cstdint>
#include <vector>

namespace devlink {

class MonitorExchange;
class ProgressView;
class TerminalPump;

class CodeTransfer : public QObject {
    Q_OBJECT
public:
    enum class Phase { Idle, Launch, Header, Data, Parked };

    // Plugs into `exchange`'s receive handler and cancel for as long as it lives.
    CodeTransfer(LinkState& link, const editions::EditionProfile& profile, MonitorExchange& exchange,
                 TerminalPump& pump, QObject* parent = nullptr);
    ~CodeTransfer() override;

    // The commands: each asks for its file and starts its transfer, or does
    // nothing while no port is ready.
    void ToolRecvData_Click();
    void ToolSendData_Click();

    // One receive event in LinkModeRecvCode or LinkModeSendCode.
    void serveRecvCode();
    void serveSendCode();

    // Where the running transfer stands: Launch while its G command goes out,
    // Header and Data, and Parked between a block's last byte and its echo.
    Phase phase() const { return phase_; }

private:
    bool portReady() const;
    void startLaunch(DeviceLinkMode mode, std::string_view command, ProgressView& view);
    void paceLaunch();
    bool openTarget(const QString& path);
    void failStart();
    void takeReceived(const QByteArray& bytes);
    bool takeRecvHeader(ProgressView& view);
    void failReceive();
    void finishReceive();
    void sendHeaderStep(ProgressView& view);
    void serveParked();
    void finishSend();
    void handOverToCommandLine();
    void beginBlockCounter(ProgressView& view, int locations);
    void countMoved(ProgressView& view);
    QString counterText(int locationsMoved, int locations) const;
    void closeTransferFile();

    LinkState& link_;
    const editions::EditionProfile& profile_;
    MonitorExchange& exchange_;
    TerminalPump& pump_;

    Phase phase_ = Phase::Idle;
    bool sending_ = false;
    unsigned transferId_ = 0;  // tells a transfer started later from the one that waited
    QFile target_;             // the file a receive writes
    std::vector<std::uint8_t> source_;  // the file a send reads, whole
    std::size_t sourceAt_ = 0;          // the next data byte to send
    // The send's dialog between a block's last data byte and its echo, while
    // XferDialog is none; cleared by a cancel, which unloads it.
    ProgressView* XferDialogParked = nullptr;
    // The progress dialog's counters (its text tags show them too): data bytes
    // moved, the block's locations and its data bytes.
    int moved_ = 0;
    int locations_ = 0;
    int blockBytes_ = 0;
};

}  // namespace devlink
