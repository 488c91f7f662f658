#include "exchange_fixture.h"
#include "link/code_transfer.h"
#include "link/codefile/code_file.h"
#include "link/device_port.h"
#include "platform/wait_seconds.h"
#include "support/file_size_limit.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

using namespace devlink;
using fakevaz::Edition;
using linktest::ExchangeFixture;
using linktest::RecordingProgress;
using testsupport::waitUntil;

namespace {

const QString kFileError = QStringLiteral("文件已被打开、被保护或已损坏，无法打开！！");
constexpr int kTransferTimeoutMs = 8000;

std::string fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll().toStdString();
}

std::size_t occurrences(const std::string& in, const std::string& what) {
    std::size_t n = 0;
    for (auto at = in.find(what); at != std::string::npos; at = in.find(what, at + 1)) ++n;
    return n;
}

class TransferFixture : public ExchangeFixture {
protected:
    explicit TransferFixture(Edition e) : ExchangeFixture(e), transfer(link, profile, exchange, pump) {}

    int bytesPerLocation() const { return profile.bytesPerLocation; }
    std::string sendLaunch() const { return std::string(profile.sendDataCmd) + "\r"; }
    std::string recvLaunch() const { return std::string(profile.recvDataCmd) + "\r"; }
    QString path(const char* name) const { return files.filePath(QString::fromUtf8(name)); }

    // The device's memory from `address` on as it travels: a 16-bit location high byte first.
    std::string wireData(const fakevaz::FakeVazMonitor& fake, std::uint16_t address, int count) const {
        std::string bytes;
        for (int i = 0; i < count; ++i) {
            const unsigned v = fake.memory(static_cast<std::uint16_t>(address + i));
            if (bytesPerLocation() == 2) bytes.push_back(static_cast<char>(v >> 8));
            bytes.push_back(static_cast<char>(v & 0xFF));
        }
        return bytes;
    }
    // Memory that holds the monitor's own CR, LF and ">" among other bytes.
    void presetMemory(fakevaz::FakeVazMonitor& fake, std::uint16_t address, int count) {
        for (int i = 0; i < count; ++i) {
            const unsigned byte = i < 3 ? std::string("\r\n>")[static_cast<std::size_t>(i)] : 0x80 + 7 * i;
            const unsigned value = bytesPerLocation() == 2 ? byte << 8 | (i ^ 0x55) : byte;
            fake.setMemory(static_cast<std::uint16_t>(address + i), value);
        }
    }
    // Data for `count` locations out of `text`, repeated as needed.
    std::vector<std::uint8_t> data(const std::string& text, int count) const {
        std::vector<std::uint8_t> out;
        for (std::size_t i = 0; out.size() < static_cast<std::size_t>(count * bytesPerLocation()); ++i)
            out.push_back(static_cast<std::uint8_t>(text[i % text.size()]));
        return out;
    }
    QString writeFile(const char* name, const std::vector<codefile::CodeBlock>& blocks) const {
        const QString p = path(name);
        EXPECT_TRUE(codefile::writeCodeFile(QFile::encodeName(p).toStdString(), blocks));
        return p;
    }

    bool waitDone(int timeoutMs = kTransferTimeoutMs) {
        return waitUntil(
            [&] {
                return !exchange.XferDialog() && link.LinkMode == LinkModeTerminal &&
                       transfer.phase() == CodeTransfer::Phase::Idle;
            },
            timeoutMs);
    }
    bool waitMoved(int bytes) {
        return waitUntil([&] { return lastDialog() && lastDialog()->label3TagText == QString::number(bytes); },
                         kTransferTimeoutMs);
    }

    QTemporaryDir files;
    CodeTransfer transfer;
};

class CodeTransferTest : public TransferFixture, public ::testing::WithParamInterface<Edition> {
protected:
    CodeTransferTest() : TransferFixture(GetParam()) {}
};

class CodeTransfer16Test : public TransferFixture {
protected:
    CodeTransfer16Test() : TransferFixture(Edition::Corvane16) {}
};

class CodeTransfer8Test : public TransferFixture {
protected:
    CodeTransfer8Test() : TransferFixture(Edition::Corvane8) {}
};

}  // namespace

