// The 8251, 2732 and 6116 models on a data bus that a 74LS244 (the "CPU")
// also drives, so that released pins show as "Z" and conflicts are recorded.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "sim/model_rig.h"

using namespace sim;
using namespace simtest;

namespace {

std::vector<int> eightNets(CircuitFixture& fx, const std::string& prefix) {
    std::vector<int> nets;
    for (int k = 7; k >= 0; --k) nets.push_back(fx.net(prefix + std::to_string(k)));
    return nets;
}

// The environment's serial port as a test controls it.
class FakeLink : public SerialLink {
public:
    std::deque<int> input;
    int32_t countError = 0;
    int32_t readError = 0;
    int countCalls = 0;
    int readCalls = 0;

    int32_t bytesWaiting(int32_t& error) override {
        ++countCalls;
        if (countError != 0) {
            error = countError;
            return 0;
        }
        return static_cast<int32_t>(input.size());
    }
    int32_t readByte(int32_t& error) override {
        ++readCalls;
        if (readError != 0 || input.empty()) {
            error = readError != 0 ? readError : 8020;
            return 0;
        }
        const int byte = input.front();
        input.pop_front();
        return byte;
    }
};

// Two 8251s on one data bus with shared WR̅, RD̅ and C/D̅ and a chip select each.
struct UsartRig {
    std::unique_ptr<Simulator> owner = std::make_unique<Simulator>();
    Simulator& sim = *owner;
    CircuitFixture fx{sim};
    int wr = fx.net("WR"), cs1 = fx.net("CS1"), cs2 = fx.net("CS2"), cd = fx.net("CD"), rd = fx.net("RD");
    std::vector<int> bus = eightNets(fx, "D");
    Chip u1 = add("U1", cs1);
    Chip u2 = add("U2", cs2);
    SecondDriver cpu = addSecondDriver(fx, bus, "CPU");
    FakeLink link;

    UsartRig() {
        fx.build();
        preset(sim, {{wr, 1}, {rd, 1}, {cs1, 1}, {cs2, 1}, {cpu.enable, 1}});
        fx.evaluateEveryIc();
        sim.resetConflictCounters();
        sim.takeReport();
    }

    Chip add(const std::string& name, int cs) {
        std::vector<std::pair<std::string, int>> shared = {{"i0", wr}, {"i1", cs}, {"i2", cd}, {"i3", rd}};
        for (int k = 0; k < 8; ++k) shared.emplace_back("b" + std::to_string(k), bus[k]);
        return addChip(fx, IcType::Usart8251, name, shared);
    }

    IcRecord& usart(const Chip& chip) { return sim.IcTable[chip.ic]; }

    // One bus cycle of U1 (or the chip given): all levels set, then one settle.
    void cycle(int controlPort, int read, int write, int select = 0, int chip = 1) {
        apply(sim, {{chip == 1 ? cs1 : cs2, select}, {chip == 1 ? cs2 : cs1, 1}, {cd, controlPort}, {rd, read}, {wr, write}});
    }
    void idle() { apply(sim, {{cs1, 1}, {cs2, 1}, {rd, 1}, {wr, 1}}); }
    void cpuDrives(int byte) {
        setValue(sim, cpu.data, byte);
        apply(sim, {{cpu.enable, 0}});
    }
    void cpuReleases() { apply(sim, {{cpu.enable, 1}}); }
    // The CPU writes a byte to the control (1) or data (0) port of a chip.
    void write(int controlPort, int byte, int chip = 1) {
        idle();
        cpuDrives(byte);
        cycle(controlPort, 1, 0, 0, chip);
        idle();
        cpuReleases();
    }
    void read(int controlPort, int chip = 1) {
        idle();
        cycle(controlPort, 0, 1, 0, chip);
    }
    std::string onBus() const { return levels(sim, bus); }
};

}  // namespace

