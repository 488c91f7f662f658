#include "link/fake/fake_vaz_monitor.h"
#include "link/fake/monitor_core.h"
#include "link/fake/monitor_machine.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace fakevaz;

namespace {

struct Recorder : Output {
    std::vector<std::string> writes;
    std::vector<std::string> lines;
    std::vector<fakevaz::CodeBlock> received, sent;
    std::vector<std::string> errors;
    void send(std::string_view bytes) override { writes.emplace_back(bytes); }
    void executed(const std::string& line) override { lines.push_back(line); }
    void blockReceived(const fakevaz::CodeBlock& b) override { received.push_back(b); }
    void blockSent(const fakevaz::CodeBlock& b) override { sent.push_back(b); }
    void error(const std::string& what) override { errors.push_back(what); }
    std::string all() const {
        std::string s;
        for (const auto& w : writes) s += w;
        return s;
    }
};

void feed(MonitorCore& core, Recorder& out, std::string_view bytes) {
    for (unsigned char c : bytes) core.receive(c, out);
}

}  // namespace

TEST(FakeMonitorCore, EmptyLineAnswersEchoAndPromptInOneWriteInEveryEdition) {
    for (Edition e : {Edition::Corvane16, Edition::Corvane, Edition::Corvane8}) {
        MonitorCore core(Options{e});
        Recorder out;
        feed(core, out, "\r\r");
        ASSERT_EQ(out.writes.size(), 2u);
        EXPECT_EQ(out.writes[0], "\r\n>");
        EXPECT_EQ(out.writes[1], "\r\n>");
        EXPECT_EQ(out.lines, (std::vector<std::string>{"", ""}));
    }
}

TEST(FakeMonitorCore, LineModeEchoesEditsAndRunsLines) {
    MonitorCore core(Options{Edition::Corvane16});
    Recorder out;
    feed(core, out, "ab\x7f");
    EXPECT_EQ(out.all(), "ab\b \b");
    out.writes.clear();
    feed(core, out, std::string("\x7f\x7f\n\x01\xff", 5));  // the second rubout has nothing to remove
    EXPECT_EQ(out.all(), std::string("\b \b\x01\xff", 5));
    out.writes.clear();
    feed(core, out, " X \r");
    // An unknown command: its echo, then the output as a second write.
    ASSERT_EQ(out.writes.size(), 5u);
    EXPECT_EQ(out.writes[3], "\r\n");
    EXPECT_EQ(out.writes[4], "ERROR\r\n>");
    EXPECT_EQ(out.lines.back(), " X ");

    MonitorCore eight(Options{Edition::Corvane8});
    Recorder out8;
    feed(eight, out8, "Q\r");
    EXPECT_EQ(out8.writes, (std::vector<std::string>{"Q", "\r", "\nERROR\r\n>"}));
}

TEST(FakeMonitorCore, SearchKnobs) {
    Options twoOnly;
    twoOnly.answerCrs = 2;
    MonitorCore core(twoOnly);
    Recorder out;
    feed(core, out, "\r\r\rA\r");
    EXPECT_EQ(out.all(), "\r\n>\r\n>");

    Options silent;
    silent.silent = true;
    MonitorCore quiet(silent);
    Recorder none;
    feed(quiet, none, "A\r\r");
    EXPECT_TRUE(none.writes.empty());

    Options odd;
    odd.emptyLineReply = *bytesFromHex("0D 0D 0A 3E");
    MonitorCore other(odd);
    Recorder got;
    feed(other, got, "\r");
    EXPECT_EQ(got.all(), "\r\r\n>");
}

TEST(FakeMonitorCore, CommandRepliesHaveEachEditionsLayoutAndSize) {
    struct Case {
        Edition edition;
        std::size_t memory, registers, unassemble;  // echo, lead-in, lines and prompt
    };
    for (const Case& c : {Case{Edition::Corvane16, 963, 165, 453}, Case{Edition::Corvane, 963, 165, 453},
                          Case{Edition::Corvane8, 443, 99, 408}}) {
        for (const auto& [command, size] :
             {std::pair{"D", c.memory}, std::pair{"R", c.registers}, std::pair{"U", c.unassemble}}) {
            MonitorCore core(Options{c.edition});
            Recorder out;
            feed(core, out, std::string(command) + "\r");
            const std::string reply = out.all().substr(1);  // after the echo of the letter
            EXPECT_EQ(reply.size(), size) << command;
            EXPECT_EQ(reply.find("\r\n>"), reply.size() - 3) << command;
            // The echo of the carriage return is a write of its own.
            EXPECT_EQ(out.writes[1], core.crEcho()) << command;
        }
    }
    MonitorCore eight(Options{Edition::Corvane8});
    Recorder out;
    feed(eight, out, "D 1000\r");
    EXPECT_EQ(out.all().substr(7, 60), "\n1000 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \r\n1010");
}

