// The sampling exchange on the program's device port, against the fake VAZ
// device on a pseudo-terminal.
#include "link/link_fixture.h"
#include "sampler/link_sampler_device.h"
#include "sampler/custom_sampling.h"
#include "sampler/qt_print.h"
#include "sampler/sampling_exchange.h"

#include <gtest/gtest.h>

namespace sampler {
namespace {

class SamplingOverPty : public linktest::LinkFixture {
protected:
    void openCom1(fakevaz::Options options = {}) {
        fake = &addFake(1, std::move(options));
        ASSERT_EQ(port.open(1, devlink::CommSettings(link.settings)), 0);
        link.PortReady = true;
    }
    ExchangeOutcome run(const ExchangeLimits& limits = {}) {
        LinkSamplerDevice device(link);
        return runSamplingExchange(state, device, rateBox, limits);
    }
    std::string received() const { return fake->receivedBytes(); }

    fakevaz::FakeVazMonitor* fake = nullptr;
    SamplerState state;
    QString rateBox = QStringLiteral("50MHz");
};

TEST_F(SamplingOverPty, StartValuesTakeTheWholeReplyOfFourThousandBytes) {
    openCom1();
    int notified = 0;
    QObject::connect(&port, &devlink::DevicePort::received, [&] { ++notified; });
    EXPECT_EQ(run(), ExchangeOutcome::Received);
    EXPECT_EQ(received(), "\x30\xA3");
    EXPECT_EQ(messageTexts(), QStringList{"下位机成功复位！！"});
    ASSERT_EQ(state.RawBytes.size(), 4097);
    for (int i = 1; i <= 4096; ++i)
        for (int k = 0; k < 8; ++k) ASSERT_EQ(state.SampleData[i][k], (fakevaz::samplePattern(i - 1) >> (7 - k)) & 1) << i;
    // The link's receive handler never heard of the sampler's bytes, and hears again afterwards.
    EXPECT_EQ(notified, 0);
    EXPECT_TRUE(port.receiveNotification());
}

TEST_F(SamplingOverPty, ChosenRateLengthAndWidth) {
    openCom1();
    applyCustomChoice(state, {"10KHz", "1024字节", "二位"});
    rateBox = "10KHz";
    EXPECT_EQ(run(), ExchangeOutcome::Received);
    EXPECT_EQ(received(), "\x37\xA8");
    EXPECT_EQ(state.RawBytes.size(), 257);
    // Data byte 1 is 0x01: samples (0,0), (0,0), (0,0), (0,1) at indexes 8..11.
    EXPECT_EQ(state.SampleData[11][1], 1);
    EXPECT_EQ(state.SampleData[10][1], 0);
}

TEST_F(SamplingOverPty, ErrorBytesGiveTheirTextsAndNoTransfer) {
    const std::pair<uint8_t, QString> cases[] = {
        {0x60, "接收复位应答命令奇偶检查错误！！"},
        {0x61, "接收复位应答命令初始化采样超时，重试失败！！"},
        {0x62, "接收复位应答命令初始化失败！！"},
        {0x41, "接收应答命令未知错误！！"},
    };
    for (const auto& [answer, text] : cases) {
        SCOPED_TRACE(answer);
        fakevaz::Options o;
        o.sampleResetReply = answer;
        port.close();
        prompter.clear();
        openCom1(o);
        EXPECT_EQ(run(), ExchangeOutcome::ResetRefused);
        EXPECT_EQ(messageTexts(), QStringList{text});
        EXPECT_EQ(prompter.messages()[0].title, " 错误提示！");
        EXPECT_EQ(received(), "\x30");
    }
}

TEST_F(SamplingOverPty, WrongTransferEchoKeepsTheSamples) {
    fakevaz::Options o;
    o.sampleTransferReply = 0xA2;
    openCom1(o);
    const auto before = state.SampleData;
    EXPECT_EQ(run(), ExchangeOutcome::DataRefused);
    EXPECT_EQ(messageTexts().last(), "接收应答命令未知错误！！");
    EXPECT_EQ(state.SampleData, before);
}

TEST_F(SamplingOverPty, HalfTheDataTimesOutAndLeavesItWaiting) {
    fakevaz::Options o;
    o.sampleDataLimit = 2048;
    openCom1(o);
    EXPECT_EQ(run({500, 500, 300, 0.0}), ExchangeOutcome::DataTimeout);
    EXPECT_EQ(messageTexts().last(), "接收数据传送命令超时！！");
    EXPECT_EQ(port.bytesAvailable(), 2049);
}

TEST_F(SamplingOverPty, ClosedPortIsOpenedAndAMissingOneReported) {
    openCom1();
    port.close();
    EXPECT_EQ(run(), ExchangeOutcome::Received);
    EXPECT_TRUE(port.isOpen());

    port.close();
    removeFake(1);
    prompter.clear();
    EXPECT_EQ(run(), ExchangeOutcome::OpenFailed);
    EXPECT_EQ(messageTexts(), QStringList{"端口 1 未发现（无效）或已被占用！！"});
}

}  // namespace
}  // namespace sampler
