#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "sim/circuit_fixture.h"
#include "sim/simulator.h"

using namespace sim;
using simtest::CircuitFixture;
using simtest::level;

namespace {

std::vector<int32_t> conflictWords(const Simulator& sim) {
    return std::vector<int32_t>(sim.ConflictRecords.begin() + 1, sim.ConflictRecords.begin() + 1 + sim.ConflictWriteIndex);
}

std::vector<int32_t> queued(const Simulator& sim) {
    return std::vector<int32_t>(sim.NetEventQueue.begin() + 1, sim.NetEventQueue.begin() + 1 + sim.NetEventCount);
}

// Every IC idle and every record unqueued: nothing is stuck.
void expectIdle(const Simulator& sim) {
    EXPECT_EQ(sim.NetEventCount, 0);
    for (int32_t r = 1; r <= sim.LastFanoutNumber; ++r) EXPECT_EQ(sim.FanoutTable[r].Unqueued, -1) << "record " << r;
    for (int32_t i = 0; i <= sim.LastIcNumber; ++i) EXPECT_EQ(sim.IcTable[i].Unscheduled, -1) << "IC " << i;
}

// A bus net with two possible drivers (two 74LS244 outputs) read by a 74LS04, for
// driving it directly through the kernel's operations.
struct Bus {
    std::unique_ptr<Simulator> sim = std::make_unique<Simulator>();
    CircuitFixture fx{*sim};
    int a = fx.ic(IcType::Ls244, "A");
    int b = fx.ic(IcType::Ls244, "B");
    int c = fx.ic(IcType::Ls244, "C");
    int reader = fx.ic(IcType::Ls04, "R");
    int bus = fx.net("BUS");
    int readerOut = fx.net();

    Bus() {
        fx.out(a, 7, bus).out(b, 7, bus).out(c, 7, bus).in(reader, 0, bus).out(reader, 0, readerOut);
        // Every 74LS244 stays disabled: this test drives the bus itself.
        fx.build();
        fx.evaluateEveryIc();
        sim->resetConflictCounters();
    }
};

}  // namespace

TEST(Kernel, SpareNetToggleWithNothingQueued) {
    Simulator sim;
    CircuitFixture fx(sim);
    fx.ic(IcType::Ls04);
    fx.build();
    const uint64_t passes = sim.counters().settlePasses;
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.counters().settlePasses, passes + 1);
    EXPECT_EQ(sim.NetTable[kSpareNet].Value, 0);
    EXPECT_EQ(sim.NetTable[kSpareNet].ActiveDrivers, -1);
    EXPECT_EQ(sim.IcEvalCount, -1);
    EXPECT_EQ(sim.ConflictCandidateCount, -1);
    expectIdle(sim);
}

TEST(Kernel, QueueingRecordZeroDoesNothing) {
    Simulator sim;
    sim.schedule(0);
    EXPECT_EQ(sim.NetEventCount, 0);
    EXPECT_EQ(sim.FanoutTable[0].Unqueued, 0);
}

TEST(Kernel, DoubleToggleOfAnUndrivenNetSettlesAfterEachInversion) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int inv = fx.ic(IcType::Ls04);
    const int n = fx.net("N");
    const int y = fx.net("Y");
    fx.in(inv, 0, n).out(inv, 0, y);
    fx.build();
    fx.evaluateEveryIc();
    ASSERT_EQ(sim.NetTable[y].Value, 1);

    const KernelCounters before = sim.counters();
    sim.ToggleNetAndSettle(1, n);
    EXPECT_EQ(sim.NetTable[n].Value, 0);
    EXPECT_EQ(sim.NetTable[y].Value, 1);
    EXPECT_EQ(sim.counters().icEvaluations - before.icEvaluations, 2u);
    // n toggled twice, and the inverter's output followed each time.
    EXPECT_EQ(sim.counters().netChanges - before.netChanges, 4u);
    EXPECT_EQ(sim.NetTable[n].ActiveDrivers, -1);
    expectIdle(sim);
}

