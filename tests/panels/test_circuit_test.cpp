// The panels' test circuit: numbered as the panels' tables expect, with the
// start values of a registered circuit.
#include "panels/test_circuit.h"
#include "panels/ttl_panel.h"
#include "role_net.h"
#include "sim/pin_table.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace panels {
namespace {

TEST(TestCircuit, ChipsTakeConsecutiveNetsInRoleOrderAndOneRecordEach) {
    PanelCircuit circuit;
    const sim::Simulator& s = circuit.simulator();
    EXPECT_EQ(s.LastIcNumber, 5);
    EXPECT_EQ(s.LastSignalNumber, kLastTestNet);
    EXPECT_EQ(s.LastFanoutNumber, 6);

    int32_t next = kFirstChipNet;
    for (int32_t ic = 0; ic < kTestIcCount; ++ic) {
        const sim::IcRecord& chip = s.IcTable[ic];
        SCOPED_TRACE(ic);
        EXPECT_EQ(chip.Number, ic);
        EXPECT_EQ(chip.Type, static_cast<int32_t>(kTestIcTypes[ic]));
        EXPECT_EQ(chip.Unscheduled, -1);
        for (int32_t k = 0; k < chip.InputCount; ++k) {
            EXPECT_EQ(chip.InputNets[k], next);
            EXPECT_EQ(s.NetTable[next++].Fanout, recordOf(ic));
        }
        for (int32_t k = 0; k < chip.OutputCount; ++k) EXPECT_EQ(chip.OutputNets[k], next++);
        for (int32_t k = 0; k < chip.BidirCount; ++k) EXPECT_EQ(chip.BidirNets[k], next++);

        const sim::FanoutRecord& f = s.FanoutTable[recordOf(ic)];
        EXPECT_EQ(f.Unqueued, -1);
        EXPECT_EQ(f.Number, recordOf(ic));
        EXPECT_EQ(f.Ics, std::vector<int32_t>{ic});
    }
    EXPECT_EQ(next, kLastTestNet + 1);
    // Record 0 stays the empty list that nobody can queue.
    EXPECT_EQ(s.FanoutTable[0].Unqueued, 0);
    EXPECT_EQ(s.FanoutTable[0].IcCount, 0);
    EXPECT_EQ(s.FanoutTable[7].Number, 0);
    EXPECT_EQ(s.NetTable[1].Value, 1);
    EXPECT_EQ(s.IcTable[kLs374Ic].QShown, sim::kByteNotShown);
    EXPECT_EQ(s.IcTable[kRamIc].Memory.size(), 2048u);
    EXPECT_EQ(s.IcTable[kRomIc].Memory.size(), 4096u);
}

TEST(TestCircuit, OnlyThreeStateNetsKeepDriversAndAllStartUndriven) {
    PanelCircuit circuit;
    const sim::Simulator& s = circuit.simulator();
    std::set<int32_t> threeState;
    for (int32_t first : {39, 57, 79, 101})
        for (int32_t n = first; n < first + 8; ++n) threeState.insert(n);
    for (int32_t n = 0; n <= kLastTestNet; ++n) {
        SCOPED_TRACE(n);
        const sim::NetRecord& net = s.NetTable[n];
        EXPECT_EQ(net.Number, n);
        EXPECT_EQ(net.ActiveDrivers, -1);
        if (threeState.count(n)) {
            EXPECT_EQ(net.DriverCount, 2);
            EXPECT_EQ(net.DriverPairs.size(), 4u);
        } else {
            EXPECT_LT(net.DriverCount, 2);
        }
        // The 6116 is the only chip that drives per driver; its entry is the empty list.
        if (n >= 79 && n <= 86) {
            ASSERT_EQ(net.DriverFanout.size(), 5u);
            EXPECT_EQ(net.DriverFanout[kRamIc], 0);
        } else {
            EXPECT_TRUE(net.DriverFanout.empty());
        }
    }
}

TEST(TestCircuit, EveryTtlPanelPinSitsOnTheNetOfItsChipsRole) {
    PanelCircuit circuit;
    for (TtlChip chip : {TtlChip::Ls00, TtlChip::Ls138, TtlChip::Ls244, TtlChip::Ls374}) {
        const TtlPanelTable& t = ttlPanelTable(chip);
        SCOPED_TRACE(std::string(t.chipName));
        const sim::IcRecord& ic = circuit.simulator().IcTable[t.ic];
        const sim::PinTable& pins = sim::pinTable(ic.Type);
        EXPECT_EQ(t.pinCount, pins.pinCount);
        EXPECT_EQ(static_cast<int>(t.pins.size()), pins.pinCount);
        for (const PanelPin& p : t.pins) {
            SCOPED_TRACE(p.pin);
            EXPECT_EQ(p.net, roleNet(ic, pins.roles[static_cast<std::size_t>(p.pin)]));
            EXPECT_EQ(p.control == PinControl::Box, sim::isInputRole(pins.roles[static_cast<std::size_t>(p.pin)]));
        }
    }
}

}  // namespace
}  // namespace panels
