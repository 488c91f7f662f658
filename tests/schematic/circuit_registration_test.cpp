#include "schematic/circuit_registration.h"

#include <gtest/gtest.h>

#include <functional>

#include "schematic/build_circuit.h"
#include "schematic/lab_directives.h"
#include "schematic/sheet_builder.h"
#include "schematic/sim_tables_dump.h"
#include "sim/simulator.h"
#include "circuit_test_helpers.h"

namespace schematic {
namespace {

using schtest::PartDef;
using schtest::SheetBuilder;

// Labels one pin end of a part placed by the sheet builder.
void labelPin(SheetBuilder& b, int32_t part, int pin, const std::string& text) {
    const SheetPoint end = b.pinEnd(part, pin);
    b.label(static_cast<int32_t>(end.x), static_cast<int32_t>(end.y), text);
}

// Places `type` as `designator` with every pin drawn, at its own spot.
int32_t place(SheetBuilder& b, const std::string& designator, const std::string& type, int pins) {
    static int spot = 0;
    const int32_t comp = b.numberedComponent(pins);
    return b.part(PartDef{designator, type, 1000 * (++spot % 50), 0, comp});
}


CircuitBuildResult build(sim::Simulator& s, const SchSheet& sheet, CircuitBuild* out = nullptr) {
    CircuitSetup setup;
    CircuitBuild b;
    CircuitBuildResult r = BuildCircuit(s, sheet, setup, b);
    if (out) *out = std::move(b);
    return r;
}

TEST(CircuitRegistration, BusNetGetsReaderAndPerDriverRecords) {
    SheetBuilder b;
    const int32_t u1 = place(b, "U1", "6116", 24);
    const int32_t u2 = place(b, "U2", "74LS245", 20);
    const int32_t u3 = place(b, "U3", "74LS374", 20);
    labelPin(b, u1, 9, "D0");
    labelPin(b, u2, 2, "D0");
    labelPin(b, u3, 3, "D0");

    sim::Simulator s;
    ASSERT_TRUE(build(s, b.sheet()).built);
    EXPECT_EQ(s.LastIcNumber, 2);
    EXPECT_EQ(s.LastSignalNumber, 3);
    EXPECT_EQ(s.LastFanoutNumber, 6);

    const sim::NetRecord& d0 = s.NetTable[3];
    EXPECT_EQ(d0.Name, "D0");
    EXPECT_EQ(d0.Fanout, 1);
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[1]), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(d0.DriverFanout, (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[2]), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[3]), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(d0.DriverCount, 2);
    EXPECT_EQ(d0.DriverPairs.size(), 4u);
    EXPECT_EQ(d0.ActiveDrivers, -1);
    for (int r = 4; r <= 6; ++r) {
        EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[r]), (std::vector<int32_t>{r - 4}));
        EXPECT_EQ(s.FanoutTable[r].Unqueued, -1);
        EXPECT_EQ(s.FanoutTable[r].Number, r);
    }
    EXPECT_EQ(s.FanoutTable[0].Unqueued, 0) << "record 0 is never written";

    const sim::IcRecord& ram = s.IcTable[0];
    for (int k = 0; k < 8; ++k) EXPECT_EQ(ram.BidirNets[k], k == 7 ? 3 : 2) << k;
    for (int k = 0; k < ram.InputCount; ++k) EXPECT_EQ(ram.InputNets[k], 1) << k;
    EXPECT_EQ(s.IcTable[1].BidirNets[7], 3);
    EXPECT_EQ(s.IcTable[2].InputNets[8], 3);
    EXPECT_EQ(s.IcDesignators[2], "U3");
}

