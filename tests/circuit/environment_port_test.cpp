// The environment's serial port in a continuous run: the 8251's output
// reaches a pseudo-terminal, bytes from it reach the receiving 8251, a port
// that is gone or whose line failed is reported once per run or console
// command, and without the variable nothing is. A slow peer and a flooding
// one cost bytes, told once per run or command, but neither the port nor
// memory.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <QRegularExpression>
#include <QStringList>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "circuit/circuit_messages.h"
#include "circuit/environment_port.h"
#include "circuit/receive_fifo.h"
#include "circuit/widgets/form12.h"
#include "circuit/widgets/run_parts.h"
#include "link/comm_errors.h"
#include "link/device_port.h"
#include "link/fake/pseudo_terminal.h"
#include "link/link_state.h"
#include "support/resident_memory.h"
#include "support/wait_until.h"
#include "usart_frame.h"

using circuit::widgets::RunWindows;
using testsupport::waitUntil;
using namespace circuittest;

namespace {

// CORVANE_ENV_PORT for the test's life (unset for an empty path).
class PortVariable {
public:
    explicit PortVariable(const std::string& path) {
        if (path.empty()) qunsetenv(circuit::kEnvironmentPortVariable);
        else qputenv(circuit::kEnvironmentPortVariable, QByteArray::fromStdString(path));
    }
    ~PortVariable() { qunsetenv(circuit::kEnvironmentPortVariable); }
};

// Reads at most `limit` of the bytes that wait on the pseudo-terminal's master side.
std::string readAvailable(int fd, std::size_t limit = std::string::npos) {
    std::string got;
    char buffer[4096];
    while (got.size() < limit) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - got.size()));
        if (n <= 0) break;
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

// Runs until `batches` more batches have passed, then stops as the toggle does.
void runFor(UsartFrame& f, int64_t batches, int timeoutMs = 5000) {
    circuit::ContinuousRun& run = RunWindows::of(*f.frame)->session().run();
    const int64_t until = run.batches() + batches;
    f.startRun();
    EXPECT_TRUE(waitUntil([&] { return run.batches() >= until; }, timeoutMs));
    f.stopRun();
}

// A line that takes the bytes handed to it and then fails to send them, as a
// serial port whose write fails after queuing: the failure comes from the
// event loop, and what was taken stays in the transmit buffer.
class FailingLine : public devlink::DevicePort {
public:
    int openAt(const QString&, int, const QString&) override {
        open_ = true;
        return devlink::CommOk;
    }
    void close() override {
        open_ = false;
        held_.clear();
    }
    bool isOpen() const override { return open_; }
    int queue(const QByteArray& bytes) override {
        if (!open_) return devlink::CommOperationOnClosed;
        if (held_.isEmpty()) QTimer::singleShot(0, this, [this] { onError(QSerialPort::WriteError); });
        held_ += bytes;
        return devlink::CommOk;
    }
    qint64 bytesToWrite() const override { return held_.size(); }
    qint64 bytesAvailable() const override { return 0; }
    QByteArray readAll() override { return {}; }

private:
    bool open_ = false;
    QByteArray held_;
};

// A frame whose environment port is the slave side of a pseudo-terminal;
// the test works the master side as the peer.
class PortOnPty : public ::testing::Test {
protected:
    PortOnPty() : opened_(pty.open(&error_)), variable_(pty.slavePath()) {}
    void SetUp() override {
        ASSERT_TRUE(opened_) << error_;
        ASSERT_TRUE(port().isOpen());
    }
    circuit::RunSession& session() const { return RunWindows::of(*f.frame)->session(); }
    circuit::EnvironmentPort& port() const { return session().port(); }

    fakevaz::PseudoTerminal pty;
    std::string error_;
    bool opened_;
    PortVariable variable_;
    UsartFrame f;
};

}  // namespace