TEST(FakeMonitorCore, AddressesFollowEachEditionsSyntax) {
    auto outputOf = [](Edition e, const std::string& line) {
        MonitorCore core(Options{e});
        Recorder out;
        feed(core, out, line + "\r");
        return out.writes.back();
    };
    EXPECT_EQ(outputOf(Edition::Corvane16, "D 1000"), "ERROR\r\n>");  // no blank in the 16-bit editions
    EXPECT_EQ(outputOf(Edition::Corvane8, "D1000"), "\nERROR\r\n>");  // a blank and 4 digits in the 8-bit
    EXPECT_EQ(outputOf(Edition::Corvane8, "D 100"), "\nERROR\r\n>");
    EXPECT_EQ(outputOf(Edition::Corvane16, "R1"), "ERROR\r\n>");
    EXPECT_EQ(outputOf(Edition::Corvane16, "d1869f").substr(0, 5), "869F ");  // 5 digits wrap to 16 bits
    EXPECT_EQ(outputOf(Edition::Corvane16, "U0").substr(0, 28), "0000  2021       DW    2021H");
    // A step: R0 and PC(R5) move on, and the next instruction follows the registers.
    const std::string step = outputOf(Edition::Corvane16, "T1000");
    EXPECT_EQ(step.substr(0, 7), "R0=0001");
    EXPECT_NE(step.find("R5=1001"), std::string::npos);
    EXPECT_NE(step.find("F=01011010\r\n1001  "), std::string::npos);
    EXPECT_EQ(outputOf(Edition::Corvane8, "G 0100").substr(0, 7), "\nR0=00 ");
}

TEST(FakeMonitorCore, ReplyKnobs) {
    Options muted;
    muted.muteReplies = 1;
    MonitorCore m(muted);
    Recorder out;
    feed(m, out, "R\r");
    EXPECT_EQ(out.all(), "R\r\n");  // the echo only
    feed(m, out, "R\r");
    EXPECT_EQ(out.all().size(), 3u + 1 + 165);

    Options together;
    together.outputWithEcho = true;
    MonitorCore t(together);
    Recorder one;
    feed(t, one, "P\r");
    ASSERT_EQ(one.writes.size(), 2u);
    EXPECT_EQ(one.writes[1].substr(0, 5), "\r\nR0=");

    Options chunks;
    chunks.replyChunks = 3;
    MonitorCore c(chunks);
    Recorder pieces;
    feed(c, pieces, "R\r");
    EXPECT_EQ(pieces.writes.size(), 1u + 1 + 3);
    EXPECT_EQ(pieces.all().size(), 1u + 165);

    Options deaf;
    deaf.muteAfter = 2;
    MonitorCore d(deaf);
    Recorder some;
    feed(d, some, "abc\r");
    EXPECT_EQ(some.all(), "ab");
}

TEST(FakeMonitorCore, SendRoutineSendsHeaderAndDataEachAfterItsEcho) {
    struct Case {
        Edition edition;
        std::string launch, crEcho, data;  // data of 2 locations at 1000H as the memory holds them
    };
    for (const Case& c : {Case{Edition::Corvane16, "G0769", "\r\n", "\x20\x21\x22\x23"},
                          Case{Edition::Corvane, "G322", "\r\n", "\x20\x21\x22\x23"},
                          Case{Edition::Corvane8, "G 1F57", "\r", std::string("\x00\x01", 2)}}) {
        Options o{c.edition};
        o.sendBlockCount = 2;
        MonitorCore core(o);
        for (unsigned a = 0; a < 2; ++a)
            core.machine().setMemory(static_cast<std::uint16_t>(0x1000 + a),
                                     c.edition == Edition::Corvane8 ? a : 0x2021 + 0x202 * a);
        Recorder out;
        feed(core, out, c.launch + "\r");
        const std::string stream = std::string("\x10\x00\x00\x02", 4) + c.data;
        // The echo of the carriage return, then the first header byte as a write of its own.
        ASSERT_GE(out.writes.size(), 2u);
        EXPECT_EQ(out.writes[out.writes.size() - 2], c.crEcho);
        EXPECT_EQ(out.writes.back(), stream.substr(0, 1));
        for (std::size_t i = 0; i < stream.size(); ++i) {
            EXPECT_EQ(out.writes.back(), stream.substr(i, 1)) << i;
            core.receive(static_cast<std::uint8_t>(stream[i]), out);  // the program's echo
        }
        EXPECT_EQ(out.writes.back(), "\r\n>");  // the trailer
        ASSERT_EQ(out.sent.size(), 1u);
        EXPECT_EQ(out.sent[0].address, 0x1000);
        EXPECT_EQ(out.sent[0].count, 2u);
        EXPECT_EQ(out.sent[0].data, c.data);
        // Back in line mode.
        out.writes.clear();
        feed(core, out, "\r");
        EXPECT_EQ(out.all(), c.crEcho + (c.edition == Edition::Corvane8 ? "\n>" : ">"));
    }

    // A wrong echo ends the routine with an error; a count of 0 sends 65536 locations.
    Options whole{Edition::Corvane8};
    whole.sendBlockCount = 0;
    MonitorCore core(whole);
    Recorder out;
    feed(core, out, "G 1F57\r");
    feed(core, out, std::string("\x10\x00\x00", 3));
    EXPECT_EQ(out.writes.back(), std::string("\x00", 1));
    feed(core, out, "\x01");
    EXPECT_EQ(out.errors, (std::vector<std::string>{"echo_mismatch 3 00 01"}));
    EXPECT_EQ(out.writes.back(), "\r\nERR\r\n>");
    EXPECT_TRUE(out.sent.empty());
}

