#include "exchange_fixture.h"
#include "link/reply_fills.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <map>

using namespace devlink;
using editions::ReplyLayout;
using linktest::RecordingLists;

namespace {

// A reply as the monitor sends it: the echo of the carriage return, the lines, the prompt.
QByteArray reply(std::initializer_list<const char*> lines) {
    QByteArray r = "\r\n";
    for (const char* l : lines) r += QByteArray(l) + "\r\n";
    return r + ">";
}

const char* const kLine16 = "1000 4142 4344 0000 3E3F 0D0A 7F20 1234 ABCD  ABCD..>?... .4..";
const char* const kLine8 = "1000 41 42 43 7F 1F 20 00 FF 10 11 12 13 14 15 7E 17 ";

std::map<int, MemoryRow> byRow(const std::vector<MemoryRow>& rows) {
    std::map<int, MemoryRow> m;
    for (const auto& r : rows) m[r.row] = r;
    return m;
}


}  // namespace

TEST(MemoryFill, SixteenBitLinesGiveEightWordsWithTheirDisplayPairs) {
    const auto rows = byRow(parseMemoryReply(reply({kLine16, "FFFC 0001 0002 0003 0004 0005 0006 0007 0008  abcdefghijklmnop"}),
                                             ReplyLayout::Sixteen));
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows.at(1), (MemoryRow{1, "1000", "4142", "AB"}));
    EXPECT_EQ(rows.at(4), (MemoryRow{4, "1003", "3E3F", ">?"}));
    EXPECT_EQ(rows.at(6), (MemoryRow{6, "1005", "7F20", ". "}));
    EXPECT_EQ(rows.at(8), (MemoryRow{8, "1007", "ABCD", ".."}));
    // Each line counts from its own address, wrapping after FFFF.
    const char* wrapped[] = {"FFFC", "FFFD", "FFFE", "FFFF", "0000", "0001", "0002", "0003"};
    for (int w = 0; w < 8; ++w) EXPECT_EQ(rows.at(9 + w).address, QString::fromLatin1(wrapped[w]));
    EXPECT_EQ(rows.at(16).display, QStringLiteral("op"));
    // Wider spacing between the fields reads the same.
    const auto wide = byRow(parseMemoryReply(
        reply({"1000  4142   4344  0000  3E3F  0D0A  7F20  1234  ABCD    ABCD..>?... .4.."}), ReplyLayout::Sixteen));
    EXPECT_EQ(wide.at(2), (MemoryRow{2, "1001", "4344", "CD"}));
    EXPECT_EQ(wide.at(8).display, QStringLiteral(".."));
}

TEST(MemoryFill, DisplayTextStartingWithBlanksNeitherShiftsNorSkipsLines) {
    // Words 2020 2041 ... show as "   A...": the blanks before the display
    // text run into it. Every row still gets its own pair, and the next line
    // is read from its own start.
    const auto rows = byRow(parseMemoryReply(
        reply({"0100 2020 2041 4243 4445 4647 4849 4A4B 4C4D     ABCDEFGHIJKLM",
               "0108 3031 3233 3435 3637 3839 4142 4344 4546  0123456789ABCDEF"}),
        ReplyLayout::Sixteen));
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows.at(1).display, QStringLiteral("  "));
    EXPECT_EQ(rows.at(2).display, QStringLiteral(" A"));
    EXPECT_EQ(rows.at(8).display, QStringLiteral("LM"));
    EXPECT_EQ(rows.at(9), (MemoryRow{9, "0108", "3031", "01"}));
    EXPECT_EQ(rows.at(16), (MemoryRow{16, "010F", "4546", "EF"}));
    // All blanks.
    const auto blank = byRow(parseMemoryReply(
        reply({"0100 2020 2020 2020 2020 2020 2020 2020 2020                  ", "0108 3031 3233 3435 3637 3839 4142 4344 4546  0123456789ABCDEF"}),
        ReplyLayout::Sixteen));
    EXPECT_EQ(blank.at(3).display, QStringLiteral("  "));
    EXPECT_EQ(blank.at(9).address, QStringLiteral("0108"));
}

