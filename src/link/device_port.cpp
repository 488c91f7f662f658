#include "link/device_port.h"

#include "link/comm_errors.h"
#include "link/port_paths.h"

#include <QStringList>

namespace devlink {
namespace {

// Marks the port's own calls, so errors raised inside them are answered by the
// call's result and not taken for errors of the arriving bytes.
class CallScope {
public:
    explicit CallScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~CallScope() { flag_ = previous_; }

private:
    bool& flag_;
    bool previous_;
};

int openFailure(QSerialPort::SerialPortError e) {
    switch (e) {
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::PermissionError: return CommPortNotFound;
        case QSerialPort::OpenError: return CommPortAlreadyOpen;
        case QSerialPort::UnsupportedOperationError: return CommSettingsFailed;
        default: return CommOtherFailure;
    }
}

}  // namespace

std::optional<SerialSettings> parseSerialSettings(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) return std::nullopt;
    SerialSettings s;
    bool ok = false;
    s.baudRate = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baudRate <= 0) return std::nullopt;
    const QString parity = parts[1].trimmed().toUpper();
    if (parity == QLatin1String("O")) s.parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("E")) s.parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("M")) s.parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("S")) s.parity = QSerialPort::SpaceParity;
    else if (parity == QLatin1String("N")) s.parity = QSerialPort::NoParity;
    else return std::nullopt;
    switch (parts[2].trimmed().toInt(&ok)) {
        case 5: s.dataBits = QSerialPort::Data5; break;
        case 6: s.dataBits = QSerialPort::Data6; break;
        case 7: s.dataBits = QSerialPort::Data7; break;
        case 8: s.dataBits = QSerialPort::Data8; break;
        default: return std::nullopt;  // 4 data bits: no serial port here offers them
    }
    if (!ok) return std::nullopt;
    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1")) s.stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5")) s.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2")) s.stopBits = QSerialPort::TwoStop;
    else return std::nullopt;
    return s;
}

DevicePort::DevicePort(QObject* parent) : QObject(parent) {
    connect(&serial_, &QSerialPort::readyRead, this, &DevicePort::onReadyRead);
    connect(&serial_, &QSerialPort::errorOccurred, this, &DevicePort::onError);
}

DevicePort::~DevicePort() { close(); }

int DevicePort::open(int portNumber, const QString& settings) {
    return openAt(portNumber < 1 ? QString() : portPathFor(portNumber), portNumber, settings);
}

int DevicePort::openAt(const QString& path, int portNumber, const QString& settings) {
    CallScope scope(inCall_);
    if (serial_.isOpen()) return CommPortAlreadyOpen;
    serial_.clearError();
    portNumber_ = portNumber;
    settings_ = settings;
    receiveFailure_ = 0;
    lost_ = false;
    const auto parsed = parseSerialSettings(settings);
    if (!parsed) return CommSettingsFailed;
    if (path.isEmpty()) return CommPortNotFound;
    serial_.setPortName(path);
    // The program reads whatever arrives; the port keeps every byte until then.
    serial_.setReadBufferSize(0);
    if (!serial_.open(QIODevice::ReadWrite)) return openFailure(serial_.error());
    const int failure = applySettings(*parsed);
    if (failure != CommOk) serial_.close();
    return failure;
}

int DevicePort::applySettings(const SerialSettings& s) {
    if (!serial_.setBaudRate(s.baudRate) || !serial_.setParity(s.parity) || !serial_.setDataBits(s.dataBits) ||
        !serial_.setStopBits(s.stopBits) || !serial_.setFlowControl(QSerialPort::NoFlowControl)) {
        return CommSettingsFailed;
    }
    return CommOk;
}

void DevicePort::close() {
    CallScope scope(inCall_);
    if (serial_.isOpen()) serial_.close();
}

bool DevicePort::isOpen() const { return serial_.isOpen(); }

int DevicePort::write(const QByteArray& bytes) {
    CallScope scope(inCall_);
    if (!serial_.isOpen()) return CommOperationOnClosed;
    if (bytes.isEmpty()) return CommOk;
    serial_.clearError();
    const bool written = serial_.write(bytes) == bytes.size();
    if (written) serial_.flush();
    const auto e = serial_.error();
    if (e == QSerialPort::ResourceError) {
        loseDevice();
        return CommOtherFailure;
    }
    return !written || e == QSerialPort::WriteError ? CommOtherFailure : CommOk;
}

int DevicePort::queue(const QByteArray& bytes) {
    CallScope scope(inCall_);
    if (!serial_.isOpen()) return CommOperationOnClosed;
    return serial_.write(bytes) == bytes.size() ? CommOk : CommOtherFailure;
}

QByteArray DevicePort::readAll() {
    CallScope scope(inCall_);
    if (!serial_.isOpen()) return {};
    return serial_.readAll();
}

qint64 DevicePort::bytesAvailable() const { return serial_.isOpen() ? serial_.bytesAvailable() : 0; }

qint64 DevicePort::bytesToWrite() const { return serial_.isOpen() ? serial_.bytesToWrite() : 0; }

bool DevicePort::waitForReadyRead(int msecs) { return serial_.isOpen() && serial_.waitForReadyRead(msecs); }

bool DevicePort::waitForBytesWritten(int msecs) { return serial_.isOpen() && serial_.waitForBytesWritten(msecs); }

int DevicePort::takeReceiveFailure() {
    const int f = receiveFailure_;
    receiveFailure_ = 0;
    return f;
}

void DevicePort::onReadyRead() {
    if (notify_) emit received();
}

void DevicePort::onError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || inCall_) return;
    serial_.clearError();
    // A write that fails after the bytes were queued leaves them in the
    // transmit buffer for good: the line has failed as surely as on a hang-up,
    // and waiting on it would only stall its user. A wait's time-out is no
    // failure of the line.
    if (error != QSerialPort::ReadError && error != QSerialPort::WriteError && error != QSerialPort::ResourceError)
        return;
    loseDevice();
}

void DevicePort::loseDevice() {
    // The device is gone (cable pulled, device closed) or its line failed: the
    // port would raise the same error on every turn of the event loop, so it
    // is closed. Later writes
    // then report the closed port. However it was found, the user reads of it
    // as of a port that cannot be read, not as of some unknown failure.
    receiveFailure_ = CommReadFailed;
    lost_ = true;
    close();
    emit deviceLost();
}

}  // namespace devlink
