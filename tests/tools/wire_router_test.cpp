#include "schgen/wire_router.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "schematic/build_circuit.h"
#include "schgen/sheet_draft.h"
#include "sim/simulator.h"

namespace schgen {
namespace {

using schematic::SheetPoint;

struct Pin {
    std::string designator;
    int32_t pin;
};

// A sheet of parts placed by designator, whose nets are routed one after the
// other and drawn as the router finds them.
class RoutedSheet {
public:
    explicit RoutedSheet(SheetBox area = {0, 0, 1000, 600}) : area_(area), draft_(area.x2 + 100, area.y2 + 100) {}

    void ic(const std::string& designator, const std::string& type, int32_t x, int32_t y) {
        parts_[designator] = draft_.ic(designator, type, x, y);
    }
    SheetPoint end(const Pin& p) const { return draft_.pinEnd(parts_.at(p.designator), p.pin); }

    std::optional<RoutedNet> route(const std::vector<Pin>& pins) const {
        std::vector<SheetPoint> ends;
        for (const Pin& p : pins) ends.push_back(end(p));
        return WireRouter(draft_.sheet(), area_).route(ends);
    }
    // Routes and draws a net; false when the router finds no way.
    bool connect(const std::vector<Pin>& pins, const std::string& label = {}) {
        const std::optional<RoutedNet> net = route(pins);
        if (!net) return false;
        std::optional<LabelPlace> place;
        if (!label.empty()) {
            place = WireRouter(draft_.sheet(), area_).labelPlace(*net, label);
            if (!place) return false;
        }
        drawRoutedNet(draft_, *net, place, label);
        junctions_ += net->junctions.size();
        nets_.push_back(pins);
        return true;
    }

    SheetDraft& draft() { return draft_; }
    std::size_t junctions() const { return junctions_; }