TEST(UsartModel, BusCyclesByControlLevels) {
    struct Row {
        int cs, cd, rd, wr;
        const char* bus;
        int command, txData, txLast, status;
    };
    // Before each row: command 03H written, "A" received (status 3), the CPU
    // driving 5AH in the write rows only.
    const Row rows[] = {
        {0, 0, 0, 1, "01000001", 0x03, 0x00, -1, 1},     // data read: RxData, RxRDY cleared
        {0, 0, 1, 0, "01011010", 0x03, 0x5A, 0, 3},      // data write: stored, transmitter enabled
        {0, 1, 0, 1, "00000011", 0x03, 0x00, -1, 3},     // status read
        {0, 1, 1, 0, "01011010", 0x5A, 0x00, -1, 3},     // control write
        {0, 0, 0, 0, "ZZZZZZZZ", 0x03, 0x00, -1, 3},     // both strobes low: nothing
        {0, 1, 0, 0, "ZZZZZZZZ", 0x03, 0x00, -1, 3},
        {0, 0, 1, 1, "ZZZZZZZZ", 0x03, 0x00, -1, 3},     // both high: nothing
        {0, 1, 1, 1, "ZZZZZZZZ", 0x03, 0x00, -1, 3},
        {1, 0, 0, 1, "ZZZZZZZZ", 0x03, 0x00, -1, 3},     // not selected
        {1, 1, 0, 1, "ZZZZZZZZ", 0x03, 0x00, -1, 3},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "CS " << r.cs << " C/D " << r.cd << " RD " << r.rd << " WR " << r.wr);
        UsartRig rig;
        rig.write(1, 0x03);
        ASSERT_EQ(rig.sim.Put8251RxByte(rig.u1.ic, 'A'), 0);
        if (r.wr == 0 && r.rd == 1) rig.cpuDrives(0x5A);
        rig.cycle(r.cd, r.rd, r.wr, r.cs);
        const IcRecord& u = rig.usart(rig.u1);
        EXPECT_EQ(rig.onBus(), r.bus);
        EXPECT_EQ(u.Command, r.command);
        EXPECT_EQ(u.TxData, r.txData);
        EXPECT_EQ(u.TxLast, r.txLast);
        EXPECT_EQ(u.Status, r.status);
        if (r.txLast == 0) {
            EXPECT_EQ(u.Memory[0], 0x5A);
            EXPECT_EQ(rig.sim.Pending8251Ic, rig.u1.ic);
        } else {
            EXPECT_EQ(rig.sim.Pending8251Ic, -1);
        }
        EXPECT_EQ(rig.sim.ConflictEventCount, 0);
    }
}

TEST(UsartModel, ReadsAlwaysPutTheirOwnRegisterOnTheBus) {
    UsartRig rig;
    rig.write(1, 0x03);

    // Nothing received: the data read drives RxData (0) and books the bus.
    rig.read(0);
    EXPECT_EQ(rig.onBus(), "00000000");
    EXPECT_EQ(rig.sim.NetTable[rig.bus[0]].ActiveDrivers, 0);
    EXPECT_EQ(rig.sim.NetTable[rig.bus[0]].DriverPairs[0], rig.u1.ic);
    EXPECT_EQ(rig.usart(rig.u1).Status, 1);

    // Status, data, status, data with the chip selected throughout: each read
    // shows its own register although neither register changed in between.
    rig.cycle(1, 0, 1);
    EXPECT_EQ(rig.onBus(), "00000001");
    rig.cycle(0, 0, 1);
    EXPECT_EQ(rig.onBus(), "00000000");
    rig.cycle(1, 0, 1);
    EXPECT_EQ(rig.onBus(), "00000001");
    rig.cycle(0, 0, 1);
    EXPECT_EQ(rig.onBus(), "00000000");
    rig.cycle(1, 0, 1);

    // RD̅ and WR̅ both low: the bus stays as it was.
    rig.cycle(1, 0, 0);
    EXPECT_EQ(rig.onBus(), "00000001");

    // A write cycle releases the bus (the chip stays selected), so the next status
    // read drives the unchanged status again.
    rig.cycle(0, 1, 0);
    EXPECT_EQ(rig.onBus(), "ZZZZZZZZ");
    rig.cycle(1, 0, 1);
    EXPECT_EQ(rig.onBus(), "00000001");
    EXPECT_EQ(rig.sim.ConflictEventCount, 0);
}

TEST(UsartModel, TransmitBufferTakesDataWritesOnlyWithTheTransmitterEnabled) {
    UsartRig rig;
    rig.write(1, 0x02);
    rig.write(0, 0x41);
    EXPECT_EQ(rig.usart(rig.u1).TxData, 0x41);
    EXPECT_EQ(rig.usart(rig.u1).TxLast, -1);
    EXPECT_EQ(rig.sim.Pending8251Ic, -1);

    // One byte per write cycle, and more than the first 401 entries are kept.
    rig.write(1, 0x01);
    for (int k = 0; k < 450; ++k) rig.write(0, k & 255);
    const IcRecord& u = rig.usart(rig.u1);
    ASSERT_EQ(u.TxLast, 449);
    for (int k = 0; k < 450; ++k) ASSERT_EQ(u.Memory[k], k & 255) << k;
    EXPECT_EQ(rig.sim.Pending8251Ic, rig.u1.ic);
    EXPECT_EQ(rig.sim.report().droppedTransmitBytes, 0);
}

