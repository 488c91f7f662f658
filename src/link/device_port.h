#pragma once
// The device's serial port, by port number and settings text, over QSerialPort.
// Every operation that can fail answers with a failure number of CommFailure
// (0 for success), so callers report exactly what the user is to read.

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <optional>

namespace devlink {

struct SerialSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Parses "9600,N,8,1"; nullopt when the text names settings a port cannot take.
std::optional<SerialSettings> parseSerialSettings(const QString& text);

// The line operations are virtual so that a stand-in for the device can take
// the serial port's place where no real line is wanted (the fuzz targets).
class DevicePort : public QObject {
    Q_OBJECT
public:
    explicit DevicePort(QObject* parent = nullptr);
    ~DevicePort() override;

    // Opens port `portNumber` (resolved to a device path now) with `settings`.
    // An already open port is left as it is and answers CommPortAlreadyOpen.
    int open(int portNumber, const QString& settings);
    // Opens the device at `path` with `settings`; `portNumber` is only kept,
    // for the messages that name the port.
    virtual int openAt(const QString& path, int portNumber, const QString& settings);
    virtual void close();
    virtual bool isOpen() const;

    int portNumber() const { return portNumber_; }
    QString settings() const { return settings_; }
    QString devicePath() const { return serial_.portName(); }

    // Writes all of `bytes` and pushes them to the device at once, so that a
    // pause before the next write really separates the two on the line.
    virtual int write(const QByteArray& bytes);
    // Hands `bytes` to the port's transmit buffer and returns at once; the
    // event loop drains the buffer as fast as the line takes it, so a slow line
    // never fails the call. bytesToWrite() tells how much still waits.
    virtual int queue(const QByteArray& bytes);
    virtual QByteArray readAll();
    virtual qint64 bytesAvailable() const;
    virtual qint64 bytesToWrite() const;
    // Block until bytes arrive or leave (without handling window events), for
    // exchanges that poll the counters in a loop of their own. A read that
    // completes during the wait is announced through received() as usual.
    virtual bool waitForReadyRead(int msecs);
    virtual bool waitForBytesWritten(int msecs);

    // The receive notification: while on, received() follows every arrival of bytes;
    // while off, bytes wait in the port until read.
    void setReceiveNotification(bool on) { notify_ = on; }
    bool receiveNotification() const { return notify_; }

    // CommReadFailed when the device went away since the last call; 0 when it
    // did not. Reading it clears it.
    int takeReceiveFailure();
    // True from the loss of the device until the next open: the loss stands
    // for every failure of this port meanwhile.
    bool isLost() const { return lost_; }

signals:
    void received();
    // The device went away (a read or resource error, found while bytes were
    // arriving or by a write) or the bytes queued for it could not go out (a
    // write error on the way): the port has closed itself, and the failure
    // waits in takeReceiveFailure().
    void deviceLost();

protected:
    // An error the serial port raised outside the port's own calls. A stand-in
    // line reports its failures here, as the serial port would.
    void onError(QSerialPort::SerialPortError error);

private:
    void onReadyRead();
    void loseDevice();
    int applySettings(const SerialSettings& s);

    QSerialPort serial_;
    int portNumber_ = 1;
    QString settings_;
    bool notify_ = true;
    bool inCall_ = false;
    int receiveFailure_ = 0;
    bool lost_ = false;
};

}  // namespace devlink
