#include "exchange_fixture.h"
#include "link/device_port.h"
#include "link/fake/monitor_machine.h"
#include "link/reply_completion.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace devlink;
using fakevaz::Edition;
using linktest::ExchangeFixture;
using testsupport::pumpFor;
using testsupport::waitUntil;

namespace {

QString hex(unsigned v, int digits) { return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0')).toUpper(); }

class MonitorExchangeTest : public ExchangeFixture, public ::testing::WithParamInterface<Edition> {
protected:
    MonitorExchangeTest() : ExchangeFixture(GetParam()) {}
    bool eightBit() const { return edition == Edition::Corvane8; }
};

// For every byte of `sent` after the first: how long after the echo of the
// byte before it reached the device. Negative when it came before that echo.
std::vector<double> pacingGaps(const fakevaz::FakeVazMonitor& fake, const std::string& sent) {
    const auto rx = fake.received();
    const auto tx = fake.sent();
    std::vector<double> gaps;
    for (std::size_t i = 1; i < rx.size() && i < sent.size(); ++i) {
        const std::string echo(1, static_cast<char>(rx[i - 1].byte));
        double gap = -1;
        for (const auto& w : tx) {
            if (w.bytes == echo && w.at >= rx[i - 1].at) {
                gap = std::chrono::duration<double>(rx[i].at - w.at).count();
                break;
            }
        }
        gaps.push_back(gap);
    }
    return gaps;
}

}  // namespace

TEST_P(MonitorExchangeTest, MemoryViewPacesItsCommandByEchoesAndFillsTheList) {
    auto& fake = startDevice();
    ASSERT_TRUE(run(&MonitorExchange::CommandMemory_Click, QStringLiteral("1000H")));

    const std::string wire = eightBit() ? "D 1000\r" : "D1000\r";
    EXPECT_EQ(fake.receivedBytes(), wire);
    for (double gap : pacingGaps(fake, wire)) EXPECT_GE(gap, 0.020);
    EXPECT_EQ(fake.executedLines(), std::vector<std::string>{eightBit() ? "D 1000" : "D1000"});

    // The address box, then the dialog of the exchange.
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].input.title, QStringLiteral("请确认内存察看起始地址！！"));
    EXPECT_EQ(prompter.asked()[0].input.defaultText, QStringLiteral("0H"));
    ASSERT_EQ(dialogs.size(), 1u);
    const auto& dialog = *dialogs[0];
    EXPECT_EQ(dialog.caption, QStringLiteral(" 内存数据接收中，请稍侯。。。"));
    EXPECT_EQ(dialog.label1, QStringLiteral("内存察看命令"));
    EXPECT_EQ(dialog.label3History.first(), QStringLiteral("0 / 0"));
    const int replySize = eightBit() ? 443 : 963;  // echo, lead-in, lines, prompt
    EXPECT_EQ(dialog.label3Text, QStringLiteral("%1/ %2").arg(replySize).arg(profile.expected.memory));
    // A reply longer than expected leaves the bar where it was.
    if (replySize <= dialog.maximum) EXPECT_EQ(dialog.value, replySize);
    else EXPECT_LT(dialog.value, replySize);
    EXPECT_TRUE(dialog.shown);
    EXPECT_TRUE(dialog.unloaded);

    // Finished: list filled, buffer empty, command-line mode, main window back.
    fakevaz::MonitorMachine device(edition);
    ASSERT_EQ(lists.memory.size(), static_cast<std::size_t>(profile.memoryRowCount));
    for (const auto& [row, r] : lists.memory) {
        const unsigned a = 0x1000 + static_cast<unsigned>(row) - 1;
        ASSERT_EQ(r.address, hex(a, 4)) << row;
        const unsigned v = device.memory(static_cast<std::uint16_t>(a));
        ASSERT_EQ(r.value, hex(v, eightBit() ? 2 : 4)) << row;
    }
    EXPECT_EQ(link.RecvBuffer, QByteArray(1, '\0'));
    EXPECT_TRUE(mainEnabled);
    EXPECT_GE(broughtToFront, 1);
}