// A board clocks the chip and may change the bus while a write strobe is
// held; each change evaluates the chip again, and none of them may send the
// byte a second time.
TEST(UsartModel, OneDataWriteStrobeSendsOneByte) {
    UsartRig rig;
    rig.write(1, 0x01);
    rig.idle();
    rig.cpuDrives('H');
    rig.cycle(0, 1, 0);
    rig.cpuDrives('I');  // the bus changes under the held strobe
    rig.cycle(1, 1, 0);  // so does C/D̅, and back: a control write, then a new data write
    rig.cycle(0, 1, 0);
    rig.cpuDrives('J');
    const IcRecord& u = rig.usart(rig.u1);
    ASSERT_EQ(u.TxLast, 1);
    EXPECT_EQ(u.Memory[0], 'H');
    EXPECT_EQ(u.Memory[1], 'I');
    EXPECT_EQ(u.Command, 'I');

    rig.cycle(0, 1, 1);  // the strobe ends; the next one sends again
    rig.cycle(0, 1, 0);
    ASSERT_EQ(u.TxLast, 2);
    EXPECT_EQ(u.Memory[2], 'J');
}

TEST(UsartModel, ReceivedBytesGoToTheReceivingUsart) {
    UsartRig rig;
    rig.sim.setSerialLink(&rig.link);
    rig.link.input = {'A', 'B', 'C'};
    rig.write(1, 0x02);  // receiver enable is bit 1 (deliberately not bit 2)

    // No receiver named yet: the byte is fetched and waits.
    rig.read(1);
    EXPECT_EQ(rig.sim.PortBytePending, 1);
    EXPECT_EQ(rig.sim.PortByte, 'A');
    EXPECT_EQ(rig.usart(rig.u1).Status, 1);

    // The poll runs before the drive, so the receiver's own status read shows RxRDY.
    rig.sim.Receiving8251Ic = rig.u1.ic;
    rig.read(1);
    EXPECT_EQ(rig.onBus(), "00000011");
    EXPECT_EQ(rig.sim.PortBytePending, 0);
    EXPECT_EQ(rig.usart(rig.u1).RxData, 'A');

    // The next byte is refused while "A" waits, and stays pending.
    rig.read(1);
    EXPECT_EQ(rig.sim.PortBytePending, 1);
    EXPECT_EQ(rig.sim.PortByte, 'B');
    const int readsSoFar = rig.link.readCalls;
    rig.read(1, 2);  // another 8251's status read offers it again, fetching nothing new
    EXPECT_EQ(rig.link.readCalls, readsSoFar);
    EXPECT_EQ(rig.sim.PortBytePending, 1);

    rig.read(0);
    EXPECT_EQ(rig.onBus(), "01000001");
    EXPECT_EQ(rig.usart(rig.u1).Status, 1);
    rig.read(1, 2);  // any 8251's status read hands it over
    EXPECT_EQ(rig.sim.PortBytePending, 0);
    EXPECT_EQ(rig.usart(rig.u1).Status, 3);
    EXPECT_EQ(rig.usart(rig.u2).Status, 1);
    rig.read(0);
    EXPECT_EQ(rig.onBus(), "01000010");
    EXPECT_EQ(rig.link.input.size(), 1u);
    EXPECT_TRUE(rig.sim.report().serialErrors.empty());
}