TEST(MemoryFill, EightBitLinesGiveSixteenBytesShownAsCharacters) {
    const auto rows = byRow(parseMemoryReply(reply({kLine8}), ReplyLayout::Eight));
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows.at(1), (MemoryRow{1, "1000", "41", "A"}));
    EXPECT_EQ(rows.at(4), (MemoryRow{4, "1003", "7F", "."}));
    EXPECT_EQ(rows.at(5).display, QStringLiteral("."));  // 1F
    EXPECT_EQ(rows.at(6).display, QStringLiteral(" "));  // 20
    EXPECT_EQ(rows.at(8).display, QStringLiteral("."));  // FF
    EXPECT_EQ(rows.at(15), (MemoryRow{15, "100E", "7E", "~"}));

    // A short line fills what it holds; the next line is not skipped.
    const auto shortLine = byRow(parseMemoryReply(reply({"2000 41 42 43", kLine8}), ReplyLayout::Eight));
    EXPECT_EQ(shortLine.at(3), (MemoryRow{3, "2002", "43", "C"}));
    EXPECT_EQ(shortLine.count(4), 0u);
    EXPECT_EQ(shortLine.at(17), (MemoryRow{17, "1000", "41", "A"}));
}

TEST(MemoryFill, ShortRepliesFillOnlyTheRowsTheyReach) {
    RecordingLists lists;
    fillMemoryList(reply({kLine16, kLine16, kLine16}), ReplyLayout::Sixteen, lists);
    EXPECT_EQ(lists.memory.size(), 24u);
    EXPECT_EQ(lists.memory.rbegin()->first, 24);
    // A last line without its ending pair is no line.
    const QByteArray cut = "\r\n" + QByteArray(kLine16) + "\r\n" + kLine16;
    EXPECT_EQ(parseMemoryReply(cut, ReplyLayout::Sixteen).size(), 8u);
}

TEST(RegisterFill, ValuesFollowTheEqualsSigns) {
    const QByteArray wide = reply({"R0=0000  R1=0001  R2=0002  R3=0003  R4=FFFE  R5=1000  R6=0006  R7=0007",
                                   "R8=0008  R9=0009  R10=000A  R11=000B  R12=000C  R13=000D  R14=000E  R15=000F",
                                   "F=01011010"});
    const QStringList v = parseRegisterReply(wide, ReplyLayout::Sixteen);
    ASSERT_EQ(v.size(), 17);
    EXPECT_EQ(v[4], QStringLiteral("FFFE"));
    EXPECT_EQ(v[15], QStringLiteral("000F"));
    EXPECT_EQ(v[16], QStringLiteral("0101'1010"));

    const QByteArray eight = reply({"R0=00  R1=01  R2=02  R3=03  R4=04  R5=05", "R6=06  R7=07  R8=08  R9=09  R10=0A  R11=0B",
                                    "STATE=5A"});
    const QStringList e = parseRegisterReply(eight, ReplyLayout::Eight);
    ASSERT_EQ(e.size(), 13);
    EXPECT_EQ(e[11], QStringLiteral("0B"));
    EXPECT_EQ(e[12], QStringLiteral("5A"));

    // Fewer "=" than rows: the rows it reaches.
    EXPECT_EQ(parseRegisterReply("\r\nR0=12\r\n>", ReplyLayout::Sixteen), QStringList{QStringLiteral("12\r\n")});
    EXPECT_TRUE(parseRegisterReply("\r\n>", ReplyLayout::Eight).isEmpty());
}