TEST_P(MonitorExchangeTest, RegistersAreAllMarkedFirstAndOnlyTheChangedOnesAfterAStep) {
    auto& fake = startDevice();
    ASSERT_TRUE(run(&MonitorExchange::CommandRegister_Click));
    EXPECT_EQ(fake.receivedBytes(), "R\r");
    EXPECT_TRUE(prompter.asked().empty());  // R asks for nothing
    EXPECT_EQ(lists.markedRows().size(), static_cast<std::size_t>(profile.registerRowCount));
    EXPECT_EQ(lists.registers[1], eightBit() ? QStringLiteral("00") : QStringLiteral("0000"));
    EXPECT_EQ(lists.registers[profile.registerRowCount], eightBit() ? QStringLiteral("5A") : QStringLiteral("0101'1010"));

    // F7: both bytes in one write, no dialog, the window stays usable.
    exchange.CommandStepInto_Click();
    ASSERT_TRUE(waitUntil([&] { return fake.executedLines().size() == 2; }));
    const auto rx = fake.received();
    EXPECT_EQ(rx[2].byte, 'T');
    EXPECT_EQ(rx[3].byte, '\r');
    EXPECT_LT(rx[3].at - rx[2].at, std::chrono::milliseconds(10));
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    ASSERT_TRUE(paneShows(QStringLiteral("R0=")));  // the step's output in the pane
    ASSERT_TRUE(waitUntil([&] { return !pumpTimer.isActive(); }));

    ASSERT_TRUE(run(&MonitorExchange::CommandRegister_Click));
    // The step moved R0 and the program counter (PC(R5); the 8-bit monitor shows no PC).
    EXPECT_EQ(lists.markedRows(), (eightBit() ? std::vector<int>{1} : std::vector<int>{1, 6}));
    EXPECT_EQ(lists.registers[1], eightBit() ? QStringLiteral("01") : QStringLiteral("0001"));
}

TEST_P(MonitorExchangeTest, UnassembleAppendsAGroupPerReply) {
    auto& fake = startDevice();
    ASSERT_TRUE(run(&MonitorExchange::CommandUnAsm_Click, QStringLiteral("0H")));
    ASSERT_TRUE(run(&MonitorExchange::CommandUnAsm_Click));  // cancelled box: "U" goes on
    EXPECT_EQ(fake.executedLines(), (std::vector<std::string>{eightBit() ? "U 0000" : "U0", "U"}));
    ASSERT_EQ(lists.unasm.size(), 32u);
    EXPECT_EQ(lists.unasm[0].address, QStringLiteral("0000"));
    EXPECT_EQ(lists.unasm[15], UnasmRow{});
    EXPECT_EQ(lists.unasm[16].address, QStringLiteral("000F"));
    EXPECT_EQ(lists.unasm[16].instruction, eightBit() ? QStringLiteral("DB    0FH") : QStringLiteral("DW    3E3FH"));
    EXPECT_EQ(lists.selected, 31);
    EXPECT_EQ(lists.scrolledTo, 32);
}

TEST_P(MonitorExchangeTest, RunEndsAtTheEchoAndThePaneShowsWhatFollows) {
    auto& fake = startDevice();
    prompter.answerInput(QStringLiteral("1000H"));
    exchange.CommandRun_Click();
    EXPECT_FALSE(mainEnabled);
    ASSERT_TRUE(waitIdle());
    // Closed on the echo of the carriage return, before the device printed anything.
    EXPECT_EQ(fake.sent().size(), eightBit() ? 7u : 6u);
    EXPECT_TRUE(mainEnabled);
    EXPECT_EQ(lastDialog()->caption, QStringLiteral(" 连续运行命令发送中，请稍侯。。。"));
    EXPECT_EQ(lastDialog()->maximum, 6);
    ASSERT_TRUE(paneShows(eightBit() ? QStringLiteral("G 1000") : QStringLiteral("G1000")));
    ASSERT_TRUE(paneShows(QStringLiteral("R0=")));
    ASSERT_TRUE(waitUntil([&] { return pane().endsWith(QLatin1Char('>')); }));
}

TEST_P(MonitorExchangeTest, OutputArrivingWithTheEchoIsShownWithoutAFurtherByte) {
    fakevaz::Options o;
    o.outputWithEcho = true;
    startDevice(o);
    ASSERT_TRUE(run(&MonitorExchange::CommandStepIntoAs_Click, QStringLiteral("0H")));
    // Everything came in the one event that ended the exchange.
    ASSERT_TRUE(paneShows(QStringLiteral("R0=")));
    ASSERT_TRUE(waitUntil([&] { return pane().endsWith(QLatin1Char('>')); }));
}

