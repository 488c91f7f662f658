#include "circuit/environment_port.h"

#include <QObject>

#include "link/comm_errors.h"
#include "link/device_port.h"

namespace circuit {

EnvironmentPort::EnvironmentPort() { useLine(std::make_unique<devlink::DevicePort>()); }

EnvironmentPort::~EnvironmentPort() = default;

void EnvironmentPort::useLine(std::unique_ptr<devlink::DevicePort> line) {
    port_ = std::move(line);
    // Whatever arrives goes into the receive buffer at once, so the port itself
    // never holds more than one arrival.
    QObject::connect(port_.get(), &devlink::DevicePort::received, port_.get(), [this] { takeArrived(); });
}

int32_t EnvironmentPort::notOpen() { return devlink::CommPortNotOpen; }

void EnvironmentPort::openConfigured(const QString& settings) {
    const QString path = qEnvironmentVariable(kEnvironmentPortVariable);
    if (path.isEmpty()) return;
    open(path, settings);
}

int EnvironmentPort::open(const QString& path, const QString& settings) {
    configured_ = true;
    input_.clear();
    // The messages name the device port's number, read when they are shown.
    openFailure_ = port_->openAt(path, 0, settings);
    return openFailure_;
}

void EnvironmentPort::close() {
    port_->close();
    // From now on the port counts as gone, not as one that never opened.
    openFailure_ = 0;
}

bool EnvironmentPort::isOpen() const { return port_->isOpen(); }

void EnvironmentPort::receive(QByteArrayView bytes) {
    input_.put(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<std::size_t>(bytes.size()));
}

void EnvironmentPort::takeArrived() {
    if (port_->bytesAvailable() > 0) receive(port_->readAll());
}

// Bytes already received are handed out first, also once the port has gone.
int32_t EnvironmentPort::bytesWaiting(int32_t& error) {
    error = 0;
    takeArrived();
    if (input_.size() > 0) return static_cast<int32_t>(input_.size());
    if (configured_ && !port_->isOpen()) error = failure();
    return 0;
}

int32_t EnvironmentPort::readByte(int32_t& error) {
    error = 0;
    takeArrived();
    if (input_.size() > 0) return input_.take();
    if (configured_) error = port_->isOpen() ? devlink::CommReadFailed : failure();
    return 0;
}

int32_t EnvironmentPort::writeByte(uint8_t byte) {
    if (!configured_) return 0;
    if (!port_->isOpen()) return failure();
    if (port_->bytesToWrite() >= kTransmitBufferBytes) {
        ++droppedOutput_;
        return 0;
    }
    if (port_->queue(QByteArray(1, static_cast<char>(byte))) != devlink::CommOk) {
        close();
        return failure();
    }
    return 0;
}

int64_t EnvironmentPort::takeDroppedOutput() {
    const int64_t n = droppedOutput_;
    droppedOutput_ = 0;
    return n;
}

int64_t EnvironmentPort::takeDroppedInput() {
    const int64_t n = input_.dropped() - droppedInputTaken_;
    droppedInputTaken_ = input_.dropped();
    return n;
}

}  // namespace circuit
