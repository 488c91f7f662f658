#pragma once
// The environment's own serial port, the byte link of the simulated 8251s.
// Its device is named by the environment variable CORVANE_ENV_PORT and opened
// with the device port's settings (CommSettings). Without the variable the
// environment has no port: no input ever waits, output is dropped, and nothing
// is reported. With it, every access to a port that did not open, or that
// failed later, fails with a number for ReportCommError: the open's own
// failure number (8002 missing or busy, 8005 already open, 8015 settings), or
// 8012 once a port that was open has gone (a hang-up, an input/output error
// or a write that failed after its bytes were queued, or it was closed).
//
// It behaves like a UART with buffers on both sides. Output waits in a
// transmit buffer that drains while the event loop runs, as fast as the line
// takes it; a line slower than the 8251s fills it, and the bytes that find it
// full are dropped and counted. Input moves at once from the line into a small
// receive buffer; bytes that find it full are dropped, as an overrun drops
// them, and counted. So a slow or flooding peer costs bytes, never the port
// or memory.
//
// The 8251 status reads poll it from inside the kernel, so it answers from the
// bytes the receive buffer already holds; they arrive while the event loop runs.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>

#include "circuit/receive_fifo.h"
#include "sim/serial_link.h"

namespace devlink {
class DevicePort;
}

namespace circuit {

inline constexpr char kEnvironmentPortVariable[] = "CORVANE_ENV_PORT";

class EnvironmentPort : public sim::SerialLink {
public:
    static constexpr int64_t kTransmitBufferBytes = 64 * 1024;
    static constexpr std::size_t kReceiveBufferBytes = 4 * 1024;

    EnvironmentPort();
    ~EnvironmentPort() override;

    // Opens the device CORVANE_ENV_PORT names, if it names one, with
    // `settings` ("9600,N,8,1").
    void openConfigured(const QString& settings);
    // Opens the device at `path`: 0, or the failure number.
    int open(const QString& path, const QString& settings);
    void close();
    // Puts `line` in the serial port's place, before the port is opened, for
    // tests that want a line they control.
    void useLine(std::unique_ptr<devlink::DevicePort> line);

    bool configured() const { return configured_; }
    bool isOpen() const;

    int32_t bytesWaiting(int32_t& error) override;
    int32_t readByte(int32_t& error) override;
    // One byte out: 0, or the failure number. Without a port the byte is
    // dropped unseen; with a full transmit buffer it is dropped and counted.
    int32_t writeByte(uint8_t byte);

    // Bytes that arrived on the line, into the receive buffer. The port's own
    // arrivals come through here; tests and fuzzers feed it directly.
    void receive(QByteArrayView bytes);

    // Output dropped on a full transmit buffer since the last call.
    int64_t takeDroppedOutput();
    // Input dropped on a full receive buffer, over the port's whole life.
    int64_t droppedInput() const { return input_.dropped(); }
    // ... and since the last call.
    int64_t takeDroppedInput();

private:
    // What an access to the port fails with while it is not open.
    int32_t failure() const { return openFailure_ != 0 ? openFailure_ : notOpen(); }
    static int32_t notOpen();
    void takeArrived();

    std::unique_ptr<devlink::DevicePort> port_;
    bool configured_ = false;
    int32_t openFailure_ = 0;
    ReceiveFifo input_{kReceiveBufferBytes};
    int64_t droppedOutput_ = 0;
    int64_t droppedInputTaken_ = 0;
};

}  // namespace circuit
