#include "sampler/sampling_exchange.h"

#include "platform/prompter.h"
#include "sampler/sample_rate_table.h"
#include "sampler/sample_unpack.h"

#include <QDeadlineTimer>

#include <cmath>

namespace sampler {
namespace {

using platform::MsgBox;
using platform::MsgButtons;
using platform::MsgIcon;

const QString kErrorTitle = QStringLiteral(" 错误提示！");

void timeoutMessage(const QString& text) { MsgBox(text, MsgButtons::Ok, kErrorTitle, MsgIcon::None); }

// The port's counters only move while the port is read from, so each wait
// blocks in the port's own wait calls (no window events) against a monotonic
// deadline.
bool waitSent(SamplerDevice& d, int msecs) {
    QDeadlineTimer deadline(msecs);
    while (d.bytesToWrite() > 0) {
        if (deadline.hasExpired() || !d.isOpen()) return false;
        d.waitForBytesWritten(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
    }
    return true;
}

bool waitReceived(SamplerDevice& d, qint64 count, int msecs) {
    QDeadlineTimer deadline(msecs);
    while (d.bytesAvailable() < count) {
        if (deadline.hasExpired() || !d.isOpen()) return false;
        d.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
    }
    return true;
}

class DispatchHold {
public:
    explicit DispatchHold(SamplerDevice& d) : d_(d) { d_.holdLinkDispatch(true); }
    ~DispatchHold() { d_.holdLinkDispatch(false); }

private:
    SamplerDevice& d_;
};

}  // namespace

int ExchangeLimits::dataMs(int bytes, int baud) const {
    const double lineMs = baud > 0 ? dataLineFactor * bytes * 10.0 * 1000.0 / baud : 0.0;
    return dataBaseMs + static_cast<int>(std::ceil(lineMs));
}

void SelectSampleRate(SamplerState& state, const QString& rateBoxText) {
    if (const auto rate = findSampleRate(rateBoxText)) {
        state.RateDivisor = rate->divisor;
        state.RateCommand = rate->command;
    }
}

ExchangeOutcome runSamplingExchange(SamplerState& state, SamplerDevice& device, const QString& rateBoxText,
                                    const ExchangeLimits& limits) {
    if (!device.portReady()) {
        MsgBox(QStringLiteral("未设置端口，请运行重置端口中的自动搜索或手动设置命令！！"), MsgButtons::Ok,
               QStringLiteral(" 信息提示！"), MsgIcon::Information);
        return ExchangeOutcome::NoPort;
    }
    if (!device.isOpen()) {
        if (const int failure = device.open()) {
            device.reportCommError(failure);
            return ExchangeOutcome::OpenFailed;
        }
    }

    // The link's receive handler would otherwise take the sampler's bytes as
    // terminal output while the waits below read the port.
    DispatchHold hold(device);

    SelectSampleRate(state, rateBoxText);

    // The reset before each transfer is always on.
    device.sendCommByte(state.RateCommand);
    if (!waitSent(device, limits.sendMs)) {
        timeoutMessage(QStringLiteral("发送复位命令超时！！"));
        return ExchangeOutcome::ResetSendTimeout;
    }
    if (!waitReceived(device, 1, limits.resetReplyMs)) {
        timeoutMessage(QStringLiteral("接收复位应答命令超时！！"));
        return ExchangeOutcome::ResetReplyTimeout;
    }
    const QByteArray reply = device.readAll();
    const auto answer = static_cast<uint8_t>(reply.isEmpty() ? 0 : reply[0]);
    if (reply.isEmpty() || answer != state.RateCommand) {
        device.reportCommError(answer);
        return ExchangeOutcome::ResetRefused;
    }
    MsgBox(QStringLiteral("下位机成功复位！！"), MsgButtons::Ok, QStringLiteral("复位信息"), MsgIcon::None);

    device.sendCommByte(state.TransferCommand);
    if (!waitSent(device, limits.sendMs)) {
        timeoutMessage(QStringLiteral("发送数据传送命令超时！！"));
        return ExchangeOutcome::TransferSendTimeout;
    }
    const qint64 expected = qint64(state.SampleBytes) + 1;
    if (!waitReceived(device, expected, limits.dataMs(static_cast<int>(expected), device.baudRate()))) {
        timeoutMessage(QStringLiteral("接收数据传送命令超时！！"));
        return ExchangeOutcome::DataTimeout;
    }
    state.RawBytes = device.readAll();
    if (state.RawBytes.isEmpty() || static_cast<uint8_t>(state.RawBytes[0]) != state.TransferCommand) {
        device.reportCommError(state.RawBytes.isEmpty() ? 0 : static_cast<uint8_t>(state.RawBytes[0]));
        return ExchangeOutcome::DataRefused;
    }
    UnpackSampleBytes(state.RawBytes, state.SampleBytes, state.SampleWidth, state.SampleData);
    return ExchangeOutcome::Received;
}

}  // namespace sampler