TEST(CircuitRegistration, OpenCollectorLineStartsWithAllDriversPresent) {
    SheetBuilder b;
    labelPin(b, place(b, "U1", "AM2901", 40), 11, "F0");
    labelPin(b, place(b, "U2", "AM2901", 40), 11, "F0");

    sim::Simulator s;
    ASSERT_TRUE(build(s, b.sheet()).built);
    const sim::NetRecord& f0 = s.NetTable[3];
    EXPECT_EQ(f0.Name, "F0");
    EXPECT_EQ(f0.DriverCount, 2);
    EXPECT_EQ(f0.ActiveDrivers, 2);
    EXPECT_EQ(f0.DriverPairs, (std::vector<int32_t>{0, 0, 1, 0}));
    EXPECT_EQ(f0.Fanout, 0);
    EXPECT_EQ(s.LastFanoutNumber, 2) << "only the single-IC records";
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[1]), (std::vector<int32_t>{0}));
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[2]), (std::vector<int32_t>{1}));
}

TEST(CircuitRegistration, SheetWithoutSimulatedIcsTakesOnlyItsSupplySignals) {
    SheetBuilder b;
    b.wire({{0, 0}, {100, 0}});
    b.label(0, 0, "A");
    sim::Simulator s;
    s.LastIcNumber = 4;
    s.LastSignalNumber = 10;
    s.LastFanoutNumber = 7;
    ASSERT_TRUE(build(s, b.sheet()).built);
    EXPECT_EQ(s.LastIcNumber, 4);
    EXPECT_EQ(s.LastSignalNumber, 13);
    EXPECT_EQ(s.LastFanoutNumber, 7);
    EXPECT_EQ(s.NetTable[11].Name, "GND;LowVol;VSS");
    EXPECT_EQ(s.NetTable[12].Name, "VCC;HighVol");
    EXPECT_EQ(s.NetTable[12].Value, 1);
    EXPECT_EQ(s.NetTable[13].Name, "NC;N.C.;Null;X");
    for (int n = 11; n <= 13; ++n) {
        EXPECT_EQ(s.NetTable[n].Number, n);
        EXPECT_EQ(s.NetTable[n].ActiveDrivers, -1);
    }
}

// A 74LS245 (U1) and a 6116 (U2) read the same two nets, BUS through
// bidirectional pins only, DIR through inputs only.
TEST(CircuitRegistration, EachNetGetsTheReadersOfItsOwnPins) {
    SheetBuilder b;
    const int32_t u1 = place(b, "U1", "74LS245", 20);
    const int32_t u2 = place(b, "U2", "6116", 24);
    labelPin(b, u1, 2, "BUS");
    labelPin(b, u2, 9, "BUS");
    labelPin(b, u1, 1, "DIR");
    labelPin(b, u2, 8, "DIR");

    sim::Simulator s;
    CircuitBuild tables;
    ASSERT_TRUE(build(s, b.sheet(), &tables).built);
    ASSERT_EQ(s.NetTable[3].Name, "BUS");
    ASSERT_EQ(s.NetTable[4].Name, "DIR");
    EXPECT_EQ(s.NetTable[3].Fanout, 0) << "bidirectional readers only";
    ASSERT_NE(s.NetTable[4].Fanout, 0) << "toggling DIR must re-evaluate both ICs";
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[s.NetTable[4].Fanout]), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(tables.netReaderGroups.size(), 1u);
}

// N1 = U1 pin 2 (bidirectional) + U2 pin 8 (input); N2 = U1 pin 1 (input) +
// U2 pin 9 (bidirectional): the same readers, other drivers.
TEST(CircuitRegistration, PerDriverRecordsFollowTheNetsOwnDrivers) {
    SheetBuilder b;
    const int32_t u1 = place(b, "U1", "74LS245", 20);
    const int32_t u2 = place(b, "U2", "6116", 24);
    labelPin(b, u1, 2, "N1");
    labelPin(b, u2, 8, "N1");
    labelPin(b, u1, 1, "N2");
    labelPin(b, u2, 9, "N2");

    sim::Simulator s;
    ASSERT_TRUE(build(s, b.sheet()).built);
    const sim::NetRecord& n1 = s.NetTable[3];
    const sim::NetRecord& n2 = s.NetTable[4];
    ASSERT_EQ(n1.Name, "N1");
    EXPECT_EQ(n1.Fanout, n2.Fanout) << "equal reader lists share one record";
    ASSERT_EQ(n1.DriverFanout.size(), 1u);
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[n1.DriverFanout[0]]), (std::vector<int32_t>{1}));
    ASSERT_EQ(n2.DriverFanout.size(), 2u);
    EXPECT_EQ(n2.DriverFanout[0], -1);
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[n2.DriverFanout[1]]), (std::vector<int32_t>{0}));
}