TEST(Kernel, SingleDriverNetStaysUnmarked) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int inv = fx.ic(IcType::Ls04);
    const int n = fx.net();
    const int y = fx.net();
    fx.in(inv, 0, n).out(inv, 0, y);
    fx.build();
    fx.evaluateEveryIc();
    sim.ToggleNetAndSettle(0, n);
    EXPECT_EQ(sim.NetTable[y].Value, 0);
    EXPECT_EQ(sim.NetTable[y].ActiveDrivers, -1);
    sim.DriveNet(1, inv, y);
    EXPECT_EQ(sim.NetTable[y].Value, 1);
    EXPECT_EQ(sim.NetTable[y].ActiveDrivers, -1);
    sim.ReleaseNet(inv, y);
    EXPECT_EQ(sim.NetTable[y].ActiveDrivers, -1);
}

// Which driver owns a bus net depends only on evaluation order: the first IC in
// the enable net's record drives first.
TEST(Kernel, FirstDriverInRecordOrderOwnsTheBus) {
    for (bool aFirst : {true, false}) {
        SCOPED_TRACE(aFirst ? "A listed first" : "B listed first");
        Simulator sim;
        CircuitFixture fx(sim);
        const int a = fx.ic(IcType::Ls244, "A");
        const int b = fx.ic(IcType::Ls244, "B");
        const int en = fx.net("EN");
        const int bus = fx.net("BUS");
        // 1G̅ is input 0, 1A1 input 5, 1Y1 output 7.
        if (aFirst) {
            fx.in(a, 0, en).in(b, 0, en);
        } else {
            fx.in(b, 0, en).in(a, 0, en);
        }
        fx.in(a, 5, fx.vcc()).in(b, 5, fx.gnd()).out(a, 7, bus).out(b, 7, bus);
        fx.build();
        sim.NetTable[en].Value = 1;
        fx.evaluateEveryIc();
        sim.resetConflictCounters();
        ASSERT_EQ(level(sim, bus), "Z");

        sim.ToggleNetAndSettle(0, en);  // enable both
        const int owner = aFirst ? a : b;
        const int other = aFirst ? b : a;
        const int ownerValue = aFirst ? 1 : 0;
        EXPECT_EQ(sim.NetTable[bus].Value, ownerValue);
        EXPECT_EQ(sim.NetTable[bus].ActiveDrivers, 1);
        EXPECT_EQ(sim.NetTable[bus].DriverPairs[0], owner);
        EXPECT_EQ(sim.NetTable[bus].DriverPairs[2], other);
        EXPECT_EQ(conflictWords(sim),
                  (std::vector<int32_t>{bus * 65536 + 1, owner * 65536 + ownerValue, other * 65536 + (1 - ownerValue)}));
        EXPECT_EQ(sim.ConflictEventCount, 1);
        EXPECT_EQ(sim.ConflictCandidateCount, -1);
    }
}

TEST(Kernel, OwnerReleaseHandsTheNetToTheFirstFurtherDriver) {
    struct Case {
        int ownerValue, furtherValue;
        bool perDriver;
    };
    for (const Case& c : {Case{1, 0, false}, Case{1, 1, false}, Case{0, 1, true}, Case{1, 1, true}}) {
        SCOPED_TRACE(testing::Message() << c.ownerValue << c.furtherValue << c.perDriver);
        Bus t;
        Simulator& sim = *t.sim;
        NetRecord& bus = sim.NetTable[t.bus];
        sim.DriveNet(c.ownerValue, t.a, t.bus);
        sim.DriveNet(c.furtherValue, t.b, t.bus);
        sim.DriveNet(0, t.c, t.bus);
        ASSERT_EQ(bus.ActiveDrivers, 2);
        sim.discardQueue();
        if (c.perDriver) {
            // A per-driver record for B, so the hand-over is seen to use the new owner's.
            bus.DriverFanout.assign(t.c + 1, -1);
            bus.DriverFanout[t.b] = t.fx.ownRecord(t.reader);
            sim.ReleaseNetPerDriver(t.a, t.bus);
        } else {
            sim.ReleaseNet(t.a, t.bus);
        }
        EXPECT_EQ(bus.ActiveDrivers, 1);
        EXPECT_EQ(bus.DriverPairs[0], t.b);
        EXPECT_EQ(bus.DriverPairs[2], t.c);
        EXPECT_EQ(bus.Value, c.furtherValue);
        const int record = c.perDriver ? t.fx.ownRecord(t.reader) : bus.Fanout;
        EXPECT_EQ(queued(sim), c.ownerValue == c.furtherValue ? std::vector<int32_t>{} : std::vector<int32_t>{record});
    }
}

