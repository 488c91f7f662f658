#include <gtest/gtest.h>

#include <filesystem>

#include "data_paths.h"
#include "labdata/src/circuit_plan.h"
#include "labdata/src/generate.h"
#include "labdata/src/circuit_sheet.h"
#include "schematic/net_building.h"
#include "schematic/recording_notifier.h"
#include "schematic/sch_reader.h"
#include "schematic/wire_geometry.h"
#include "schgen/sch_writer.h"
#include "schgen/sheet_draft.h"
#include "sheet_checks.h"

namespace labtest {
namespace {

namespace fs = std::filesystem;

// The nets the program's reader and builder find in a sheet's file; with
// `connects`, whether the sheet draws any wire or net label at all.
schematic::CircuitBuild builtFromFile(const std::string& bytes, const std::string& what, bool* connects = nullptr) {
    schematic::SchSheet sheet;
    schematic::RecordingNotifier notifier;
    EXPECT_EQ(schematic::ReadSchBytes(sheet, bytes, notifier), 1) << what;
    schematic::CircuitExtraction e = schematic::ExtractCircuit(sheet);
    EXPECT_EQ(e.failure, schematic::SchFailure::None) << what;
    if (connects) {
        *connects = false;
        for (const schematic::SchElement& el : sheet.elements)
            *connects = *connects || el.kind == schematic::SchElementKind::Wire || el.kind == schematic::SchElementKind::NetLabel;
    }
    return std::move(e.build);
}

schematic::CircuitBuild built(const schgen::SheetDraft& d) { return builtFromFile(schgen::writeSchBytes(d.sheet()), "fixture"); }

// A sheet of labelled stubs as the generator draws the default circuit.
schematic::CircuitBuild built(const std::string& description) {
    return builtFromFile(schgen::writeSchBytes(labdata::circuitSheet(labdata::parseCircuitPlan("sheet 1200 400\n" + description))),
                         description);
}

std::string lines(const std::vector<std::string>& faults) {
    std::string out;
    for (const std::string& f : faults) out += "\n  " + f;
    return out;
}

TEST(LabSheets, EveryDrawingPassesTheElectricalChecks) {
    int sheets = 0;
    for (const auto& e : fs::directory_iterator(dataDir())) {
        if (e.path().extension() != ".sch" && e.path().extension() != ".Sch") continue;
        ++sheets;
        bool connects = false;
        const schematic::CircuitBuild b = builtFromFile(labdata::readWholeFile(e.path()), e.path().filename().string(), &connects);
        EXPECT_EQ(lines(netsWithSeveralNames(b)), "") << e.path().filename();
        EXPECT_EQ(lines(fightingOutputs(b)), "") << e.path().filename();
        // A drawing of packages without a wire (the board) shows the circuit's
        // chips, whose pins are on the circuit's nets: the circuit answers for them.
        if (connects) {
            EXPECT_EQ(lines(unnamedClocksAndResets(b)), "") << e.path().filename();
            EXPECT_EQ(lines(unpoweredChips(b)), "") << e.path().filename();
        }
    }
    EXPECT_EQ(sheets, 7);
}

// Two inverters whose labelled stubs a wire joins: the nets A and B become
// one, as UROM_N and MEM once did.
TEST(SheetChecks, TwoLabelsOnOneNet) {
    for (const bool joined : {false, true}) {
        schgen::SheetDraft d(800, 300);
        const int u1 = d.ic("U1", "74LS04", 100, 80);
        const int u2 = d.ic("U2", "74LS04", 400, 80);
        const int a = d.net(u1, 2, "A");
        const int b = d.net(u2, 1, "B");
        if (joined) d.wire({schematic::wirePoints(d.sheet().elements[static_cast<std::size_t>(a)]).back(), schematic::wirePoints(d.sheet().elements[static_cast<std::size_t>(b)]).back()});
        const schematic::CircuitBuild circuit = built(d);
        EXPECT_EQ(netsWithSeveralNames(circuit).size(), joined ? 1u : 0u);
        EXPECT_TRUE(netsWithSeveralNames(circuit, {{"A", "B"}}).empty()) << "a join listed as deliberate passes";
    }
}

TEST(SheetChecks, OutputsThatFight) {
    struct Case {
        const char* first;   // TYPE PIN of U1, on the net W
        const char* second;  // the same of U2
        std::size_t faults;
    } cases[] = {
        {"74LS04 1Y", "74LS04 1Y", 1},
        {"74LS04 1Y", "74LS04 1A", 0},            // an output and its load
        {"74LS04 1Y", "74LS244 1Y1", 1},          // a gate against a three-state output
        {"74LS244 1Y1", "74LS125 1Y", 0},         // three-state outputs share a bus
        {"74LS374 Q0", "6116 D0", 0},
        {"74LS273 Q0", "6116 D0", 1},             // a register without output enable on a bus
        {"74LS138 Y0", "74LS257 1Y", 1},
        {"GAL20V8_2 O0", "74LS32 1Y", 1},
        {"AM2901 F=0", "AM2901 F=0", 0},          // open collector, wired together
        {"AM2901 Cn+4", "AM2901 Y0", 1},
        {"AM2910 /MAP", "AM2910 Y0", 1},
        {"AM2910 Y0", "2732 O0", 0},
    };
    for (const Case& c : cases) {
        auto ic = [](const std::string& designator, const std::string& typeAndPin, int x) {
            const std::size_t blank = typeAndPin.find(' ');
            return "ic " + designator + " " + typeAndPin.substr(0, blank) + " " + std::to_string(x) + " 80\n  " +
                   typeAndPin.substr(blank + 1) + "=W\n";
        };
        const schematic::CircuitBuild circuit = built(ic("U1", c.first, 100) + ic("U2", c.second, 600));
        EXPECT_EQ(fightingOutputs(circuit).size(), c.faults) << c.first << " with " << c.second << lines(fightingOutputs(circuit));
    }
    // Outputs left open all land on the builder's NC net, which joins nothing.
    EXPECT_TRUE(fightingOutputs(built("ic U1 74LS04 100 80\nic U2 74LS04 600 80\n")).empty());
}

TEST(SheetChecks, ClocksAndResetsOnNamedNets) {
    struct Case {
        const char* description;
        std::vector<std::string> faults;
    } cases[] = {
        {"ic U1 74LS273 100 80\n  CLK=CK /CLR=RST\n", {}},
        {"ic U1 74LS273 100 80\n  CLK=CK\n", {"U1.1 (/CLR) is on the supply net VCC"}},
        {"ic U1 74LS374 100 80\n  CLK=GND\n", {"U1.11 (CLK) is on the supply net GND"}},
        {"ic U1 AM2901 100 80\n  CP=VCC\n", {"U1.15 (CP) is on the supply net VCC"}},
        {"ic U1 8251 100 80\n  CLK=CK\n", {"U1.21 (RESET) is on the supply net VCC"}},
        {"ic U1 GAL20V8_2 100 80\n  CLK=CK\nic U2 AM2910 600 80\n  CP=CK\n", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(unnamedClocksAndResets(built(c.description)), c.faults) << c.description;

    // A clock reaching a register by a wire alone is on a net no label names.
    schgen::SheetDraft d(800, 300);
    const int gate = d.ic("U1", "74LS04", 100, 80);
    const int reg = d.ic("U2", "74LS377", 400, 80);
    const schematic::SheetPoint from = d.pinEnd(gate, 2), to = d.pinEnd(reg, 11);
    d.wire({from, {300, from.y}, {300, to.y}, to});
    EXPECT_EQ(unnamedClocksAndResets(built(d)), std::vector<std::string>{"U2.11 (CLK) is on no named net"});
}

// An inverter's supply pins: open, labelled, swapped, or hidden as library parts hide them.
TEST(SheetChecks, ChipsWithoutPower) {
    struct Case {
        const char* what;
        const char* vcc;  // the label on pin 14's stub, none when empty
        const char* gnd;  // on pin 7's
        bool hidden;      // the part draws no supply pins
        std::vector<std::string> faults;
    } cases[] = {
        {"open", "", "", false, {"U1.14 (VCC) is on no net", "U1.7 (GND) is on no net"}},
        {"tied", "VCC", "GND", false, {}},
        {"swapped", "GND", "VCC", false, {"U1.14 (VCC) is on GND", "U1.7 (GND) is on VCC"}},
        {"hidden", "", "", true, {}},
    };
    for (const Case& c : cases) {
        schgen::SheetDraft d(600, 300);
        const int u1 = d.ic("U1", "74LS04", 100, 80);
        if (*c.vcc) d.net(u1, 14, c.vcc);
        if (*c.gnd) d.net(u1, 7, c.gnd);
        schematic::SchSheet sheet = d.sheet();
        if (c.hidden)
            for (schematic::SchElement& e : sheet.comps.at(0).parts.at(0).elements)
                if (e.kind == schematic::SchElementKind::Pin && (e.text(0) == "VCC" || e.text(0) == "GND"))
                    e.params[schematic::pin_param::Hidden] = 1;
        const schematic::CircuitBuild circuit = builtFromFile(schgen::writeSchBytes(sheet), c.what);
        EXPECT_EQ(unpoweredChips(circuit), c.faults) << c.what;
    }
}

}  // namespace
}  // namespace labtest
