// The sampling exchange's steps and failures against a scripted device.
#include "sampler/qt_print.h"
#include "sampler/sampling_exchange.h"
#include "sampler/scripted_device.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

namespace sampler {
namespace {

const ExchangeLimits kFastExchangeLimits{40, 40, 40, 0.0};

QStringList texts(const testsupport::ScriptedPrompter& p) {
    QStringList out;
    for (const auto& m : p.messages()) out << m.title + "|" + m.text;
    return out;
}

TEST(SamplingExchange, StartValuesResetThenTransferAndUnpack) {
    testsupport::ScriptedPrompter prompter;
    ScriptedDevice dev;
    const QByteArray data = pattern(4096);
    dev.reply = [&](uint8_t b) { return b == 0xA3 ? QByteArray(1, char(0xA3)) + data : QByteArray(1, char(b)); };
    SamplerState s;
    EXPECT_EQ(runSamplingExchange(s, dev, "50MHz", kFastExchangeLimits), ExchangeOutcome::Received);
    EXPECT_EQ(dev.sent, (std::vector<uint8_t>{0x30, 0xA3}));
    EXPECT_EQ(texts(prompter), QStringList{"复位信息|下位机成功复位！！"});
    EXPECT_EQ(s.RawBytes.size(), 4097);
    for (int i = 1; i <= 4096; ++i)
        for (int k = 0; k < 8; ++k) ASSERT_EQ(s.SampleData[i][k], (uint8_t(data[i - 1]) >> (7 - k)) & 1) << i;
    EXPECT_EQ(s.SampleData[0][0], 1);  // bits of the echo A3
    EXPECT_EQ(dev.holds, (std::vector<bool>{true, false}));
}

TEST(SamplingExchange, ChosenRateAndNarrowWidth) {
    testsupport::ScriptedPrompter prompter;
    ScriptedDevice dev;
    dev.reply = [&](uint8_t b) { return b == 0xA8 ? QByteArray(1, char(0xA8)) + QByteArray(256, char(0x9C)) : QByteArray(1, char(b)); };
    SamplerState s;
    s.SampleWidth = 2;
    s.SampleBytes = 256;
    s.TransferCommand = 0xA8;
    EXPECT_EQ(runSamplingExchange(s, dev, "10KHz", kFastExchangeLimits), ExchangeOutcome::Received);
    EXPECT_EQ(dev.sent, (std::vector<uint8_t>{0x37, 0xA8}));
    EXPECT_EQ(s.RateDivisor, 5000);
    EXPECT_EQ(s.SampleData[4 * 256 + 1][1], 1);  // 0x9C's second sample is (0, 1)
}

TEST(SamplingExchange, RefusedResetSendsNoTransfer) {
    for (int answer : {0x60, 0x61, 0x62, 0x41}) {
        SCOPED_TRACE(answer);
        testsupport::ScriptedPrompter prompter;
        ScriptedDevice dev;
        dev.reply = [&](uint8_t) { return QByteArray(1, char(answer)) + "junk"; };
        SamplerState s;
        EXPECT_EQ(runSamplingExchange(s, dev, "50MHz", kFastExchangeLimits), ExchangeOutcome::ResetRefused);
        EXPECT_EQ(dev.sent, std::vector<uint8_t>{0x30});
        EXPECT_EQ(dev.reported, std::vector<int>{answer});
        EXPECT_TRUE(prompter.messages().empty());
        EXPECT_EQ(dev.holds.back(), false);
    }
}

TEST(SamplingExchange, WrongDataEchoLeavesSamplesAsTheyWere) {
    testsupport::ScriptedPrompter prompter;
    ScriptedDevice dev;
    dev.reply = [&](uint8_t b) { return b == 0xA3 ? QByteArray(1, char(0xA2)) + pattern(4096) : QByteArray(1, char(b)); };
    SamplerState s;
    const auto before = s.SampleData;
    EXPECT_EQ(runSamplingExchange(s, dev, "50MHz", kFastExchangeLimits), ExchangeOutcome::DataRefused);
    EXPECT_EQ(dev.reported, std::vector<int>{0xA2});
    EXPECT_EQ(s.SampleData, before);
    EXPECT_EQ(s.RawBytes.size(), 4097);
}

TEST(SamplingExchange, TimeOuts) {
    struct Case {
        const char* name;
        std::function<QByteArray(uint8_t)> reply;
        bool stuck;
        ExchangeOutcome outcome;
        QString text;
        qsizetype leftWaiting;
    } cases[] = {
        {"silent after reset", [](uint8_t) { return QByteArray(); }, false, ExchangeOutcome::ResetReplyTimeout,
         "接收复位应答命令超时！！", 0},
        {"silent after transfer", [](uint8_t b) { return b == 0x30 ? QByteArray(1, char(b)) : QByteArray(); }, false,
         ExchangeOutcome::DataTimeout, "接收数据传送命令超时！！", 0},
        {"half the data", [](uint8_t b) { return b == 0x30 ? QByteArray(1, char(b)) : QByteArray(1, char(b)) + pattern(2048); },
         false, ExchangeOutcome::DataTimeout, "接收数据传送命令超时！！", 2049},
        {"reset never leaves", [](uint8_t b) { return QByteArray(1, char(b)); }, true, ExchangeOutcome::ResetSendTimeout,
         "发送复位命令超时！！", 1},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::ScriptedPrompter prompter;
        ScriptedDevice dev;
        dev.reply = c.reply;
        dev.stuckOutput = c.stuck;
        SamplerState s;
        EXPECT_EQ(runSamplingExchange(s, dev, "50MHz", kFastExchangeLimits), c.outcome);
        const auto msgs = prompter.messages();
        ASSERT_FALSE(msgs.empty());
        EXPECT_EQ(msgs.back().text, c.text);
        EXPECT_EQ(msgs.back().title, " 错误提示！");
        EXPECT_EQ(msgs.back().icon, platform::MsgIcon::None);
        EXPECT_EQ(dev.input_.size(), c.leftWaiting);
    }

    // The transfer byte stuck in the output.
    testsupport::ScriptedPrompter prompter;
    ScriptedDevice dev;
    int sends = 0;
    dev.reply = [&](uint8_t b) {
        if (++sends == 2) dev.stuckOutput = true;
        return QByteArray(1, char(b));
    };
    SamplerState s;
    EXPECT_EQ(runSamplingExchange(s, dev, "50MHz", kFastExchangeLimits), ExchangeOutcome::TransferSendTimeout);
    EXPECT_EQ(prompter.messages().back().text, "发送数据传送命令超时！！");
}

TEST(SamplingExchange, PortNotReadyOrNotOpening) {
    testsupport::ScriptedPrompter prompter;
    ScriptedDevice dev;
    dev.ready = false;
    SamplerState s;
    EXPECT_EQ(runSamplingExchange(s, dev, "50MHz", kFastExchangeLimits), ExchangeOutcome::NoPort);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "未设置端口，请运行重置端口中的自动搜索或手动设置命令！！");
    EXPECT_EQ(prompter.messages()[0].title, " 信息提示！");
    EXPECT_EQ(prompter.messages()[0].icon, platform::MsgIcon::Information);
    EXPECT_TRUE(dev.sent.empty());
    EXPECT_EQ(dev.opens, 0);

