#include "link/terminal_buffer.h"

#include <gtest/gtest.h>

using namespace devlink;

TEST(TerminalBuffer, RendersTheMonitorsControlCharacters) {
    struct Case {
        QString before;
        qsizetype promptStart;  // -1: at the end
        QByteArray bytes;
        QString after;
        qsizetype promptAfter;
    };
    const Case cases[] = {
        {"", -1, "AB\rC", "CAB", 1},                    // CR: back to the line start, C inserted there
        {"", -1, "A\r\nB", "A\r\nB", 4},
        {"x\r\n>", -1, "AB\rC", "x\r\nC>AB", 4},         // the line start is after the line break
        {">AB", 3, "\b \b", ">A", 2},                   // the monitor's rubout: BS, blank, BS
        {"abc", 3, "\b", "ab", 2},
        {"abc", 1, "\b", "bc", 0},
        {"", 0, "\b", "", 0},                           // nothing to delete
        {"AB", 1, QByteArray("X\b\bY", 4), "YB", 1},    // BS drops pending text first, then the pane
        {"old", -1, "A\x1a" "B", "B", 1},               // 26 clears the pane; the prompt is clamped
        {"", -1, "A\x1e" "B", "AB", 2},                 // 30 is ignored
        {"", -1, "A\t\xc8" "B", "A  B", 4},             // other control and high bytes: blanks
        {"", -1, "A\x7f", QStringLiteral("A\x7f"), 2},  // 32-127 are characters
        {">", -1, "\n\n", ">\r\n\r\n", 5},
        {"abc", 10, "Z", "abcZ", 4},                    // a prompt beyond the end stands at the end
    };
    for (const Case& c : cases) {
        TerminalBuffer b(c.before, c.promptStart);
        b.render(c.bytes);
        EXPECT_EQ(b.text(), c.after) << c.bytes.toHex().constData();
        EXPECT_EQ(b.promptStart(), c.promptAfter) << c.bytes.toHex().constData();
    }
}

TEST(TerminalBuffer, TrimKeepsTheLastEightThousandCharacters) {
    TerminalBuffer b(QString(9000, QLatin1Char('a')) + QStringLiteral("bc"), 9001);
    EXPECT_FALSE(b.takeReplaced());
    b.trim();
    EXPECT_EQ(b.text().size(), 8000);
    EXPECT_TRUE(b.text().endsWith(QStringLiteral("abc")));
    EXPECT_EQ(b.promptStart(), 7999);  // lowered by the 1002 removed
    EXPECT_TRUE(b.takeReplaced());

    TerminalBuffer exact(QString(9000, QLatin1Char('a')), 5);
    exact.trim();
    EXPECT_EQ(exact.text().size(), 9000);  // only beyond 9000

    TerminalBuffer early(QString(9500, QLatin1Char('a')), 100);
    early.trim();
    EXPECT_EQ(early.promptStart(), 0);  // not below 0
}

TEST(TerminalBuffer, ClearLeavesTheLastLineAndMovesThePromptWithIt) {
    TerminalBuffer b(QStringLiteral("abc\r\n>"));
    b.clearToLastLine();
    EXPECT_EQ(b.text(), QStringLiteral("\n>"));  // the line feed and ">" remain
    EXPECT_EQ(b.promptStart(), 2);
    EXPECT_TRUE(b.takeReplaced());

    // After a lone CR the prompt stands mid-text; it keeps its place in the line,
    // so output lands where it would have before the clear.
    TerminalBuffer mid(QStringLiteral("abc\r\nxy>"));
    mid.render("\r");
    ASSERT_EQ(mid.promptStart(), 5);
    mid.clearToLastLine();
    EXPECT_EQ(mid.text(), QStringLiteral("\nxy>"));
    EXPECT_EQ(mid.promptStart(), 1);
    mid.render("Q");
    EXPECT_EQ(mid.text(), QStringLiteral("\nQxy>"));

    TerminalBuffer none(QStringLiteral("abc"), 1);
    none.clearToLastLine();
    EXPECT_EQ(none.text(), QStringLiteral("abc"));
    EXPECT_EQ(none.promptStart(), 1);
}

TEST(TerminalBuffer, DocumentPositionsCountALineBreakOnce) {
    const QString text = QStringLiteral("ab\r\ncd\ne\rf");
    EXPECT_EQ(TerminalBuffer::documentText(text), QStringLiteral("ab\ncd\ne\nf"));
    EXPECT_EQ(TerminalBuffer::documentPosition(text, 2), 2);
    EXPECT_EQ(TerminalBuffer::documentPosition(text, 4), 3);   // after CR LF
    EXPECT_EQ(TerminalBuffer::documentPosition(text, 6), 5);
    EXPECT_EQ(TerminalBuffer::documentPosition(text, 11), 9);  // the end
    EXPECT_EQ(TerminalBuffer::documentPosition(text, 99), 9);
    const QString doc = QStringLiteral("Vuz\n\n>");
    EXPECT_EQ(TerminalBuffer::fromDocumentText(doc), QStringLiteral("Vuz\r\n\r\n>"));
    EXPECT_EQ(TerminalBuffer::fromDocumentPosition(doc, 6), 8);
}
