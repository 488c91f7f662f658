#include "schgen/sheet_draft.h"

#include <gtest/gtest.h>

#include <QString>

#include <filesystem>
#include <set>
#include <stdexcept>

#include "schematic/build_circuit.h"
#include "schematic/element_scan.h"
#include "schematic/recording_notifier.h"
#include "schematic/sch_reader.h"
#include "schgen/ic_pin_names.h"
#include "schgen/sch_writer.h"
#include "sim/simulator.h"

namespace schgen {
namespace {

using schematic::SchElementKind;

TEST(SheetDraft, EveryIcTypeShowsEachPackagePinOnceWhereTheBuilderFindsIt) {
    for (int32_t type = 0; type < sim::kIcTypeCount; ++type) {
        const std::string name(sim::icTypeName(type));
        SCOPED_TRACE(name);
        const sim::PinTable& table = sim::pinTable(type);

        const std::vector<std::string> names = icPinNames(type);
        ASSERT_EQ(names.size(), static_cast<std::size_t>(table.pinCount) + 1);
        std::set<std::string> seen;
        for (int32_t pin = 1; pin <= table.pinCount; ++pin) {
            const std::string& n = names[static_cast<std::size_t>(pin)];
            EXPECT_FALSE(n.empty()) << pin;
            // A name table shifted by one shows as supply names on other pins.
            EXPECT_EQ(n == "VCC", table.kinds[static_cast<std::size_t>(pin)] == sim::PinKind::Vcc) << pin;
            EXPECT_EQ(n == "GND", table.kinds[static_cast<std::size_t>(pin)] == sim::PinKind::Gnd) << pin;
            EXPECT_TRUE(n == "NC" || seen.insert(n).second) << n;
        }

        SheetDraft d;
        const int part = d.ic("U3", name, 200, 100);
        schematic::CircuitBuild build;
        schematic::ScanSchParts(d.sheet(), build);
        ASSERT_EQ(build.circuitIcs.size(), 1u);
        const schematic::CircuitIc& ic = build.circuitIcs[0];
        EXPECT_EQ(ic.type, type);
        ASSERT_EQ(ic.pinsPlaced(), table.pinCount);
        std::set<std::pair<int64_t, int64_t>> ends;
        for (const schematic::ListedPin& pin : ic.pins) {
            EXPECT_EQ(pin.end, d.pinEnd(part, pin.pinNumber)) << pin.pinNumber;
            EXPECT_TRUE(ends.insert({pin.end.x, pin.end.y}).second) << "two pins end at one point";
        }
    }
}

TEST(SheetDraft, RefusesWhatIsNoIcOrPin) {
    SheetDraft d;
    EXPECT_THROW(d.ic("U1", "74ls273", 0, 0), std::invalid_argument);
    const int u1 = d.ic("U1", "74LS00", 100, 100);
    const int w = d.wire({{0, 0}, {10, 0}});
    EXPECT_THROW(d.pinEnd(u1, 15), std::invalid_argument);
    EXPECT_THROW(d.net(w, 1, "A"), std::invalid_argument);
    EXPECT_THROW(d.directive(SchElementKind::NetLabel, "A"), std::invalid_argument);
    // One library component per type, whatever the number of parts.
    d.ic("U2", "74LS00", 300, 100);
    EXPECT_EQ(d.sheet().comps.size(), 1u);
}

TEST(SheetDraft, RefusesAWireThatRunsThroughAPinEndWithoutEndingThere) {
    SheetDraft d;
    const int u1 = d.ic("U1", "74LS04", 100, 100);
    const schematic::SheetPoint a = d.pinEnd(u1, 1), b = d.pinEnd(u1, 3);  // 1A and 2A, one above the other
    EXPECT_THROW(d.wire({{a.x, a.y - 20}, {b.x, b.y}}), std::invalid_argument);
    EXPECT_THROW(d.wire({{a.x - 30, a.y}, {a.x + 0, a.y}, {a.x, a.y + 30}}), std::invalid_argument) << "through 2A";
    EXPECT_NO_THROW(d.wire({{a.x - 30, a.y}, {a.x, a.y}}));
    EXPECT_NO_THROW(d.wire({{b.x - 30, b.y - 5}, {b.x, b.y - 5}}));  // beside it
    // A part whose pin end would land inside a wire already drawn.
    d.wire({{500, 100}, {500, 300}});
    EXPECT_THROW(d.ic("U2", "74LS04", 520, 150), std::invalid_argument);
    EXPECT_NO_THROW(d.ic("U2", "74LS04", 530, 150));
}

// A bus with its entries, wires, junctions and a title block: what a lab
// drawing adds to the parts comes back from the file as drawn.
TEST(SheetDraft, BusesJunctionsAndTitleBlockReadBackAsDrawn) {
    SheetDraft d(800, 600);
    const int u1 = d.ic("U1", "74LS273", 300, 100);
    for (int q : {2, 5}) {
        const schematic::SheetPoint e = d.pinEnd(u1, q);
        d.wire({e, {e.x + 40, e.y}});
        d.netLabel(static_cast<int32_t>(e.x + 10), static_cast<int32_t>(e.y), "DB" + std::to_string(q));
        d.busEntry({e.x + 40, e.y}, {e.x + 50, e.y - 10});
    }
    d.bus({{d.pinEnd(u1, 2).x + 50, 60}, {d.pinEnd(u1, 2).x + 50, 200}, {700, 200}});
    d.junction(450, 300);
    d.titleBlock(400, 480, 780, 580, {{"名称", "联机运行线路"}, {"适用实验", "寄存器与总线、运算器"}, {"图号", "CV-01"}},
                 d.font(14, "宋体", true));
    const std::string bytes = writeSchBytes(d.sheet());
    schematic::SchSheet back;
    schematic::RecordingNotifier notifier;
    ASSERT_EQ(schematic::ReadSchBytes(back, bytes, notifier), 1);
    EXPECT_TRUE(notifier.events.empty());
    EXPECT_EQ(back, d.sheet());
    std::size_t frames = 0;
    for (const schematic::SchElement& e : back.elements) frames += e.kind == SchElementKind::TextFrame ? 1 : 0;
    EXPECT_EQ(frames, 6u);  // a caption and a value per field
}

int32_t roleOf(const std::string& type, int pin) { return sim::pinTable(sim::icTypeFromName(type)).roles[pin]; }
int32_t inputNet(const sim::IcRecord& ic, const std::string& type, int pin) { return ic.InputNets[roleOf(type, pin)]; }
int32_t outputNet(const sim::IcRecord& ic, const std::string& type, int pin) {
    return ic.OutputNets[roleOf(type, pin) - sim::kOutputRoleBase];
}

// A 74LS273 register feeding a 74LS244 buffer, labelled net by net, with
// clock, reset, an input bus and a probe row; written, read back and built.
TEST(SheetDraft, RegisterFeedingABufferBuildsAsLabelled) {
    const int dPins[8] = {3, 4, 7, 8, 13, 14, 17, 18};   // 74LS273 D0..D7
    const int qPins[8] = {2, 5, 6, 9, 12, 15, 16, 19};   // 74LS273 Q0..Q7
    const int aPins[8] = {2, 4, 6, 8, 11, 13, 15, 17};   // 74LS244 1A1..2A4
    const int yPins[8] = {18, 16, 14, 12, 9, 7, 5, 3};   // 74LS244 1Y1..2Y4

    SheetDraft d(1200, 800);
    const int u1 = d.ic("U1", "74LS273", 200, 150);
    const int u2 = d.ic("U2", "74LS244", 600, 150);
    for (int i = 0; i < 8; ++i) {
        const std::string bit = std::to_string(i);
        d.net(u1, dPins[i], "D" + bit);
        d.net(u1, qPins[i], "Q" + bit);
        d.net(u2, aPins[i], "Q" + bit);
        d.net(u2, yPins[i], "Y" + bit);
    }
    d.net(u1, 11, "CP");
    d.net(u1, 1, "RST");
    d.net(u2, 1, "GND");
    d.net(u2, 19, "GND");
    d.directive(SchElementKind::SimStimulus, "CLK(S/C):CP 0");
    d.directive(SchElementKind::SimStimulus, "RESET:RST 1");
    d.directive(SchElementKind::SimStimulus, "D7..0 165");
    d.directive(SchElementKind::SimProbe, "(Out) Y7..0");
    d.textFrame(40, 500, 500, 620, {"寄存器与缓冲器", "  U1 latches D at the rising edge of CP  "});
    d.label(40, 460, "说明", SheetDraft::kSongFont);
    d.rectangle(20, 20, 1180, 780);
    d.line(20, 440, 1180, 440);
    d.polyline({{600, 460}, {700, 470}, {800, 460}});
    d.junction(20, 440);

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "corvane_schgen_draft";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "reg.sch").string();
    ASSERT_TRUE(writeSchFile(d.sheet(), path));
    schematic::SchSheet sheet;
    schematic::RecordingNotifier notifier;
    ASSERT_EQ(schematic::ReadSchFile(sheet, QString::fromStdString(path), notifier), 1);
    std::filesystem::remove_all(dir);
    EXPECT_TRUE(notifier.events.empty());
    EXPECT_EQ(sheet, d.sheet());

