#include "link/code_transfer.h"

#include "link/comm_send.h"
#include "link/device_port.h"
#include "link/link_notifier.h"
#include "link/monitor_exchange.h"
#include "link/progress_view.h"
#include "link/terminal_pump.h"
#include "platform/wait_seconds.h"

#include <QFileInfo>

#include <utility>

namespace devlink {
namespace {

constexpr float kBlockPauseSeconds = 0.5f;  // between the blocks of a send
constexpr qsizetype kHeaderPosition = 7;    // of a received header's first byte, counted from the first echo
constexpr int kProgressMaximum = 1000;

QString hex4(int address) { return QStringLiteral("%1").arg(address & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper(); }

QString sendTarget(int address) { return QStringLiteral("发送数据到 VAZ 设备的 %1H 起始地址处").arg(hex4(address)); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

CodeTransfer::CodeTransfer(LinkState& link, const editions::EditionProfile& profile, MonitorExchange& exchange,
                           TerminalPump& pump, QObject* parent)
    : QObject(parent), link_(link), profile_(profile), exchange_(exchange), pump_(pump) {
    exchange_.serveRecvCode = [this] { serveRecvCode(); };
    exchange_.serveSendCode = [this] { serveSendCode(); };
    exchange_.closeTransferFile = [this] { closeTransferFile(); };
}

CodeTransfer::~CodeTransfer() {
    exchange_.serveRecvCode = nullptr;
    exchange_.serveSendCode = nullptr;
    exchange_.closeTransferFile = nullptr;
}

bool CodeTransfer::portReady() const { return link_.port && link_.port->isOpen() && link_.PortReady; }

// ---- receive ----

void CodeTransfer::ToolRecvData_Click() {
    if (!portReady()) return;
    const auto chosen = linkNotifier().chooseReceiveFile();
    if (!chosen || chosen->isEmpty()) return;

    link_.XferFileNumber = 1;
    if (!openTarget(*chosen)) {
        failStart();
        return;
    }
    link_.setMainWindowEnabled(false);
    ProgressView* view = exchange_.newProgressDialog();
    exchange_.setXferDialog(view);
    view->setCaption(QStringLiteral(" 数据接收中，请稍侯。。。"));
    view->setLabel1(QStringLiteral("从 VAZ 设备接收数据 "));
    view->setLabel2(QStringLiteral("到文件 '%1'").arg(QFileInfo(*chosen).fileName()));
    view->setLabel3(QStringLiteral("第 0 / 0 字"));
    moved_ = 0;
    view->setLabel3Tag(QStringLiteral("0"));
    sending_ = false;
    startLaunch(LinkModeRecvCode, profile_.recvDataCmd, *view);
}

bool CodeTransfer::openTarget(const QString& path) {
    const QFileInfo info(path);
    if ((info.exists() || info.isSymLink()) && !QFile::remove(path)) return false;
    target_.setFileName(path);
    // Every byte reaches the file as it comes, so a cancel or a failure keeps what was received.
    if (!target_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return false;
    return target_.putChar(1);  // one block
}

void CodeTransfer::failStart() {
    if (target_.isOpen()) target_.close();
    source_.clear();
    link_.XferFileNumber = 0;
    linkNotifier().codeFileError();
    link_.setMainWindowEnabled(true);
}

void CodeTransfer::startLaunch(DeviceLinkMode mode, std::string_view command, ProgressView& view) {
    ++transferId_;
    phase_ = Phase::Launch;
    link_.LinkCommandIndex = 1;
    link_.LinkCommand = QByteArray(command.data(), static_cast<qsizetype>(command.size())) + '\r';
    // As for a monitor command: the first character's pause passes while the
    // pane still shows what the device prints; then the port is the transfer's.
    platform::WaitSeconds(platform::Timer(), kSendCommBytePause);
    pump_.takeOverPort();
    link_.LinkMode = mode;
    SendCommBytes(link_, link_.LinkCommand.left(1));
    if (exchange_.XferDialog() == &view) view.showInFront();
}

void CodeTransfer::paceLaunch() {
    ++link_.LinkCommandIndex;
    if (link_.LinkCommandIndex <= link_.LinkCommand.size())
        SendCommByte(link_, static_cast<quint8>(link_.LinkCommand.at(link_.LinkCommandIndex - 1)));
}

void CodeTransfer::serveRecvCode() {
    if (!exchange_.XferDialog() || sending_) return;
    DevicePort& port = *link_.port;
    if (phase_ == Phase::Launch) {
        if (port.bytesAvailable() < link_.LinkCommand.size()) {
            paceLaunch();
            return;
        }
        // All echoes are there (and in the 16-bit editions the line feed after
        // the carriage return's); the header may have begun behind them.
        link_.RecvBuffer = port.readAll();
        ++link_.LinkCommandIndex;
        phase_ = Phase::Header;
        const QByteArray early = link_.RecvBuffer.mid(kHeaderPosition);
        link_.RecvBuffer.truncate(kHeaderPosition);
        if (!early.isEmpty()) takeReceived(early);
        return;
    }
    if (phase_ != Phase::Header && phase_ != Phase::Data) return;
    const QByteArray bytes = port.readAll();
    if (!bytes.isEmpty()) takeReceived(bytes);
}

void CodeTransfer::takeReceived(const QByteArray& bytes) {
    // Every byte counts, also when several come in one read: each is stored
    // and echoed, so device and program agree on what is left.
    QByteArray echo;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        ProgressView& view = *exchange_.XferDialog();
        const char byte = bytes.at(i);
        if (phase_ == Phase::Header) {
            link_.RecvBuffer.append(byte);
            const qsizetype position = link_.RecvBuffer.size() - 1;
            if (position < kHeaderPosition) continue;  // still the carriage return's echo
            echo.append(byte);
            if (position == kHeaderPosition + 3 && !takeRecvHeader(view)) {
                failReceive();
                return;
            }
            continue;
        }
        if (!target_.putChar(byte)) {
            failReceive();
            return;
        }
        echo.append(byte);
        countMoved(view);
        if (--link_.XferCounter == 0) {
            SendCommBytes(link_, echo);
            finishReceive();
            // Whatever came behind the block is the device's own output.
            if (i + 1 < bytes.size()) pump_.renderRead(QByteArrayView(bytes).sliced(i + 1));
            return;
        }
    }
    if (!echo.isEmpty()) SendCommBytes(link_, echo);
}

bool CodeTransfer::takeRecvHeader(ProgressView& view) {
    const auto at = [&](qsizetype p) { return static_cast<quint8>(link_.RecvBuffer.at(p)); };
    const quint8 addressHigh = at(kHeaderPosition), addressLow = at(kHeaderPosition + 1);
    const quint8 countHigh = at(kHeaderPosition + 2), countLow = at(kHeaderPosition + 3);
    const char stored[] = {static_cast<char>(addressLow), static_cast<char>(addressHigh), static_cast<char>(countLow),
                           static_cast<char>(countHigh)};
    if (target_.write(stored, sizeof stored) != static_cast<qint64>(sizeof stored)) return false;
    const int address = addressHigh << 8 | addressLow;
    const int count = countHigh << 8 | countLow;
    view.setLabel1(QStringLiteral("从 VAZ 设备 %1H 起始地址处接收数据 ").arg(hex4(address)));
    beginBlockCounter(view, count == 0 ? 65536 : count);
    return true;
}

void CodeTransfer::failReceive() {
    // Nothing more is taken while the message is up.
    phase_ = Phase::Idle;
    link_.CommBusy = 0;
    link_.OnCommBusy = 0;
    linkNotifier().codeFileError();
    exchange_.Command1_Click();
}

void CodeTransfer::finishReceive() {
    target_.close();
    link_.XferFileNumber = 0;
    link_.RecvBuffer = QByteArray(1, '\0');
    phase_ = Phase::Idle;
    ProgressView* view = exchange_.XferDialog();
    exchange_.setXferDialog(nullptr);
    if (view) view->unload();
    // The transfer ends with its last byte: the device may send nothing more.
    link_.LinkMode = LinkModeTerminal;
    link_.setMainWindowEnabled(true);
    link_.bringMainWindowToFront();
}

// ---- send ----

void CodeTransfer::ToolSendData_Click() {
    if (!portReady()) return;
    const auto chosen = linkNotifier().chooseSendFile();
    if (!chosen || chosen->isEmpty()) return;

    link_.XferFileNumber = 1;
    auto bytes = codefile::readFileBytes(localPath(*chosen));
    if (!bytes) {
        failStart();
        return;
    }
    const int bytesPerLocation = profile_.bytesPerLocation;
    const codefile::CodeFile file = codefile::parseCodeFile(*bytes, bytesPerLocation);
    // A file shorter than its headers say would send bytes it does not hold.
    if (!file.complete) {
        failStart();
        return;
    }
    link_.SegmentTable.clear();
    for (const codefile::CodeBlock& block : file.blocks)
        if (block.segment.count != 0) link_.SegmentTable.push_back(block.segment);
    link_.SegmentIndex = 0;
    if (link_.SegmentTable.empty()) {
        link_.XferFileNumber = 0;
        return;
    }
    source_ = std::move(*bytes);
    sourceAt_ = 1 + codefile::kHeaderBytes * static_cast<std::size_t>(file.blockCount);
    link_.LastSegmentIndex = static_cast<int>(link_.SegmentTable.size()) - 1;

    link_.setMainWindowEnabled(false);
    ProgressView* view = exchange_.newProgressDialog();
    exchange_.setXferDialog(view);
    view->setCaption(QStringLiteral(" 数据发送中，请稍侯。。。"));
    view->setLabel1(QStringLiteral("从文件 '%1'").arg(QFileInfo(*chosen).fileName()));
    view->setLabel2(sendTarget(link_.SegmentTable.front().address));
    view->setLabel3(QStringLiteral("第 0 / 0 字,第 0 / %1 段").arg(link_.LastSegmentIndex));
    moved_ = 0;
    view->setLabel3Tag(QStringLiteral("0"));
    sending_ = true;
    startLaunch(LinkModeSendCode, profile_.sendDataCmd, *view);
}

void CodeTransfer::serveSendCode() {
    if (!sending_) return;
    if (phase_ == Phase::Parked) {
        serveParked();
        return;
    }
    ProgressView* view = exchange_.XferDialog();
    if (!view) return;
    DevicePort& port = *link_.port;
    if (phase_ == Phase::Launch) {
        const codefile::CodeSegment& segment = link_.SegmentTable.at(static_cast<std::size_t>(link_.SegmentIndex));
        if (port.bytesAvailable() < link_.LinkCommand.size()) {
            paceLaunch();
            return;
        }
        ++link_.LinkCommandIndex;
        link_.RecvBuffer = port.readAll();  // the echoes of the command, dropped
        link_.XferCounter = 1;
        phase_ = Phase::Header;
        SendCommBytes(link_, QByteArray(1, static_cast<char>(segment.address >> 8)));
        return;
    }
    if (phase_ != Phase::Header && phase_ != Phase::Data) return;
    const QByteArray bytes = port.readAll();
    if (bytes.isEmpty()) return;
    if (phase_ == Phase::Header) {
        sendHeaderStep(*view);
        return;
    }
    // One file byte per echo; what else came in the same read is no echo of ours.
    const char byte = static_cast<char>(source_.at(sourceAt_++));
    countMoved(*view);
    if (--link_.XferCounter == 0) {
        link_.RecvBuffer = QByteArray(1, '\0');
        XferDialogParked = view;
        exchange_.setXferDialog(nullptr);
        phase_ = Phase::Parked;
    }
    SendCommBytes(link_, QByteArray(1, byte));
}

void CodeTransfer::sendHeaderStep(ProgressView& view) {
    const codefile::CodeSegment& segment = link_.SegmentTable.at(static_cast<std::size_t>(link_.SegmentIndex));
    switch (++link_.XferCounter) {
        case 2: SendCommBytes(link_, QByteArray(1, static_cast<char>(segment.address & 0xFF))); break;
        case 3: SendCommBytes(link_, QByteArray(1, static_cast<char>(segment.count >> 8))); break;
        case 4:
            beginBlockCounter(view, segment.count);
            SendCommBytes(link_, QByteArray(1, static_cast<char>(segment.count & 0xFF)));
            break;
        default: break;
    }
}

void CodeTransfer::serveParked() {
    if (link_.XferCounter != 0) return;
    if (link_.SegmentIndex + 1 < static_cast<int>(link_.SegmentTable.size())) {
        const unsigned transfer = transferId_;
        platform::WaitSeconds(platform::Timer(), kBlockPauseSeconds);
        // A cancel during the pause ends the send here: no further launch, and
        // its dialog, unloaded by the cancel, stays untouched.
        if (transfer != transferId_ || phase_ != Phase::Parked || link_.LinkMode != LinkModeSendCode ||
            link_.XferFileNumber == 0) {
            if (link_.LinkMode == LinkModeTerminal) handOverToCommandLine();
            return;
        }
        link_.port->readAll();
        ++link_.SegmentIndex;
        link_.LinkCommandIndex = 1;
        ProgressView* view = std::exchange(XferDialogParked, nullptr);
        exchange_.setXferDialog(view);
        phase_ = Phase::Launch;
        view->setLabel2(sendTarget(link_.SegmentTable.at(static_cast<std::size_t>(link_.SegmentIndex)).address));
        view->setLabel3(
            QStringLiteral("第 0 / 0 字,第 %1 / %2 段").arg(link_.SegmentIndex).arg(link_.LastSegmentIndex));
        moved_ = 0;
        view->setLabel3Tag(QStringLiteral("0"));
        SendCommByte(link_, static_cast<quint8>(link_.LinkCommand.at(0)));
        return;
    }
    finishSend();
}

void CodeTransfer::finishSend() {
    source_.clear();
    link_.XferFileNumber = 0;
    phase_ = Phase::Idle;
    ProgressView* view = std::exchange(XferDialogParked, nullptr);
    if (view) view->unload();
    link_.LinkMode = LinkModeTerminal;
    link_.setMainWindowEnabled(true);
    link_.bringMainWindowToFront();
    handOverToCommandLine();
}

void CodeTransfer::handOverToCommandLine() {
    // What waits begins with the echo of the block's last byte, which is not
    // shown. Output that came behind it goes to the pane now: while the
    // handler was busy its arrival raised no event of its own.
    if (link_.port->bytesAvailable() < 3) {
        link_.port->readAll();
    } else {
        pump_.SkipFirstByte = 1;
        pump_.serveReceive();
    }
}

// ---- both ----

void CodeTransfer::beginBlockCounter(ProgressView& view, int locations) {
    locations_ = locations;
    view.setLabel3(counterText(0, locations));
    view.setTag(QString::number(locations));
    link_.XferCounter = locations * profile_.bytesPerLocation;
    blockBytes_ = link_.XferCounter;
    moved_ = 0;
    view.setLabel3Tag(QStringLiteral("0"));
    view.setProgressRange(0, kProgressMaximum);
    view.setProgressValue(0);
    view.setProgressTag(QString::number(blockBytes_ / 1000.0));
    phase_ = Phase::Data;
}

void CodeTransfer::countMoved(ProgressView& view) {
    ++moved_;
    view.setLabel3Tag(QString::number(moved_));
    // The counter and the bar follow bytes 1, 11, 21, ... only, which keeps the dialog from slowing the transfer.
    if (moved_ % 10 != 1) return;
    view.setLabel3(counterText(moved_ / profile_.bytesPerLocation, locations_));
    const int value = qRound(static_cast<double>(kProgressMaximum) * moved_ / blockBytes_);
    if (value <= view.progressMaximum()) view.setProgressValue(value);
}

QString CodeTransfer::counterText(int locationsMoved, int locations) const {
    const QString words = QStringLiteral("第 %1 / %2 字").arg(locationsMoved).arg(locations);
    if (!sending_) return words;
    return words + QStringLiteral(",第 %1 / %2 段").arg(link_.SegmentIndex).arg(link_.LastSegmentIndex);
}

void CodeTransfer::closeTransferFile() {
    // The cancel: the received part stays on disk as it is; a parked dialog is
    // the one being cancelled, which the cancel unloads.
    if (target_.isOpen()) target_.close();
    source_.clear();
    XferDialogParked = nullptr;
    phase_ = Phase::Idle;
}

}  // namespace devlink