// An enabled 74LS245 (B from A) whose pin A1 sits on VCC and whose other A
// and B pins reach nothing drives the NC net from a bidirectional pin: the
// kernel must find a per-driver record there.
TEST(CircuitRegistration, SupplyNetsCarryPerDriverEntriesForBidirectionalPins) {
    SheetBuilder b;
    const int32_t u1 = place(b, "U1", "74LS245", 20);
    labelPin(b, u1, 19, "GND");
    labelPin(b, u1, 2, "VCC");
    sim::Simulator s;
    ASSERT_TRUE(build(s, b.sheet()).built);
    EXPECT_EQ(s.NetTable[1].DriverFanout, (std::vector<int32_t>{0}));
    EXPECT_EQ(s.NetTable[2].DriverFanout, (std::vector<int32_t>{0}));
    EXPECT_TRUE(s.NetTable[0].DriverFanout.empty()) << "nothing bidirectional on GND";

    s.schedule(s.LastFanoutNumber);
    s.ToggleNetAndSettle(0, -1);  // settles what is queued, inverting nothing
    EXPECT_EQ(s.takeReport().fanoutFallbacks, 0);
}

TEST(CircuitRegistration, IcsStartWithTheirTypesStorageAndNothingShown) {
    SheetBuilder b;
    place(b, "U1", "74LS00", 14);
    place(b, "U2", "8251", 28);
    place(b, "U3", "6116", 24);
    place(b, "U4", "AM2910", 40);
    place(b, "U5", "8251", 28);
    place(b, "U6", "74LS374", 20);

    sim::Simulator s;
    const CircuitBuildResult r = build(s, b.sheet());
    ASSERT_TRUE(r.built);
    EXPECT_EQ(r.usart8251Ics(), (std::vector<int32_t>{1, 4}));
    for (int g = 0; g <= 5; ++g) {
        EXPECT_EQ(s.IcTable[g].Unscheduled, -1);
        EXPECT_EQ(s.IcTable[g].Number, g);
    }
    const sim::IcRecord& usart = s.IcTable[1];
    EXPECT_EQ(usart.Memory.size(), 401u);
    EXPECT_EQ(usart.TxLast, -1);
    EXPECT_EQ(usart.Status, 1);
    EXPECT_EQ(usart.StatusShown, sim::kByteNotShown);
    EXPECT_EQ(usart.RxShown, sim::kByteNotShown);
    EXPECT_EQ(s.IcTable[2].Memory.size(), 2048u);
    EXPECT_EQ(s.IcTable[2].DataShown, sim::kByteNotShown);
    EXPECT_EQ(s.IcTable[3].AddressShown, sim::kAddressNotShown);
    EXPECT_EQ(s.IcTable[3].StackPointer, 0);
    EXPECT_EQ(s.IcTable[5].QShown, sim::kByteNotShown);
}

TEST(CircuitRegistration, MemoryImagesCarryTheirCircuitsIcNumbers) {
    SheetBuilder first;
    place(first, "U1", "74LS00", 14);
    SheetBuilder second;
    second.part(PartDef{"U7", "6116", 0, 0, second.numberedComponent(24), 1, 0, 0, 0, {"ram.bin"}});

    sim::Simulator s;
    ASSERT_TRUE(build(s, first.sheet()).built);
    CircuitBuild tables;
    ASSERT_TRUE(build(s, second.sheet(), &tables).built);
    ASSERT_EQ(tables.memImageEntries.size(), 1u);
    EXPECT_EQ(tables.memImageEntries[0].fileName, "ram.bin");
    EXPECT_EQ(tables.memImageEntries[0].icIndex, 0);
    EXPECT_EQ(tables.memImageEntries[0].icNumber, 1);
    EXPECT_EQ(tables.circuitIcs[0].icNumber, 1);
}

