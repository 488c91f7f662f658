#include "schematic/sch_reader.h"

#include "schematic/recording_notifier.h"
#include "schematic/sch_fixture.h"
#include "schematic/sch_invariants.h"
#include "schematic/schematic_state.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace schematic {
namespace {

// Edits of the fixture's bytes, each failing the test when its anchor is missing.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "anchor missing: " << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}
std::string cutAfter(std::string text, const std::string& anchor) {
    const auto at = text.find(anchor);
    EXPECT_NE(at, std::string::npos) << "anchor missing: " << anchor;
    return at == std::string::npos ? text : text.substr(0, at + anchor.size());
}

struct Read {
    int result = -1;
    SchSheet sheet;
    std::vector<std::string> events;
};

Read readBytes(const std::string& bytes) {
    Read r;
    RecordingNotifier notifier;
    r.result = ReadSchBytes(r.sheet, bytes, notifier);
    r.events = notifier.events;
    return r;
}

void expectSheetsEqual(const SchSheet& actual, const SchSheet& expected) {
    EXPECT_EQ(actual.fontSlotMax, expected.fontSlotMax);
    EXPECT_EQ(actual.fonts, expected.fonts);
    ASSERT_EQ(actual.comps.size(), expected.comps.size());
    for (std::size_t c = 0; c < expected.comps.size(); ++c) {
        const auto& a = actual.comps[c];
        const auto& e = expected.comps[c];
        EXPECT_EQ(a.names, e.names);
        EXPECT_EQ((std::vector{a.libText1, a.libText2, a.libText3, a.libText4, a.libText5}),
                  (std::vector{e.libText1, e.libText2, e.libText3, e.libText4, e.libText5}));
        ASSERT_EQ(a.parts.size(), e.parts.size());
        for (std::size_t p = 0; p < e.parts.size(); ++p) {
            ASSERT_EQ(a.parts[p].elements.size(), e.parts[p].elements.size()) << "part " << p;
            for (std::size_t i = 0; i < e.parts[p].elements.size(); ++i)
                EXPECT_EQ(a.parts[p].elements[i], e.parts[p].elements[i]) << "part " << p << " element " << i;
        }
    }
    EXPECT_EQ(actual.orientation, expected.orientation);
    EXPECT_EQ(actual.borderColor, expected.borderColor);
    EXPECT_EQ(actual.sheetColor, expected.sheetColor);
    EXPECT_EQ(actual.sheetParam10, expected.sheetParam10);
    EXPECT_EQ(actual.sheetParam11, expected.sheetParam11);
    EXPECT_EQ(actual.sheetSizeA, expected.sheetSizeA);
    EXPECT_EQ(actual.sheetSizeB, expected.sheetSizeB);
    ASSERT_EQ(actual.elements.size(), expected.elements.size());
    for (std::size_t i = 0; i < expected.elements.size(); ++i) {
        const SchElement& a = actual.elements[i];
        const SchElement& e = expected.elements[i];
        EXPECT_EQ(a.kind, e.kind) << "element " << i;
        EXPECT_EQ(a.params, e.params) << "element " << i << " (" << kindKeyword(e.kind) << ")";
        EXPECT_EQ(a.texts, e.texts) << "element " << i << " (" << kindKeyword(e.kind) << ")";
        EXPECT_EQ(a.textCount, e.textCount) << "element " << i;
    }
    EXPECT_TRUE(actual == expected);
}

TEST(SchReader, TheCompleteFixtureReadsWithEveryCountParameterAndText) {
    SchematicState state;
    RecordingNotifier notifier;
    ASSERT_EQ(ReadSchFile(state.currentSheet, QString::fromStdString(fixture::path("complete.sch")), notifier), 1);
    EXPECT_TRUE(notifier.events.empty());
    expectSheetsEqual(state.currentSheet, fixture::expectedSheet());
    EXPECT_EQ(state.currentSheet.sheetHeight(), 1000);
    EXPECT_EQ(sheetShapeError(state.currentSheet), "");

    const SchSheet& s = state.currentSheet;
    EXPECT_EQ(s.partGraphics(s.elements[1]), &s.comps[0].parts[1]);
}

TEST(SchReader, FormatErrorsGiveTheirSectionsMessageAndAnEmptySheet) {
    const std::string good = fixture::bytes();
    using F = SchFormatError;
    struct Case { const char* what; std::string bytes; F error; } cases[] = {
        {"header line", replaced(good, "Protel for Windows", "Protel for Linux"), F::Header},
        {"font table keyword", replaced(good, "[Font_Table]", "[Font_Tabl]"), F::FontTable},
        {"library keyword", replaced(good, "Library\r\n1\r\n", "Librar\r\n1\r\n"), F::LibraryHeader},
        {"component keyword", replaced(good, "Component\r\n2", "Comp\r\n2"), F::ComponentHeader},
        {"more components than the file holds", replaced(good, "Library\r\n1\r\n", "Library\r\n1000\r\n"),
         F::ComponentHeader},
        {"part keyword", replaced(good, "Part\r\n50 30\r\nRectangle", "Prt\r\n50 30\r\nRectangle"), F::PartGraphics},
        {"EndDeMorganPart missing", replaced(good, "EndDeMorganPart\r\n", ""), F::PartGraphics},
        {"EndIEEEPart missing", replaced(good, "EndIEEEPart\r\n", ""), F::PartGraphics},
        {"file ends in the part graphics", cutAfter(good, "'A' '1'\r\n"), F::PartGraphics},
        {"file ends in the part graphics on a part line", cutAfter(good, "'A' '1'"), F::PartGraphics},
        {"thirteenth line", replaced(good, "Future  1 8 6", "Futur  1 8 6"), F::FutureSection},
        {"EndFuture missing", replaced(good, "EndFuture  1\r\n", ""), F::FutureSection},
        {"sheet keyword", replaced(good, "Sheet\r\n0 6", "Shet\r\n0 6"), F::SheetRecords},
        {"file ends in the sheet records", cutAfter(good, "Line  10 20 30 40 1 0 0 0\r\n"), F::SheetRecords},
        {"file ends on a broken sheet record", cutAfter(good, "Line  10 20"), F::SheetRecords},
        {"Version 2.0 keyword", replaced(good, "Version 2.0 Sheet", "Version 2.0 Shet"), F::Version2Records},
        {"Library Version 2.0 missing", replaced(good, "Library Version 2.0\r\n", ""), F::Version2Records},
        {"final EndSheet missing", replaced(good, "EndLibrary\r\nEndSheet", "EndLibrary\r\nEndShee"),
         F::Version2Records},
        {"file ends in the Version 2.0 library", cutAfter(good, "Library Version 2.0\r\n"), F::Version2Library},
        {"Version 2.0 EndLibrary missing", replaced(good, "EndLibrary\r\nEndSheet", "EndLibrar\r\nEndSheet"),
         F::Version2Library},
        // Lines end at carriage returns only, so a file with bare line feeds is one long line.
        {"line feeds only", [&] {
             std::string lf;
             for (char ch : good)
                 if (ch != '\r') lf += ch;
             return lf;
         }(), F::Header},
    };
    for (const auto& c : cases) {
        const Read r = readBytes(c.bytes);
        EXPECT_EQ(r.result, 0) << c.what;
        EXPECT_EQ(r.events, std::vector<std::string>{formatEvent(c.error)}) << c.what;
        EXPECT_TRUE(r.sheet.empty()) << c.what;
    }
}

TEST(SchReader, OtherFailuresGiveTheirNumberAndAnEmptySheet) {
    const std::string good = fixture::bytes();
    using F = SchFailure;
    const std::string afterSheetLine = "1500 1000 0\r\n";
    struct Case { const char* what; std::string bytes; F failure; } cases[] = {
        {"empty file", "", F::PastEndOfFile},
        {"file ends in the header", cutAfter(good, "[Font_Table]\r\n"), F::PastEndOfFile},
        {"file ends in a component header", cutAfter(good, "fp3\r\n"), F::PastEndOfFile},
        {"more names than the file holds", replaced(good, "Component\r\n2\r\n1\r\n", "Component\r\n2\r\n100000\r\n"),
         F::PastEndOfFile},
        {"font line with five blanks", replaced(good, "10 0 0 0 0 0 Times New Roman", "10 0 0 0 0 Arial"),
         F::MissingField},
        {"more fonts than the file holds", replaced(good, "[Font_Table]\r\n2", "[Font_Table]\r\n100000"),
         F::MissingField},
        {"font count beyond the slot range", replaced(good, "[Font_Table]\r\n2", "[Font_Table]\r\n2147483647"),
         F::NumberOutOfRange},
        {"font count out of range", replaced(good, "[Font_Table]\r\n2", "[Font_Table]\r\n1e12"),
         F::NumberOutOfRange},
        {"negative font count", replaced(good, "[Font_Table]\r\n2", "[Font_Table]\r\n-1"), F::NegativeCount},
        {"negative component count", replaced(good, "Library\r\n1\r\n", "Library\r\n-1\r\n"), F::NegativeCount},
        {"negative part count", replaced(good, "Component\r\n2\r\n", "Component\r\n-2\r\n"), F::NegativeCount},
        {"negative name count", replaced(good, "Component\r\n2\r\n1\r\n", "Component\r\n2\r\n-1\r\n"),
         F::NegativeCount},
        {"sheet line with 13 fields", replaced(good, "1500 1000 0\r\n", "1500 1000\r\n"), F::MissingField},
        {"sheet size out of range", replaced(good, "1500 1000 0\r\n", "1500 3000000000 0\r\n"), F::NumberOutOfRange},
        {"wire coordinate out of range", replaced(good, "Wire  0 0 1 2 70 820 40 820", "Wire  0 0 1 2 99999999999 0 0 0"),
         F::NumberOutOfRange},
        {"net label without its fields", replaced(good, "NetLabel  40 820 0 0 1 0 'A'", "NetLabel  40 820 0"),
         F::MissingField},
        {"part text in double quotes", replaced(good, "0 0 0 '*' 'LIB'", "0 0 0 \"*\" 'LIB'"), F::BadTextDelimiter},
        {"library pin without delimiters", replaced(good, "'B' '2'", "B '2'"), F::BadTextDelimiter},
        {"designator before any part", replaced(good, afterSheetLine, afterSheetLine + "Designator  1 2 3 4 5 6 7 'U0'\r\n"),
         F::NoPartToComplete},
        {"more Version 2.0 lines than parts", replaced(good, "Part  16777215 0 0 0 0\r\n",
                                                      "Part  16777215 0 0 0 0\r\nPart  0 0 0 0 0\r\n"),
         F::NoPartToComplete},
    };
    for (const auto& c : cases) {
        const Read r = readBytes(c.bytes);
        EXPECT_EQ(r.result, 0) << c.what;
        EXPECT_EQ(r.events, std::vector<std::string>{failureEvent(c.failure)}) << c.what;
        EXPECT_TRUE(r.sheet.empty()) << c.what;
    }
}

TEST(SchReader, UnknownRecordsAreReportedOneByOneThenCounted) {
    const std::string bytes = replaced(fixture::bytes(), "NoERC  100 100 0 0\r\n",
                                       "Foo  1\r\nNoERC  100 100 0 0\r\nSheetNet  x\r\nBar  2 3\r\n");
    const Read r = readBytes(bytes);
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.events, (std::vector<std::string>{"unknown: Foo  1", "unknown: Bar  2 3", "count: 2"}));
    expectSheetsEqual(r.sheet, fixture::expectedSheet());
}

