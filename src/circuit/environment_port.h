#pragma once
// The environment's own serial port, the byte link of the simulated 8251s.
// Its device is named by the environment variable CORVANE_ENV_PORT and opened
// with the device port's settings (CommSettings). Without the variable the
// environment has no port: no input ever waits, output is dropped, and nothing
// is reported. With it, every access to a port that did not open, or that
// failed later, fails with a number for ReportCommError: the open's own
// failure number (8002 missing or busy, 8005 already open, 8015 settings), or
// 8012 once a port that was open has gone (its device vanished, a write
// failed, or it was closed).
//
// The 8251 status reads poll it from inside the kernel, so it answers from the
// bytes the port already holds; they arrive while the event loop runs.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

#include "sim/serial_link.h"

namespace devlink {
class DevicePort;
}

namespace circuit {

inline constexpr char kEnvironmentPortVariable[] = "CORVANE_ENV_PORT";

class EnvironmentPort : public sim::SerialLink {
public:
    EnvironmentPort();
    ~EnvironmentPort() override;

    // Opens the device CORVANE_ENV_PORT names, if it names one, with
    // `settings` ("9600,N,8,1").
    void openConfigured(const QString& settings);
    // Opens the device at `path`: 0, or the failure number.
    int open(const QString& path, const QString& settings);
    void close();

    bool configured() const { return configured_; }
    bool isOpen() const;

    int32_t bytesWaiting(int32_t& error) override;
    int32_t readByte(int32_t& error) override;
    // One byte out: 0, or the failure number. Without a port the byte is dropped.
    int32_t writeByte(uint8_t byte);

private:
    // What an access to the port fails with while it is not open.
    int32_t failure() const { return openFailure_ != 0 ? openFailure_ : notOpen(); }
    static int32_t notOpen();
    void takeArrived();

    std::unique_ptr<devlink::DevicePort> port_;
    bool configured_ = false;
    int32_t openFailure_ = 0;
    QByteArray input_;
    qsizetype next_ = 0;
};

}  // namespace circuit
