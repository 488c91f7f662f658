#include "schgen/sch_writer.h"

#include <gtest/gtest.h>

#include <QString>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "schematic/recording_notifier.h"
#include "schematic/sch_reader.h"
#include "support/source_tree.h"

namespace schgen {
namespace {

using schematic::SchElement;
using schematic::SchSheet;
using K = schematic::SchElementKind;

std::string sourceFile(const std::string& relative) {
    std::ifstream in(testsupport::sourceFile(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

SchSheet readBytes(const std::string& bytes) {
    SchSheet s;
    schematic::RecordingNotifier notifier;
    EXPECT_EQ(schematic::ReadSchBytes(s, bytes, notifier), 1);
    EXPECT_TRUE(notifier.events.empty()) << notifier.events.front();
    return s;
}

TEST(SchWriter, FixtureSheetsComeBackEqual) {
    for (const char* name : {"tests/schematic/fixtures/and_gate.sch", "tests/schematic/fixtures/complete.sch",
                             "tests/view/fixtures/frames.sch", "tests/view/fixtures/hot_view.sch",
                             "tests/view/fixtures/parts.sch", "tests/view/fixtures/shapes.sch",
                             "tests/view/fixtures/symbols.sch"}) {
        SCOPED_TRACE(name);
        const std::string original = sourceFile(name);
        ASSERT_FALSE(original.empty());
        const SchSheet first = readBytes(original);
        ASSERT_FALSE(first.empty());
        const std::string written = writeSchBytes(first);
        EXPECT_EQ(readBytes(written), first);
        // Nothing but CR LF ends a line.
        for (std::size_t i = 0; i < written.size(); ++i) {
            const bool lf = written[i] == '\n', cr = written[i] == '\r';
            EXPECT_TRUE(!lf || (i > 0 && written[i - 1] == '\r')) << i;
            EXPECT_TRUE(!cr || (i + 1 < written.size() && written[i + 1] == '\n')) << i;
        }
    }
}

SchElement el(K kind, std::vector<int32_t> params, std::vector<std::string> texts = {}, int32_t textCount = 0) {
    return SchElement{kind, std::move(params), textCount, std::move(texts)};
}

// What the fixtures leave out: a turned sheet (Y flipped against SizeA), Y
// flipped kinds inside the library, an empty library part, a Part's first
// text holding quotes, frame lines whose last character would be cut, Chinese
// texts and negative coordinates.
SchSheet codeMadeSheet() {
    SchSheet s;
    s.fontSlotMax = 4;
    s.fonts.resize(5);
    s.fonts[3] = schematic::SchFont{12, 90, 1, 0, 1, 0, "宋体 Extra"};
    s.orientation = 1;
    s.sheetSizeA = 1200;
    s.sheetSizeB = 800;
    s.sheetColor = 123;

    schematic::SchComponent& c = s.comps.emplace_back();
    c.names = {"A", "B"};
    c.libText1 = "DIP8";
    c.libText5 = "'U?'";
    c.parts.resize(2);
    c.parts[0].elements = {
        el(K::Wire, {0, 0, 1, 3, 0, -5, 10, -5, 10, 7}),
        el(K::Rectangle, {0, 0, 50, -30, 1, 0, 0, 0, 1}),
        el(K::TextFrame, {0, -20, 40, -5, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1, 0}, {"in a part", ""}, 1),
        el(K::Pin, {0, 0, 0, 0, 1, 1, 20, 0, -10, 2, 0}, {"A(1)", "1"}),
        // No delimiter can close this first text: it is written without its quotes.
        el(K::Pin, {0, 0, 0, 0, 1, 1, 20, 50, -10, 0, 0}, {"'Q')]>}", "2'"}),
    };

    s.elements = {
        el(K::Part, {300, 400, 0, 1, 3, 0, 1, 0, 0, 1, 310, 390, 0, 5, 1, 1, 0, 310, 420, 0, 5, 1, 1, 1,
                     16777215, 1, 2, 1, -7},
           {"it's", "<lib>", "U9", "74LS273", "rom.bin", "第二"}),
        el(K::Part, {-20, -40, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
           {"*", "", "", ""}),
        el(K::TextFrame, {10, 700, 300, 600, 0, 128, 255, 0, 1, 1, 1, 0, 1, 0, 0}, {"第一行", "", ""}, 2),
        el(K::TextFrame, {10, 500, 300, 400, 0, 128, 255, 0, 1, 1, 1, 0, 1, 0, 0}, {""}, 0),
        el(K::NetLabel, {40, 820, 0, 0, 1, 0}, {"数据'D0'"}),
        el(K::Polyline, {0, 0, 255, 0, 3, -10, -20, 30, 40, 50, 1300}),
        el(K::Arc, {100, 100, 20, 0, 255, 0}, {"0.000", "90.5"}),
        el(K::Image, {0, 0, 10, 10, 0, 0, 0, 0, 0}, {"board.bmp"}),
        el(K::SimStimulus, {0, 1200, 0, 0}, {"CLK(S/C):CP 1"}),
    };
    return s;
}

TEST(SchWriter, SheetMadeInCodeComesBackEqual) {
    SchSheet s = codeMadeSheet();
    const SchSheet back = readBytes(writeSchBytes(s));
    // Only the Pin text no delimiter can hold changes.
    s.comps[0].parts[0].elements[4].texts[0] = "Q)]>}";
    EXPECT_EQ(back, s);
}

TEST(SchWriter, WritesFilesInCodePage936) {
    const SchSheet s = codeMadeSheet();
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "corvane_schgen_writer";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "sheet.sch").string();
    ASSERT_TRUE(writeSchFile(s, path));
    std::ifstream in(path, std::ios::binary);
    const std::string onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(onDisk, writeSchBytes(s));
    EXPECT_NE(onDisk.find("\xB5\xDA\xD2\xBB\xD0\xD0"), std::string::npos);  // 第一行

    SchSheet back;
    schematic::RecordingNotifier notifier;
    ASSERT_EQ(schematic::ReadSchFile(back, QString::fromStdString(path), notifier), 1);
    EXPECT_EQ(back, readBytes(onDisk));

    EXPECT_FALSE(writeSchFile(s, (dir / "missing" / "sheet.sch").string()));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace schgen