TEST(SchReader, AcceptedEdgesOfTheSectionLayout) {
    const std::string good = fixture::bytes();
    struct Case { const char* what; std::string bytes; } cases[] = {
        {"EndFuture alone", replaced(good, "EndFuture  1", "EndFuture")},
        {"Future alone", replaced(good, "Future  1 8 6", "Future")},
        {"no line end after the final EndSheet", good.substr(0, good.size() - 2)},
        {"a bare carriage return after the final EndSheet", good.substr(0, good.size() - 1)},
        {"anything after the final EndSheet", good + "garbage\r\nmore"},
        {"blanks around keyword items", replaced(replaced(good, "Sheet\r\n0 6", "  Sheet  \r\n0 6"),
                                                 "Version 2.0 Sheet", "Version 2.0 Sheet ")},
        {"a double-quoted keyword item", replaced(good, "Library\r\n1\r\n", "\"Library\"\r\n1\r\n")},
    };
    for (const auto& c : cases) {
        const Read r = readBytes(c.bytes);
        EXPECT_EQ(r.result, 1) << c.what;
        EXPECT_TRUE(r.events.empty()) << c.what;
        EXPECT_TRUE(r.sheet == fixture::expectedSheet()) << c.what;
    }
}

TEST(SchReader, SheetHeightFollowsTheOrientationAndAnEmptyFontTableKeepsFourSlots) {
    const std::string good = fixture::bytes();
    const Read turned = readBytes(replaced(good, "0 6 0 1 1 0 15269887", "0 6 1 1 1 0 15269887"));
    ASSERT_EQ(turned.result, 1);
    EXPECT_EQ(turned.sheet.sheetHeight(), 1500);
    EXPECT_EQ(turned.sheet.elements[10].params[1], 1500 - 820);  // NetLabel A

    const std::size_t fontsStart = good.find("[Font_Table]\r\n") + 14;
    const Read noFonts = readBytes(good.substr(0, fontsStart) + "0\r\n" + good.substr(good.find("EndFont")));
    ASSERT_EQ(noFonts.result, 1) << (noFonts.events.empty() ? "" : noFonts.events[0]);
    EXPECT_EQ(noFonts.sheet.fontSlotMax, 3);
    EXPECT_EQ(noFonts.sheet.fonts, std::vector<SchFont>(4));
}

