#include "link/comm_errors.h"
#include "link/device_port.h"
#include "link/port_paths.h"
#include "link_fixture.h"
#include "support/wait_until.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace devlink;
using linktest::LinkFixture;
using testsupport::waitUntil;

TEST(PortPaths, EnvironmentIsReadAtEveryCall) {
    qunsetenv("CORVANE_COM2");
    qunsetenv("CORVANE_COM_DIR");
    EXPECT_EQ(portPathFor(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(portPathFor(4), QStringLiteral("/dev/ttyS3"));
    qputenv("CORVANE_COM_DIR", "/tmp/ports");
    EXPECT_EQ(portPathFor(2), QStringLiteral("/tmp/ports/COM2"));
    qputenv("CORVANE_COM2", "/dev/ttyUSB0");
    EXPECT_EQ(portPathFor(2), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(portPathFor(3), QStringLiteral("/tmp/ports/COM3"));
    qputenv("CORVANE_COM2", "");  // empty counts as not set
    EXPECT_EQ(portPathFor(2), QStringLiteral("/tmp/ports/COM2"));
    qunsetenv("CORVANE_COM2");
    qunsetenv("CORVANE_COM_DIR");
}

TEST(SerialSettings, ParsesTheSettingsText) {
    const auto s = parseSerialSettings(QStringLiteral("9600,N,8,1"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->baudRate, 9600);
    EXPECT_EQ(s->parity, QSerialPort::NoParity);
    EXPECT_EQ(s->dataBits, QSerialPort::Data8);
    EXPECT_EQ(s->stopBits, QSerialPort::OneStop);
    const auto t = parseSerialSettings(QStringLiteral("115200,E,7,1.5"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->parity, QSerialPort::EvenParity);
    EXPECT_EQ(t->stopBits, QSerialPort::OneAndHalfStop);
    for (const char* bad : {"9600,N,8", "9600,X,8,1", "9600,N,4,1", "fast,N,8,1", "9600,N,8,3", ""})
        EXPECT_FALSE(parseSerialSettings(QString::fromLatin1(bad))) << bad;
}

using DevicePortTest = LinkFixture;

TEST_F(DevicePortTest, FailureNumbersOfOpenAndWrite) {
    addFake(2);
    // Missing port.
    EXPECT_EQ(port.open(1, QStringLiteral("9600,N,8,1")), CommPortNotFound);
    EXPECT_FALSE(port.isOpen());
    // Settings the port cannot take.
    EXPECT_EQ(port.open(2, QStringLiteral("9600,N,4,1")), CommSettingsFailed);
    EXPECT_FALSE(port.isOpen());
    // Operations on a closed port.
    EXPECT_EQ(port.write("\r"), CommOperationOnClosed);
    EXPECT_TRUE(port.readAll().isEmpty());
    EXPECT_EQ(port.bytesAvailable(), 0);

    ASSERT_EQ(port.open(2, QStringLiteral("9600,N,8,1")), CommOk);
    EXPECT_EQ(port.portNumber(), 2);
    EXPECT_EQ(port.open(2, QStringLiteral("9600,N,8,1")), CommPortAlreadyOpen);
    EXPECT_TRUE(port.isOpen());

    // A port held by another opener counts as occupied.
    DevicePort other;
    EXPECT_EQ(other.open(2, QStringLiteral("9600,N,8,1")), CommPortNotFound);
}

TEST_F(DevicePortTest, WritesAreOnTheLineAtOnceAndRepliesWaitUntilRead) {
    auto& fake = addFake(1);
    ASSERT_EQ(port.open(1, QStringLiteral("9600,N,8,1")), CommOk);
    port.setReceiveNotification(false);
    QSignalSpy spy(&port, &DevicePort::received);

    EXPECT_EQ(port.write("\r"), CommOk);
    EXPECT_EQ(port.bytesToWrite(), 0);  // flushed, not waiting for the event loop
    ASSERT_TRUE(waitUntil([&] { return fake.receivedCount('\r') == 1; }, 2000));
    ASSERT_TRUE(waitUntil([&] { return port.bytesAvailable() == 3; }, 2000));
    EXPECT_EQ(spy.count(), 0);  // notification off: the bytes just wait
    EXPECT_EQ(port.readAll(), QByteArray("\r\n>"));

    port.setReceiveNotification(true);
    EXPECT_EQ(port.write("A"), CommOk);
    ASSERT_TRUE(waitUntil([&] { return spy.count() > 0; }, 2000));
    EXPECT_EQ(port.readAll(), QByteArray("A"));
}

TEST_F(DevicePortTest, ClosingAndReopeningKeepsTheLineUsable) {
    auto& fake = addFake(3);
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(port.open(3, QStringLiteral("9600,N,8,1")), CommOk) << round;
        EXPECT_EQ(port.write("\r"), CommOk);
        ASSERT_TRUE(waitUntil([&] { return port.bytesAvailable() >= 3; }, 2000)) << round;
        EXPECT_EQ(port.readAll(), QByteArray("\r\n>"));
        port.close();
    }
    EXPECT_EQ(fake.receivedCount('\r'), 3u);
}

TEST_F(DevicePortTest, APortResolvesItsPathWhenOpened) {
    addFake(1);
    addFake(4);
    // CORVANE_COM1 takes precedence over the folder.
    qputenv("CORVANE_COM1", pathOf(4).toLocal8Bit());
    ASSERT_EQ(port.open(1, QStringLiteral("9600,N,8,1")), CommOk);
    EXPECT_EQ(port.devicePath(), pathOf(4));
    port.close();
    qunsetenv("CORVANE_COM1");
    ASSERT_EQ(port.open(1, QStringLiteral("9600,N,8,1")), CommOk);
    EXPECT_EQ(port.devicePath(), pathOf(1));
}

TEST_F(DevicePortTest, AVanishedDeviceIsAReadFailureAndClosesThePort) {
    addFake(2);
    ASSERT_EQ(port.open(2, QStringLiteral("9600,N,8,1")), CommOk);
    QSignalSpy lost(&port, &DevicePort::deviceLost);
    removeFake(2);
    ASSERT_TRUE(waitUntil([&] { return !port.isOpen(); }, 2000));
    EXPECT_EQ(port.takeReceiveFailure(), CommReadFailed);
    EXPECT_EQ(port.takeReceiveFailure(), CommOk);
    EXPECT_EQ(port.write("\r"), CommOperationOnClosed);
    testsupport::pumpFor(50);
    EXPECT_EQ(lost.count(), 1);
    EXPECT_TRUE(port.isLost());
    addFake(2);
    ASSERT_EQ(port.open(2, QStringLiteral("9600,N,8,1")), CommOk);
    EXPECT_FALSE(port.isLost());
}

// Errors the serial port raises while bytes come and go on their own: those
// that mean the line has failed end the port once, as a lost device; a wait
// that timed out leaves it as it was.
TEST_F(DevicePortTest, ALineThatFailsOutsideACallIsALostDeviceAndATimeoutIsNot) {
    struct Reporting : DevicePort {
        using DevicePort::onError;
    };
    const struct {
        const char* name;
        QSerialPort::SerialPortError error;
        bool lost;
    } cases[] = {
        {"read error", QSerialPort::ReadError, true},
        {"device gone", QSerialPort::ResourceError, true},
        {"queued bytes that cannot go out", QSerialPort::WriteError, true},
        {"a wait timed out", QSerialPort::TimeoutError, false},
    };
    addFake(2);
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Reporting line;
        ASSERT_EQ(line.open(2, QStringLiteral("9600,N,8,1")), CommOk);
        QSignalSpy lost(&line, &DevicePort::deviceLost);
        line.onError(k.error);
        EXPECT_EQ(line.isOpen(), !k.lost);
        EXPECT_EQ(line.isLost(), k.lost);
        EXPECT_EQ(lost.count(), k.lost ? 1 : 0);
        EXPECT_EQ(line.takeReceiveFailure(), k.lost ? CommReadFailed : CommOk);
        EXPECT_EQ(line.write("\r"), k.lost ? CommOperationOnClosed : CommOk);
    }
}
