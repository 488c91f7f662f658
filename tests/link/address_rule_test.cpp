#include "editions/edition_profile.h"
#include "link/address_rule.h"
#include "link/monitor_command_table.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace devlink;

TEST(AddressRule, AnswersBecomeTheEditionsParameter) {
    struct Case {
        const char* answer;  // nullptr: the box was cancelled
        const char* wide;    // Corvane16 and Corvane
        const char* eight;   // Corvane8
    };
    const Case cases[] = {
        {nullptr, "", ""},          // no parameter: "D\r"
        {"", "", ""},
        {"5", "", ""},              // fewer than 2 characters
        {" 5 ", "", ""},
        {"0H", "0", " 0000"},       // the default answer
        {"1000H", "1000", " 1000"},
        {"1000h", "1000", " 1000"},
        {"12345H", "1234", " 1234"},  // only 4 hexadecimal digits count
        {"  ffh  ", "FF", " 00FF"},   // trimmed; small digits count like capitals
        {"4096", "1000", " 1000"},    // decimal
        {"99999", "1869F", " 869F"},  // 5 decimal digits: 16-bit editions send 5 hex digits
        {"123456", "3039", " 3039"},  // decimal takes the first 5 digits
        {"ABC", "0", " 0000"},        // decimal, no digits
        {"1010B", "A", " 000A"},      // binary
        {"2b", "1", " 0001"},         // any digit 1-9 counts as 1
        {"11111111111111111B", "FFFF", " FFFF"},  // 16 binary digits at most
        {"zzH", "0", " 0000"},
    };
    for (const Case& c : cases) {
        const QString answer = c.answer ? QString::fromUtf8(c.answer) : QString();
        EXPECT_EQ(addressParameter(editions::profileCorvane16(), answer), QString::fromLatin1(c.wide)) << c.answer;
        EXPECT_EQ(addressParameter(editions::profileCorvane(), answer), QString::fromLatin1(c.wide)) << c.answer;
        EXPECT_EQ(addressParameter(editions::profileCorvane8(), answer), QString::fromLatin1(c.eight)) << c.answer;
    }
}

TEST(MonitorCommandTable, PromptsAndExpectedSizes) {
    const MonitorCommand& d = monitorCommand('D');
    EXPECT_EQ(d.mode, LinkModeMemory);
    const QStringList lines = addressPrompt(d).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("请输入内存察看的起始地址(0-FFFFH)："));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("    选择“确定”")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("    （输入数据末尾")));
    EXPECT_TRUE(monitorCommand('R').promptFirstLine.isEmpty());
    EXPECT_EQ(monitorCommand('P').caption, QStringLiteral(" 单步不进入运行命令发送中，请稍侯。。。"));

    EXPECT_EQ(expectedReplyBytes(editions::profileCorvane16(), 'R'), 210);
    EXPECT_EQ(expectedReplyBytes(editions::profileCorvane(), 'R'), 198);
    EXPECT_EQ(expectedReplyBytes(editions::profileCorvane8(), 'D'), 440);
    EXPECT_EQ(expectedReplyBytes(editions::profileCorvane8(), 'G'), 6);
}
