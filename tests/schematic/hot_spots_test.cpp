#include "schematic/sch_hot_spots.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "schematic/board_hot_spots.h"
#include "schematic/build_circuit.h"
#include "schematic/fixed_width_measurer.h"
#include "schematic/sheet_builder.h"
#include "sim/simulator.h"
#include "circuit_test_helpers.h"

namespace schematic {
namespace {

using schtest::FixedWidthMeasurer;
using schtest::PartDef;
using schtest::SheetBuilder;


// A circuit built on its own simulator, with the numbers it took.
struct Built {
    sim::Simulator s;
    SchematicState state;
    CircuitSetup setup;
    int32_t firstIc = 0;
    int32_t firstSignal = 0;

    explicit Built(const SchSheet& sheet) {
        state.currentSheet = sheet;
        firstIc = s.LastIcNumber + 1;
        firstSignal = s.LastSignalNumber + 1;
        EXPECT_TRUE(BuildCircuit(s, state, setup).built);
    }

    int32_t signalNamed(const std::string& name) const {
        for (int32_t n = 0; n <= s.LastSignalNumber; ++n) {
            if (s.NetTable[n].Name == name) return n;
        }
        return -1;
    }

    // The schematic view's list for the whole circuit.
    std::vector<std::string> schematicHotSpots(FixedWidthMeasurer& m) {
        HotElementLists lists;
        SchSheet view;
        BuildSchHotSpots(firstIc, firstSignal, s.LastIcNumber, s.LastSignalNumber, m, lists, view, state);
        return schtest::describeHotElements(lists);
    }
};

// A 74LS04 drawn with its pins 1 (input) and 2 (output) only.
int32_t twoPinComponent(SheetBuilder& b) { return b.component({{{"1"}, {"2"}}}); }

void setLabel(SchSheet& sheet, int32_t element, int32_t orientation, int32_t font) {
    sheet.elements[static_cast<std::size_t>(element)].params[2] = orientation;
    sheet.elements[static_cast<std::size_t>(element)].params[4] = font;
}

TEST(SchHotSpots, SignalsThenIcsInTheirOwnOrder) {
    SheetBuilder b;
    const int32_t comp = twoPinComponent(b);
    b.part(PartDef{"U1", "74LS04", 0, 0, comp});
    b.wire({{0, 10}, {-50, 10}, {-50, 60}, {-100, 60}});
    b.wire({{500, 500}});  // one point: no segment
    b.label(-100, 60, "IN");

    Built c(b.sheet());
    ASSERT_EQ(c.signalNamed("IN"), 3);
    FixedWidthMeasurer m;
    EXPECT_EQ(c.schematicHotSpots(m), (std::vector<std::string>{
                                          "0,20,10,20 #2",              // NC: the unconnected output
                                          "-50,10,0,10 #3",             // drawn right to left: ends exchanged
                                          "-50,10,-50,60 #3",           // vertical: record order
                                          "-100,60,-50,60 #3",
                                          "-100,50,-84,60 #1048579",    // label "IN": 10 high, 20 - 2 x 2 wide
                                          "0,10,10,10 #3",              // pin line of pin 1
                                          "0,0,10,30 #1114112",         // body
                                      }));
}

TEST(SchHotSpots, RangesAndEarlierEntries) {
    SheetBuilder b;
    b.part(PartDef{"U1", "74LS04", 0, 0, twoPinComponent(b)});
    const SchSheet sheet = b.sheet();
    struct Case {
        const char* what;
        int32_t startIc, startSignal, endIc, endSignal;
        std::vector<std::string> entries;
    } cases[] = {
        {"signals below their start: the IC section still runs", 0, 3, 0, 2, {"9,9,9,9 #7", "0,0,10,30 #1114112"}},
        {"a negative signal start", 0, -1, 0, 2, {"9,9,9,9 #7", "0,0,10,30 #1114112"}},
        {"ICs below their start", 1, 0, 0, 2, {"9,9,9,9 #7", "0,10,10,10 #1", "0,20,10,20 #2"}},
        {"numbers the circuit does not have", 5, 7, 9, 12, {"9,9,9,9 #7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Built built(sheet);
        HotElementLists lists;
        lists.Boxes.push_back({9, 9, 9, 9, 7});
        SchSheet view;
        FixedWidthMeasurer m;
        BuildSchHotSpots(c.startIc, c.startSignal, c.endIc, c.endSignal, m, lists, view, built.state);
        EXPECT_EQ(schtest::describeHotElements(lists), c.entries);
        EXPECT_EQ(view, sheet);
        EXPECT_TRUE(built.state.currentSheet.empty());
    }
}

// Labels along one net: the box grows from the label's point by its
// orientation; the measured sizes are not reordered, so an empty text gives
// a box of no width. A font id that names no font measures in the default font.
TEST(SchHotSpots, LabelBoxesFollowOrientationAndFont) {
    SheetBuilder b;
    b.sheet().fontSlotMax = 5;
    b.sheet().fonts.resize(6);
    b.sheet().fonts[3] = SchFont{10, 0, 0, 0, 0, 0, "Times New Roman"};
    b.sheet().fonts[4] = SchFont{14, 0, 1, 0, 1, 0, "宋体"};
    b.part(PartDef{"U1", "74LS04", 0, 0, twoPinComponent(b)});
    b.wire({{0, 10}, {-400, 10}});
    const int32_t labels[] = {b.label(-100, 10, "AB"), b.label(-150, 10, "AB"), b.label(-200, 10, "AB"),
                              b.label(-250, 10, "AB"), b.label(-300, 10, ""),   b.label(-350, 10, "")};
    const int32_t orientation[] = {0, 1, 2, 3, 0, 1};
    const int32_t font[] = {1, 2, 99, -2, 1, -100};
    for (int i = 0; i < 6; ++i) setLabel(b.sheet(), labels[i], orientation[i], font[i]);

    Built c(b.sheet());
    FixedWidthMeasurer m;
    const std::vector<std::string> all = c.schematicHotSpots(m);
    std::vector<std::string> boxes;
    for (const std::string& e : all) {
        if (e.find("#10485") != std::string::npos) boxes.push_back(e);
    }
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         "-100,0,-84,10 #1048579", "-160,-6,-150,10 #1048579", "-216,10,-200,20 #1048579",
                         "-250,10,-240,26 #1048579", "-300,0,-300,10 #1048579", "-360,10,-350,10 #1048579"}));
    std::vector<std::string> faces;
    for (const SchFont& f : m.fonts) faces.push_back(f.faceName);
    EXPECT_EQ(faces, (std::vector<std::string>{"Times New Roman", "宋体", "Times New Roman", "Times New Roman",
                                               "Times New Roman", "Times New Roman"}));
}

TEST(SchHotSpots, DefaultFontOfASheetWithoutFonts) {
    SheetBuilder b;
    EXPECT_EQ(labelFont(b.sheet(), 1).faceName, "Arial");
    EXPECT_EQ(labelFont(b.sheet(), 1).size, 10);
}

TEST(SchHotSpots, PartsAndTheirBodies) {
    struct Case {
        const char* what;
        std::function<void(SheetBuilder&)> draw;
        std::vector<std::string> entries;
    } cases[] = {
        {"a mirrored part turns its left-pointing pins right",
         [](SheetBuilder& b) { b.part(PartDef{"U1", "74LS04", 100, 0, twoPinComponent(b), 1, 0, 1}); },
         {"90,10,100,10 #1", "90,20,100,20 #2", "90,0,100,30 #1114112"}},
        {"an IC drawn as two parts has two bodies",
         [](SheetBuilder& b) {
             const int32_t comp = b.component({{{"1"}}, {{"3"}}});
             b.part(PartDef{"U1", "74LS00", 0, 0, comp, 1});
             b.part(PartDef{"U1", "74LS00", 100, 0, comp, 2});
         },
         {"0,10,10,10 #1", "100,10,110,10 #2", "0,0,10,20 #1114112", "100,0,110,20 #1114112"}},
        {"an IC without drawn pins has no body",
         [](SheetBuilder& b) { b.part(PartDef{"U1", "74LS04", 0, 0, b.component({{}})}); }, {}},
        {"a part naming no library part has nothing",
         [](SheetBuilder& b) { b.part(PartDef{"U1", "74LS04", 0, 0, 7}); }, {}},
        {"a one-point polyline does not widen the body, a two-point one does",
         [](SheetBuilder& b) {
             const int32_t comp = twoPinComponent(b);
             auto& g = b.sheet().comps[static_cast<std::size_t>(comp)].parts[0].elements;
             g.push_back(SchElement{SchElementKind::Polyline, {1, 0, 0, 0, 1, 500, 500}, 0, {}});
             b.part(PartDef{"U1", "74LS04", 0, 0, comp});
             const int32_t wide = twoPinComponent(b);
             auto& w = b.sheet().comps[static_cast<std::size_t>(wide)].parts[0].elements;
             w.push_back(SchElement{SchElementKind::Polyline, {1, 0, 0, 0, 2, -20, 0, -20, 5}, 0, {}});
             b.part(PartDef{"U2", "74LS04", 100, 0, wide});
         },
         {"0,10,10,10 #1", "100,10,110,10 #1", "0,20,10,20 #2", "100,20,110,20 #2", "0,0,10,30 #1114112",
          "80,-5,110,30 #1114113"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SheetBuilder b;
        c.draw(b);
        Built built(b.sheet());
        FixedWidthMeasurer m;
        EXPECT_EQ(built.schematicHotSpots(m), c.entries);
    }
}

// The circuit: two 74LS00 drawn with pins 1..3 and hidden supply pins; U1
// pin 3 drives U2 pin 1, U1 pin 1 carries label A. The board draws the ICs
// elsewhere with a wire and a label of its own.
struct BoardCase {
    int32_t comp = 0;
    SheetBuilder circuit;

    BoardCase() {
        comp = gateComponent(circuit);
        circuit.part(PartDef{"U1", "74LS00", 0, 0, comp});
        circuit.part(PartDef{"U2", "74LS00", 100, 0, comp});
        circuit.wire({{0, 30}, {100, 10}});
        circuit.label(0, 10, "A");
    }

    static int32_t gateComponent(SheetBuilder& b) {
        return b.component({{{"1"}, {"2"}, {"3"}, {"7", true}, {"14", true}}});
    }

    static SchSheet board(const std::vector<PartDef>& parts) {
        SheetBuilder b;
        const int32_t comp = gateComponent(b);
        for (PartDef p : parts) {
            p.comp = comp;
            b.part(p);
        }
        b.wire({{500, 110}, {400, 110}});
        b.label(500, 110, "A");
        return b.sheet();
    }
};

TEST(BoardHotSpots, BoardIcsReportTheCircuitsNumbers) {
    struct Case {
        const char* what;
        std::vector<PartDef> parts;
        std::vector<std::string> entries;
    } cases[] = {
        {"both ICs",
         {{"U1", "74LS00", 500, 100}, {"U2", "74LS00", 500, 300}},
         {"500,120,510,120 #1", "500,320,510,320 #1",  // unconnected inputs read VCC
          "500,330,510,330 #2",                        // U2's unconnected output: NC
          "500,130,510,130 #3", "500,310,510,310 #3",  // U1 pin 3 to U2 pin 1
          "500,110,510,110 #4",                        // A
          "500,100,510,160 #1114112", "500,300,510,360 #1114113"}},
        {"only the second IC keeps its body",
         {{"U2", "74LS00", 500, 300}},
         {"500,320,510,320 #1", "500,330,510,330 #2", "500,310,510,310 #3", "500,300,510,360 #1114113"}},
        {"designators differing in case match nothing", {{"u1", "74LS00", 500, 100}}, {}},
        {"another type matches nothing", {{"U1", "74LS08", 500, 100}}, {}},
        {"shown supply pins report GND and VCC",
         {{"U1", "74LS00", 500, 100, 0, 1, 0, 0, 1}},
         {"500,140,510,140 #0", "500,120,510,120 #1", "500,150,510,150 #1", "500,130,510,130 #3",
          "500,110,510,110 #4", "500,100,510,160 #1114112"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BoardCase circuit;
        Built built(circuit.circuit.sheet());
        ASSERT_EQ(built.signalNamed("U1_3_2"), 3);
        ASSERT_EQ(built.signalNamed("A"), 4);
        FixedWidthMeasurer m;
        built.schematicHotSpots(m);
        const CircuitBuild before = built.state.circuitBuild;

        const SchSheet board = BoardCase::board(c.parts);
        built.state.currentSheet = board;
        HotElementLists lists;
        SchSheet view;
        BuildBoardHotSpots(built.firstIc, built.firstSignal, built.s.LastIcNumber, built.s.LastSignalNumber, m,
                           lists, view, built.state);
        EXPECT_EQ(schtest::describeHotElements(lists), c.entries);
        EXPECT_EQ(view, board);
        EXPECT_TRUE(built.state.currentSheet.empty());

        // The circuit's own tables stay for a later board or schematic view.
        const CircuitBuild& after = built.state.circuitBuild;
        ASSERT_EQ(after.circuitIcs.size(), before.circuitIcs.size());
        for (std::size_t i = 0; i < after.circuitIcs.size(); ++i) {
            EXPECT_EQ(after.circuitIcs[i].pins, before.circuitIcs[i].pins);
        }
        ASSERT_EQ(after.circuitNets.size(), before.circuitNets.size());
        for (std::size_t n = 0; n < after.circuitNets.size(); ++n) {
            EXPECT_EQ(after.circuitNets[n].merged, before.circuitNets[n].merged);
            EXPECT_EQ(after.circuitNets[n].wires, before.circuitNets[n].wires);
            EXPECT_EQ(after.circuitNets[n].ics, before.circuitNets[n].ics);
        }
    }
}

TEST(BoardHotSpots, BlockDiagramsOnlyHandTheirSheetOver) {
    BoardCase circuit;
    Built built(circuit.circuit.sheet());
    const SchSheet diagram = BoardCase::board({{"U1", "74LS00", 500, 100}});
    built.state.currentSheet = diagram;
    HotElementLists lists;
    SchSheet view;
    DiagramModel data;
    BuildDiagramHotSpots(built.firstIc, built.firstSignal, built.s.LastIcNumber, built.s.LastSignalNumber, data,
                         lists, view, built.state);
    EXPECT_EQ(lists.BoxCount(), 0);
    EXPECT_EQ(view, diagram);
    EXPECT_TRUE(built.state.currentSheet.empty());
}

TEST(HotElementIds, TellSignalsIcsAndBoxesApart) {
    EXPECT_EQ(wireId(5), 5);
    EXPECT_EQ(labelBoxId(5), 1048581);
    EXPECT_EQ(icBodyId(1), 1114113);
    EXPECT_FALSE(isRectangleId(wireId(909)));
    EXPECT_TRUE(isRectangleId(labelBoxId(3)));
    EXPECT_FALSE(isIcId(labelBoxId(3)));
    EXPECT_TRUE(isIcId(icBodyId(0)));
    EXPECT_EQ(hotNumber(icBodyId(206)), 206);
    EXPECT_EQ(hotNumber(labelBoxId(909)), 909);
}

}  // namespace
}  // namespace schematic
