#include "schematic/sch_record_parser.h"

#include "schematic/recording_notifier.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace schematic {
namespace {

using Params = std::vector<int32_t>;
using Texts = std::vector<std::string>;

struct Parsed {
    SchRecordResult result;
    std::vector<SchElement> list;
    std::vector<std::string> events;
};

Parsed parseOne(const std::string& line, int32_t sheetHeight) {
    Parsed out;
    SchParserState state;
    state.beginList(true);
    state.sheetHeight = sheetHeight;
    RecordingNotifier notifier;
    out.result = ParseSchRecord(line, out.list, state, notifier);
    out.events = notifier.events;
    return out;
}

TEST(SchRecordParser, RecordLinesBecomeElementsWithTheirFieldsTransformsAndTexts) {
    struct Case {
        std::string line;
        int32_t sheetHeight;
        SchElementKind kind;
        Params params;
        Texts texts;
    } cases[] = {
        {"Wire  0 0 1 2 10 20 30 40", 1000, SchElementKind::Wire, {0, 0, 1, 2, 10, 980, 30, 960}, {}},
        {"Wire  0 0 1 2 10 20 30 40", 0, SchElementKind::Wire, {0, 0, 1, 2, 10, -20, 30, -40}, {}},
        // The character after the keyword's blank is always skipped.
        {"Wire 5 0 1 2 10 20 30 40", 1000, SchElementKind::Wire, {0, 0, 1, 2, 10, 980, 30, 960}, {}},
        {"Wire 57 0 1 2 10 20 30 40", 1000, SchElementKind::Wire, {7, 0, 1, 2, 10, 980, 30, 960}, {}},
        // The last Y takes the rest of the line, blanks read away.
        {"Wire  0 0 1 2 10 20 30 40 50", 1000, SchElementKind::Wire, {0, 0, 1, 2, 10, 980, 30, -3050}, {}},
        {"Bus  0 0 1 3 1 2 3 4 5 6", 100, SchElementKind::Bus, {0, 0, 1, 3, 1, 98, 3, 96, 5, 94}, {}},
        {"BusEntry  600 900 610 910 0 0 1", 1000, SchElementKind::BusEntry, {600, 100, 610, 90, 0, 0, 1}, {}},
        {"Junction  220 815 0 1 0", 1000, SchElementKind::Junction, {220, 185, 0, 1, 0, 0}, {}},
        {"PowerObject  0 220 700 1 255 0 'VCC'", 1000, SchElementKind::PowerObject, {0, 220, 300, 1, 255, 0}, {"VCC"}},
        {"Port  1 0 0 60 800 700 0 16777215 0 0 'DATA'", 1000, SchElementKind::Port,
         {1, 0, 0, 60, 800, 300, 0, 16777215, 0, 0}, {"DATA"}},
        {"NetLabel  40 820 0 0 1 0 'A'", 1000, SchElementKind::NetLabel, {40, 180, 0, 0, 1, 0}, {"A"}},
        {"NetLabel  40 820 0 0 1 0 ''", 1000, SchElementKind::NetLabel, {40, 180, 0, 0, 1, 0}, {""}},
        {"SimProbe  300 920 0 0 '(Out) Y'", 1000, SchElementKind::SimProbe, {300, 80, 0, 0}, {"(Out) Y"}},
        {"SimVector  1 2 3 4 \"x y\"", 0, SchElementKind::SimVector, {1, -2, 3, 4}, {"x y"}},
        {"SimStimulus  300 900 0 0 'A 1'", 1000, SchElementKind::SimStimulus, {300, 100, 0, 0}, {"A 1"}},
        {"TextFrame  500 100 700 200 0 1 16777215 0 2 1 1 1 1 0 0", 1000, SchElementKind::TextFrame,
         {500, 900, 700, 800, 0, 1, 16777215, 0, 2, 1, 1, 1, 1, 0, 0}, {""}},
        {"Polyline  1 0 255 0 3 10 10 20 30 40 50", 1000, SchElementKind::Polyline,
         {1, 0, 255, 0, 3, 10, 990, 20, 970, 40, 950}, {}},
        {"Polyline  1 0 0 0 2 0 5 50 25", 0, SchElementKind::Polyline, {1, 0, 0, 0, 2, 0, 5, 50, 25}, {}},
        {"Bezier  1 0 0 4 0 0 10 20 30 20 40 0", 1000, SchElementKind::Bezier,
         {1, 0, 0, 4, 0, 1000, 10, 980, 30, 980, 40, 1000}, {}},
        {"Arc  500 520 40 1 0 90.5 7 8", 1000, SchElementKind::Arc, {500, 480, 40, 1, 7, 8}, {"0", "90.5"}},
        {"EllipticalArc  550 500 40 20 1 0 180 0 9", 0, SchElementKind::EllipticalArc, {550, 500, 40, 20, 1, 0, 9},
         {"0", "180"}},
        {"Polygon  1 0 0 1 0 3 0 0 10 0 5 10", 1000, SchElementKind::Polygon,
         {1, 0, 0, 1, 0, 3, 0, 1000, 10, 1000, 5, 990}, {}},
        {"Rectangle  0 0 50 30 1 0 0 0 1", 0, SchElementKind::Rectangle, {0, 0, 50, 30, 1, 0, 0, 0, 1}, {}},
        {"Rectangle  0 0 50 30 1 0 0 0 1", 1000, SchElementKind::Rectangle, {0, 1000, 50, 970, 1, 0, 0, 0, 1}, {}},
        {"RoundRectangle  800 300 900 400 5 5 1 0 0 0 0", 1000, SchElementKind::RoundRectangle,
         {800, 700, 900, 600, 5, 5, 1, 0, 0, 0, 0}, {}},
        {"Ellipse  850 500 30 20 1 0 0 0 0", 1000, SchElementKind::Ellipse, {850, 500, 30, 20, 1, 0, 0, 0, 0}, {}},
        {"Pie  850 600 30 1 0 90 0 0 1 0", 1000, SchElementKind::Pie, {850, 400, 30, 1, 0, 0, 1, 0}, {"0", "90"}},
        {"Image  100 100 200 200 1 0 0 1 0 'C:\\pics\\board.bmp'", 1000, SchElementKind::Image,
         {100, 900, 200, 800, 1, 0, 0, 1, 0}, {"board.bmp"}},
        {"Image  1 2 3 4 5 6 7 8 9 'logo.bmp'", 0, SchElementKind::Image, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {"logo.bmp"}},
        {"Label  300 300 0 0 2 0 '时钟'", 1000, SchElementKind::Label, {300, 700, 0, 0, 2, 0}, {"时钟"}},
        // The two delimiters are removed whatever they are, multi-byte ones too.
        {"Label  300 300 0 0 2 0 《时钟》", 0, SchElementKind::Label, {300, 300, 0, 0, 2, 0}, {"时钟"}},
        {"Line  10 20 30 40 1 0 0 0", 1000, SchElementKind::Line, {10, 980, 30, 960, 1, 0, 0, 0}, {}},
        {"Pin  0 0 0 0 0 0 30 0 20 2 0 'A' '1'", 1000, SchElementKind::Pin, {0, 0, 0, 0, 0, 0, 30, 0, 20, 2, 0},
         {"A", "1"}},
        {"Pin  0 0 0 1 0 0 0 0 0 0 0 (GND) {7}", 0, SchElementKind::Pin, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0},
         {"GND", "7"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const Parsed p = parseOne(c.line, c.sheetHeight);
        EXPECT_EQ(p.result.unrecognised, 0);
        EXPECT_EQ(p.result.failure, SchFailure::None);
        ASSERT_EQ(p.list.size(), 1u);
        EXPECT_EQ(p.list[0].kind, c.kind);
        EXPECT_EQ(p.list[0].params, c.params);
        EXPECT_EQ(p.list[0].texts, c.texts);
        EXPECT_EQ(p.list[0].textCount, 0);
        EXPECT_TRUE(p.events.empty());
    }
}

TEST(SchRecordParser, PartTextsAcceptEveryDelimiterPairButTheDoubleQuote) {
    const Parsed quoted = parseOne("Part  100 800 0 0 0 0 1 0 0 0 '*' 'LIB'", 1000);
    ASSERT_EQ(quoted.list.size(), 1u);
    Params expected(part_param::Count, 0);
    expected[0] = 100;
    expected[1] = 200;
    expected[part_param::PartNo] = 1;
    EXPECT_EQ(quoted.list[0].params, expected);
    EXPECT_EQ(quoted.list[0].texts, (Texts{"*", "LIB", "", ""}));

    for (const char* line : {"Part  100 800 0 0 0 0 1 0 0 0 <*> 'LIB'", "Part  100 800 0 0 0 0 1 0 0 0 [*] 'LIB'",
                             "Part  100 800 0 0 0 0 1 0 0 0 {*} 'LIB'", "Part  100 800 0 0 0 0 1 0 0 0 (*) (LIB)"}) {
        const Parsed p = parseOne(line, 1000);
        ASSERT_EQ(p.list.size(), 1u) << line;
        EXPECT_EQ(p.list[0], quoted.list[0]) << line;
    }
}

TEST(SchRecordParser, MalformedLinesFailWithoutAddingAnything) {
    struct Case { std::string line; SchFailure failure; } cases[] = {
        {"Part  100 800 0 0 0 0 1 0 0 0 *  'LIB'", SchFailure::BadTextDelimiter},
        {"Part  100 800 0 0 0 0 1 0 0 0 \"*\" 'LIB'", SchFailure::BadTextDelimiter},
        {"Part  100 800 0 0 0 0 1 0 0 0 '*", SchFailure::BadTextDelimiter},
        {"Part  100 800 0 0 0 0 1 0 0 0 '*'", SchFailure::BadTextDelimiter},
        {"Part  100 800 0 0 0 0 1 0 0 0 '*' '", SchFailure::BadTextDelimiter},
        {"Pin  0 0 0 0 0 0 30 0 20 2 0 A '1'", SchFailure::BadTextDelimiter},
        {"NetLabel  40 820 0 0 1 0 x", SchFailure::BadTextDelimiter},
        {"NetLabel  40 820 0", SchFailure::MissingField},
        {"NetLabel  40 820 0 0 1 0", SchFailure::MissingField},
        {"Rectangle  0 0 50 30 1 0 0 0", SchFailure::MissingField},
        {"Wire ", SchFailure::MissingField},
        {"Wire  0 0 1 2 99999999999 0 0 0", SchFailure::NumberOutOfRange},
        {"Wire  0 0 1 2 0 0 0 9 9 9 9 9 9 9 9 9 9", SchFailure::NumberOutOfRange},
        // A flipped Y that leaves the 32-bit range.
        {"NetLabel  0 -2147483648 0 0 1 0 'A'", SchFailure::NumberOutOfRange},
        // A point count larger than the line holds ends at the line's end, not in a huge allocation.
        {"Wire  0 0 1 1000000000 10 20 30 40", SchFailure::MissingField},
        {"Polygon  1 0 0 1 0 2147483647 0 0", SchFailure::MissingField},
        // The count is a field like any other: it needs its blank.
        {"Polyline  0 0 0 0 1", SchFailure::MissingField},
    };
    for (const auto& c : cases) {
        const Parsed p = parseOne(c.line, 1000);
        EXPECT_EQ(p.result.failure, c.failure) << c.line;
        EXPECT_TRUE(p.list.empty()) << c.line;
    }
}

TEST(SchRecordParser, ShortPointListsAreDroppedAndKeywordsSortedIntoKnownIgnoredAndUnknown) {
    struct Case { std::string line; int unrecognised; } cases[] = {
        {"Polyline  0 0 0 0 1 5 5", 0},
        {"Wire  0 0 1 -3 5 5", 0},
        {"Bezier  0 0 0 0 1 2", 0},
        {"NoERC  100 100 0 0", 0},
        {"SheetSymbol  1", 0},
        {"Symbol  1 2", 0},
        {"TaskHolder  x", 0},
        {"EndSheet", 0},   // no blank: ignored
        {"Begin", 0},
        {"wire  0 0 1 2 1 2 3 4", 1},  // keywords are case-sensitive
        {"Foo  1", 1},
    };
    for (const auto& c : cases) {
        const Parsed p = parseOne(c.line, 1000);
        EXPECT_EQ(p.result.unrecognised, c.unrecognised) << c.line;
        EXPECT_EQ(p.result.failure, SchFailure::None) << c.line;
        EXPECT_TRUE(p.list.empty()) << c.line;
        if (c.unrecognised) EXPECT_EQ(p.events, std::vector<std::string>{"unknown: " + c.line});
        else EXPECT_TRUE(p.events.empty()) << c.line;
    }

    // A dropped record leaves its place to the next one.
    std::vector<SchElement> list;
    SchParserState state;
    RecordingNotifier notifier;
    ParseSchRecord("Polyline  0 0 0 0 1 5 5", list, state, notifier);
    ParseSchRecord("Junction  1 2 3 4 5", list, state, notifier);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].kind, SchElementKind::Junction);
}