TEST_P(CodeTransferTest, ReceivesABlockIntoANewCodeFileEqualToTheDevicesMemory) {
    auto& fake = startDevice();  // sends 32 locations at 1000H
    presetMemory(fake, 0x1000, 32);
    const std::string memory = wireData(fake, 0x1000, 32);
    prompter.answerFile(path("t.COD"));
    transfer.ToolRecvData_Click();
    ASSERT_TRUE(waitDone());

    EXPECT_EQ(fileBytes(path("t.COD")), std::string("\x01\x00\x10\x20\x00", 5) + memory);
    // On the wire: the paced command, then the echo of every header and data byte.
    ASSERT_TRUE(waitUntil([&] { return fake.blocksSent().size() == 1; }));  // the last echo is in
    EXPECT_EQ(fake.receivedBytes(), recvLaunch() + std::string("\x10\x00\x00\x20", 4) + memory);
    EXPECT_TRUE(fake.errors().empty());

    ASSERT_EQ(prompter.asked().size(), 1u);
    const platform::FileRequest& asked = prompter.asked()[0].file;
    EXPECT_EQ(prompter.asked()[0].kind, testsupport::ScriptedPrompter::Asked::SaveFile);
    EXPECT_EQ(asked.title, QStringLiteral("保存文件为"));
    EXPECT_EQ(asked.filter, QStringLiteral("Codes (*.COD)|*.COD"));
    EXPECT_EQ(asked.defaultExt, QStringLiteral("COD"));

    ASSERT_EQ(dialogs.size(), 1u);
    const auto& d = *dialogs[0];
    EXPECT_EQ(d.caption, QStringLiteral(" 数据接收中，请稍侯。。。"));
    EXPECT_EQ(d.label1, QStringLiteral("从 VAZ 设备 1000H 起始地址处接收数据 "));
    EXPECT_EQ(d.label2, QStringLiteral("到文件 't.COD'"));
    // Counted at data bytes 1, 11, 21, ...: 64 bytes end at 61 (30 words), 32 bytes at 31.
    const bool eight = bytesPerLocation() == 1;
    ASSERT_EQ(d.label3History.size(), eight ? 6 : 9);
    EXPECT_EQ(d.label3History[0], QStringLiteral("第 0 / 0 字"));
    EXPECT_EQ(d.label3History[1], QStringLiteral("第 0 / 32 字"));
    EXPECT_EQ(d.label3History[2], eight ? QStringLiteral("第 1 / 32 字") : QStringLiteral("第 0 / 32 字"));
    EXPECT_EQ(d.label3History.back(), eight ? QStringLiteral("第 31 / 32 字") : QStringLiteral("第 30 / 32 字"));
    EXPECT_EQ(d.tagText, QStringLiteral("32"));
    EXPECT_EQ(d.label3TagText, QString::number(memory.size()));
    EXPECT_EQ(d.maximum, 1000);
    EXPECT_EQ(d.value, eight ? 969 : 953);
    EXPECT_TRUE(d.shown);
    EXPECT_TRUE(d.unloaded);
    EXPECT_EQ(d.usedAfterUnload, 0);

    EXPECT_TRUE(mainEnabled);
    EXPECT_EQ(link.XferFileNumber, 0);
    // The device's prompt after the block reaches the command line.
    EXPECT_TRUE(paneShows(QStringLiteral(">")));
}

