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
