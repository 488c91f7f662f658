#include "workbench/find_search.h"

#include <gtest/gtest.h>

using workbench::FindQuery;
using workbench::findInText;

namespace {
struct FindCase {
    const char* name;
    const char16_t* text;
    int caret;
    bool skip;
    bool down;
    const char16_t* pattern;
    bool matchCase;
    int expected;  // -1: not found
};
}  // namespace

TEST(FindInText, Table) {
    const FindCase cases[] = {
        {"fresh down selects the first hit", u"ab ab", 0, false, true, u"ab", false, 0},
        {"repeat passes the hit under the caret", u"ab ab", 0, true, true, u"ab", false, 3},
        {"third search finds nothing", u"ab ab", 3, true, true, u"ab", false, -1},
        {"after not found the caret counts as searched", u"ab ab", 3, true, true, u"b", false, 4},
        {"case off: lower finds upper", u"MOV A", 0, false, true, u"mov", false, 0},
        {"case on: lower misses upper", u"MOV A", 0, false, true, u"mov", true, -1},
        {"restart considers the caret position", u"xx ab", 3, false, true, u"ab", false, 3},
        {"down never wraps", u"ab ab", 4, false, true, u"ab", false, -1},
        {"fresh up skips a hit just before the caret", u"ab", 2, false, false, u"b", false, -1},
        {"fresh up finds a hit two before the caret", u"ab", 2, false, false, u"ab", false, 0},
        {"repeated up finds the earlier hit", u"ab ab", 3, true, false, u"ab", false, 0},
        {"up from the start finds nothing", u"xyz", 0, false, false, u"x", false, -1},
        {"up ignores candidates running past the end", u"abc", 3, true, false, u"cd", false, -1},
        {"Chinese text compares as it is", u"中文 MOV 中文", 1, true, true, u"中文", false, 7},
        {"empty pattern finds nothing", u"abc", 0, false, true, u"", false, -1},
    };
    for (const auto& c : cases) {
        FindQuery q{QString::fromUtf16(c.pattern), c.matchCase, c.down, c.skip};
        const auto hit = findInText(QString::fromUtf16(c.text), c.caret, q);
        EXPECT_EQ(hit.value_or(-1), c.expected) << c.name;
    }
}

TEST(FindInText, CaseFoldingKeepsOffsets) {
    // Upper-casing "ß" would make it two letters and shift every later offset.
    const QString text = QString::fromUtf16(u"straße MOV");
    const auto hit = findInText(text, 0, FindQuery{QStringLiteral("mov"), false, true, false});
    ASSERT_TRUE(hit);
    EXPECT_EQ(*hit, 7);
}
