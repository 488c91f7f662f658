#include "circuit/environment_port.h"

#include "link/comm_errors.h"
#include "link/device_port.h"

namespace circuit {

EnvironmentPort::EnvironmentPort() : port_(std::make_unique<devlink::DevicePort>()) {
    // Bytes wait in the port until a status read takes them: nothing may take
    // them from beside the kernel.
    port_->setReceiveNotification(false);
}

EnvironmentPort::~EnvironmentPort() = default;

int32_t EnvironmentPort::notOpen() { return devlink::CommPortNotOpen; }

void EnvironmentPort::openConfigured(const QString& settings) {
    const QString path = qEnvironmentVariable(kEnvironmentPortVariable);
    if (path.isEmpty()) return;
    open(path, settings);
}

int EnvironmentPort::open(const QString& path, const QString& settings) {
    configured_ = true;
    input_.clear();
    next_ = 0;
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

// Bytes already taken from the port are handed out first, also once it has gone.
void EnvironmentPort::takeArrived() {
    if (next_ < input_.size() || port_->bytesAvailable() <= 0) return;
    input_ = port_->readAll();
    next_ = 0;
}

int32_t EnvironmentPort::bytesWaiting(int32_t& error) {
    error = 0;
    if (!configured_) return 0;
    takeArrived();
    if (next_ < input_.size()) return static_cast<int32_t>(input_.size() - next_);
    if (!port_->isOpen()) error = failure();
    return 0;
}

int32_t EnvironmentPort::readByte(int32_t& error) {
    error = 0;
    if (!configured_) return 0;
    takeArrived();
    if (next_ < input_.size()) return static_cast<uint8_t>(input_[next_++]);
    error = port_->isOpen() ? devlink::CommReadFailed : failure();
    return 0;
}

int32_t EnvironmentPort::writeByte(uint8_t byte) {
    if (!configured_) return 0;
    if (!port_->isOpen()) return failure();
    if (port_->write(QByteArray(1, static_cast<char>(byte))) != devlink::CommOk) {
        // The device is gone: the port closes, as it does when a read finds that.
        close();
        return failure();
    }
    return 0;
}

}  // namespace circuit