TEST_P(CodeTransferTest, SendsEveryBlockWithAPauseBetweenBlocksAndTheDevicesMemoryEqualsTheFile) {
    auto& fake = startDevice();
    const auto first = data("ABCDEF", 3), second = data("YZ", 2);
    const QString file =
        writeFile("three.COD", {{{0x1000, 3}, first}, {{0x3000, 0}, {}}, {{0x12FF, 2}, second}});
    prompter.answerFile(file);
    transfer.ToolSendData_Click();
    ASSERT_TRUE(waitDone());

    const std::string a(first.begin(), first.end()), b(second.begin(), second.end());
    const std::string firstPart = sendLaunch() + std::string("\x10\x00\x00\x03", 4) + a;
    EXPECT_EQ(fake.receivedBytes(), firstPart + sendLaunch() + std::string("\x12\xFF\x00\x02", 4) + b);
    EXPECT_TRUE(fake.errors().empty());
    ASSERT_EQ(fake.blocksReceived().size(), 2u);
    // The next block's command follows half a second or more after the last byte's echo.
    const auto rx = fake.received();
    ASSERT_GT(rx.size(), firstPart.size());
    EXPECT_GE(rx[firstPart.size()].at - fake.blocksReceived()[0].at, std::chrono::milliseconds(500));
    for (int i = 0; i < 3; ++i) {
        const unsigned expected = bytesPerLocation() == 2 ? (first[2 * i] << 8 | first[2 * i + 1]) : first[i];
        EXPECT_EQ(fake.memory(static_cast<std::uint16_t>(0x1000 + i)), expected) << i;
    }
    for (int i = 0; i < 2; ++i) {
        const unsigned expected = bytesPerLocation() == 2 ? (second[2 * i] << 8 | second[2 * i + 1]) : second[i];
        EXPECT_EQ(fake.memory(static_cast<std::uint16_t>(0x12FF + i)), expected) << i;
    }

    EXPECT_EQ(prompter.asked().at(0).file.title, QStringLiteral("打开文件"));
    ASSERT_EQ(dialogs.size(), 1u);  // one dialog for all blocks
    const auto& d = *dialogs[0];
    EXPECT_EQ(d.caption, QStringLiteral(" 数据发送中，请稍侯。。。"));
    EXPECT_EQ(d.label1, QStringLiteral("从文件 'three.COD'"));
    EXPECT_EQ(d.label2, QStringLiteral("发送数据到 VAZ 设备的 12FFH 起始地址处"));
    const QString one = bytesPerLocation() == 2 ? QStringLiteral("0") : QStringLiteral("1");
    EXPECT_EQ(d.label3History, (QStringList{QStringLiteral("第 0 / 0 字,第 0 / 1 段"),
                                            QStringLiteral("第 0 / 3 字,第 0 / 1 段"),
                                            QStringLiteral("第 %1 / 3 字,第 0 / 1 段").arg(one),
                                            QStringLiteral("第 0 / 0 字,第 1 / 1 段"),
                                            QStringLiteral("第 0 / 2 字,第 1 / 1 段"),
                                            QStringLiteral("第 %1 / 2 字,第 1 / 1 段").arg(one)}));
    EXPECT_TRUE(d.unloaded);
    EXPECT_EQ(d.usedAfterUnload, 0);
    EXPECT_TRUE(mainEnabled);
    EXPECT_EQ(link.XferFileNumber, 0);

    // The prompt comes to the command line; the echo of the last byte ("Z") does not.
    EXPECT_TRUE(paneShows(QStringLiteral(">")));
    EXPECT_FALSE(pane().contains(QLatin1Char('Z')));
}

INSTANTIATE_TEST_SUITE_P(Editions, CodeTransferTest,
                         ::testing::Values(Edition::Corvane16, Edition::Corvane, Edition::Corvane8),
                         linktest::editionName);

TEST_F(CodeTransfer16Test, AReceiveEndsWithItsLastByteWhenTheDeviceSendsNothingMore) {
    fakevaz::Options o;
    o.trailer = "";
    auto& fake = startDevice(o);
    prompter.answerFile(path("quiet.COD"));
    transfer.ToolRecvData_Click();
    ASSERT_TRUE(waitDone());
    EXPECT_TRUE(mainEnabled);
    EXPECT_EQ(fileBytes(path("quiet.COD")).size(), 5u + 64);
    // The command line and the monitor commands work on.
    ASSERT_TRUE(run(&MonitorExchange::CommandRegister_Click));
    EXPECT_EQ(fake.executedLines().back(), "R");
}

TEST_F(CodeTransfer16Test, TwoBytesInOneReadAreEachStoredAndEchoed) {
    fakevaz::Options o;
    o.doubleByteAt = 5;  // data bytes 5 and 6 in one write
    auto& fake = startDevice(o);
    const std::string memory = wireData(fake, 0x1000, 32);
    prompter.answerFile(path("pair.COD"));
    transfer.ToolRecvData_Click();
    ASSERT_TRUE(waitDone());
    EXPECT_EQ(fileBytes(path("pair.COD")), std::string("\x01\x00\x10\x20\x00", 5) + memory);
    ASSERT_TRUE(waitUntil([&] { return fake.blocksSent().size() == 1; }));
    EXPECT_EQ(fake.receivedBytes(), recvLaunch() + std::string("\x10\x00\x00\x20", 4) + memory);
    EXPECT_TRUE(fake.errors().empty());
    EXPECT_TRUE(paneShows(QStringLiteral(">")));
}