    ScriptedDevice closed;
    closed.open_ = false;
    closed.openFailure = 8002;
    EXPECT_EQ(runSamplingExchange(s, closed, "50MHz", kFastExchangeLimits), ExchangeOutcome::OpenFailed);
    EXPECT_EQ(closed.reported, std::vector<int>{8002});
    EXPECT_TRUE(closed.sent.empty());

    closed.openFailure = 0;
    closed.reply = [](uint8_t b) { return b == 0xA3 ? QByteArray(1, char(b)) + pattern(4096) : QByteArray(1, char(b)); };
    EXPECT_EQ(runSamplingExchange(s, closed, "50MHz", kFastExchangeLimits), ExchangeOutcome::Received);
    EXPECT_EQ(closed.opens, 2);
}

TEST(SamplingExchange, RateBoxTextOutsideTheTableKeepsTheRate) {
    testsupport::ScriptedPrompter prompter;
    ScriptedDevice dev;
    dev.reply = [](uint8_t) { return QByteArray(); };
    SamplerState s;
    s.RateDivisor = 50;
    s.RateCommand = 0x33;
    runSamplingExchange(s, dev, "3MHz", kFastExchangeLimits);
    EXPECT_EQ(dev.sent, std::vector<uint8_t>{0x33});
    EXPECT_EQ(s.RateDivisor, 50);
}

}  // namespace
}  // namespace sampler
