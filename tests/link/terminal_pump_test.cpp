#include "exchange_fixture.h"
#include "link/device_port.h"
#include "link/terminal_pump.h"
#include "platform/wait_seconds.h"

#include <gtest/gtest.h>

using namespace devlink;
using fakevaz::Edition;
using linktest::ExchangeFixture;
using testsupport::pumpFor;
using testsupport::waitUntil;

namespace {

QByteArray letters(int n, char from = 'a') {
    QByteArray b;
    for (int i = 0; i < n; ++i) b += static_cast<char>(from + i % 26);
    return b;
}

class TerminalPumpTest : public ExchangeFixture {
protected:
    TerminalPumpTest() : ExchangeFixture(Edition::Corvane16) {}
};

}  // namespace

TEST(TerminalPumpReads, FloodRuleShowsOnlyTheTailOfTwoLongReadsInARow) {
    LinkState link;
    QTimer timer;
    TerminalPump pump(link, timer);
    pump.renderRead(letters(250));
    const QByteArray big = letters(300, 'A');
    pump.renderRead(big);
    EXPECT_EQ(pump.buffer().text(), QString::fromLatin1(letters(250) + big.right(151)));

    TerminalPump calm(link, timer);
    calm.renderRead(letters(100));
    calm.renderRead(big);
    EXPECT_EQ(calm.buffer().text(), QString::fromLatin1(letters(100) + big));
}

TEST(TerminalPumpReads, SkipFirstByteDropsOneByteOnce) {
    LinkState link;
    QTimer timer;
    TerminalPump pump(link, timer);
    pump.SkipFirstByte = 1;
    pump.renderRead("xAB");
    pump.renderRead("CD");
    EXPECT_EQ(pump.buffer().text(), QStringLiteral("ABCD"));
    EXPECT_EQ(pump.SkipFirstByte, 0);
}

TEST(TerminalPumpReads, LengthIsTrimmedOnEverySixthRead) {
    LinkState link;
    QTimer timer;
    TerminalPump pump(link, timer);
    pump.buffer() = TerminalBuffer(QString(8995, QLatin1Char('.')));
    for (int read = 1; read <= 5; ++read) pump.renderRead("xy");
    EXPECT_EQ(pump.buffer().text().size(), 9005);  // over 9000, but not yet looked at
    EXPECT_EQ(pump.TerminalTick, 5);
    pump.renderRead("z");
    EXPECT_EQ(pump.buffer().text().size(), 8000);
    EXPECT_TRUE(pump.buffer().text().endsWith(QStringLiteral("xyz")));
    EXPECT_EQ(pump.buffer().promptStart(), 8000);
    EXPECT_EQ(pump.TerminalTick, 0);
}

TEST_F(TerminalPumpTest, ReceiveSwitchesToPollingAndBackWhenThePortIsEmpty) {
    auto& fake = startDevice();
    pump.buffer() = TerminalBuffer(QStringLiteral(">"));
    pump.sendTyped(u'r');
    EXPECT_EQ(pump.buffer().text(), QStringLiteral(">"));  // nothing typed is inserted
    ASSERT_TRUE(waitUntil([&] { return pumpTimer.isActive() && !port.receiveNotification(); }, 2000));
    ASSERT_TRUE(paneShows(QStringLiteral(">r"), 200));
    ASSERT_TRUE(waitUntil([&] { return !pumpTimer.isActive() && port.receiveNotification(); }, 2000));

    pump.sendTyped(u'\r');
    ASSERT_TRUE(paneShows(QStringLiteral("R15=")));
    ASSERT_TRUE(waitUntil([&] { return pane().endsWith(QStringLiteral("F=01011010\r\n>")); }));
    EXPECT_EQ(fake.receivedBytes(), "r\r");
}

TEST_F(TerminalPumpTest, ThePumpLeavesThePortAloneWhileBusyOrNotReady) {
    startDevice();
    QObject::disconnect(&port, nullptr, &exchange, nullptr);  // the pump alone
    pump.buffer() = TerminalBuffer(QStringLiteral(">"));
    pump.sendTyped(u'a');
    ASSERT_TRUE(waitUntil([&] { return port.bytesAvailable() == 1; }));
    link.CommBusy = 1;
    pump.Timer1_Timer();
    link.CommBusy = 0;
    link.PortReady = false;
    pump.Timer1_Timer();
    EXPECT_EQ(port.bytesAvailable(), 1);
    EXPECT_EQ(pump.buffer().text(), QStringLiteral(">"));

    pump.sendTyped(u'b');  // not sent while no port is ready
    pump.sendBackspace();
    link.PortReady = true;
    pump.Timer1_Timer();
    EXPECT_EQ(pump.buffer().text(), QStringLiteral(">a"));
    EXPECT_EQ(port.bytesAvailable(), 0);
}

TEST_F(TerminalPumpTest, BackspaceReachesTheDeviceAsRuboutAndTheEchoErases) {
    auto& fake = startDevice();
    pump.buffer() = TerminalBuffer(QStringLiteral(">"));
    pump.sendTyped(u'a');
    pump.sendTyped(u'b');
    pump.sendTyped(8);
    pump.sendBackspace();
    ASSERT_TRUE(waitUntil([&] { return fake.received().size() == 4; }));
    EXPECT_EQ(fake.receivedBytes(), "ab\x7f\x7f");
    ASSERT_TRUE(waitUntil([&] { return pane() == QStringLiteral(">") && fake.sent().size() == 4; }));
    pumpFor(60);
    EXPECT_EQ(pane(), QStringLiteral(">"));
}

TEST_F(TerminalPumpTest, ClearCommandKeepsTheLastLine) {
    startDevice();
    pump.buffer() = TerminalBuffer(QStringLiteral("Vuz banner\r\n\r\n>"));
    pump.sendTyped(u'\r');
    ASSERT_TRUE(waitUntil([&] { return pane().endsWith(QStringLiteral(">\r\n>")); }));
    pump.ToolCommandLineClear_Click();
    EXPECT_EQ(pane(), QStringLiteral("\n>"));
    pump.sendTyped(u'x');
    ASSERT_TRUE(paneShows(QStringLiteral("\n>x")));
}

TEST_F(TerminalPumpTest, KeysTypedDuringAPauseFollowInTheirOrder) {
    auto& fake = startDevice();
    // The next keys are typed while the first one's byte waits for its pause.
    int pauses = 0;
    platform::ScopedWaitHooks hooks({{}, {}, [&] {
                                         if (++pauses == 1) {
                                             pump.sendTyped(u'2');
                                             pump.sendTyped(u'3');
                                         }
                                     }});
    pump.sendTyped(u'1');
    ASSERT_TRUE(waitUntil([&] { return fake.received().size() == 3; }));
    EXPECT_EQ(fake.receivedBytes(), "123");
}