TEST(RegisterFill, ChangedRegistersAreMarkedAndTheOthersNot) {
    const QByteArray first = reply({"R0=00  R1=01  R2=02  R3=03  R4=04  R5=05", "R6=06  R7=07  R8=08  R9=09  R10=0A  R11=0B",
                                    "STATE=5A"});
    RecordingLists lists;
    fillRegisterList(first, ReplyLayout::Eight, lists);  // the cells were empty: everything changed
    ASSERT_EQ(lists.marked.size(), 13u);
    for (const auto& [row, changed] : lists.marked) EXPECT_TRUE(changed) << row;

    fillRegisterList(first, ReplyLayout::Eight, lists);
    for (const auto& [row, changed] : lists.marked) EXPECT_FALSE(changed) << row;

    QByteArray third = first;
    third.replace("R3=03", "R3=33");
    fillRegisterList(third, ReplyLayout::Eight, lists);
    for (const auto& [row, changed] : lists.marked) EXPECT_EQ(changed, row == 4) << row;
    EXPECT_EQ(lists.registers[4], QStringLiteral("33"));
}

TEST(UnasmFill, LinesAppendWithAnEmptyRowAfterEachReply) {
    const QByteArray wide = reply({"1000  4142       DW    4142H", "1001  4344       DW    4344H"});
    const auto rows = parseUnasmReply(wide, ReplyLayout::Sixteen);
    ASSERT_EQ(rows.size(), 2u);
    // 16-bit codes keep their blanks; the instruction text is trimmed.
    EXPECT_EQ(rows[0], (UnasmRow{"1000", "4142     ", "DW    4142H"}));
    const auto eight = parseUnasmReply(reply({"1000 41         DB    41H  "}), ReplyLayout::Eight);
    ASSERT_EQ(eight.size(), 1u);
    EXPECT_EQ(eight[0], (UnasmRow{"1000", "41", "DB    41H"}));

    QByteArray fifteen = "\r\n";
    for (int k = 0; k < 16; ++k) fifteen += QByteArray("10") + QByteArray::number(10 + k) + "  4142       DW    4142H\r\n";
    fifteen += ">";
    RecordingLists lists;
    fillUnasmList(fifteen, ReplyLayout::Sixteen, lists);
    fillUnasmList(fifteen, ReplyLayout::Sixteen, lists);
    ASSERT_EQ(lists.unasm.size(), 32u);  // 15 + 1 + 15 + 1: at most 15 lines a reply
    EXPECT_EQ(lists.unasm[15], UnasmRow{});
    EXPECT_EQ(lists.unasm[16].address, QStringLiteral("1010"));
    EXPECT_EQ(lists.selected, 31);
    EXPECT_EQ(lists.scrolledTo, 32);

    // No line at all: only the empty row, the selection stays.
    fillUnasmList("\r\n>", ReplyLayout::Eight, lists);
    EXPECT_EQ(lists.unasm.size(), 33u);
    EXPECT_EQ(lists.selected, 31);
    EXPECT_EQ(lists.scrolledTo, 33);
}

TEST(ReplyFills, AnyCutOrMixOfRepliesIsReadWithoutReadingOutside) {
    const QByteArray replies[] = {
        reply({kLine16, kLine16}),
        reply({kLine8, "0010 01"}),
        reply({"R0=0000  R1=0001", "F=0101"}),
        reply({"1000  4142       DW    4142H", "1", ""}),
        "\r\n\r\n\r\n  =\r\n=",
    };
    for (const QByteArray& full : replies) {
        for (qsizetype n = 0; n <= full.size(); ++n) {
            // Copies, so that reading past the cut is seen by the address sanitizer.
            const QByteArray cut(full.constData(), n);
            for (ReplyLayout layout : {ReplyLayout::Sixteen, ReplyLayout::Eight}) {
                RecordingLists lists;
                fillMemoryList(cut, layout, lists);
                fillRegisterList(cut, layout, lists);
                fillUnasmList(cut, layout, lists);
                for (const auto& [row, r] : lists.memory) EXPECT_LE(r.display.size(), 2) << row;
            }
        }
    }
}