TEST(SchReader, EveryReadStartsEmptyAlsoAfterAFailedOne) {
    const std::string good = fixture::bytes();
    SchSheet sheet;
    RecordingNotifier notifier;
    ASSERT_EQ(ReadSchBytes(sheet, good, notifier), 1);
    // Reading the same file again into the same record does not double it.
    ASSERT_EQ(ReadSchBytes(sheet, good, notifier), 1);
    EXPECT_TRUE(sheet == fixture::expectedSheet());

    // A read that fails late leaves nothing of what it read.
    EXPECT_EQ(ReadSchBytes(sheet, replaced(good, "Version 2.0 Sheet", "Version 2.0 Shet"), notifier), 0);
    EXPECT_TRUE(sheet.empty());
    sheet.elements.push_back(fixture::element(SchElementKind::Junction, {1, 2, 3, 4, 5, 0}));
    ASSERT_EQ(ReadSchBytes(sheet, good, notifier), 1);
    EXPECT_TRUE(sheet == fixture::expectedSheet());

    // Nor does a missing file keep the previous content.
    EXPECT_EQ(ReadSchFile(sheet, QStringLiteral("/nonexistent/x.sch"), notifier), 0);
    EXPECT_TRUE(sheet.empty());
}

TEST(SchReader, MissingOrUnopenableFilesGiveZeroWithoutAMessage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SchSheet sheet;
    RecordingNotifier notifier;
    EXPECT_EQ(ReadSchFile(sheet, dir.filePath("missing.sch"), notifier), 0);
    EXPECT_EQ(ReadSchFile(sheet, dir.path(), notifier), 0);  // a folder
    EXPECT_EQ(ReadSchFile(sheet, QString(), notifier), 0);
    EXPECT_TRUE(notifier.events.empty());
}