TEST(Kernel, FurtherDriverLeavingChangesNothingAndSoleOwnerLeavesTheNetUndriven) {
    Bus t;
    Simulator& sim = *t.sim;
    NetRecord& bus = sim.NetTable[t.bus];
    sim.DriveNet(1, t.a, t.bus);
    sim.DriveNet(0, t.b, t.bus);
    sim.DriveNet(0, t.c, t.bus);
    sim.discardQueue();
    sim.ReleaseNet(t.b, t.bus);
    EXPECT_EQ(bus.ActiveDrivers, 1);
    EXPECT_EQ(bus.DriverPairs[2], t.c);
    EXPECT_EQ(bus.Value, 1);
    sim.ReleaseNet(t.reader, t.bus);  // not a driver: nothing
    EXPECT_EQ(bus.ActiveDrivers, 1);
    sim.ReleaseNet(t.c, t.bus);
    EXPECT_EQ(bus.ActiveDrivers, 0);
    sim.ReleaseNet(t.b, t.bus);  // no longer listed
    EXPECT_EQ(bus.ActiveDrivers, 0);
    sim.ReleaseNet(t.a, t.bus);
    EXPECT_EQ(bus.ActiveDrivers, -1);
    EXPECT_EQ(bus.DriverPairs[0], 0);
    EXPECT_EQ(bus.Value, 1);
    EXPECT_EQ(sim.NetEventCount, 0);
    EXPECT_EQ(level(sim, t.bus), "Z");
}

TEST(Kernel, FurtherDriverDrivingTwiceIsRecordedTwiceWithFinalPairs) {
    Bus t;
    Simulator& sim = *t.sim;
    sim.DriveNet(1, t.a, t.bus);
    sim.DriveNet(1, t.b, t.bus);
    sim.DriveNet(0, t.b, t.bus);
    EXPECT_EQ(sim.NetTable[t.bus].ActiveDrivers, 1);
    EXPECT_EQ(sim.ConflictCandidateCount, 1);
    sim.ToggleNetAndSettle(0, kSpareNet);
    const int32_t header = t.bus * 65536 + 1;
    EXPECT_EQ(conflictWords(sim), (std::vector<int32_t>{header, t.a * 65536 + 1, t.b * 65536 + 0, header,
                                                        t.a * 65536 + 1, t.b * 65536 + 0}));
    EXPECT_EQ(sim.ConflictEventCount, 2);

    // Two further drivers: four words per event.
    sim.resetConflictCounters();
    sim.DriveNet(1, t.c, t.bus);
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(conflictWords(sim), (std::vector<int32_t>{t.bus * 65536 + 2, t.a * 65536 + 1, t.b * 65536 + 0,
                                                        t.c * 65536 + 1}));
}

TEST(Kernel, ConflictEndedWithinTheSettleIsNotRecorded) {
    Bus t;
    Simulator& sim = *t.sim;
    sim.DriveNet(1, t.a, t.bus);
    sim.DriveNet(0, t.b, t.bus);
    sim.ReleaseNet(t.b, t.bus);
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.ConflictWriteIndex, 0);
    EXPECT_EQ(sim.ConflictEventCount, 0);
    EXPECT_EQ(sim.ConflictCandidateCount, -1);
}