class FrameAndPartLines : public ::testing::Test {
protected:
    SchRecordResult parse(const std::string& line) { return ParseSchRecord(line, list, state, notifier); }
    std::vector<SchElement> list;
    SchParserState state;
    RecordingNotifier notifier;
};

TEST_F(FrameAndPartLines, TextFrameCollectsEveryLineUntilEnd) {
    parse("TextFrame  0 0 10 10 0 0 0 0 1 0 0 0 0 0 0");
    for (const char* l : {"Begin", "abc", "Wire  0 0 1 2 1 2 3 4", "第二行。", "End"}) parse(l);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].textCount, 3);
    EXPECT_EQ(list[0].texts, (Texts{"abc", "Wire  0 0 1 2 1 2 3 4", "第二行", ""}));
    EXPECT_FALSE(state.textFrameOpen);

    // After End, lines are records again; an empty frame stays empty; a
    // multi-byte last character is removed whole.
    parse("TextFrame  0 0 10 10 0 0 0 0 1 0 0 0 0 0 0");
    parse("End");
    parse("TextFrame  0 0 10 10 0 0 0 0 1 0 0 0 0 0 0");
    parse("时钟");
    parse("");
    parse("End");
    parse("Junction  1 2 3 4 5");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].textCount, 0);
    EXPECT_EQ(list[1].texts, Texts{""});
    EXPECT_EQ(list[2].textCount, 2);
    EXPECT_EQ(list[2].texts, (Texts{"时钟", "", ""}));
    EXPECT_EQ(list[3].kind, SchElementKind::Junction);
    EXPECT_TRUE(notifier.events.empty());
}