TEST(UsartModel, SerialErrorsAreRecordedForTheCallerOncePerKernelCall) {
    UsartRig rig;
    rig.sim.setSerialLink(&rig.link);
    rig.sim.Receiving8251Ic = rig.u1.ic;
    rig.link.countError = 8012;  // port not open
    apply(rig.sim, {{rig.cs1, 0}, {rig.cd, 1}});

    // Three status reads within one kernel call: one error to report, and each
    // read still drove the status.
    rig.sim.ToggleNetAndSettle(5, rig.rd);
    SettleReport report = rig.sim.takeReport();
    EXPECT_EQ(report.serialErrors, std::vector<int32_t>{8012});
    EXPECT_EQ(report.failedSerialPolls, 3);
    EXPECT_EQ(rig.link.countCalls, 3);
    EXPECT_EQ(rig.onBus(), "00000001");
    EXPECT_EQ(rig.sim.PortBytePending, 0);

    // Each further call reports again; distinct errors are listed once each until taken.
    rig.sim.ToggleNetAndSettle(1, rig.rd);
    rig.link.countError = 0;
    rig.link.readError = 8020;
    rig.link.input = {'X'};
    rig.sim.ToggleNetAndSettle(1, rig.rd);
    rig.link.countError = 8012;
    rig.sim.ToggleNetAndSettle(1, rig.rd);
    report = rig.sim.takeReport();
    EXPECT_EQ(report.serialErrors, (std::vector<int32_t>{8012, 8020}));
    EXPECT_EQ(report.failedSerialPolls, 3);
    EXPECT_EQ(rig.sim.PortBytePending, 0);

    // With a byte pending the port is not touched.
    rig.sim.PortBytePending = 1;
    rig.sim.Receiving8251Ic = -1;
    const int calls = rig.link.countCalls;
    rig.sim.ToggleNetAndSettle(1, rig.rd);
    EXPECT_EQ(rig.link.countCalls, calls);
    EXPECT_TRUE(rig.sim.takeReport().serialErrors.empty());
}

namespace {

// A 2732 or 6116 with its data pins on a bus that the CPU's 74LS244 also drives.
struct MemoryRig {
    std::unique_ptr<Simulator> owner = std::make_unique<Simulator>();
    Simulator& sim = *owner;
    CircuitFixture fx{sim};
    Chip chip;
    std::vector<int> address, bus;
    SecondDriver cpu;

    explicit MemoryRig(IcType type) {
        chip = addChip(fx, type, type == IcType::Eprom2732 ? "ROM" : "RAM");
        const int width = type == IcType::Eprom2732 ? 12 : 11;
        address = Chip::slice(chip.in, 0, width);
        bus = type == IcType::Eprom2732 ? chip.out : chip.bi;
        cpu = addSecondDriver(fx, bus, "CPU");
        fx.build();
        for (int k = width; k < static_cast<int>(chip.in.size()); ++k) preset(sim, {{chip.in[k], 1}});
        preset(sim, {{cpu.enable, 1}});
        fx.evaluateEveryIc();
        sim.resetConflictCounters();
    }

    // Control inputs follow the address: CE̅ OE̅ (2732), CS̅ OE̅ WE̅ (6116).
    int control(int k) const { return chip.in[address.size() + k]; }
    int netOfPin(int pin) const {
        const int32_t role = pinTable(static_cast<IcType>(sim.IcTable[chip.ic].Type)).roles[pin];
        return chip.in.at(role);
    }
    void cpuDrives(int byte) {
        setValue(sim, cpu.data, byte);
        apply(sim, {{cpu.enable, 0}});
    }
    std::string onBus() const { return levels(sim, bus); }
};

}  // namespace

TEST(EpromModel, ReadsTheAddressedCellWhileBothEnablesAreLow) {
    MemoryRig rig(IcType::Eprom2732);
    rig.sim.WriteIcMemory(0x800, 0xA5, rig.chip.ic);
    rig.sim.WriteIcMemory(0x001, 0x3C, rig.chip.ic);
    rig.sim.WriteIcMemory(0xFFF, 0x81, rig.chip.ic);
    struct Row {
        int ce, oe, address;
        const char* bus;
    };
    const Row rows[] = {
        {0, 0, 0x800, "10100101"}, {0, 0, 0x001, "00111100"}, {0, 0, 0xFFF, "10000001"},
        {0, 1, 0x800, "ZZZZZZZZ"}, {1, 0, 0x800, "ZZZZZZZZ"}, {1, 1, 0x800, "ZZZZZZZZ"},
        {0, 0, 0x123, "00000000"},
    };
    for (const Row& r : rows) {
        setValue(rig.sim, rig.address, r.address);
        apply(rig.sim, {{rig.control(0), r.ce}, {rig.control(1), r.oe}});
        EXPECT_EQ(rig.onBus(), r.bus) << std::hex << r.address << " CE " << r.ce << " OE " << r.oe;
    }

    // Package pin 21 is A11.
    setValue(rig.sim, rig.address, 0);
    apply(rig.sim, {{rig.netOfPin(21), 1}});
    EXPECT_EQ(rig.onBus(), "10100101");
}

