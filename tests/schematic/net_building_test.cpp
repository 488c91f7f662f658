#include "schematic/net_building.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "schematic/sch_fixture.h"
#include "schematic/sch_reader.h"
#include "schematic/sheet_builder.h"

namespace schematic {
namespace {

using schtest::PartDef;
using schtest::SheetBuilder;

CircuitBuild build(const SchSheet& sheet) {
    CircuitExtraction x = ExtractCircuit(sheet);
    EXPECT_EQ(x.failure, SchFailure::None);
    return std::move(x.build);
}

std::string joined(const std::vector<std::string>& names) {
    std::string s;
    for (std::size_t i = 0; i < names.size(); ++i) s += (i ? ";" : "") + names[i];
    return s;
}

// Every net that is not merged, as "<index>: w<wire>... | <names> | <designator>.<pin>...",
// with the pins of each IC of the net in the order they are listed; supply nets
// are marked after their names.
std::vector<std::string> describe(const CircuitBuild& b) {
    std::vector<std::string> lines;
    for (std::size_t n = 0; n < b.circuitNets.size(); ++n) {
        const CircuitNet& net = b.circuitNets[n];
        if (net.merged != 0) continue;
        std::ostringstream line;
        line << n << ":";
        for (int32_t w : net.wires) line << " w" << w;
        line << " |";
        if (net.nameGroup >= 0) line << " " << joined(b.netNameGroups[net.nameGroup].names);
        if (int32_t(n) == b.vccNet) line << " =VCC";
        if (int32_t(n) == b.gndNet) line << " =GND";
        if (int32_t(n) == b.ncNet) line << " =NC";
        line << " |";
        for (int32_t ic : net.ics) {
            for (const ListedPin& pin : b.circuitIcs[ic].pins) {
                if (pin.net == int32_t(n)) line << " " << b.circuitIcs[ic].designator << "." << pin.pinNumber;
            }
        }
        lines.push_back(line.str());
    }
    return lines;
}

// A sheet with the three supply nets as the last lines, when nothing names them.
std::vector<std::string> withSupplies(std::vector<std::string> lines, int first, const std::string& vccPins = "",
                                      const std::string& ncPins = "") {
    lines.push_back(std::to_string(first) + ": | VCC;HighVol =VCC |" + vccPins);
    lines.push_back(std::to_string(first + 1) + ": | GND;LowVol;VSS =GND |");
    lines.push_back(std::to_string(first + 2) + ": | NC;N.C.;Null;X =NC |" + ncPins);
    return lines;
}

// Small sheets and the nets they must give. The "G" part is a 74LS04 of the
// sheet builder's generic component whose pins 1 and 2 (input and output) end
// at (x, y + 10) and (x, y + 20).
TEST(NetBuilding, SmallSheetsGiveTheirNets) {
    struct Case {
        const char* what;
        std::function<void(SheetBuilder&, int32_t comp)> draw;
        std::vector<std::string> nets;
    } cases[] = {
        {"crossing wires stay apart",
         [](SheetBuilder& b, int32_t) {
             b.wire({{0, 100}, {200, 100}});
             b.wire({{100, 0}, {100, 200}});
         },
         withSupplies({"0: w0 | |", "1: w1 | |"}, 2)},
        {"a junction in the middle of both joins them",
         [](SheetBuilder& b, int32_t) {
             b.wire({{0, 100}, {200, 100}});
             b.wire({{100, 0}, {100, 200}});
             b.junction(100, 100);
         },
         withSupplies({"0: w0 w1 | |"}, 2)},
        {"a wire ending mid-wire stays apart",
         [](SheetBuilder& b, int32_t) {
             b.wire({{0, 100}, {200, 100}});
             b.wire({{100, 100}, {100, 200}});
         },
         withSupplies({"0: w0 | |", "1: w1 | |"}, 2)},
        {"... unless a label lies there",
         [](SheetBuilder& b, int32_t) {
             b.wire({{0, 100}, {200, 100}});
             b.wire({{100, 100}, {100, 200}});
             b.label(100, 100, "T");
         },
         withSupplies({"0: w0 w1 | T |"}, 2)},
        {"... or a pin end",
         [](SheetBuilder& b, int32_t comp) {
             b.wire({{0, 10}, {200, 10}});
             b.wire({{100, 10}, {100, -200}});
             b.part({.designator = "G", .type = "74LS04", .x = 100, .y = 0, .comp = comp});
         },
         withSupplies({"0: w0 w1 | G_1_1 | G.1"}, 2, " G.3 G.5 G.9 G.11 G.13", " G.2 G.4 G.6 G.8 G.10 G.12")},
        {"a net keeps the label group of its first labelled segment",
         [](SheetBuilder& b, int32_t) {
             b.label(150, 0, "A");
             b.label(50, 0, "B");
             b.wire({{0, 0}, {100, 0}, {200, 0}});
         },
         withSupplies({"0: w2 | B;A |"}, 1)},
        {"wires in a chain form one net whatever their file order",
         [](SheetBuilder& b, int32_t) {
             b.wire({{0, 0}, {10, 0}});    // A-B
             b.wire({{20, 0}, {30, 0}});   // C-D
             b.wire({{10, 0}, {20, 0}});   // B-C
         },
         withSupplies({"0: w0 w2 w1 | |"}, 2)},
        {"a longer chain given backwards",
         [](SheetBuilder& b, int32_t) {
             b.wire({{40, 0}, {50, 0}});
             b.wire({{20, 0}, {30, 0}});
             b.wire({{0, 0}, {10, 0}});
             b.wire({{30, 0}, {40, 0}});
             b.wire({{10, 0}, {20, 0}});
         },
         withSupplies({"0: w0 w3 w1 w4 w2 | |"}, 3)},
        {"equal labels join distant wires, letter case counts",
         [](SheetBuilder& b, int32_t) {
             b.wire({{0, 0}, {100, 0}});
             b.label(50, 0, "D0");
             b.wire({{0, 500}, {100, 500}});
             b.label(0, 500, "D0");
             b.wire({{0, 900}, {100, 900}});
             b.label(100, 900, "d0");
         },
         withSupplies({"0: w0 w2 | D0 |", "2: w4 | d0 |"}, 3)},
        {"labels on pin ends make a wireless net; a label on nothing makes a dead one",
         [](SheetBuilder& b, int32_t comp) {
             b.part({.designator = "G", .type = "74LS04", .x = 0, .y = 0, .comp = comp});
             b.part({.designator = "H", .type = "74LS04", .x = 500, .y = 0, .comp = comp});
             b.label(0, 20, "Q");
             b.label(500, 10, "Q");
             b.label(900, 900, "Lost");
         },
         withSupplies({"0: | Q | G.2 H.1", "1: | Lost |"}, 2, " G.1 G.3 G.5 G.9 G.11 G.13 H.3 H.5 H.9 H.11 H.13",
                      " G.4 G.6 G.8 G.10 G.12 H.2 H.4 H.6 H.8 H.10 H.12")},
        {"power labels name the supply nets; lower case is an ordinary name",
         [](SheetBuilder& b, int32_t) {
             b.wire({{0, 0}, {100, 0}});
             b.label(0, 0, "HighVol");
             b.wire({{0, 100}, {100, 100}});
             b.label(0, 100, "vcc");
             b.wire({{0, 200}, {100, 200}});
             b.label(0, 200, "VSS");
         },
         {"0: w0 | HighVol =VCC |", "1: w2 | vcc |", "2: w4 | VSS =GND |", "3: | NC;N.C.;Null;X =NC |"}},
        {"two VCC-labelled wires are one net; a net named VCC and GND is both",
         [](SheetBuilder& b, int32_t) {
             b.wire({{0, 0}, {100, 0}});
             b.label(0, 0, "VCC");
             b.wire({{0, 100}, {100, 100}});
             b.label(0, 100, "VCC");
             b.label(100, 100, "GND");
             b.wire({{0, 200}, {100, 200}});
             b.label(0, 200, "X");
             b.wire({{0, 300}, {100, 300}});
             b.label(0, 300, "Null");
         },
         {"0: w0 w2 | VCC;GND =VCC =GND |", "2: w5 | X |", "3: w7 | Null =NC |"}},
    };
    for (const auto& c : cases) {
        SheetBuilder b;
        const int32_t comp = b.numberedComponent(2);
        c.draw(b, comp);
        EXPECT_EQ(describe(build(b.sheet())), c.nets) << c.what;
    }
}

// One 74LS00 with only gate A placed: pin 1 on a wire labelled A, pin 2 on an
// unlabelled wire, pin 3 on a wire labelled Y.
TEST(NetBuilding, SingleGateFixtureGivesTheFullTables) {
    SheetBuilder b;
    const int32_t comp = b.component({{{"1"}, {"2"}, {"3"}, {"7", true}, {"14", true}}});
    b.part({.designator = "U1", .type = "74LS00", .x = 100, .y = 0, .comp = comp});
    b.wire({{100, 10}, {0, 10}});
    b.label(0, 10, "A");
    b.wire({{100, 20}, {0, 20}});
    b.wire({{100, 30}, {0, 30}});
    b.label(0, 30, "Y");
    const CircuitBuild x = build(b.sheet());

    EXPECT_EQ(describe(x), (std::vector<std::string>{
                               "0: w1 | A | U1.1",
                               "1: w3 | U1_2_1 | U1.2",
                               "2: w4 | Y | U1.3",
                               "3: | VCC;HighVol =VCC | U1.4 U1.5 U1.9 U1.10 U1.12 U1.13",
                               "4: | GND;LowVol;VSS =GND |",
                               "5: | NC;N.C.;Null;X =NC | U1.6 U1.8 U1.11",
                           }));
    const CircuitIc& u1 = x.circuitIcs.at(0);
    EXPECT_EQ(u1.type, 9);
    ASSERT_EQ(u1.pinsPlaced(), 14);
    // Listed pins 1, 2, 3, then the appended 4..14 without ends or graphics; 7 and 14 have no net.
    for (int k = 3; k < 14; ++k) {
        EXPECT_EQ(u1.pins[k].pinNumber, k + 1);
        EXPECT_FALSE(u1.pins[k].hasEnd);
        EXPECT_EQ(u1.pins[k].graphicIndex, -1);
        EXPECT_EQ(u1.pins[k].partElement, -1);
    }
    EXPECT_EQ(u1.pins[6].net, -1);
    EXPECT_EQ(u1.pins[13].net, -1);

    EXPECT_EQ(x.circuitNets[0].readers, std::vector<int32_t>{0});
    EXPECT_EQ(x.circuitNets[1].readers, std::vector<int32_t>{0});
    EXPECT_TRUE(x.circuitNets[2].readers.empty());
    EXPECT_EQ(x.circuitNets[2].outputIcs, std::vector<int32_t>{0});
    EXPECT_TRUE(x.circuitNets[3].readers.empty());  // VCC is never a reader net
    EXPECT_TRUE(x.circuitNets[5].readers.empty());
    EXPECT_EQ(x.circuitNets[5].outputIcs, std::vector<int32_t>{0});
    ASSERT_EQ(x.netReaderGroups.size(), 1u);
    EXPECT_EQ(x.netReaderGroups[0].firstNet, 0);
    EXPECT_EQ(x.netReaderGroups[0].fanout, -1);
    EXPECT_EQ(x.circuitNets[0].readerGroup, 0);
    EXPECT_EQ(x.circuitNets[1].readerGroup, 0);
    EXPECT_EQ(x.circuitNets[2].readerGroup, -1);
    EXPECT_TRUE(x.isLiveNet(0));
    EXPECT_FALSE(x.isLiveNet(3));
    EXPECT_FALSE(x.isLiveNet(4));
}

TEST(NetBuilding, UnreachedPinsAreTiedByKind) {
    SheetBuilder b;
    const int32_t none = b.component({{}});
    b.part({.designator = "U1", .type = "8251", .comp = none});
    b.part({.designator = "U2", .type = "AM2901", .comp = none});
    const CircuitBuild x = build(b.sheet());
    auto netOf = [&](int ic, int pin) {
        for (const ListedPin& p : x.circuitIcs[ic].pins) {
            if (p.pinNumber == pin) return p.net;
        }
        return -2;
    };
    struct Case { int ic, pin; int32_t net; } cases[] = {
        {0, 10, x.vccNet},  // input
        {0, 17, x.vccNet},  // input the model ignores
        {0, 23, x.ncNet},   // output the model ignores
        {0, 8, x.ncNet},    // bidirectional
        {0, 3, x.ncNet},    // not simulated
        {0, 26, -1},        // VCC pin
        {0, 4, -1},         // GND pin
        {1, 11, x.ncNet},   // open collector
        {1, 10, -1},
        {1, 30, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(netOf(c.ic, c.pin), c.net) << c.ic << "." << c.pin;
    EXPECT_EQ(x.circuitIcs[0].pinsPlaced(), 28);
    EXPECT_EQ(x.circuitNets[x.ncNet].ics, (std::vector<int32_t>{0, 1}));
    // The NC net keeps its reader lists: the bidirectional pins read it.
    EXPECT_EQ(x.circuitNets[x.ncNet].readers, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(x.circuitNets[x.ncNet].bidirIcs, (std::vector<int32_t>{0, 1}));
}

TEST(NetBuilding, GeneratedNamesUseTheFirstIcAndItsFirstPinOnTheNet) {
    SheetBuilder b;
    const int32_t comp = b.numberedComponent(14);
    b.part({.designator = "U3", .type = "74LS00", .x = 0, .y = 0, .comp = comp});
    b.part({.designator = "U4", .type = "74LS00", .x = 500, .y = 0, .comp = comp});
    b.wire({{0, 50}, {500, 20}});    // U3 pin 5 to U4 pin 2
    b.wire({{-100, 60}, {600, 60}});  // U3 pin 6 and U4 pin 6 in the middle of the wire
    const CircuitBuild x = build(b.sheet());
    EXPECT_EQ(x.netNameGroups[x.circuitNets[0].nameGroup].names, std::vector<std::string>{"U3_5_2"});
    EXPECT_EQ(x.netNameGroups[x.circuitNets[1].nameGroup].names, std::vector<std::string>{"U3_6_2"});
    EXPECT_EQ(x.circuitNets[0].readers, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(x.circuitNets[1].outputIcs, (std::vector<int32_t>{0, 1}));
}

// An IC list follows IC order except on the NC net, where ICs tied by kind
// come after those labelled onto it.
TEST(NetBuilding, ReaderGroupsNeedEqualReaderListsInEqualOrder) {
    SheetBuilder b;
    const int32_t comp20 = b.numberedComponent(20);
    const int32_t comp14 = b.numberedComponent(14);
    b.part({.designator = "U1", .type = "74LS245", .x = 0, .y = 0, .comp = comp20});
    b.part({.designator = "U2", .type = "74LS08", .x = 500, .y = 0, .comp = comp14});
    b.wire({{0, 10}, {500, 20}});   // U1.1 - U2.2
    b.wire({{0, 190}, {500, 40}});  // U1.19 - U2.4
    b.label(500, 10, "NC");         // U2.1; U1's unreached bidirectional pins follow
    const CircuitBuild x = build(b.sheet());
    ASSERT_EQ(x.ncNet, 2);
    EXPECT_EQ(x.circuitNets[0].readers, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(x.circuitNets[1].readers, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(x.circuitNets[2].readers, (std::vector<int32_t>{1, 0}));
    ASSERT_EQ(x.netReaderGroups.size(), 2u);
    EXPECT_EQ(x.circuitNets[0].readerGroup, 0);
    EXPECT_EQ(x.circuitNets[1].readerGroup, 0);
    EXPECT_EQ(x.circuitNets[2].readerGroup, 1);
    EXPECT_EQ(x.netReaderGroups[1].firstNet, 2);
    EXPECT_EQ(x.circuitNets[x.vccNet].readerGroup, -1);
}

TEST(NetBuilding, PinEndTouchingTwoWiresJoinsThemAndTheirLabels) {
    SheetBuilder b;
    const int32_t comp = b.numberedComponent(14);
    b.part({.designator = "U1", .type = "74LS32", .x = 100, .y = 0, .comp = comp});
    b.wire({{0, 10}, {100, 10}});     // ends on pin 1
    b.label(0, 10, "LEFT");
    b.wire({{50, -40}, {150, 60}});   // passes pin 1's end mid-segment
    b.label(150, 60, "RIGHT");
    const CircuitBuild x = build(b.sheet());
    // The pin folds the second wire's net into the first; its label group
    // then follows into the first net's group.
    EXPECT_EQ(describe(x).at(0), "0: w1 w3 | LEFT;RIGHT | U1.1");
}

TEST(NetBuilding, ExtremeCoordinatesStayExact) {
    constexpr int32_t lo = INT32_MIN;
    constexpr int32_t hi = INT32_MAX;
    SheetBuilder b;
    b.wire({{lo, lo}, {hi, hi}});       // y = x
    b.wire({{hi, lo}, {lo, hi}});       // x + y = -1: no common integer point with the first
    b.junction(0, 0);                   // on the first only
    b.junction(-1, 0);                  // on the second only
    b.wire({{lo + 1, hi}, {hi, hi - 2}});  // its middle is (0, hi - 1)
    b.label(0, hi - 1, "On");
    b.label(0, hi, "Near");
    b.wire({{1000, 0}, {1000 + 65536, 65536}});
    b.label(1000 + 65536, 0, "Corner");  // 65536 x 65536 wraps to 0 in 32 bits
    EXPECT_EQ(describe(build(b.sheet())),
              (withSupplies({"0: w0 | |", "1: w1 | |", "2: w4 | On |", "3: w7 | |", "4: | Near |", "5: | Corner |"}, 6)));
}

// The reader's complete fixture file, read and built: its 74LS00 is drawn as a
// plain part A and a turned, mirrored part B.
TEST(NetBuilding, BuildsTheReadFixtureFile) {
    SchSheet sheet;
    SilentSchNotifier quiet;
    ASSERT_EQ(ReadSchBytes(sheet, fixture::bytes(), quiet), 1);
    const CircuitBuild x = build(sheet);
    EXPECT_EQ(describe(x), (std::vector<std::string>{
                               "0: w2 | A | U1.1",
                               "1: w3 | U1_2_1 | U1.2",
                               "2: w4 | Y | U1.3",
                               "3: | VCC;HighVol =VCC | U1.4 U1.5 U1.9 U1.10 U1.12 U1.13",
                               "4: | GND;LowVol;VSS =GND |",
                               "5: | NC;N.C.;Null;X =NC | U1.6 U1.8 U1.11",
                           }));
    const CircuitIc& u1 = x.circuitIcs.at(0);
    EXPECT_EQ(u1.pins[3].end, (SheetPoint{420, 230}));
    EXPECT_EQ(u1.pins[5].end, (SheetPoint{415, 120}));
    EXPECT_TRUE(x.memImageEntries.empty());  // a 74LS00 loads no image
    EXPECT_EQ(x.labDirectives.stimuli, (std::vector<Stimulus>{{"A", 1}}));
    EXPECT_EQ(x.labDirectives.probes, (std::vector<TitledList>{{"Out", "Y"}}));
}

TEST(NetBuilding, DirectiveOverflowFailsTheBuild) {
    SheetBuilder b;
    b.wire({{0, 0}, {1, 0}});
    b.directive(SchElementKind::SimStimulus, "SW1 99999999999");
    EXPECT_EQ(ExtractCircuit(b.sheet()).failure, SchFailure::NumberOutOfRange);
}

}  // namespace
}  // namespace schematic