TEST(Kernel, RecordingStopsAfterFiftyEventsUntilTheCountersAreReset) {
    Bus t;
    Simulator& sim = *t.sim;
    sim.DriveNet(1, t.a, t.bus);
    for (int k = 0; k < 60; ++k) sim.DriveNet(0, t.b, t.bus);
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.ConflictEventCount, 50);
    EXPECT_EQ(sim.ConflictWriteIndex, 150);
    EXPECT_EQ(sim.ConflictCandidateCount, -1);

    sim.DriveNet(1, t.b, t.bus);
    EXPECT_EQ(sim.ConflictCandidateCount, -1);  // no longer listed
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.ConflictWriteIndex, 150);

    sim.resetConflictCounters();
    sim.DriveNet(1, t.b, t.bus);
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.ConflictEventCount, 1);
    EXPECT_EQ(conflictWords(sim), (std::vector<int32_t>{t.bus * 65536 + 1, t.a * 65536 + 1, t.b * 65536 + 1}));
}

// Two open-collector outputs (the Am2901's pin 11) on one line read by a 74LS04:
// every row of the wired-AND table.
TEST(Kernel, OpenCollectorLine) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int p = fx.ic(IcType::Am2901, "P");
    const int q = fx.ic(IcType::Am2901, "Q");
    const int reader = fx.ic(IcType::Ls04, "R");
    const int line = fx.net("F=0");
    fx.out(p, 0, line).out(q, 0, line).in(reader, 0, line);
    fx.build();
    NetRecord& n = sim.NetTable[line];
    ASSERT_EQ(n.ActiveDrivers, 2);
    ASSERT_EQ(n.DriverPairs, (std::vector<int32_t>{p, 0, q, 0}));
    const int32_t fanout = n.Fanout;

    struct Step {
        int level, driver;
        int value;                  // the line afterwards
        int levelP, levelQ;         // the stored levels afterwards
        bool scheduled;
    };
    const Step steps[] = {
        {0, p, 0, 0, 0, false},  // net 0, pull low: stored, nothing else
        {1, p, 0, 1, 0, false},  // net 0, release while Q still pulls low
        {1, q, 1, 1, 1, true},   // the last release lifts the line
        {1, p, 1, 1, 1, false},  // net 1, release: nothing
        {0, q, 0, 1, 0, true},   // net 1, pull low
        {1, q, 1, 1, 1, true},
        {0, reader, 0, 1, 1, true},  // net 1, pulled low by an IC not listed
        {1, p, 1, 1, 1, true},       // everybody listed has released: the line rises
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "level " << s.level << " from IC " << s.driver);
        sim.DriveOpenCollector(s.level, s.driver, line);
        EXPECT_EQ(n.Value, s.value);
        EXPECT_EQ(n.DriverPairs[1], s.levelP);
        EXPECT_EQ(n.DriverPairs[3], s.levelQ);
        EXPECT_EQ(n.ActiveDrivers, 2);
        EXPECT_EQ(queued(sim), s.scheduled ? std::vector<int32_t>{fanout} : std::vector<int32_t>{});
        sim.discardQueue();
    }
}

// After an outside write lifts the line while P is stored as pulling low, P's
// release is still stored, so the line rises again once Q lets go.
TEST(Kernel, OpenCollectorReleaseIsStoredWhileTheLineIsHigh) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int p = fx.ic(IcType::Am2901);
    const int q = fx.ic(IcType::Am2901);
    const int line = fx.net();
    fx.out(p, 0, line).out(q, 0, line);
    fx.build();
    sim.DriveOpenCollector(1, q, line);
    EXPECT_EQ(sim.NetTable[line].Value, 0);  // P still pulls low
    sim.SetNetValue(1, line);                // an input directive or a panel
    sim.DriveOpenCollector(1, p, line);
    sim.DriveOpenCollector(0, q, line);
    sim.DriveOpenCollector(1, q, line);
    EXPECT_EQ(sim.NetTable[line].Value, 1);
}

TEST(Kernel, OpenCollectorOnAPlainNetActsAsAPlainDriver) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int p = fx.ic(IcType::Am2901);
    const int line = fx.net();
    fx.out(p, 0, line);
    fx.build();
    sim.DriveOpenCollector(1, p, line);
    EXPECT_EQ(sim.NetTable[line].Value, 1);
    sim.DriveOpenCollector(0, p, line);
    EXPECT_EQ(sim.NetTable[line].Value, 0);
    EXPECT_EQ(sim.NetTable[line].ActiveDrivers, -1);
}