TEST_F(PortOnPty, RunOutputReachesThePortAndItsInputTheReceiving8251) {
    RunWindows* windows = RunWindows::of(*f.frame);

    // Every clock period of the run writes "A".
    f.enable();
    f.send({'A'});
    runFor(f, 5);
    std::string got;
    ASSERT_TRUE(waitUntil([&] { return (got += readAvailable(pty.master())).size() >= 640; }));
    EXPECT_EQ(got.find_first_not_of('A'), std::string::npos) << QByteArray::fromStdString(got.substr(0, 16)).toHex().toStdString();
    EXPECT_EQ(f.sim().Receiving8251Ic, f.usart());
    // The run makes the terminal and shows it, and leaves its text alone.
    circuit::widgets::Form12* t = windows->terminalIfMade(f.usart());
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->isVisible());
    EXPECT_TRUE(t->RichTextBox1()->toPlainText().isEmpty());

    // Status reads now: a byte from the port reaches the 8251.
    f.readStatus();
    ASSERT_EQ(::write(pty.master(), "z", 1), 1);
    circuit::ContinuousRun& run = windows->session().run();
    f.startRun();
    EXPECT_TRUE(waitUntil([&] { return f.usartRecord().RxData == 'z'; }));
    EXPECT_TRUE(waitUntil([&] { return run.batches() > 0; }));
    f.stopRun();
    EXPECT_NE(f.usartRecord().Status & 2, 0);
    EXPECT_TRUE(f.prompter.messages().empty());

    // Quitting closes the port.
    f.prompter.answerMessage(platform::MsgResult::Yes);
    f.frame->close();
    EXPECT_FALSE(windows->session().port().isOpen());
}

TEST(EnvironmentPort, APortThatIsGoneIsReportedOncePerRunAndPerCommand) {
    const struct {
        const char* name;
        bool vanishes;  // else the path was never there
        int number;
    } cases[] = {
        {"the device went away", true, devlink::CommPortNotOpen},
        {"no such device", false, devlink::CommPortNotFound},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        fakevaz::PseudoTerminal pty;
        std::string error;
        ASSERT_TRUE(pty.open(&error)) << error;
        PortVariable variable(k.vanishes ? pty.slavePath() : "/nonexistent/env-port");
        UsartFrame f;
        circuit::EnvironmentPort& port = RunWindows::of(*f.frame)->session().port();
        if (k.vanishes) {
            ASSERT_TRUE(port.isOpen());
            pty.close();
            ASSERT_TRUE(waitUntil([&] { return !port.isOpen(); }));
        }
        EXPECT_TRUE(f.prompter.messages().empty()) << "nothing is said before the port is used";

        // A run whose status reads poll the port at every clock period, then
        // one whose output goes to it: one box each.
        const QString text = devlink::CommErrorText(k.number, devlink::linkState().settings.CommPortNumber);
        f.enable();
        f.readStatus();
        f.prompter.clear();
        runFor(f, 9);
        f.send({'A'});
        runFor(f, 9);
        const auto messages = f.prompter.messages();
        ASSERT_EQ(messages.size(), 2u);
        for (const auto& m : messages) {
            EXPECT_EQ(m.text, text);
            EXPECT_EQ(m.title, QStringLiteral(" 错误提示！"));
        }

        // A console command whose status read polls it: once more, once.
        f.readStatus();
        f.prompter.clear();
        f.clockPeriod();
        EXPECT_EQ(f.prompter.messages().size(), 1u);
    }
}

// The line fails once it has taken the run's first bytes: the port is gone
// as after a hang-up, the run tells 8012 once, and the 8251's further output,
// twice the transmit buffer's worth, is not taken for bytes a full buffer
// dropped.
TEST(EnvironmentPort, AWriteThatFailsAfterQueuingClosesThePortAndIsToldOnce) {
    PortVariable variable("");
    UsartFrame f;
    circuit::EnvironmentPort& port = RunWindows::of(*f.frame)->session().port();
    port.useLine(std::make_unique<FailingLine>());
    ASSERT_EQ(port.open(QStringLiteral("stand-in"), QStringLiteral("9600,N,8,1")), devlink::CommOk);

    // Every clock period of the run writes "A".
    f.enable();
    f.send({'A'});
    ASSERT_TRUE(f.prompter.messages().empty());
    constexpr int64_t kBytesPerBatch = circuit::ContinuousRun::kBatchInversions / 2;
    runFor(f, 2 * circuit::EnvironmentPort::kTransmitBufferBytes / kBytesPerBatch + 1, 60000);

    EXPECT_FALSE(port.isOpen());
    const auto messages = f.prompter.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              devlink::CommErrorText(devlink::CommPortNotOpen, devlink::linkState().settings.CommPortNumber));
    EXPECT_EQ(messages[0].title, QStringLiteral(" 错误提示！"));
}