    // Builds the sheet and checks that every routed net is one net of the
    // circuit, holding its pins and no pin of another routed net, and that
    // each of its pins is a vertex of a wire.
    void expectBuildsAsRouted() const {
        sim::Simulator s;
        schematic::CircuitSetup setup;
        schematic::CircuitBuild build;
        ASSERT_TRUE(schematic::BuildCircuit(s, draft_.sheet(), setup, build).built);
        auto netOf = [&](const Pin& p) {
            for (const schematic::CircuitIc& ic : build.circuitIcs)
                if (ic.designator == p.designator)
                    for (const schematic::ListedPin& lp : ic.pins)
                        if (lp.pinNumber == p.pin) return lp.net;
            return -2;
        };
        std::set<SheetPoint, bool (*)(const SheetPoint&, const SheetPoint&)> vertices(
            [](const SheetPoint& a, const SheetPoint& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
        for (const schematic::SchElement& e : draft_.sheet().elements)
            if (e.kind == schematic::SchElementKind::Wire)
                for (std::size_t k = 4; k + 1 < e.params.size(); k += 2) vertices.insert({e.params[k], e.params[k + 1]});
        std::map<int32_t, std::size_t> owner;
        for (std::size_t i = 0; i < nets_.size(); ++i) {
            const int32_t net = netOf(nets_[i][0]);
            ASSERT_GE(net, 0) << "net " << i;
            EXPECT_TRUE(owner.emplace(net, i).second) << "routed nets " << owner[net] << " and " << i << " are joined";
            for (const Pin& p : nets_[i]) {
                EXPECT_EQ(netOf(p), net) << p.designator << " pin " << p.pin << " is not on net " << i;
                EXPECT_TRUE(vertices.contains(end(p))) << p.designator << " pin " << p.pin << " ends no wire";
            }
        }
    }

private:
    SheetBox area_;
    SheetDraft draft_;
    std::map<std::string, int> parts_;
    std::vector<std::vector<Pin>> nets_;
    std::size_t junctions_ = 0;
};

// 74LS00 and 74LS08: inputs 1A 1, 1B 2, 2A 4, 2B 5, outputs 1Y 3, 2Y 6;
// 74LS04: inputs 1A 1, 2A 3, 3A 5, outputs 1Y 2, 2Y 4, 3Y 6.
TEST(WireRouter, JoinsEachNetAloneWithAJunctionAtEveryBranch) {
    struct Case {
        const char* name;
        std::vector<std::vector<Pin>> nets;
        std::size_t junctions;
    };
    const std::vector<Case> cases = {
        {"one output to one input", {{{"U1", 3}, {"U2", 1}}}, 0},
        {"one output to three inputs on two chips", {{{"U1", 3}, {"U2", 1}, {"U3", 1}, {"U3", 2}}}, 2},
        // U1's 1Y feeds U3 below while U1's 2Y feeds U2 on the right: the two
        // nets must cross or go round each other, never touch.
        {"nets that cross", {{{"U1", 3}, {"U3", 4}}, {{"U1", 6}, {"U2", 3}}, {{"U2", 2}, {"U3", 1}}}, 0},
        // The inputs 1B and 2A of U3 lie on the straight line from U1's 2Y
        // down to U3's 2B.
        {"beside the pin ends of another net", {{{"U1", 6}, {"U3", 5}}, {{"U2", 4}, {"U3", 2}, {"U3", 4}}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RoutedSheet sheet;
        sheet.ic("U1", "74LS00", 100, 100);
        sheet.ic("U2", "74LS04", 400, 100);
        sheet.ic("U3", "74LS08", 400, 300);
        for (const auto& net : c.nets) ASSERT_TRUE(sheet.connect(net));
        EXPECT_EQ(sheet.junctions(), c.junctions);
        sheet.expectBuildsAsRouted();
    }
}

TEST(WireRouter, FindsNoWayToAPinWalledIn) {
    RoutedSheet sheet;
    sheet.ic("U1", "74LS04", 100, 100);
    sheet.ic("U2", "74LS04", 400, 100);
    // A wire of another net ends right outside U2's 1A; a second one runs
    // down through the gap between the chips.
    const SheetPoint a = sheet.end({"U2", 1});
    sheet.draft().wire({{a.x - 30, a.y}, {a.x - 10, a.y}});
    sheet.draft().wire({{a.x - 60, a.y - 60}, {a.x - 60, a.y + 100}});
    EXPECT_FALSE(sheet.route({{"U1", 2}, {"U2", 1}}));
    // Crossing the second one at a right angle is fine.
    EXPECT_TRUE(sheet.route({{"U1", 6}, {"U2", 5}}));
}

TEST(WireRouter, PutsTheLabelOnTheNetOrOnAStubOfItsOwn) {
    RoutedSheet sheet;
    sheet.ic("U1", "74LS04", 100, 100);
    sheet.ic("U2", "74LS04", 400, 100);
    sheet.ic("U3", "74LS04", 220, 300);
    // A long run between two chips takes the label; a short hop from U1's
    // output down to U3's input next to it needs a stub.
    ASSERT_TRUE(sheet.connect({{"U1", 2}, {"U2", 1}}, "LONG_NET"));
    ASSERT_TRUE(sheet.connect({{"U1", 4}, {"U3", 1}}, "SECOND_NET_WITH_A_LONG_NAME"));
    sheet.expectBuildsAsRouted();
    std::size_t stubJunctions = 0;
    for (const schematic::SchElement& e : sheet.draft().sheet().elements)
        stubJunctions += e.kind == schematic::SchElementKind::Junction ? 1 : 0;
    EXPECT_EQ(stubJunctions, 1u);

    sim::Simulator s;
    schematic::CircuitSetup setup;
    schematic::CircuitBuild build;
    ASSERT_TRUE(schematic::BuildCircuit(s, sheet.draft().sheet(), setup, build).built);
    std::set<std::string> names;
    for (int32_t n = 0; n <= s.LastSignalNumber; ++n) names.insert(s.NetTable[static_cast<std::size_t>(n)].Name);
    EXPECT_TRUE(names.contains("LONG_NET"));
    EXPECT_TRUE(names.contains("SECOND_NET_WITH_A_LONG_NAME"));
}

TEST(WireRouter, StubEndsShortOfWhatIsInTheWay) {
    RoutedSheet sheet;
    sheet.ic("U1", "74LS04", 100, 100);
    sheet.ic("U2", "74LS04", 300, 100);
    const WireRouter router(sheet.draft().sheet(), {0, 0, 1000, 600});
    const SheetPoint out = sheet.end({"U1", 2});  // right side, 80 units from U2's inputs
    const auto shortStub = router.stubEnd(out, schematic::direction::Right, "Q");
    ASSERT_TRUE(shortStub);
    EXPECT_EQ(*shortStub, (SheetPoint{out.x + 30, out.y}));
    EXPECT_FALSE(router.stubEnd(out, schematic::direction::Right, "A_NAME_TOO_LONG_FOR_THE_GAP"));
}

// A 74LS04 at (100, 100), 80 wide and 70 tall: VCC (pin 14) leaves its top
// at x = 140, GND (pin 7) its bottom. Their stubs turn right at the pin end or
// further out, the labels over the level part; a text just over that part
// leaves no room, nor does one the stub would cross on its way out.
TEST(WireRouter, SupplyStubsTurnRight) {
    using schematic::direction::Down;
    using schematic::direction::Up;
    RoutedSheet sheet;
    sheet.ic("U1", "74LS04", 100, 100);
    const SheetPoint vcc = sheet.end({"U1", 14}), gnd = sheet.end({"U1", 7});
    ASSERT_EQ(vcc, (SheetPoint{140, 80}));
    ASSERT_EQ(gnd, (SheetPoint{140, 190}));
    const WireRouter router(sheet.draft().sheet(), {0, 0, 1000, 600});
    EXPECT_EQ(router.turnedStub(vcc, Up, 0, "VCC"), (std::vector<SheetPoint>{{140, 80}, {190, 80}}));
    EXPECT_EQ(router.turnedStub(gnd, Down, 1, "GND"), (std::vector<SheetPoint>{{140, 190}, {140, 200}, {190, 200}}));
    EXPECT_EQ(router.turnedStub(gnd, Down, 3, "GND"), (std::vector<SheetPoint>{{140, 190}, {140, 220}, {190, 220}}));
    EXPECT_FALSE(router.turnedStub(sheet.end({"U1", 2}), schematic::direction::Right, 0, "Y")) << "a pin pointing sideways";

    sheet.draft().label(160, 80, "NOTE");
    sheet.draft().label(150, 205, "NOTE");
    sheet.draft().netLabel(120, 210, "CROSSED");
    const WireRouter crowded(sheet.draft().sheet(), {0, 0, 1000, 600});
    EXPECT_FALSE(crowded.turnedStub(vcc, Up, 0, "VCC"));
    EXPECT_FALSE(crowded.turnedStub(gnd, Down, 1, "GND"));
    EXPECT_FALSE(crowded.turnedStub(gnd, Down, 3, "GND")) << "through the text of CROSSED";
}

}  // namespace
}  // namespace schgen
