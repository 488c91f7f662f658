#include "link/comm_errors.h"
#include "link/link_state.h"
#include "link/port_search.h"
#include "link/port_status.h"
#include "link/prompt_match.h"
#include "link/prompter_link_notifier.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

using namespace devlink;

TEST(CommErrors, TextsByNumber) {
    struct Row {
        int number, port;
        const char* text;
    };
    const Row rows[] = {
        {96, 1, "接收复位应答命令奇偶检查错误！！"},
        {97, 2, "接收复位应答命令初始化采样超时，重试失败！！"},
        {98, 1, "接收复位应答命令初始化失败！！"},
        {8002, 3, "端口 3 未发现（无效）或已被占用！！"},
        {8005, 1, "端口 1 已被占用（已经打开）！！"},
        {8012, 2, "端口 2 没有打开！！"},
        {8015, 4, "端口 4 不能设置状态，没有打开！！"},
        {8018, 1, "端口 1 打开时操作才有效，端口没有打开！！"},
        {8020, 3, "端口 3 读错误！！"},
        {8010, 1, "接收应答命令未知错误！！"},
        {0, 1, "接收应答命令未知错误！！"},
        {CommOtherFailure, 2, "接收应答命令未知错误！！"},
    };
    for (const auto& r : rows) EXPECT_EQ(CommErrorText(r.number, r.port), QString::fromUtf8(r.text)) << r.number;
}

TEST(CommErrors, ReportIsOneOkBoxWithTheErrorTitle) {
    testsupport::ScriptedPrompter prompter;
    ScopedPrompterLinkNotifier linkBoxes;
    ReportCommError(8002, 3);
    ReportCommError(97, 2);
    const auto boxes = prompter.messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("端口 3 未发现（无效）或已被占用！！"));
    EXPECT_EQ(boxes[1].text, QStringLiteral("接收复位应答命令初始化采样超时，重试失败！！"));
    for (const auto& b : boxes) {
        EXPECT_EQ(b.title, QStringLiteral(" 错误提示！"));
        EXPECT_EQ(b.buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(b.icon, platform::MsgIcon::None);
    }
}

TEST(PortStatus, SettingsTextAndStatusLine) {
    LinkState link;
    EXPECT_EQ(CommSettings(link.settings), QStringLiteral("9600,N,8,1"));
    EXPECT_EQ(PortStatusText(link), QStringLiteral("设备未发现或端口被占用！！"));

    link.PortReady = true;
    EXPECT_EQ(PortStatusText(link), QStringLiteral("端口号：1，波特率：9600BPS，校验：N，字长：8BITS，停止位：1BITS"));

    link.settings.CommStopBits = 1.5f;
    link.settings.CommPortNumber = 3;
    EXPECT_EQ(CommSettings(link.settings), QStringLiteral("9600,N,8,1.5"));
    EXPECT_TRUE(PortStatusText(link).endsWith(QStringLiteral("停止位：1.5BITS")));
    link.settings.CommStopBits = 2.0f;
    EXPECT_EQ(CommSettings(link.settings), QStringLiteral("9600,N,8,2"));

    // Valid settings do not make a port ready.
    link.PortReady = false;
    EXPECT_EQ(PortStatusText(link), QStringLiteral("设备未发现或端口被占用！！"));

    QString shown;
    link.host.showStatusText = [&](const QString& s) { shown = s; };
    ShowPortStatus(link);
    EXPECT_EQ(shown, QStringLiteral("设备未发现或端口被占用！！"));
}

TEST(PromptMatch, PairsFromTheFirstByte) {
    struct Row {
        QByteArray bytes;
        bool match;
    };
    const Row rows[] = {
        {QByteArray("\r\n>"), true},
        {QByteArray("\n\r>"), true},
        {QByteArray("\r\r\n>"), false},  // prompt at an odd offset
        {QByteArray("\r\n\r\n>"), true},
        {QByteArray("AB\r\n>"), true},
        {QByteArray("A\r\n>"), false},
        {QByteArray("\r\n>\0AB", 6), true},  // the pairs may stand anywhere
        {QByteArray(">"), false},
        {QByteArray(), false},
        {QByteArray("\r\n>\r"), false},
        {QByteArray("\r\n"), false},
    };
    for (const auto& r : rows) EXPECT_EQ(hasMonitorPrompt(r.bytes), r.match) << r.bytes.toHex(' ').toStdString();
}

TEST(PortSearchLines, TextsAndLooks) {
    EXPECT_EQ(notTriedLine(12).text, QStringLiteral("端口 12 未检查"));
    EXPECT_EQ(tryingLine(1).text, QStringLiteral("端口 1 搜索中..."));
    EXPECT_EQ(foundLine(2), (SearchLine{QStringLiteral("端口 2 搜索到应答，是否使用该端口？"), LineLook::Found, true, true}));
    EXPECT_EQ(noAnswerLine(3),
              (SearchLine{QStringLiteral("端口 3 未得到应答，端口上没发现设备！！"), LineLook::NoAnswer, true, false}));
    struct Row {
        int failure;
        const char* text;
    };
    const Row rows[] = {
        {8002, "端口 4 未发现（无效）或已被占用！！"},     {8005, "端口 4 已被占用（已经打开）！！"},
        {8012, "端口 4 没有打开！！"},                     {8015, "端口 4 不能设置状态，没有打开！！"},
        {8020, "端口 4 读错误！！"},                       {8018, "端口 4 接收应答命令未知错误！！"},
        {CommOtherFailure, "端口 4 接收应答命令未知错误！！"},
    };
    for (const auto& r : rows) {
        const SearchLine l = failureLine(4, r.failure);
        EXPECT_EQ(l.text, QString::fromUtf8(r.text));
        EXPECT_EQ(l.look, LineLook::Failure);
        EXPECT_FALSE(l.optionEnabled);
    }
}
