#include "schematic/element_scan.h"

#include <gtest/gtest.h>

#include "schematic/sheet_builder.h"

namespace schematic {
namespace {

using schtest::PartDef;
using schtest::PinDef;
using schtest::SheetBuilder;

CircuitBuild scan(const SchSheet& sheet) {
    CircuitBuild build;
    EXPECT_EQ(ScanSchElements(sheet, build), SchFailure::None);
    return build;
}

std::vector<int32_t> pinNumbers(const CircuitIc& ic) {
    std::vector<int32_t> numbers;
    for (const ListedPin& pin : ic.pins) numbers.push_back(pin.pinNumber);
    return numbers;
}

TEST(ElementScan, RecognisesExactlyTheTypeNames) {
    SheetBuilder b;
    const int32_t comp = b.numberedComponent(2);
    for (int32_t t = 0; t < sim::kIcTypeCount; ++t) {
        b.part({.designator = "U" + std::to_string(t), .type = std::string(sim::IcTypeNames[t]), .comp = comp});
    }
    for (const char* other : {"74ls00", " 74LS00", "74LS00A", "", "74LS00 "}) {
        b.part({.designator = "X", .type = other, .comp = comp, .descriptions = {"a.bin"}});
    }
    const CircuitBuild build = scan(b.sheet());
    ASSERT_EQ(build.circuitIcs.size(), std::size_t(sim::kIcTypeCount));
    for (int32_t t = 0; t < sim::kIcTypeCount; ++t) {
        EXPECT_EQ(build.circuitIcs[t].type, t);
        EXPECT_EQ(build.circuitIcs[t].designator, "U" + std::to_string(t));
        EXPECT_EQ(build.circuitIcs[t].pinCount, sim::pinTable(t).pinCount);
    }
    EXPECT_TRUE(build.memImageEntries.empty());
}

// The 74LS00 drawn as two parts of one component: part A shows gate 1, part B
// gate 2; both carry the hidden supply pins.
struct TwoGateSheet {
    SheetBuilder b;
    int32_t comp = b.component({
        {{"1"}, {"2"}, {"3"}, {"7", true}, {"14", true}},
        {{"4"}, {"5"}, {"6"}, {"7", true}, {"14", true}},
    });
};

TEST(ElementScan, PartsOfOneDesignatorAndTypeFormOneIc) {
    TwoGateSheet s;
    const int32_t a = s.b.part({.designator = "U3", .type = "74LS00", .x = 100, .y = 100, .comp = s.comp, .partNo = 1,
                                .showHidden = 1});
    s.b.part({.designator = "U3", .type = "74LS04", .x = 300, .y = 100, .comp = s.comp, .partNo = 1});
    const int32_t bPart = s.b.part({.designator = "U3", .type = "74LS00", .x = 200, .y = 100, .comp = s.comp,
                                    .partNo = 2, .showHidden = 1});
    const CircuitBuild build = scan(s.b.sheet());

    ASSERT_EQ(build.circuitIcs.size(), 2u);
    const CircuitIc& u3 = build.circuitIcs[0];
    EXPECT_EQ(u3.type, 9);
    EXPECT_EQ(pinNumbers(u3), (std::vector<int32_t>{1, 2, 3, 7, 14, 4, 5, 6}));
    // Each listed pin remembers the Part and the Pin record that drew it, and its outer end.
    EXPECT_EQ(u3.pins[4].partElement, a);
    EXPECT_EQ(u3.pins[4].graphicIndex, 5);
    EXPECT_EQ(u3.pins[4].end, s.b.pinEnd(a, 5));
    EXPECT_EQ(u3.pins[5].partElement, bPart);
    EXPECT_EQ(u3.pins[5].graphicIndex, 1);
    EXPECT_EQ(u3.pins[5].end, s.b.pinEnd(bPart, 1));
    EXPECT_TRUE(u3.pins[5].hasEnd);

    const CircuitIc& other = build.circuitIcs[1];
    EXPECT_EQ(other.designator, "U3");
    EXPECT_EQ(other.type, 10);
    EXPECT_EQ(pinNumbers(other), (std::vector<int32_t>{1, 2, 3}));  // hidden pins stay unlisted
}

TEST(ElementScan, MemoryImageComesFromTheFirstDescriptionOfTheCreatingPart) {
    SheetBuilder b;
    const int32_t comp = b.numberedComponent(1);
    b.part({.designator = "U1", .type = "2732", .comp = comp});
    b.part({.designator = "U2", .type = "2732", .comp = comp, .descriptions = {"mon.bin", "other.bin"}});
    b.part({.designator = "U2", .type = "2732", .comp = comp, .descriptions = {"second.bin"}});
    b.part({.designator = "U3", .type = "6116", .comp = comp, .descriptions = {"ram.bin"}});
    b.part({.designator = "U4", .type = "6116", .comp = comp, .descriptions = {"  "}});
    b.part({.designator = "U5", .type = "74LS00", .comp = comp, .descriptions = {"x.bin"}});
    const CircuitBuild build = scan(b.sheet());
    EXPECT_EQ(build.memImageEntries, (std::vector<MemImageEntry>{{1, "mon.bin", 0}, {2, "ram.bin", 0}}));
}

TEST(ElementScan, PinEndsFollowThePartPlacement) {
    SheetBuilder b;
    const int32_t comp = b.numberedComponent(1);
    // The pin at (0, 10), 30 long, pointing left, on a part at (500, 400) turned once.
    SchElement& pin = b.sheet().comps[comp].parts[0].elements[1];
    pin.params[pin_param::X] = 0;
    pin.params[pin_param::Y] = 10;
    pin.params[pin_param::Length] = 30;
    pin.params[pin_param::Direction] = direction::Left;
    b.part({.designator = "U1", .type = "74LS04", .x = 500, .y = 400, .comp = comp, .orientation = 1});
    b.part({.designator = "U2", .type = "74LS04", .x = 500, .y = 400, .comp = comp, .orientation = 5, .mirror = 1});
    const CircuitBuild build = scan(b.sheet());
    EXPECT_EQ(build.circuitIcs[0].pins[0].end, (SheetPoint{490, 430}));
    // An orientation beyond 3 counts modulo 4; mirroring keeps a vertical pin's direction.
    EXPECT_EQ(build.circuitIcs[1].pins[0].end, (SheetPoint{510, 430}));
}

TEST(ElementScan, PinNumbersOutsideTheTypeAndMissingLibraryPartsAddNoPins) {
    SheetBuilder b;
    const int32_t comp = b.component({{{"A1"}, {"41"}, {"0"}, {"2"}, {"2.4"}, {"-3"}, {"99999999999"}, {"40"}, {"1.5"}}});
    b.part({.designator = "U1", .type = "AM2901", .comp = comp});
    b.part({.designator = "U2", .type = "AM2901", .comp = 7});
    b.part({.designator = "U3", .type = "AM2901", .comp = comp, .partNo = 2});
    b.part({.designator = "U3", .type = "AM2901", .comp = comp, .partNo = 0});
    const CircuitBuild build = scan(b.sheet());
    ASSERT_EQ(build.circuitIcs.size(), 3u);
    // "2.4" rounds to the already listed 2; "1.5" rounds to 2 as well.
    EXPECT_EQ(pinNumbers(build.circuitIcs[0]), (std::vector<int32_t>{2, 40}));
    EXPECT_TRUE(build.circuitIcs[1].pins.empty());
    EXPECT_TRUE(build.circuitIcs[2].pins.empty());
}

TEST(ElementScan, WiresJoinTheFirstNetWithACommonEndPoint) {
    SheetBuilder b;
    b.wire({{0, 0}, {100, 0}});            // net 0
    b.wire({{100, 0}, {100, 100}});        // end to end: net 0
    b.wire({{50, 50}, {50, 0}});           // ends in the middle of the first: a net of its own (1)
    b.wire({{500, 0}, {600, 0}});          // net 2
    b.wire({{700, 0}, {800, 0}});          // net 3
    b.wire({{900, 0}, {1000, 0}});         // net 4
    b.wire({{1100, 0}, {1200, 0}});        // net 5
    b.wire({{1200, 0}, {1300, 0}, {600, 0}});  // touches the ends of nets 5 and 2: joins net 2 only
    b.wire({{5, 5}});                      // fewer than two points: no net
    const CircuitBuild build = scan(b.sheet());
    ASSERT_EQ(build.circuitNets.size(), 6u);
    EXPECT_EQ(build.circuitNets[0].wires, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(build.circuitNets[1].wires, (std::vector<int32_t>{2}));
    EXPECT_EQ(build.circuitNets[2].wires, (std::vector<int32_t>{3, 7}));
    EXPECT_EQ(build.circuitNets[5].wires, (std::vector<int32_t>{6}));
    for (const CircuitNet& net : build.circuitNets) EXPECT_EQ(net.merged, 0);
}

TEST(ElementScan, JunctionsOncePerPointAndLabelsGroupedByExactText) {
    SheetBuilder b;
    b.junction(10, 20);
    b.junction(10, 20);
    b.junction(20, 10);
    const int32_t clk = b.label(0, 0, "CLK");
    b.label(5, 5, "clk");
    const int32_t d0a = b.label(1, 1, "D0");
    const int32_t d0b = b.label(2, 2, "D0");
    const int32_t d0c = b.label(1, 1, "D0");
    b.label(3, 3, "D0 ");
    const CircuitBuild build = scan(b.sheet());
    ASSERT_EQ(build.junctionPoints.size(), 2u);
    EXPECT_EQ(build.junctionPoints[1].x, 20);
    ASSERT_EQ(build.netNameGroups.size(), 4u);
    EXPECT_EQ(build.netNameGroups[0].names, std::vector<std::string>{"CLK"});
    EXPECT_EQ(build.netNameGroups[0].labelPoints, (std::vector<LabelPoint>{{0, 0, clk}}));
    EXPECT_EQ(build.netNameGroups[1].names, std::vector<std::string>{"clk"});
    EXPECT_EQ(build.netNameGroups[2].labelPoints, (std::vector<LabelPoint>{{1, 1, d0a}, {2, 2, d0b}, {1, 1, d0c}}));
    EXPECT_EQ(build.netNameGroups[3].names, std::vector<std::string>{"D0 "});
}

TEST(ElementScan, DirectiveTextsReachTheDirectivesAndAnOverflowEndsTheScan) {
    SheetBuilder b;
    b.directive(SchElementKind::SimStimulus, "CLK(S/C):CP 1");
    b.directive(SchElementKind::SimProbe, "(Bus) D0");
    b.directive(SchElementKind::SimVector, "VrPcb:board.sch");
    CircuitBuild build = scan(b.sheet());
    EXPECT_EQ(build.labDirectives.clkName, "CP");
    EXPECT_EQ(build.labDirectives.probes.size(), 1u);
    EXPECT_EQ(build.labDirectives.vrPcbFile, "board.sch");

    b.directive(SchElementKind::SimStimulus, "SW1 99999999999");
    b.wire({{0, 0}, {1, 0}});
    CircuitBuild failed;
    EXPECT_EQ(ScanSchElements(b.sheet(), failed), SchFailure::NumberOutOfRange);
    EXPECT_TRUE(failed.circuitNets.empty());
}

}  // namespace
}  // namespace schematic