TEST(SchReader, MalformedFilesStayBoundedAndFollowTheirSectionRules) {
    const std::string good = fixture::bytes();

    // A text frame left open on the sheet takes every record up to EndSheet.
    const std::string openFrame = replaced(good, "\r\nEnd\r\nPolyline", "\r\nPolyline");
    const Read frame = readBytes(openFrame);
    ASSERT_EQ(frame.result, 1);
    ASSERT_EQ(frame.sheet.elements.size(), 16u);
    const SchElement& f = frame.sheet.elements.back();
    EXPECT_EQ(f.kind, SchElementKind::TextFrame);
    EXPECT_EQ(f.textCount, 16);
    EXPECT_EQ(f.text(2), "Polyline  1 0 255 0 3 10 10 20 30 40 50");
    EXPECT_EQ(f.text(15), "SheetSymbol  0 0 0 0");

    // A frame left open in a library part ends with that part: the next part
    // and the sheet read as usual.
    const Read libFrame = readBytes(
        replaced(good, "'VCC' '14'\r\n", "'VCC' '14'\r\nTextFrame  0 0 10 10 0 0 0 0 1 0 0 0 0 0 0\r\nabc\r\n"));
    ASSERT_EQ(libFrame.result, 1);
    SchSheet expected = fixture::expectedSheet();
    expected.comps[0].parts[0].elements.push_back(fixture::element(
        SchElementKind::TextFrame, {0, 0, 10, -10, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, {"abc", ""}, 1));
    EXPECT_TRUE(libFrame.sheet == expected);

    // A library part without graphics: its first line (the EndNormalPart) goes
    // to the parser, which ignores it, and the part's records run on to the
    // next EndNormalPart, as the section rules have it.
    const Read emptyPart = readBytes(replaced(good, "50 30\r\nRectangle  0 0 50 30 1 0 16777215 0 1\r\nPin  0 0 0 0 0 0 30 0 20 2 0 'A' '1'\r\n"
                                                    "Pin  0 0 0 0 0 0 30 0 10 2 0 'B' '2'\r\nPin  0 0 0 0 0 0 30 50 15 0 0 'Y' '3'\r\n"
                                                    "Pin  0 0 0 1 0 0 0 0 0 0 0 'GND' '7'\r\nPin  0 0 0 1 0 0 0 0 0 0 0 'VCC' '14'\r\n",
                                             "50 30\r\n"));
    EXPECT_EQ(emptyPart.result, 0);
    EXPECT_EQ(emptyPart.events,
              (std::vector<std::string>{"unknown: 50 30", formatEvent(SchFormatError::PartGraphics)}));
    EXPECT_TRUE(emptyPart.sheet.empty());

    // A point count far beyond the line ends at the line, not in an allocation.
    const Read hugeCount = readBytes(replaced(good, "Wire  0 0 1 2 70 820 40 820", "Wire  0 0 1 2147483647 70 820 40 820"));
    EXPECT_EQ(hugeCount.result, 0);
    EXPECT_EQ(hugeCount.events, std::vector<std::string>{failureEvent(SchFailure::MissingField)});
}

TEST(SchReader, TheProgramsStateHoldsOneCurrentSheet) {
    SchematicState& program = schematicState();
    EXPECT_EQ(&program, &schematicState());
    EXPECT_TRUE(program.currentSheet.empty());
}

}  // namespace
}  // namespace schematic
