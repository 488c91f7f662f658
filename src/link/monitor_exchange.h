#pragma once
// The monitor command exchange: the six commands of the menu "Vuz设备命令"
// and the two step shortcuts, the device port's receive handler with its
// dispatch over LinkMode, the pacing of a command by the device's echoes, the
// completion of D, R and U replies, and the progress dialog's cancel.

#include "editions/edition_profile.h"
#include "link/link_state.h"
#include "link/reply_completion.h"

#include <QObject>

#include <functional>

namespace devlink {

class ProgressView;
class ReplyLists;
class TerminalPump;

class MonitorExchange : public QObject {
    Q_OBJECT
public:
    using ProgressViewFactory = std::function<ProgressView*()>;

    MonitorExchange(LinkState& link, const editions::EditionProfile& profile, TerminalPump& pump, ReplyLists& lists,
                    ProgressViewFactory createProgressView, QObject* parent = nullptr);

    // Serves the receive notifications of link.port (set by then).
    void attachPort();

    // The commands: each asks what it needs and starts its exchange, or does
    // nothing while no port is ready.
    void CommandMemory_Click();      // D
    void CommandRegister_Click();    // R
    void CommandUnAsm_Click();       // U
    void CommandRun_Click();         // G
    void CommandStepIntoAs_Click();  // T
    void CommandStepAs_Click();      // P
    // F7 and F8: "T" or "P" and a carriage return at once, without a dialog.
    void CommandStepInto_Click();
    void CommandStep_Click();

    // MSComm1_OnComm: one receive event.
    void MSComm1_OnComm();

    // DataSendRecvProcess.Command1_Click: "取消" of `dialog` (the running
    // exchange's when null). Also the code transfers' way out of an error.
    void Command1_Click(ProgressView* dialog = nullptr);

    // The running exchange's progress dialog; null when none runs.
    ProgressView* XferDialog() const { return xferDialog_; }
    void setXferDialog(ProgressView* dialog) { xferDialog_ = dialog; }
    // A new progress dialog whose "取消" cancels through Command1_Click.
    ProgressView* newProgressDialog();

    // The code transfers plug in here: their receive steps and the closing of
    // their file on cancel. Until then nothing happens in those modes.
    std::function<void()> serveRecvCode;
    std::function<void()> serveSendCode;
    std::function<void()> closeTransferFile;

private:
    void startExchange(char letter);
    void serveReply();
    void servePacing();
    void finish();
    void sendStepShortcut(char letter);
    bool portReady() const;

    LinkState& link_;
    const editions::EditionProfile& profile_;
    TerminalPump& pump_;
    ReplyLists& lists_;
    ProgressViewFactory createProgressView_;
    ProgressView* xferDialog_ = nullptr;
    // The completion check of the D, R or U reply being collected in RecvBuffer.
    ReplyCompletion reply_;
};

}  // namespace devlink