TEST_F(FrameAndPartLines, AFrameLeftOpenEndsWithItsList) {
    parse("TextFrame  0 0 10 10 0 0 0 0 1 0 0 0 0 0 0");
    parse("abc");
    ASSERT_TRUE(state.textFrameOpen);

    std::vector<SchElement> next;
    state.beginList(true);
    ASSERT_TRUE(ParseSchRecord("abc def", next, state, notifier).unrecognised == 1);  // a record again
    EXPECT_TRUE(ParseSchRecord("Junction  1 2 3 4 5", next, state, notifier).failure == SchFailure::None);
    EXPECT_EQ(next.size(), 1u);
    EXPECT_EQ(list[0].texts, (Texts{"abc", ""}));

    // Nor is text ever appended to an element that is no frame.
    state.textFrameOpen = true;
    EXPECT_EQ(ParseSchRecord("Junction  6 7 8 9 0", next, state, notifier).failure, SchFailure::None);
    ASSERT_EQ(next.size(), 2u);
    EXPECT_TRUE(next[0].texts.empty());
}

TEST_F(FrameAndPartLines, SubRecordsCompleteTheListsLastPart) {
    state.beginList(true);
    state.sheetHeight = 1000;
    EXPECT_EQ(parse("Designator  110 810 0 0 0 1 0 'U1'").failure, SchFailure::NoPartToComplete);
    EXPECT_EQ(parse("PartDescription  0 0 0 0 0 0 0 'x'").failure, SchFailure::NoPartToComplete);

    parse("Part  100 800 0 0 0 0 1 0 0 0 '*' 'LIB'");
    parse("Wire  0 0 1 2 1 2 3 4");  // other records in between do not matter
    EXPECT_EQ(parse("Designator  110 810 0 3 4 1 6 'U1'").failure, SchFailure::None);
    EXPECT_EQ(parse("PartType  110 780 0 5 6 1 7 '74LS00'").failure, SchFailure::None);
    for (const char* d : {"PartDescription  0 0 0 0 0 0 0 '6116.bin'", "PartDescription  0 0 0 0 0 0 0 '*'",
                          "PartDescription  0 0 0 0 0 0 0 ' '", "PartDescription  0 0 0 0 0 0 0 ' two.bin '"})
        EXPECT_EQ(parse(d).failure, SchFailure::None) << d;
    EXPECT_EQ(parse("Designator  1 2 3").failure, SchFailure::MissingField);

    ASSERT_EQ(list.size(), 2u);
    const SchElement& part = list[0];
    EXPECT_EQ(part.texts, (Texts{"*", "LIB", "U1", "74LS00", "6116.bin", "two.bin"}));
    const Params tail(part.params.begin() + 10, part.params.end());
    EXPECT_EQ(tail, (Params{110, 190, 0, 3, 4, 1, 6, 110, 220, 0, 5, 6, 1, 7, 0, 0, 0, 0, 0}));

    // A new list forgets the previous list's Part, even where an element of
    // the same index is a Part.
    std::vector<SchElement> other{list[0]};
    state.beginList(false);
    EXPECT_EQ(ParseSchRecord("Designator  1 2 3 4 5 6 7 'U9'", other, state, notifier).failure,
              SchFailure::NoPartToComplete);
}