TEST(Kernel, OscillationIsCutShortReportedAndLeavesCleanState) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int ring = fx.ic(IcType::Ls04, "RING");
    const int loop = fx.net("LOOP");
    fx.in(ring, 0, loop).out(ring, 0, loop);  // an inverter feeding itself
    const int inv = fx.ic(IcType::Ls04, "OK");
    const int a = fx.net("A");
    const int y = fx.net("Y");
    fx.in(inv, 0, a).out(inv, 0, y);
    fx.build();
    sim.passLimit = 1000;
    fx.evaluateEveryIc();
    SettleReport report = sim.takeReport();
    EXPECT_TRUE(report.oscillation);
    EXPECT_EQ(report.oscillationNet, kSpareNet);
    expectIdle(sim);
    EXPECT_EQ(sim.NetTable[kSpareNet].Value, 0);

    // The rest of the circuit still works, and each toggle of the ring is cut short.
    sim.ToggleNetAndSettle(0, a);
    EXPECT_EQ(sim.NetTable[y].Value, 0);
    EXPECT_FALSE(sim.takeReport().oscillation);
    const uint64_t passes = sim.counters().settlePasses;
    sim.ToggleNetAndSettle(2, loop);
    report = sim.takeReport();
    EXPECT_TRUE(report.oscillation);
    EXPECT_EQ(report.oscillationNet, loop);
    EXPECT_EQ(report.oscillationToggles, 3);
    EXPECT_EQ(sim.counters().settlePasses - passes, 3000u);
    expectIdle(sim);
}

TEST(Kernel, DroppedRecordsCanBeQueuedAgain) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int inv = fx.ic(IcType::Ls04);
    const int other = fx.ic(IcType::Ls04);
    const int a = fx.net("A");
    const int y = fx.net("Y");
    fx.in(inv, 0, a).out(inv, 0, y);
    fx.build();
    fx.evaluateEveryIc();
    const int32_t record = sim.NetTable[a].Fanout;

    sim.SetNetValue(1, a);
    EXPECT_EQ(queued(sim), std::vector<int32_t>{record});
    sim.replaceQueue(fx.ownRecord(other));  // the panels' way of queueing one chip
    EXPECT_EQ(queued(sim), std::vector<int32_t>{fx.ownRecord(other)});
    EXPECT_EQ(sim.FanoutTable[record].Unqueued, -1);
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.NetTable[y].Value, 1);  // the inverter's record was dropped

    sim.SetNetValue(0, a);
    sim.SetNetValue(1, a);
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.NetTable[y].Value, 0);

    sim.SetNetValue(0, a);
    sim.discardQueue();
    expectIdle(sim);
    sim.SetNetValue(1, a);
    sim.SetNetValue(0, a);
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.NetTable[y].Value, 1);
}

// A per-driver lookup without a usable entry queues the net's ordinary readers.
TEST(Kernel, PerDriverLookupFallsBackToTheNetsFanout) {
    Bus t;
    Simulator& sim = *t.sim;
    NetRecord& bus = sim.NetTable[t.bus];
    struct Case {
        const char* name;
        std::vector<int32_t> driverFanout;
    };
    const Case cases[] = {
        {"absent", {}},
        {"index out of range", {5}},
        {"entry -1", std::vector<int32_t>(t.c + 1, -1)},
        {"not a record", std::vector<int32_t>(t.c + 1, 9999)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bus.DriverFanout = c.driverFanout;
        sim.DriveNetPerDriver(1 - bus.Value, t.c, t.bus);
        EXPECT_EQ(queued(sim), std::vector<int32_t>{bus.Fanout});
        sim.ReleaseNetPerDriver(t.c, t.bus);
        sim.discardQueue();
    }
    EXPECT_EQ(sim.takeReport().fanoutFallbacks, 4);
}

// A 74LS245 whose B side nobody wired sits on the NC net, which has no per-driver records.
TEST(Kernel, TransceiverDrivingTheNcNet) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int x = fx.ic(IcType::Ls245);
    fx.in(x, 0, fx.vcc()).in(x, 1, fx.gnd());  // A to B, enabled
    const int a1 = fx.net("A1");
    fx.bidir(x, 7, a1);
    fx.build();
    // The spare net reads 1 during its own toggle's settle; A1 at 0 makes the
    // transceiver change it.
    fx.evaluateEveryIc();
    EXPECT_GT(sim.report().fanoutFallbacks, 0);
    expectIdle(sim);
    EXPECT_EQ(sim.NetTable[fx.nc()].Value, 0);  // the spare net is reset after the settle
}