// A circuit that does not fit is refused whole: counters, tables and the
// caller's setup stay exactly as they were, and no 8251 asks for a window.
TEST(CircuitRegistration, CircuitThatDoesNotFitChangesNothing) {
    SheetBuilder oneUsart;
    labelPin(oneUsart, place(oneUsart, "U1", "8251", 28), 10, "A");
    oneUsart.directive(SchElementKind::SimStimulus, "A 1");

    struct Case {
        const char* what;
        std::function<void(sim::Simulator&)> fill;
        bool fits;
        TableRoom available;
    } cases[] = {
        {"IC table full", [](sim::Simulator& s) { s.LastIcNumber = 206; }, false, {0, 910, 506}},
        {"one IC left", [](sim::Simulator& s) { s.LastIcNumber = 205; }, true, {1, 910, 506}},
        {"two signals left", [](sim::Simulator& s) { s.LastSignalNumber = 907; }, false, {207, 2, 506}},
        {"one fanout record left", [](sim::Simulator& s) { s.LastFanoutNumber = 505; }, false, {207, 910, 1}},
        {"two fanout records left", [](sim::Simulator& s) { s.LastFanoutNumber = 504; }, true, {207, 910, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::Simulator s;
        c.fill(s);
        const std::string before = schtest::dumpTables(s);
        SchematicState state;
        state.currentSheet = oneUsart.sheet();
        CircuitSetup setup;
        setup.BoardFile = "kept.sch";
        const CircuitBuildResult r = BuildCircuit(s, state, setup);
        EXPECT_EQ(r.registration.available, c.available);
        EXPECT_EQ(r.registration.needed, (TableRoom{1, 4, 2}));
        EXPECT_EQ(r.registration.whole, (TableRoom{207, 910, 506}));
        EXPECT_EQ(r.built, c.fits);
        if (c.fits) {
            EXPECT_EQ(r.usart8251Ics().size(), 1u);
            continue;
        }
        EXPECT_TRUE(r.tablesFull());
        EXPECT_EQ(schtest::dumpTables(s), before);
        EXPECT_TRUE(r.usart8251Ics().empty());
        EXPECT_EQ(setup.BoardFile, "kept.sch");
        EXPECT_TRUE(state.circuitBuild.circuitIcs.empty());
        EXPECT_TRUE(state.currentSheet.empty());
    }
}

// More ICs than the whole table holds: refused into empty tables too, and
// the result tells that even they are too small.
TEST(CircuitRegistration, CircuitLargerThanTheWholeTablesIsTold) {
    SheetBuilder b;
    for (int i = 0; i < 208; ++i) place(b, "U" + std::to_string(i + 1), "74LS04", 14);
    sim::Simulator s;
    const CircuitBuildResult r = build(s, b.sheet());
    EXPECT_FALSE(r.built);
    EXPECT_EQ(r.registration.needed.icNumbers, 208);
    EXPECT_EQ(r.registration.available, r.registration.whole);
    EXPECT_FALSE(r.registration.whole.holds(r.registration.needed));
    EXPECT_EQ(s.LastIcNumber, -1);
}

TEST(CircuitRegistration, SheetThatCannotBeBuiltChangesNothing) {
    SheetBuilder b;
    labelPin(b, place(b, "U1", "74LS00", 14), 1, "A");
    b.directive(SchElementKind::SimStimulus, "A 99999999999");
    sim::Simulator s;
    const std::string before = schtest::dumpTables(s);
    const CircuitBuildResult r = build(s, b.sheet());
    EXPECT_FALSE(r.built);
    EXPECT_FALSE(r.tablesFull());
    EXPECT_EQ(r.failure, SchFailure::NumberOutOfRange);
    EXPECT_EQ(schtest::dumpTables(s), before);
}

}  // namespace
}  // namespace schematic
