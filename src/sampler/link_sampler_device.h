#pragma once
// The sampling exchange on the program's device link: its port, settings,
// send routine and error report.

#include "sampler/sampler_device.h"

namespace devlink {
struct LinkState;
}

namespace sampler {

class LinkSamplerDevice : public SamplerDevice {
public:
    explicit LinkSamplerDevice(devlink::LinkState& link) : link_(link) {}

    bool portReady() const override;
    bool isOpen() const override;
    int open() override;
    int baudRate() const override;
    void sendCommByte(uint8_t byte) override;
    void reportCommError(int number) override;
    qint64 bytesToWrite() override;
    bool waitForBytesWritten(int msecs) override;
    qint64 bytesAvailable() override;
    bool waitForReadyRead(int msecs) override;
    QByteArray readAll() override;
    // Switches the port's receive notification off, so the link's receive
    // handler never sees the sampler's bytes, and back to what it was.
    void holdLinkDispatch(bool hold) override;

private:
    devlink::LinkState& link_;
    bool heldNotification_ = true;
};

}  // namespace sampler