TEST(Kernel, ListsAreBounded) {
    Bus t;
    Simulator& sim = *t.sim;
    // More distinct drivers than the net was built for: the pairs make room.
    sim.DriveNet(1, t.a, t.bus);
    for (int d = 10; d < 14; ++d) sim.DriveNet(d & 1, d, t.bus);
    EXPECT_EQ(sim.NetTable[t.bus].ActiveDrivers, 4);
    EXPECT_EQ(sim.NetTable[t.bus].DriverPairs[8], 13);
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.ConflictEventCount, 4);
    EXPECT_EQ(sim.ConflictRecords[1], t.bus * 65536 + 4);

    // A full candidate list drops the rest and says so.
    sim.resetConflictCounters();
    for (int k = 0; k < kConflictCandidateCapacity + 45; ++k) sim.DriveNet(0, 10, t.bus);
    EXPECT_EQ(sim.ConflictCandidateCount, kConflictCandidateCapacity - 1);
    EXPECT_EQ(sim.report().droppedCandidates, 45);

    // 50 events of four further drivers need 300 words; none is cut.
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.ConflictEventCount, 50);
    EXPECT_EQ(sim.ConflictWriteIndex, 50 * 6);
    EXPECT_EQ(sim.ConflictRecords[49 * 6 + 1], t.bus * 65536 + 4);

    // Queueing something that is not a record is refused.
    sim.schedule(kFanoutCount);
    sim.schedule(-1);
    EXPECT_EQ(sim.NetEventCount, 0);
    EXPECT_EQ(sim.takeReport().droppedRecords, 2);
    EXPECT_FALSE(sim.report().anyDrops());

    // Numbers outside the tables are ignored by the entries.
    sim.SetNetValue(1, kNetCount);
    sim.DriveNet(1, t.a, -1);
    sim.DriveOutputPins(0, 7, kIcCount);
    sim.DriveOutputPins(-3, 99, t.a);
    sim.ToggleNetAndSettle(0, kNetCount);
    EXPECT_EQ(sim.NetEventCount, 0);
    EXPECT_EQ(sim.NetTable[t.fx.gnd()].Value, 0);  // roles past the IC's own are left alone
    EXPECT_EQ(sim.NetTable[t.fx.vcc()].Value, 1);
}

TEST(Kernel, IcMemoryAccess) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int ram = fx.ic(IcType::Ram6116);
    const int rom = fx.ic(IcType::Eprom2732);
    const int gate = fx.ic(IcType::Ls00);
    fx.build();
    sim.WriteIcMemory(2047, 300, ram);
    sim.WriteIcMemory(4095, 0x5A, rom);
    EXPECT_EQ(sim.ReadIcMemory(2047, ram), 300);
    EXPECT_EQ(sim.ReadIcMemory(4095, rom), 0x5A);
    EXPECT_EQ(sim.IcTable[ram].Memory.size(), 2048u);
    // Out of range: the write is ignored and the read gives 0.
    sim.WriteIcMemory(2048, 7, ram);
    sim.WriteIcMemory(-1, 7, ram);
    sim.WriteIcMemory(0, 7, gate);
    sim.WriteIcMemory(0, 7, kIcCount);
    EXPECT_EQ(sim.ReadIcMemory(2048, ram), 0);
    EXPECT_EQ(sim.ReadIcMemory(-1, ram), 0);
    EXPECT_EQ(sim.ReadIcMemory(0, gate), 0);
    EXPECT_EQ(sim.ReadIcMemory(0, -1), 0);
    EXPECT_EQ(sim.IcTable[ram].Memory.size(), 2048u);
    EXPECT_TRUE(sim.IcTable[gate].Memory.empty());
}