TEST_P(MonitorExchangeTest, AnExchangeTakesThePortOverFromThePolling) {
    startDevice();
    // F8: the echo starts the polling; a slow pump leaves the step's output
    // waiting in the port when R starts.
    pumpTimer.setInterval(5000);
    exchange.CommandStep_Click();
    ASSERT_TRUE(waitUntil([&] { return pumpTimer.isActive() && port.bytesAvailable() > 40; }));
    ASSERT_TRUE(run(&MonitorExchange::CommandRegister_Click));
    EXPECT_EQ(lists.registers[1], eightBit() ? QStringLiteral("01") : QStringLiteral("0001"));
    EXPECT_FALSE(pumpTimer.isActive());
    // The step's output reached the pane before the exchange; its reply did not.
    EXPECT_TRUE(pane().endsWith(QLatin1Char('>')));
    EXPECT_EQ(pane().count(QStringLiteral("R0=")), 1);
}

TEST_P(MonitorExchangeTest, ACancelledRunLeavesTheCommandLineWorking) {
    auto& fake = startDevice();
    prompter.answerInput(QStringLiteral("1000H"));
    exchange.CommandRun_Click();
    ASSERT_NE(exchange.XferDialog(), nullptr);
    lastDialog()->cancel();
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    EXPECT_EQ(exchange.XferDialog(), nullptr);
    EXPECT_TRUE(lastDialog()->unloaded);
    EXPECT_TRUE(mainEnabled);

    // The "G" the device got is rubbed out from the pane; a register dump follows.
    ASSERT_TRUE(waitUntil([&] { return fake.receivedCount('G') == 1 && fake.sent().size() == 1; }));
    for (char c : std::string("\x7fR\r")) pump.sendTyped(static_cast<char16_t>(static_cast<unsigned char>(c)));
    ASSERT_TRUE(paneShows(QStringLiteral("R0=")));
}

TEST_P(MonitorExchangeTest, AReplyThatNeverCompletesWaitsForCancel) {
    fakevaz::Options o;
    o.muteReplies = 1;  // the first command gets its echo only
    auto& fake = startDevice(o);
    prompter.answerInput(QStringLiteral("1000H"));
    exchange.CommandMemory_Click();
    ASSERT_TRUE(waitUntil([&] { return fake.executedLines().size() == 1; }));
    pumpFor(150);
    ASSERT_NE(exchange.XferDialog(), nullptr);
    EXPECT_EQ(link.LinkMode, LinkModeMemory);
    EXPECT_FALSE(mainEnabled);

    lastDialog()->cancel();
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    EXPECT_EQ(link.RecvBuffer, QByteArray(1, '\0'));
    EXPECT_EQ(link.XferCounter, 0);
    EXPECT_TRUE(mainEnabled);
    EXPECT_TRUE(lists.memory.empty());

    ASSERT_TRUE(run(&MonitorExchange::CommandMemory_Click, QStringLiteral("1000H")));
    EXPECT_EQ(lists.memory.size(), static_cast<std::size_t>(profile.memoryRowCount));
}

TEST_P(MonitorExchangeTest, AReplyInSeveralPiecesIsCollectedAndFilledOnce) {
    fakevaz::Options o;
    o.replyChunks = 6;
    o.chunkGapMs = 15;
    startDevice(o);
    ASSERT_TRUE(run(&MonitorExchange::CommandMemory_Click, QStringLiteral("0H")));
    EXPECT_EQ(lists.memoryWrites, profile.memoryRowCount);
    EXPECT_GE(lastDialog()->label3History.size(), 4);
}

TEST_P(MonitorExchangeTest, APromptSplitAcrossTwoReadsCompletesTheReply) {
    fakevaz::Options o;
    o.holdReplyTail = 2;  // the prompt's line feed and ">" come in a read of their own
    startDevice(o);
    prompter.answerInput(QStringLiteral("1000H"));
    exchange.CommandMemory_Click();
    const int replySize = eightBit() ? 443 : 963;
    const auto counted = [&](int n) { return QStringLiteral("%1/ %2").arg(n).arg(profile.expected.memory); };
    ASSERT_TRUE(waitUntil([&] { return lastDialog() && lastDialog()->label3Text == counted(replySize - 2); }));
    pumpFor(50);
    ASSERT_NE(exchange.XferDialog(), nullptr);  // a carriage return alone is no prompt

    port.write(QByteArrayLiteral(" "));  // lets the device send the rest
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(lastDialog()->label3Text, counted(replySize));
    EXPECT_EQ(lists.memory.size(), static_cast<std::size_t>(profile.memoryRowCount));
}

