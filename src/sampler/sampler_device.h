#pragma once
// What the sampling exchange needs of the device link: the port's state and
// counters, the link's send and error-report routines, and a way to keep the
// link's own receive handling away from the sampler's bytes.

#include <QByteArray>

#include <cstdint>

namespace sampler {

class SamplerDevice {
public:
    virtual ~SamplerDevice() = default;

    virtual bool portReady() const = 0;
    virtual bool isOpen() const = 0;
    // Opens the port with the link's settings: 0, or the link's failure number.
    virtual int open() = 0;
    virtual int baudRate() const = 0;

    // The link's paced one-byte send, which reports its own failures.
    virtual void sendCommByte(uint8_t byte) = 0;
    // The link's error report for a reply byte or failure number, with the
    // current port number.
    virtual void reportCommError(int number) = 0;

    virtual qint64 bytesToWrite() = 0;
    virtual bool waitForBytesWritten(int msecs) = 0;
    virtual qint64 bytesAvailable() = 0;
    virtual bool waitForReadyRead(int msecs) = 0;
    virtual QByteArray readAll() = 0;

    // While held, the link's receive handler and command-line pump leave the
    // port alone.
    virtual void holdLinkDispatch(bool hold) = 0;
};

}  // namespace sampler