TEST_F(CodeTransfer16Test, AnExtraByteWithAnEchoIsNoDataAndExactlyOneFileByteGoesPerEcho) {
    fakevaz::Options o;
    o.doubleByteAt = 2;  // the echo of data byte 2 comes twice
    auto& fake = startDevice(o);
    const auto bytes = data("ABCDEFGH", 4);
    prompter.answerFile(writeFile("one.COD", {{{0x2000, 4}, bytes}}));
    transfer.ToolSendData_Click();
    ASSERT_TRUE(waitDone());
    EXPECT_EQ(fake.receivedBytes(), sendLaunch() + std::string("\x20\x00\x00\x04", 4) + "ABCDEFGH");
    for (int i = 0; i < 4; ++i) {
        const auto word = static_cast<unsigned>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
        EXPECT_EQ(fake.memory(static_cast<std::uint16_t>(0x2000 + i)), word) << i;
    }
    EXPECT_TRUE(mainEnabled);
}

TEST_F(CodeTransfer16Test, ACancelledReceiveKeepsItsPartWhichCannotBeSentBack) {
    fakevaz::Options o;
    o.muteAfter = 6 + 4 + 10;  // falls silent after the echo of data byte 10 (and sends byte 11)
    auto& fake = startDevice(o);
    const std::string memory = wireData(fake, 0x1000, 32);
    prompter.answerFile(path("part.COD"));
    transfer.ToolRecvData_Click();
    ASSERT_TRUE(waitMoved(11));
    RecordingProgress& d = *lastDialog();
    d.cancel();

    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    EXPECT_TRUE(mainEnabled);
    EXPECT_EQ(exchange.XferDialog(), nullptr);
    EXPECT_EQ(link.XferFileNumber, 0);
    EXPECT_TRUE(d.unloaded);
    const std::string part = std::string("\x01\x00\x10\x20\x00", 5) + memory.substr(0, 11);
    EXPECT_EQ(fileBytes(path("part.COD")), part);

    // Sending the part is refused before anything goes out: the device got the
    // echoes of the part, and nothing after them.
    const std::string echoes = recvLaunch() + std::string("\x10\x00\x00\x20", 4) + memory.substr(0, 11);
    ASSERT_TRUE(waitUntil([&] { return fake.receivedBytes().size() >= echoes.size(); }));
    prompter.clear();
    prompter.answerFile(path("part.COD"));
    transfer.ToolSendData_Click();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, kFileError);
    EXPECT_EQ(prompter.messages()[0].title, QStringLiteral(" 信息提示！"));
    EXPECT_EQ(prompter.messages()[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    EXPECT_EQ(link.XferFileNumber, 0);
    EXPECT_TRUE(mainEnabled);
    EXPECT_EQ(fake.receivedBytes(), echoes);
    EXPECT_EQ(fileBytes(path("part.COD")), part);
}

TEST_F(CodeTransfer16Test, ACancelDuringThePauseBetweenBlocksStopsTheSend) {
    auto& fake = startDevice();
    const QString file = writeFile("two.COD", {{{0x1000, 2}, data("ABCQ", 2)}, {{0x2000, 2}, data("WXYZ", 2)}});
    // Cancel as soon as the pause after the first block has begun.
    bool cancelled = false;
    platform::ScopedWaitHooks hooks({{}, {}, [&] {
                                         if (!cancelled && transfer.phase() == CodeTransfer::Phase::Parked &&
                                             link.SegmentIndex == 0) {
                                             cancelled = true;
                                             lastDialog()->cancel();
                                         }
                                         QCoreApplication::processEvents();
                                     }});
    prompter.answerFile(file);
    transfer.ToolSendData_Click();
    ASSERT_TRUE(waitUntil([&] { return cancelled && link.OnCommBusy == 0; }, kTransferTimeoutMs));

    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    EXPECT_TRUE(mainEnabled);
    EXPECT_EQ(transfer.phase(), CodeTransfer::Phase::Idle);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs[0]->unloaded);
    EXPECT_EQ(dialogs[0]->usedAfterUnload, 0);
    // The device's prompt after the first block shows (not the echo of its last
    // byte, "Q"), and the monitor commands work on; the second block never started.
    EXPECT_TRUE(paneShows(QStringLiteral(">")));
    EXPECT_FALSE(pane().contains(QLatin1Char('Q')));
    ASSERT_TRUE(run(&MonitorExchange::CommandRegister_Click));
    EXPECT_EQ(occurrences(fake.receivedBytes(), sendLaunch()), 1u);
    EXPECT_EQ(fake.blocksReceived().size(), 1u);
    EXPECT_EQ(fake.executedLines().back(), "R");
}