TEST_P(MonitorExchangeTest, NothingHappensWithoutAReadyPort) {
    auto& fake = startDevice();
    link.PortReady = false;
    exchange.CommandMemory_Click();
    exchange.CommandRegister_Click();
    exchange.CommandStepInto_Click();
    link.PortReady = true;
    port.close();
    exchange.CommandRun_Click();
    exchange.CommandStep_Click();
    pumpFor(50);
    EXPECT_TRUE(prompter.asked().empty());
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(fake.received().empty());
    EXPECT_TRUE(mainEnabled);
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
}

INSTANTIATE_TEST_SUITE_P(Editions, MonitorExchangeTest,
                         ::testing::Values(Edition::Corvane16, Edition::Corvane, Edition::Corvane8),
                         linktest::editionName);

class MemoryViewLayoutTest : public ExchangeFixture {
protected:
    MemoryViewLayoutTest() : ExchangeFixture(Edition::Corvane16) {}
};

TEST_F(MemoryViewLayoutTest, LinesWhoseDisplayTextStartsWithABlankKeepTheirRows) {
    // At 2F8 the device's display text starts with a blank.
    startDevice();
    ASSERT_TRUE(run(&MonitorExchange::CommandMemory_Click, QStringLiteral("2F8H")));
    fakevaz::MonitorMachine device(Edition::Corvane16);
    ASSERT_EQ(lists.memory.size(), 120u);
    for (const auto& [row, r] : lists.memory) {
        const auto a = static_cast<std::uint16_t>(0x2F8 + row - 1);
        const unsigned v = device.memory(a);
        ASSERT_EQ(r.address, hex(a, 4)) << row;
        ASSERT_EQ(r.value, hex(v, 4)) << row;
        ASSERT_EQ(r.display, QString(QChar(v >> 8)) + QChar(v & 0xFF)) << row;
    }
    EXPECT_EQ(lists.memory[1].display.at(0), QLatin1Char(' '));
}

class ReplyFloodTest : public ExchangeFixture {
protected:
    ReplyFloodTest() : ExchangeFixture(Edition::Corvane16) {}
};

TEST_F(ReplyFloodTest, TenMegabytesWithoutAPromptAreCountedNotKeptAndTheDialogStillCancels) {
    constexpr qint64 kFlood = 10 << 20;
    fakevaz::Options o;
    o.floodReply = kFlood;
    startDevice(o);
    prompter.answerInput(QStringLiteral("1000H"));
    exchange.CommandMemory_Click();
    // The carriage return's echo (CR LF), then the flood: every byte is counted.
    const QString counted = QStringLiteral("%1/ %2").arg(2 + kFlood).arg(profile.expected.memory);
    ASSERT_TRUE(waitUntil([&] { return lastDialog() && lastDialog()->label3Text == counted; }, 120000))
        << lastDialog()->label3Text.toStdString();
    // Only the reply's start is kept; the exchange still waits for its prompt.
    EXPECT_EQ(link.RecvBuffer.size(), 1 + kReplyKeptBytes);
    EXPECT_TRUE(link.RecvBuffer.sliced(1).startsWith("\r\n0123456789ABCDEF\r\n"));
    ASSERT_NE(exchange.XferDialog(), nullptr);
    EXPECT_EQ(link.LinkMode, LinkModeMemory);

    lastDialog()->cancel();
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    EXPECT_EQ(link.RecvBuffer, QByteArray(1, '\0'));
    EXPECT_TRUE(mainEnabled);
    EXPECT_TRUE(lists.memory.empty());

    ASSERT_TRUE(run(&MonitorExchange::CommandMemory_Click, QStringLiteral("1000H")));
    EXPECT_EQ(lastDialog()->label3Text, QStringLiteral("963/ %1").arg(profile.expected.memory));
    EXPECT_EQ(lists.memory.size(), static_cast<std::size_t>(profile.memoryRowCount));
}