    sim::Simulator s;
    schematic::CircuitSetup setup;
    schematic::CircuitBuild build;
    ASSERT_TRUE(schematic::BuildCircuit(s, sheet, setup, build).built);
    ASSERT_EQ(build.circuitIcs.size(), 2u);
    EXPECT_EQ(build.circuitIcs[0].type, static_cast<int32_t>(sim::IcType::Ls273));
    EXPECT_EQ(build.circuitIcs[1].type, static_cast<int32_t>(sim::IcType::Ls244));
    const sim::IcRecord& reg = s.IcTable[static_cast<std::size_t>(build.circuitIcs[0].icNumber)];
    const sim::IcRecord& buf = s.IcTable[static_cast<std::size_t>(build.circuitIcs[1].icNumber)];
    EXPECT_EQ(reg.Type, static_cast<int32_t>(sim::IcType::Ls273));
    EXPECT_EQ(buf.Type, static_cast<int32_t>(sim::IcType::Ls244));
    auto name = [&](int32_t net) { return s.NetTable[static_cast<std::size_t>(net)].Name; };

    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const std::string bit = std::to_string(i);
        EXPECT_EQ(name(inputNet(reg, "74LS273", dPins[i])), "D" + bit);
        EXPECT_EQ(name(outputNet(reg, "74LS273", qPins[i])), "Q" + bit);
        EXPECT_EQ(inputNet(buf, "74LS244", aPins[i]), outputNet(reg, "74LS273", qPins[i]));
        EXPECT_EQ(name(outputNet(buf, "74LS244", yPins[i])), "Y" + bit);
        // The input bus's initial value 165 = 1010 0101 reaches the D nets.
        EXPECT_EQ(s.NetTable[static_cast<std::size_t>(inputNet(reg, "74LS273", dPins[i]))].Value, (165 >> i) & 1);
    }
    const int32_t gnd = inputNet(buf, "74LS244", 1);
    EXPECT_EQ(inputNet(buf, "74LS244", 19), gnd);
    EXPECT_EQ(name(gnd), "GND");

    EXPECT_EQ(setup.ClockNet, inputNet(reg, "74LS273", 11));
    EXPECT_EQ(name(setup.ClockNet), "CP");
    EXPECT_EQ(setup.ClockMode, 1);
    EXPECT_EQ(setup.ResetNet, inputNet(reg, "74LS273", 1));
    EXPECT_EQ(setup.ResetLevel, 1);
    ASSERT_EQ(setup.InBusCount(), 1);
    EXPECT_EQ(setup.InBuses[0].Width(), 8);
    EXPECT_EQ(setup.InBuses[0].Nets.front(), inputNet(reg, "74LS273", dPins[7]));
    ASSERT_EQ(setup.OutBusCount(), 1);
    EXPECT_EQ(setup.OutBuses[0].Name, "Out");
    ASSERT_EQ(setup.OutBuses[0].Count(), 8);
    EXPECT_EQ(setup.OutBuses[0].Nets.back(), outputNet(buf, "74LS244", yPins[0]));
}

}  // namespace
}  // namespace schgen