TEST(EnvironmentPort, WithoutTheVariableThereIsNoPortAndNothingIsSaid) {
    PortVariable variable("");
    UsartFrame f;
    circuit::EnvironmentPort& port = RunWindows::of(*f.frame)->session().port();
    EXPECT_FALSE(port.configured());
    f.enable();
    f.readStatus();
    runFor(f, 5);
    f.send({'A'});
    runFor(f, 5);
    EXPECT_EQ(f.sim().Receiving8251Ic, f.usart()) << "the output was passed on, and dropped";
    EXPECT_TRUE(f.prompter.messages().empty());
}

TEST(ReceiveFifo, HandsOutInOrderAndDropsWhatArrivesWhileFull) {
    circuit::ReceiveFifo fifo(4);
    const uint8_t first[] = {1, 2, 3};
    EXPECT_EQ(fifo.put(first, 3), 3u);
    EXPECT_EQ(fifo.take(), 1);
    // Across the end of the storage, and over the top: the newest are dropped.
    const uint8_t second[] = {4, 5, 6, 7};
    EXPECT_EQ(fifo.put(second, 4), 2u);
    EXPECT_EQ(fifo.dropped(), 2);
    std::vector<int> out;
    while (fifo.size() > 0) out.push_back(fifo.take());
    EXPECT_EQ(out, (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(fifo.put(second + 2, 2), 2u);
    EXPECT_EQ(fifo.take(), 6);
}

// A peer that reads 960 bytes a second, as a 9600-baud line does, while the
// run's 8251 sends at every clock period: the port stays open, the transmit
// buffer holds what the line cannot take yet, and what finds it full is
// dropped and told once, with the count, when the run ends. Every byte is
// either delivered in order or counted.
TEST_F(PortOnPty, ASlowPeerKeepsThePortAndGetsTheOutputInOrder) {
    // One byte per clock period, counting: 640 a batch, as a program that
    // writes the 8251's data register in a loop makes them; a batch takes a
    // millisecond or so, which makes well over half a megabyte a second.
    int64_t sent = 0;
    session().run().batch = [&](int32_t) {
        QThread::msleep(1);
        sim::IcRecord& ic = f.sim().IcTable[static_cast<std::size_t>(f.usart())];
        for (int i = 0; i < circuit::ContinuousRun::kBatchInversions / 2; ++i) {
            const auto next = static_cast<std::size_t>(ic.TxLast + 1);
            if (next >= ic.Memory.size()) ic.Memory.resize(next + 1);
            ic.Memory[next] = static_cast<int32_t>(sent++ & 255);
            ic.TxLast = static_cast<int32_t>(next);
        }
        f.sim().Pending8251Ic = f.usart();
    };

    constexpr int kSeconds = 10;
    constexpr int64_t kBytesPerSecond = 960;
    std::string got;
    QElapsedTimer clock;
    clock.start();
    f.startRun();
    waitUntil(
        [&] {
            const int64_t due = clock.elapsed() * kBytesPerSecond / 1000 - static_cast<int64_t>(got.size());
            if (due > 0) got += readAvailable(pty.master(), static_cast<std::size_t>(due));
            return clock.elapsed() >= kSeconds * 1000;
        },
        (kSeconds + 5) * 1000);
    f.stopRun();
    EXPECT_TRUE(port().isOpen());
    EXPECT_GE(static_cast<int64_t>(got.size()), kBytesPerSecond * (kSeconds - 1));

    const auto messages = f.prompter.messages();
    ASSERT_EQ(messages.size(), 1u);
    const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("有 (\\d+) 个字节")).match(messages[0].text);
    ASSERT_TRUE(count.hasMatch()) << messages[0].text.toStdString();
    const int64_t dropped = count.captured(1).toLongLong();
    EXPECT_GT(dropped, 0);
    EXPECT_EQ(messages[0].text, circuit::droppedOutputText(dropped, devlink::linkState().settings.CommPortNumber));
    EXPECT_EQ(messages[0].title, QStringLiteral(" 错误提示！"));

    // What the buffer still held reaches the peer after the run; what the
    // last batches made waits in the 8251 for the console's next step.
    const int64_t unsent = f.usartRecord().TxLast + 1;
    EXPECT_TRUE(waitUntil([&] {
        got += readAvailable(pty.master());
        return static_cast<int64_t>(got.size()) + dropped + unsent >= sent;
    }));
    EXPECT_EQ(static_cast<int64_t>(got.size()) + dropped + unsent, sent);
    // In order: the buffer's worth before the first loss exactly, and after
    // it each jump in the count is what was lost there.
    ASSERT_GE(got.size(), static_cast<std::size_t>(circuit::EnvironmentPort::kTransmitBufferBytes));
    for (std::size_t i = 0; i < static_cast<std::size_t>(circuit::EnvironmentPort::kTransmitBufferBytes); ++i) {
        ASSERT_EQ(static_cast<uint8_t>(got[i]), i & 255) << i;
    }
    int64_t jumps = 0;
    for (std::size_t i = 1; i < got.size(); ++i)
        jumps += (static_cast<uint8_t>(got[i]) - static_cast<uint8_t>(got[i - 1]) - 1) & 255;
    EXPECT_EQ(jumps & 255, dropped & 255);
    EXPECT_EQ(f.prompter.messages().size(), 1u) << "nothing more after the run";
}

// Ten megabytes pour in while the receiving 8251 takes none of them: the
// receive buffer keeps the first bytes, the rest are dropped as an overrun
// drops them, and memory stays where it was. The run tells the overrun once,
// with its count, when it ends; a console command tells what was dropped
// since, once.
TEST_F(PortOnPty, AFloodIntoThePortCostsNoMoreThanItsReceiveBuffer) {
    f.enable();
    f.send({'A'});
    runFor(f, 5);  // the 8251 becomes the port's receiver
    f.readStatus();

    std::vector<char> chunk(64 * 1024);
    for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i + 1);
    constexpr int64_t kFlood = 10 * 1024 * 1024;
    int64_t written = 0;
    const long before = testsupport::residentKiB();
    f.startRun();
    QElapsedTimer clock;
    clock.start();
    while (written < kFlood && clock.elapsed() < 60000) {
        const auto size = static_cast<std::size_t>(std::min<int64_t>(kFlood - written, 64 * 1024));
        const ssize_t n = ::write(pty.master(), chunk.data(), size);
        if (n > 0) written += n;
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(written, kFlood);
    // The last arrivals are taken in too before the figures are read. Two
    // bytes have left the buffer: the one the 8251 holds, and the one its
    // status reads offer it again and again.
    int32_t portError = 0;
    EXPECT_TRUE(waitUntil([&] { return port().droppedInput() + port().bytesWaiting(portError) + 2 == kFlood; }));
    const long after = testsupport::residentKiB();
    f.stopRun();

    EXPECT_TRUE(port().isOpen());
    EXPECT_EQ(port().bytesWaiting(portError), static_cast<int32_t>(circuit::EnvironmentPort::kReceiveBufferBytes));
    EXPECT_EQ(portError, 0);
    EXPECT_EQ(f.usartRecord().RxData, 1) << "the first byte reached the 8251";
    if (testsupport::kResidentMemoryTellsUse) {
        EXPECT_LT(after - before, 1024) << before << " KiB before, " << after << " after";
    }
    const int portNumber = devlink::linkState().settings.CommPortNumber;
    const auto told = [&] {
        const auto messages = f.prompter.messages();
        f.prompter.clear();
        QStringList texts;
        for (const auto& m : messages) {
            EXPECT_EQ(m.title, QStringLiteral(" 错误提示！"));
            texts << m.text;
        }
        return texts;
    };
    EXPECT_EQ(told(), QStringList{circuit::droppedInputText(port().droppedInput(), portNumber)});

    const int64_t droppedByTheRun = port().droppedInput();
    ASSERT_EQ(::write(pty.master(), chunk.data(), 100), 100);
    ASSERT_TRUE(waitUntil([&] { return port().droppedInput() == droppedByTheRun + 100; }));
    f.clockPeriod();
    EXPECT_EQ(told(), QStringList{circuit::droppedInputText(100, portNumber)});
    f.clockPeriod();
    EXPECT_EQ(told(), QStringList{}) << "nothing new, nothing to tell";
}
