#include "link/monitor_exchange.h"

#include "link/address_rule.h"
#include "link/comm_send.h"
#include "link/device_port.h"
#include "link/link_notifier.h"
#include "link/monitor_command_table.h"
#include "link/progress_view.h"
#include "link/reply_completion.h"
#include "link/reply_fills.h"
#include "link/terminal_pump.h"
#include "platform/wait_seconds.h"

#include <algorithm>

namespace devlink {
namespace {


}  // namespace

MonitorExchange::MonitorExchange(LinkState& link, const editions::EditionProfile& profile, TerminalPump& pump,
                                 ReplyLists& lists, ProgressViewFactory createProgressView, QObject* parent)
    : QObject(parent), link_(link), profile_(profile), pump_(pump), lists_(lists),
      createProgressView_(std::move(createProgressView)) {}

void MonitorExchange::attachPort() {
    if (link_.port) connect(link_.port, &DevicePort::received, this, &MonitorExchange::MSComm1_OnComm, Qt::UniqueConnection);
}

bool MonitorExchange::portReady() const { return link_.port && link_.port->isOpen() && link_.PortReady; }

void MonitorExchange::CommandMemory_Click() { startExchange('D'); }
void MonitorExchange::CommandRegister_Click() { startExchange('R'); }
void MonitorExchange::CommandUnAsm_Click() { startExchange('U'); }
void MonitorExchange::CommandRun_Click() { startExchange('G'); }
void MonitorExchange::CommandStepIntoAs_Click() { startExchange('T'); }
void MonitorExchange::CommandStepAs_Click() { startExchange('P'); }
void MonitorExchange::CommandStepInto_Click() { sendStepShortcut('T'); }
void MonitorExchange::CommandStep_Click() { sendStepShortcut('P'); }

void MonitorExchange::sendStepShortcut(char letter) {
    if (!portReady()) return;
    SendCommBytes(link_, QByteArray(1, letter) + '\r');
}

ProgressView* MonitorExchange::newProgressDialog() {
    ProgressView* view = createProgressView_();
    view->onCancel = [this, view] { Command1_Click(view); };
    return view;
}

void MonitorExchange::startExchange(char letter) {
    if (!portReady()) return;
    const MonitorCommand& command = monitorCommand(letter);
    QString parameter;
    if (!command.promptFirstLine.isEmpty()) {
        const auto answer = linkNotifier().askAddress(addressPrompt(command), command.boxTitle, kDefaultAddressAnswer);
        parameter = addressParameter(profile_, answer.value_or(QString()));
    }

    link_.setMainWindowEnabled(false);
    ProgressView* view = newProgressDialog();
    xferDialog_ = view;
    view->setCaption(command.caption);
    view->setLabel1(command.label1);
    view->setLabel2(command.label2);
    view->setLabel3(QStringLiteral("0 / 0"));
    view->setProgressRange(0, expectedReplyBytes(profile_, letter));
    view->setProgressValue(0);

    link_.LinkCommandIndex = 1;
    link_.LinkCommand = QByteArray(1, letter) + parameter.toLatin1() + '\r';
    reply_ = {};
    // The first character's pause passes while the pane still takes what the
    // device prints. Then what the pump has not shown yet goes to the pane,
    // receive events come again, and the character goes out at once: output
    // of the device during the pause is never taken for its echo, and the
    // pump never reads the echo away.
    platform::WaitSeconds(platform::Timer(), kSendCommBytePause);
    pump_.takeOverPort();
    link_.LinkMode = command.mode;
    SendCommBytes(link_, link_.LinkCommand.left(1));
    if (xferDialog_ == view) view->showInFront();
}

void MonitorExchange::MSComm1_OnComm() {
    link_.CommBusy = 1;
    if (link_.OnCommBusy == 1) return;  // the handler is at work: the bytes wait for the next event
    link_.OnCommBusy = 1;
    switch (link_.LinkMode) {
        case LinkModeTerminal: pump_.serveReceive(); break;
        case LinkModeRecvCode:
            if (serveRecvCode) serveRecvCode();
            break;
        case LinkModeSendCode:
            if (serveSendCode) serveSendCode();
            break;
        case LinkModeMemory:
        case LinkModeRegister:
        case LinkModeUnasm: serveReply(); break;
        case LinkModeRun:
        case LinkModeStepInto:
        case LinkModeStepOver: servePacing(); break;
        default: break;
    }
    link_.CommBusy = 0;
    link_.OnCommBusy = 0;
}

void MonitorExchange::serveReply() {
    if (!xferDialog_) return;
    DevicePort& port = *link_.port;
    const qsizetype length = link_.LinkCommand.size();
    if (link_.LinkCommandIndex < length) {
        // One character per echo; the echoes of the command are dropped once all have come.
        if (port.bytesAvailable() >= length - 1) port.readAll();
        ++link_.LinkCommandIndex;
        if (link_.LinkCommandIndex <= length)
            SendCommByte(link_, static_cast<quint8>(link_.LinkCommand.at(link_.LinkCommandIndex - 1)));
        return;
    }
    const QByteArray bytes = port.readAll();
    if (bytes.isEmpty()) return;
    reply_.take(bytes);
    // A reply that can no longer complete, or that outgrows any monitor's
    // reply, is only counted from then on: a device that floods the line
    // cannot fill the memory.
    const qsizetype room = kReplyKeptBytes - (link_.RecvBuffer.size() - 1);
    if (!reply_.cannotComplete() && room > 0) link_.RecvBuffer.append(bytes.first(std::min(room, bytes.size())));
    const qint64 n = reply_.received();
    const int maximum = xferDialog_->progressMaximum();
    xferDialog_->setLabel3(QStringLiteral("%1/ %2").arg(n).arg(maximum));
    if (maximum >= n) xferDialog_->setProgressValue(static_cast<int>(n));
    if (!reply_.isComplete(maximum)) return;
    const QByteArrayView reply = QByteArrayView(link_.RecvBuffer).sliced(1);
    switch (link_.LinkMode) {
        case LinkModeMemory: fillMemoryList(reply, profile_.replyLayout, lists_); break;
        case LinkModeRegister: fillRegisterList(reply, profile_.replyLayout, lists_); break;
        default: fillUnasmList(reply, profile_.replyLayout, lists_); break;
    }
    finish();
}

void MonitorExchange::servePacing() {
    if (!xferDialog_) return;
    const qsizetype length = link_.LinkCommand.size();
    if (link_.LinkCommandIndex < length) {
        ++link_.LinkCommandIndex;
        if (link_.LinkCommandIndex <= length)
            SendCommByte(link_, static_cast<quint8>(link_.LinkCommand.at(link_.LinkCommandIndex - 1)));
        return;
    }
    finish();
    // The echoes and what the device printed with them would otherwise wait
    // for a further byte before the pane shows them.
    if (link_.port->bytesAvailable() > 0) pump_.serveReceive();
}

void MonitorExchange::finish() {
    link_.RecvBuffer = QByteArray(1, '\0');
    reply_ = {};
    ProgressView* view = xferDialog_;
    xferDialog_ = nullptr;
    if (view) view->unload();
    link_.LinkMode = LinkModeTerminal;
    link_.setMainWindowEnabled(true);
    link_.bringMainWindowToFront();
}

void MonitorExchange::Command1_Click(ProgressView* dialog) {
    if (!dialog) dialog = xferDialog_;
    if (link_.XferFileNumber > 0) {
        if (closeTransferFile) closeTransferFile();
        link_.XferFileNumber = 0;
    }
    // Every exchange mode returns to the command line, so that the pane keeps
    // working after a cancelled run or step as well.
    if (link_.LinkMode >= LinkModeRecvCode && link_.LinkMode <= LinkModeStepOver) link_.LinkMode = LinkModeTerminal;
    link_.XferCounter = 0;
    link_.RecvBuffer = QByteArray(1, '\0');
    reply_ = {};
    xferDialog_ = nullptr;
    link_.setMainWindowEnabled(true);
    link_.bringMainWindowToFront();
    if (dialog) dialog->unload();
}

}  // namespace devlink