TEST(FakeMonitorCore, ReceiveRoutineEchoesAndStoresEachByte) {
    MonitorCore core(Options{Edition::Corvane16});
    Recorder out;
    feed(core, out, "G078B\r");
    EXPECT_EQ(out.writes.back(), "\r\n");
    const std::string block("\x20\x00\x00\x02\xB1\xB2\xB3\xB4", 8);
    for (std::size_t i = 0; i < block.size(); ++i) {
        core.receive(static_cast<std::uint8_t>(block[i]), out);
        EXPECT_EQ(out.writes.back(), i + 1 == block.size() ? "\r\n>" : block.substr(i, 1)) << i;
    }
    EXPECT_EQ(core.machine().memory(0x2000), 0xB1B2u);
    EXPECT_EQ(core.machine().memory(0x2001), 0xB3B4u);
    ASSERT_EQ(out.received.size(), 1u);
    EXPECT_EQ(out.received[0].address, 0x2000);
    EXPECT_EQ(out.received[0].data, block.substr(4));

    MonitorCore eight(Options{Edition::Corvane8});
    Recorder out8;
    feed(eight, out8, std::string("G 1F00\r\x12\xFF\x00\x01\x7E", 12));
    EXPECT_EQ(eight.machine().memory(0x12FF), 0x7Eu);
    EXPECT_EQ(out8.received.at(0).count, 1u);
}

TEST(FakeMonitorCore, RoutineKnobs) {
    // Two bytes in one write: data bytes 2 and 3 of the send routine, the echo of byte 2 of the receive routine.
    Options doubled{Edition::Corvane8};
    doubled.sendBlockCount = 4;
    doubled.doubleByteAt = 2;
    doubled.trailer = "";
    MonitorCore sender(doubled);
    Recorder out;
    feed(sender, out, std::string("G 1F57\r\x10\x00\x00\x04\x00", 12));
    EXPECT_EQ(out.writes.back(), std::string("\x01\x02", 2));
    feed(sender, out, std::string("\x01\x02\x03", 3));
    EXPECT_EQ(out.sent.size(), 1u);
    EXPECT_EQ(out.writes.back(), "\x03");  // no trailer after the last echo

    MonitorCore receiver(doubled);
    Recorder in;
    feed(receiver, in, std::string("G 1F00\r\x10\x00\x00\x02\x41\x42", 13));
    EXPECT_EQ(in.writes.back(), "BB");
    EXPECT_EQ(receiver.machine().memory(0x1001), 0x42u);
}

TEST(FakeMonitorCore, NamesAndHex) {
    EXPECT_EQ(editionFromName("16"), Edition::Corvane16);
    EXPECT_EQ(editionFromName("base"), Edition::Corvane);
    EXPECT_EQ(editionFromName("Corvane8"), Edition::Corvane8);
    EXPECT_FALSE(editionFromName("32"));
    EXPECT_EQ(bytesFromHex("0d0a 3E"), std::string("\r\n>"));
    EXPECT_FALSE(bytesFromHex("0D 0"));
    EXPECT_FALSE(bytesFromHex("zz"));
    EXPECT_EQ(hexOf("\r\n>"), "0D 0A 3E");
}

TEST(FakeVazMonitor, AnswersOnItsPseudoTerminalAndSurvivesReopening) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("COM2").toStdString();
    FakeVazMonitor fake;
    std::string error;
    ASSERT_TRUE(fake.start(link, &error)) << error;
    EXPECT_EQ(QFileInfo(QString::fromStdString(link)).symLinkTarget().toStdString(), fake.slavePath());

    for (int round = 0; round < 2; ++round) {
        const int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        termios t{};
        ASSERT_EQ(::tcgetattr(fd, &t), 0);
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
        ASSERT_EQ(::write(fd, "\r", 1), 1);
        std::string got;
        while (got.size() < 3) {
            pollfd p{fd, POLLIN, 0};
            ASSERT_GT(::poll(&p, 1, 2000), 0) << "no answer in round " << round;
            char buf[16];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            ASSERT_GT(n, 0);
            got.append(buf, static_cast<std::size_t>(n));
        }
        EXPECT_EQ(got, "\r\n>");
        ::close(fd);
    }
    EXPECT_EQ(fake.receivedBytes(), "\r\r");
    ASSERT_EQ(fake.sent().size(), 2u);
    EXPECT_GE(fake.sent()[0].at, fake.received()[0].at);

    fake.stop();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(link)));
}