TEST_F(CodeTransfer16Test, FilesThatCannotBeWrittenOrReadAreReportedAndNothingIsSent) {
    auto& fake = startDevice();
    QFile plain(path("plain.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    struct Case {
        bool receive;
        QString target;
    };
    for (const Case& c : {Case{true, files.path()}, Case{true, path("plain.txt") + QStringLiteral("/x.COD")},
                          Case{false, path("missing.COD")}, Case{false, path("plain.txt")}}) {
        prompter.clear();
        prompter.answerFile(c.target);
        if (c.receive) transfer.ToolRecvData_Click();
        else transfer.ToolSendData_Click();
        ASSERT_EQ(prompter.messages().size(), 1u) << c.target.toStdString();
        EXPECT_EQ(prompter.messages()[0].text, kFileError);
        EXPECT_TRUE(mainEnabled);
        EXPECT_EQ(link.XferFileNumber, 0);
        EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    }
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(fake.receivedBytes().empty());
    EXPECT_TRUE(QFileInfo(files.path()).isDir());
}

TEST_F(CodeTransfer16Test, AWriteFailureDuringTheDataCancelsTheReceive) {
    auto& fake = startDevice();
    // The file may grow to its header and ten data bytes.
    {
        testsupport::FileSizeLimit limit(15);
        ASSERT_TRUE(limit.ok());
        prompter.answerFile(path("full.COD"));
        transfer.ToolRecvData_Click();
        ASSERT_TRUE(waitDone());
    }
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, kFileError);
    EXPECT_EQ(prompter.messages()[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(fileBytes(path("full.COD")), std::string("\x01\x00\x10\x20\x00", 5) + wireData(fake, 0x1000, 5));
    EXPECT_TRUE(lastDialog()->unloaded);
    EXPECT_EQ(link.XferFileNumber, 0);
    EXPECT_TRUE(mainEnabled);
}

TEST_F(CodeTransfer16Test, NothingHappensWithoutAReadyPortOrABlockToSend) {
    auto& fake = startDevice();
    const QString empty = writeFile("empty.COD", {});
    // A block the device sent with count 0 (65536 locations) is not sent back.
    const QString whole = writeFile("whole.COD", {{{0x1000, 0}, {}}, {{0x2000, 0}, {}}});
    for (const QString& f : {empty, whole}) {
        prompter.answerFile(f);
        transfer.ToolSendData_Click();
    }
    EXPECT_EQ(prompter.asked().size(), 2u);  // the two open dialogs, and no message

    link.PortReady = false;
    transfer.ToolRecvData_Click();
    transfer.ToolSendData_Click();
    link.PortReady = true;
    port.close();
    transfer.ToolRecvData_Click();
    transfer.ToolSendData_Click();
    EXPECT_EQ(prompter.asked().size(), 2u);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(link.XferFileNumber, 0);
    EXPECT_TRUE(fake.receivedBytes().empty());
}

TEST_F(CodeTransfer8Test, ACountOfZeroReceives65536LocationsAndIsStoredAsZero) {
    fakevaz::Options o;
    o.sendBlockCount = 0;
    o.muteAfter = 7 + 4 + 3;
    auto& fake = startDevice(o);
    prompter.answerFile(path("all.COD"));
    transfer.ToolRecvData_Click();
    ASSERT_TRUE(waitMoved(4));
    RecordingProgress& d = *lastDialog();
    EXPECT_EQ(d.label3History.at(1), QStringLiteral("第 0 / 65536 字"));
    EXPECT_EQ(d.tagText, QStringLiteral("65536"));
    EXPECT_EQ(d.progressTagText, QStringLiteral("65.536"));
    EXPECT_EQ(link.XferCounter, 65536 - 4);
    d.cancel();
    EXPECT_EQ(fileBytes(path("all.COD")), std::string("\x01\x00\x10\x00\x00", 5) + wireData(fake, 0x1000, 4));
}