TEST_F(FrameAndPartLines, Version2LinesCompleteTheSheetPartsInOrder) {
    // A Part inside library graphics is no sheet Part.
    std::vector<SchElement> library;
    state.beginList(false);
    ParseSchRecord("Part  0 0 0 0 0 0 1 0 0 0 '*' 'X'", library, state, notifier);

    state.beginList(true);
    state.sheetHeight = 1000;
    parse("Wire  0 0 1 2 1 2 3 4");
    parse("Part  100 800 0 0 0 0 1 0 0 0 '*' 'LIB'");
    parse("Part  200 800 0 0 0 0 2 0 0 0 '*' 'LIB'");

    state.beginPartExtras();
    EXPECT_EQ(ParseSchPartExtra("Part  1 2 3 1 77", list, state), SchFailure::None);
    EXPECT_EQ(ParseSchPartExtra("Component  5", list, state), SchFailure::None);  // not a Part line
    EXPECT_EQ(ParseSchPartExtra("Part", list, state), SchFailure::None);
    EXPECT_EQ(ParseSchPartExtra("Part  4 5 6 0 8 9", list, state), SchFailure::None);
    EXPECT_EQ(ParseSchPartExtra("Part  0 0 0 0 0", list, state), SchFailure::NoPartToComplete);
    EXPECT_EQ(ParseSchPartExtra("Part  0 0", list, state), SchFailure::NoPartToComplete);

    const auto extras = [](const SchElement& e) { return Params(e.params.begin() + 24, e.params.end()); };
    EXPECT_EQ(extras(list[1]), (Params{1, 2, 3, 1, 77}));
    EXPECT_EQ(extras(list[2]), (Params{4, 5, 6, 0, 89}));
    EXPECT_EQ(extras(library[0]), (Params{0, 0, 0, 0, 0}));

    state.beginPartExtras();
    EXPECT_EQ(ParseSchPartExtra("Part  1 2", list, state), SchFailure::MissingField);
}

TEST(SchRecordParser, FindTextEndGivesThePositionAfterTheClosingDelimiter) {
    struct Case { std::string text; std::size_t position, expected; } cases[] = {
        {"x 'ab' 'c'", 2, 7}, {"x (ab)", 2, 7}, {"x [ab]", 2, 7}, {"x <ab>", 2, 7}, {"x {ab}", 2, 7},
        {"x ''", 2, 5}, {"x 'ab", 2, 1}, {"x (ab(", 2, 1}, {"x ab", 2, 0}, {"x \"ab\"", 2, 0}, {"x ", 2, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(FindTextEnd(c.text, c.position), c.expected) << c.text;
}

}  // namespace
}  // namespace schematic
