#include "platform/codepage.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(CodePage, RoundTripsChineseAndAscii) {
    const QByteArray gbk("\xBC\xC6\xCB\xE3\xBB\xFA MOV R0,R1 ;\xD7\xA2\xCA\xCD");  // 计算机 ... ;注释
    const QString text = fromCp936(gbk);
    EXPECT_TRUE(text.startsWith(QStringLiteral("计算机")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("注释")));
    bool plain = false;
    EXPECT_EQ(toCp936(text, &plain), gbk);
    EXPECT_TRUE(plain);
}

TEST(CodePage, CharactersOutsideCp936AreKeptLosslessly) {
    const QString text = QStringLiteral("a\U0001F600b");
    bool plain = true;
    const QByteArray bytes = toCp936(text, &plain);
    EXPECT_FALSE(plain);
    EXPECT_EQ(fromCp936(bytes), text);
}

TEST(CodePage, ReadableTextIsToldFromBinaryBytes) {
    const struct {
        const char* name;
        QByteArray bytes;
        bool readable;
    } cases[] = {
        {"empty", "", true},
        {"Chinese and ASCII, CR LF, tab, page break", "\xBC\xC6\xCB\xE3\xBB\xFA\tMOV\r\n\f;\xD7\xA2\r\n", true},
        {"an end-of-file mark at the end", "text\r\n\x1A", true},
        {"a NUL byte", QByteArray("MZ\x90\0\x03", 5), false},
        {"another control code", "text\x01more", false},
        {"an end-of-file mark inside", "text\x1Amore", false},
        {"a lead byte without its trail byte", "text\x81", false},
        {"a lead byte before a blank", "\x81 text", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isReadableText(c.bytes), c.readable) << c.name;
}
