#include <gtest/gtest.h>

#include <map>

#include "labdata/src/circuit_plan.h"
#include "labdata/src/circuit_sheet.h"
#include "labdata/src/plan_text.h"
#include "schematic/net_building.h"
#include "sheet_checks.h"

namespace labtest {
namespace {

using schematic::SchElementKind;

// Two inverters side by side: U1's 2Y stub with its label UROM_N reaches right
// to x = 270; U2's 2A stub with MEM reaches left 70 units from U2's box. Placed
// too close, a stub would meet the other stub or U2's pins and the builder
// would join the nets; the generator refuses, naming the line of the IC whose
// stub has no room. On one net the two pins are wired.
TEST(CircuitSheet, RefusesIcsPlacedWithoutRoomForTheirLabels) {
    struct Case {
        int x;  // where U2 stands
        const char* u2Pins;
        const char* error;  // empty: the sheet is made
    } cases[] = {
        {340, "2A=MEM", "line 4: U2 pin 3 (MEM): no room for its label stub"},
        {350, "2A=MEM", "line 4: U2 pin 3 (MEM): no room for its label stub"},  // touching the end of U1's stub
        {360, "2A=MEM", ""},
        {290, "1A=MEM", "line 2: U1 pin 4 (UROM_N): no room for its label stub"},  // U2's pin ends in the way
        {340, "2A=UROM_N", ""},
    };
    for (const Case& c : cases) {
        const std::string text = "sheet 800 300\n"
                                 "ic U1 74LS14 100 80\n"
                                 "  2Y=UROM_N\n"
                                 "ic U2 74LS04 " + std::to_string(c.x) + " 80\n"
                                 "  " + c.u2Pins + "\n";
        try {
            labdata::circuitSheet(labdata::parseCircuitPlan(text));
            EXPECT_STREQ(c.error, "") << c.x << " " << c.u2Pins;
        } catch (const labdata::PlanError& e) {
            EXPECT_EQ(e.what(), std::string(c.error)) << c.x << " " << c.u2Pins;
        }
    }
}

// U2 stacked under U1: U1's GND stub leaves its pin end downwards and turns
// a step out, right where U2's VCC pin ends when U2 stands 50 below U1's box;
// 10 further down both stubs have room.
TEST(CircuitSheet, RefusesChipsStackedWithoutRoomForTheirSupplyLabels) {
    for (const auto& [y, error] : {std::pair{200, "line 2: U1 pin 7 (GND): no room for its label stub"}, std::pair{210, ""}}) {
        const std::string text = "sheet 800 400\n"
                                 "ic U1 74LS14 100 80\n"
                                 "ic U2 74LS04 100 " + std::to_string(y) + "\n";
        try {
            labdata::circuitSheet(labdata::parseCircuitPlan(text));
            EXPECT_STREQ(error, "") << y;
        } catch (const labdata::PlanError& e) {
            EXPECT_EQ(e.what(), std::string(error)) << y;
        }
    }
}

// Two blocks: in the first U1 drives X into U2, which drives Y on into U3 in
// the second block; there U4 puts a bus onto U5's inputs, clocked by the
// console's CK. X stays inside its block: a wire with its label. Y leaves its
// block: a label at each end. The bus: a labelled stub and an entry per pin.
// CK: a label at the pin. Every chip's supply pins: a label each.
TEST(CircuitSheet, DrawsEachNetAsItsBlocksNeedIt) {
    const labdata::CircuitPlan plan = labdata::parseCircuitPlan(
        "sheet 1400 900\n"
        "bus B B0..3 left\n"
        "frame 40 20 1360 300 first\n"
        "ic U1 74LS04 200 120\n"
        "  1A=IN 1Y=X\n"
        "ic U2 74LS04 600 120\n"
        "  1A=X 1Y=Y\n"
        "frame 40 320 1360 860 second\n"
        "ic U3 74LS04 200 480\n"
        "  1A=Y\n"
        "ic U4 74LS244 500 480\n"
        "  1A1..4=IN 1Y1..4=B0..3\n"
        "ic U5 74LS273 860 480\n"
        "  D0..3=B0..3 CLK=CK\n"
        "stimulus CLK(S/C):CK 0\n");
    const schematic::SchSheet sheet = labdata::circuitSheet(plan);

    std::map<std::string, int> labels;
    std::size_t entries = 0, buses = 0;
    for (const schematic::SchElement& e : sheet.elements) {
        if (e.kind == SchElementKind::NetLabel) ++labels[e.text(0)];
        entries += e.kind == SchElementKind::BusEntry;
        buses += e.kind == SchElementKind::Bus;
    }
    EXPECT_EQ(labels["X"], 1);
    EXPECT_EQ(labels["Y"], 2);
    EXPECT_EQ(labels["VCC"], 5);
    EXPECT_EQ(labels["GND"], 5);
    EXPECT_EQ(labels["CK"], 1);
    for (const char* bit : {"B0", "B1", "B2", "B3"}) EXPECT_EQ(labels[bit], 2) << bit;
    EXPECT_EQ(entries, 8u);
    EXPECT_GE(buses, 3u);  // a line beside each chip, joined, and the trunk

    schematic::CircuitBuild build;
    ASSERT_EQ(schematic::BuildNets(sheet, build), schematic::SchFailure::None);
    auto netOf = [&](const std::string& designator, int pin) {
        for (const schematic::CircuitIc& ic : build.circuitIcs)
            if (ic.designator == designator)
                for (const schematic::ListedPin& p : ic.pins)
                    if (p.pinNumber == pin) return p.net;
        return -1;
    };
    EXPECT_EQ(netOf("U1", 2), netOf("U2", 1));  // X by its wire
    const int32_t x = build.circuitNets[static_cast<std::size_t>(netOf("U1", 2))].nameGroup;
    EXPECT_EQ(build.netNameGroups[static_cast<std::size_t>(x)].names, std::vector<std::string>{"X"});
    EXPECT_EQ(unpoweredChips(build), std::vector<std::string>{});
    EXPECT_EQ(netOf("U2", 2), netOf("U3", 1));  // Y by its labels
    EXPECT_EQ(netOf("U4", 18), netOf("U5", 3));  // B0 by its labels
}

}  // namespace
}  // namespace labtest