TEST(Kernel, Put8251RxByte) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int usart = fx.ic(IcType::Usart8251);
    const int gate = fx.ic(IcType::Ls00);
    fx.build();
    IcRecord& u = sim.IcTable[usart];
    EXPECT_EQ(u.Status, 1);
    EXPECT_EQ(u.TxLast, -1);
    EXPECT_EQ(u.Memory.size(), 401u);

    u.Command = 4;  // the data book's receiver enable is not this model's
    EXPECT_EQ(sim.Put8251RxByte(usart, 0x41), -1);
    EXPECT_EQ(u.Status, 1);
    u.Command = 2;
    EXPECT_EQ(sim.Put8251RxByte(usart, 0x41), 0);
    EXPECT_EQ(u.RxData, 0x41);
    EXPECT_EQ(u.Status, 3);
    EXPECT_EQ(sim.Put8251RxByte(usart, 0x42), -1);  // one byte waits at a time
    EXPECT_EQ(u.RxData, 0x41);
    u.Status = 1;
    EXPECT_EQ(sim.Put8251RxByte(usart, 0x42), 0);
    EXPECT_EQ(u.RxData, 0x42);
    EXPECT_EQ(sim.NetEventCount, 0);

    EXPECT_EQ(sim.Put8251RxByte(gate, 0x41), -1);
    EXPECT_EQ(sim.Put8251RxByte(-1, 0x41), -1);
    EXPECT_EQ(sim.Put8251RxByte(kIcCount, 0x41), -1);
}

TEST(Kernel, StartValuesOfReleasableOutputsAreTheNoneMarkers) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int usart = fx.ic(IcType::Usart8251);
    const int rom = fx.ic(IcType::Eprom2732);
    const int ram = fx.ic(IcType::Ram6116);
    const int alu = fx.ic(IcType::Am2901);
    const int seq = fx.ic(IcType::Am2910);
    const int reg374 = fx.ic(IcType::Ls374);
    const int reg273 = fx.ic(IcType::Ls273);
    fx.build();
    EXPECT_EQ(sim.IcTable[usart].StatusShown, 2048);
    EXPECT_EQ(sim.IcTable[usart].RxShown, 2048);
    EXPECT_EQ(sim.IcTable[rom].DataShown, 2048);
    EXPECT_EQ(sim.IcTable[rom].Memory.size(), 4096u);
    EXPECT_EQ(sim.IcTable[ram].DataShown, 2048);
    EXPECT_EQ(sim.IcTable[alu].YShown, 128);
    EXPECT_EQ(sim.IcTable[seq].AddressShown, -32768);
    EXPECT_EQ(sim.IcTable[seq].StackPointer, 0);
    EXPECT_EQ(sim.IcTable[reg374].QShown, 2048);
    EXPECT_EQ(sim.IcTable[reg273].QShown, 0);  // never released, so nothing to miss
    for (int i = usart; i <= reg273; ++i) EXPECT_EQ(sim.IcTable[i].Unscheduled, -1);
}

// Two circuits side by side: the second numbers on from the first, and one
// settle takes what is queued in either.
TEST(Kernel, CircuitsShareTheTables) {
    Simulator sim;
    CircuitFixture first(sim);
    const int inv1 = first.ic(IcType::Ls04);
    const int a1 = first.net();
    const int y1 = first.net();
    first.in(inv1, 0, a1).out(inv1, 0, y1);
    first.build();
    CircuitFixture second(sim);
    const int inv2 = second.ic(IcType::Ls04);
    const int a2 = second.net();
    const int y2 = second.net();
    second.in(inv2, 0, a2).out(inv2, 0, y2);
    second.build();
    EXPECT_EQ(first.nc(), kSpareNet);
    EXPECT_EQ(second.gnd(), y1 + 1);
    EXPECT_EQ(inv2, inv1 + 1);
    EXPECT_EQ(second.ownRecord(inv2), sim.LastFanoutNumber);

    sim.SetNetValue(1, a1);
    sim.SetNetValue(1, a2);
    sim.ToggleNetAndSettle(0, kSpareNet);
    EXPECT_EQ(sim.NetTable[y1].Value, 0);
    EXPECT_EQ(sim.NetTable[y2].Value, 0);
}
