#include <gtest/gtest.h>

#include <set>

#include "circuit_console.h"
#include "data_paths.h"
#include "diagram_connections.h"
#include "diagram_texts.h"
#include "labdata/src/diagram_plan.h"
#include "labdata/src/diagram_sheet.h"
#include "labdata/src/generate.h"
#include "schematic/sch_reader.h"

namespace labtest {
namespace {

// A small diagram and the one fault a check finds in it.
struct DiagramCase {
    const char* what;
    std::string diagram;
    std::string fault;  // as a part of its text; empty when there is none
};

// None when `expected` is empty, else exactly one fault, which contains it.
void expectFault(const std::vector<std::string>& faults, const std::string& expected) {
    std::string all;
    for (const std::string& f : faults) all += "\n" + f;
    if (expected.empty()) {
        EXPECT_TRUE(faults.empty()) << all;
        return;
    }
    ASSERT_EQ(faults.size(), 1u) << all;
    EXPECT_NE(faults[0].find(expected), std::string::npos) << all;
}

class BlockDiagrams : public ::testing::Test {
protected:
    CircuitConsole console{defaultCircuit(), sourceRoot()};

    void SetUp() override { ASSERT_TRUE(console.loaded()) << console.error(); }

    std::vector<std::string> faultsOf(const std::string& description) {
        std::vector<std::string> faults;
        for (const labdata::DiagramPlan& plan : labdata::parseDiagramPlans(description)) {
            const std::vector<std::string> f = diagramFaults(plan, console.build());
            faults.insert(faults.end(), f.begin(), f.end());
        }
        return faults;
    }
};

// Every experiment's diagram draws each connection of the default circuit
// between the parts it shows, the clock of each register it shows included,
// and no connection the circuit does not make.
TEST_F(BlockDiagrams, DrawWhatTheCircuitConnects) {
    const std::vector<labdata::DiagramPlan> plans =
        labdata::parseDiagramPlans(labdata::readWholeFile(descriptionDir() + "/diagrams.txt"));
    std::set<std::string> drawn;
    for (const labdata::DiagramPlan& plan : plans) {
        drawn.insert(plan.file);
        for (const std::string& fault : diagramFaults(plan, console.build())) ADD_FAILURE() << fault;
    }
    std::set<std::string> shown;
    for (const schematic::LabEntry& lab : console.setup().Labs) shown.insert(lab.DiagramFile);
    EXPECT_EQ(drawn, shown);
}

// Each kind of fault, on a diagram of a few boxes over the default circuit.
TEST_F(BlockDiagrams, CheckFindsWhatADiagramGetsWrong) {
    const std::string head = "diagram d.sch 460 600 T\n";
    const std::string clock = "box 20 300 200 350 时钟\n  nets CLK\n";
    const std::string r0 = "box 20 100 200 200 R0\n  ics U7\n";
    const DiagramCase cases[] = {
        {"all drawn", head + r0 + clock + "arrow 100 300 100 200\n", ""},
        {"a register without its clock", head + r0 + clock, "no arrow from \"时钟\" to \"R0\" (CLK)"},
        {"a clock from nothing drawn", head + r0, "U7's clock CLKR0 comes from nothing the diagram draws"},
        {"a two-way part reached one way",
         head + "box 20 100 200 200 RAM1\n  ics U17\nbus 20 300 440 300\n  nets MD7..0\narrow 100 200 100 300\n",
         "no arrow from the bus of line 4 to \"RAM1\" (MD0, MD1, MD2, MD3, ...)"},
        {"parts joined without a bus",
         head + "box 20 100 200 200 AR\n  ics U9\nbox 250 100 440 200 译码\n  ics U15\n" + clock + "arrow 100 300 100 200\n",
         "no arrow from \"AR\" to \"译码\" (AR5, AR6, AR7)"},
        {"an arrow the circuit does not make", head + r0 + clock + "arrow 100 300 100 200\narrow 150 200 150 300\n",
         "line 7: an arrow from \"R0\" to \"时钟\", which the circuit does not connect"},
        {"a line ending on nothing", head + r0 + clock + "arrow 100 300 100 200\narrow 150 200 150 250\n",
         "line 7: the line ends on nothing at (150, 250)"},
        {"a branch from a line",
         head + "box 20 100 200 200 AR\n  ics U9\n" + clock +
             "box 250 100 440 200 IR\n  ics U8\narrow 100 300 100 200\narrow 100 250 300 250 300 200\n",
         ""},
        {"an IC the circuit lacks", head + "box 20 100 200 200 X\n  ics U99\n", "line 2: the circuit has no IC U99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectFault(faultsOf(c.diagram), c.fault);
    }
}

// Every diagram the circuit shows keeps each line of a box inside the box
// and its other texts inside the drawing, as it stands in the data folder.
TEST_F(BlockDiagrams, KeepTheirTextsInsideTheirBoxes) {
    std::set<std::string> files;
    for (const schematic::LabEntry& lab : console.setup().Labs) files.insert(lab.DiagramFile);
    for (const std::string& file : files) {
        schematic::SchSheet sheet;
        schematic::SilentSchNotifier quiet;
        ASSERT_EQ(schematic::ReadSchBytes(sheet, labdata::readWholeFile(dataDir() + "/" + file), quiet), 1) << file;
        for (const std::string& fault : textsPastTheirBoxes(sheet)) ADD_FAILURE() << file << ": " << fault;
    }
}

// Each kind of text out of place, on a small diagram as the generator draws it.
TEST(DiagramTexts, CheckFindsTextsPastTheirBoxes) {
    const std::string head = "diagram d.sch 300 200 T\n";
    const DiagramCase cases[] = {
        {"all inside", head + "box 20 80 150 150 数据|74LS244\ntext 20 180 时钟\n", ""},
        {"a line wider than its box", head + "box 20 80 120 150 数据开关SW|时钟\n",
         "the box at (20, 80): \"数据开关SW\" is 137 wide, the box has room for 90"},
        {"more lines than the box is tall", head + "box 20 80 130 120 A|B\n",
         "the box at (20, 80): 2 lines are 44 tall, the box has room for 30"},
        {"a text past the right edge", head + "text 200 180 数据总线\n", "\"数据总线\" at (200, 180) reaches (306, 158)"},
        {"a text on the bottom edge", head + "text 20 198 时钟\n", "\"时钟\" at (20, 198) reaches (73, 176)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectFault(textsPastTheirBoxes(labdata::diagramSheet(labdata::parseDiagramPlans(c.diagram).at(0))), c.fault);
    }
}

}  // namespace
}  // namespace labtest
