#pragma once
// A device port without a line: what the program writes goes to `device`,
// which answers by arrive(); arrived bytes wait until deliver() hands them to
// the port, which then raises its receive event as a serial port does once
// per arrival, and only while receive notifications are on.

#include "link/comm_errors.h"
#include "link/device_port.h"

#include <QByteArray>

#include <functional>
#include <utility>

namespace linkfuzz {

class MemoryPort : public devlink::DevicePort {
public:
    // Called with every write, while the port is open.
    std::function<void(const QByteArray&)> device;
    // Everything written, in order, and how often the port was opened.
    QByteArray written;
    int opens = 0;

    int openAt(const QString&, int, const QString&) override {
        if (open_) return devlink::CommPortAlreadyOpen;
        open_ = true;
        ++opens;
        return devlink::CommOk;
    }
    void close() override {
        open_ = false;
        waiting_.clear();
        arrived_.clear();
    }
    bool isOpen() const override { return open_; }
    int write(const QByteArray& bytes) override {
        if (!open_) return devlink::CommOperationOnClosed;
        written += bytes;
        if (device) device(bytes);
        return devlink::CommOk;
    }
    int queue(const QByteArray& bytes) override { return write(bytes); }
    QByteArray readAll() override { return std::exchange(waiting_, {}); }
    qint64 bytesAvailable() const override { return waiting_.size(); }
    qint64 bytesToWrite() const override { return 0; }
    bool waitForReadyRead(int) override { return deliver(); }
    bool waitForBytesWritten(int) override { return false; }

    // Bytes the device sends; they reach the port at the next deliver().
    void arrive(const QByteArray& bytes) {
        if (open_) arrived_ += bytes;
    }
    bool pending() const { return !arrived_.isEmpty(); }
    // One arrival: false when nothing was on its way.
    bool deliver() {
        if (arrived_.isEmpty()) return false;
        waiting_ += std::exchange(arrived_, {});
        if (receiveNotification()) emit received();
        return true;
    }

private:
    bool open_ = false;
    QByteArray arrived_;
    QByteArray waiting_;
};

}  // namespace linkfuzz