TEST(EpromModel, CellWrittenWhileSelectedShowsAtTheNextEvaluation) {
    MemoryRig rig(IcType::Eprom2732);
    rig.sim.WriteIcMemory(5, 0x11, rig.chip.ic);
    setValue(rig.sim, rig.address, 5);
    apply(rig.sim, {{rig.control(0), 0}, {rig.control(1), 0}});
    EXPECT_EQ(rig.onBus(), "00010001");
    rig.sim.WriteIcMemory(5, 0x22, rig.chip.ic);
    settle(rig.sim);
    EXPECT_EQ(rig.onBus(), "00010001");
    reevaluate(rig.sim, rig.fx, rig.chip.ic);
    EXPECT_EQ(rig.onBus(), "00100010");
}

TEST(EpromModel, FirstDriveOfZeroIsBookedSoConflictsAreSeen) {
    MemoryRig rig(IcType::Eprom2732);
    apply(rig.sim, {{rig.control(0), 0}, {rig.control(1), 0}});
    EXPECT_EQ(rig.onBus(), "00000000");
    EXPECT_EQ(rig.sim.NetTable[rig.bus[0]].DriverPairs[0], rig.chip.ic);
    rig.cpuDrives(0xFF);
    // One event per data line, each three words: header, the ROM owning it with
    // 0, the CPU's 74LS244 with 1.
    ASSERT_EQ(rig.sim.ConflictEventCount, 8);
    ASSERT_EQ(rig.sim.ConflictWriteIndex, 24);
    for (int e = 0; e < 8; ++e) {
        const int32_t* event = &rig.sim.ConflictRecords[1 + 3 * e];
        EXPECT_EQ(event[0] % 65536, 1);
        EXPECT_EQ(event[1], rig.chip.ic * 65536 + 0);
        EXPECT_EQ(event[2], rig.cpu.ic * 65536 + 1);
    }
}

TEST(RamModel, ReadAndWriteByTheThreeEnables) {
    struct Row {
        int cs, oe, we;
        const char* bus;
        int cell;
    };
    // The cell holds 33H; the CPU drives 5AH whenever WE̅ is low.
    const Row rows[] = {
        {0, 0, 1, "00110011", 0x33},  // read
        {0, 0, 0, "01011010", 0x5A},  // write
        {0, 1, 0, "01011010", 0x33},  // deliberate: a write needs OE̅ low too
        {0, 1, 1, "ZZZZZZZZ", 0x33},
        {1, 0, 0, "01011010", 0x33},
        {1, 0, 1, "ZZZZZZZZ", 0x33},
        {1, 1, 0, "01011010", 0x33},
        {1, 1, 1, "ZZZZZZZZ", 0x33},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "CS " << r.cs << " OE " << r.oe << " WE " << r.we);
        MemoryRig rig(IcType::Ram6116);
        rig.sim.WriteIcMemory(0x155, 0x33, rig.chip.ic);
        setValue(rig.sim, rig.address, 0x155);
        if (r.we == 0) rig.cpuDrives(0x5A);
        apply(rig.sim, {{rig.control(0), r.cs}, {rig.control(1), r.oe}, {rig.control(2), r.we}});
        EXPECT_EQ(rig.onBus(), r.bus);
        EXPECT_EQ(rig.sim.ReadIcMemory(0x155, rig.chip.ic), r.cell);
        EXPECT_EQ(rig.sim.ConflictEventCount, 0);
    }
}

TEST(RamModel, WrittenCellFollowsTheBusAndReadsBack) {
    MemoryRig rig(IcType::Ram6116);
    apply(rig.sim, {{rig.netOfPin(19), 1}});  // A10
    rig.cpuDrives(0x11);
    apply(rig.sim, {{rig.control(0), 0}, {rig.control(1), 0}, {rig.control(2), 0}});
    rig.cpuDrives(0x22);
    EXPECT_EQ(rig.sim.ReadIcMemory(0x400, rig.chip.ic), 0x22);
    apply(rig.sim, {{rig.cpu.enable, 1}});
    apply(rig.sim, {{rig.control(2), 1}});
    EXPECT_EQ(rig.onBus(), "00100010");
    apply(rig.sim, {{rig.netOfPin(19), 0}});
    EXPECT_EQ(rig.onBus(), "00000000");
    EXPECT_EQ(rig.sim.ConflictEventCount, 0);
}
