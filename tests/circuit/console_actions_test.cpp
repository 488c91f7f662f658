// The operator console's actions without widgets: the bus boxes' and the
// pulse command's texts, and reset, clock, switches and buses on the basic
// fixture circuit as the probe list shows them.
#include <gtest/gtest.h>

#include "circuit/console_actions.h"
#include "circuit/probe_list.h"
#include "env_data.h"
#include "env_fixture.h"
#include "sim/simulator.h"
#include "support/scripted_prompter.h"

using circuit::ConsoleActions;
using namespace circuittest;

namespace {

// The basic fixture circuit loaded and powered on, with its probe list.
struct BasicCircuit {
    BasicCircuit() {
        EXPECT_TRUE(writeBasicData(folder.path()));
        std::optional<circuit::LoadedCircuit> loaded =
            circuit::readAndBuildCircuit(env, *circuit::dataFile(QString::fromUtf16(circuit::kDefaultCircuitFile)));
        EXPECT_TRUE(loaded.has_value());
        if (loaded) c = *loaded;
        circuit::powerOn(env, c);
        probes.fill(c.Setup);
        probes.refresh();
    }
    // The probe row of that title, as a refresh now shows it.
    QString probe(const char* title) {
        probes.refresh();
        const int32_t row = probes.rowOf(QString::fromUtf8(title));
        return row < 0 ? QStringLiteral("<none>") : probes.row(row).value;
    }
    int32_t level(int32_t net) const { return env.simulator.NetTable[static_cast<std::size_t>(net)].Value; }

    testsupport::ScriptedPrompter prompter;
    ProgramFolder folder;
    circuit::Environment env;
    circuit::LoadedCircuit c;
    circuit::ProbeList probes{env.simulator};
    ConsoleActions actions{env, c};
};

// Switch indexes of the basic circuit, in directive order.
enum Switch { OE1 = 0, OE2 = 1, CS51 = 6, CD = 7, RD51 = 8 };

}  // namespace

TEST(ConsoleTexts, BusBoxes) {
    const struct Case {
        const char* text;
        int32_t width;
        uint64_t drives;
        const char* shows;
    } cases[] = {
        {"1FFH", 8, 0xFF, "FFH"},
        {"300", 8, 44, "2CH"},  // four digits are read: one more than 256 has
        {"1010B", 8, 10, "AH"},
        {"H", 8, 0, "0H"},
        {"", 8, 0, "0H"},
        {"b", 8, 0, "0H"},
        {"00FFH", 8, 0xF, "FH"},  // the first three characters only
        {"12B", 8, 3, "3H"},      // any digit 1-9 counts 1
        {"1A", 8, 10, "AH"},      // a letter counts 0 in a decimal number
        {"ffh", 4, 0xF, "FH"},
        {"99999999999", 31, 99999999999ull & 0x7FFFFFFF, "4876E7FFH"},
        {"FFFFFFFFFFFFFFFFH", 64, ~0ull, "FFFFFFFFFFFFFFFFH"},
        {"1FFFFFFFFFFFFFFFFFH", 70, ~0ull, "FFFFFFFFFFFFFFFFH"},  // 72 bits read, 64 kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const uint64_t driven = circuit::busBoxNumber(QString::fromUtf8(c.text), c.width) & circuit::busMask(c.width);
        EXPECT_EQ(driven, c.drives);
        EXPECT_EQ(circuit::busBoxText(driven), QString::fromUtf8(c.shows));
    }
    EXPECT_EQ(circuit::busBoxNumber(QStringLiteral("1FFH"), 8), 511u) << "read before the mask";
}

TEST(ConsoleTexts, PulseCountsAndTimingLines) {
    EXPECT_EQ(circuit::pulseTimingLine(0.046875, 3, 1.5, 0.25), QStringLiteral("0.046875(0.02) 1.500000 00.250000"));
    EXPECT_EQ(circuit::pulseTimingLine(0.5, 0, 1.5, 0.25), QStringLiteral("0.000000(0.00) 1.500000 00.250000"));
    EXPECT_EQ(circuit::pulseTimingLine(0.0, 7, 0.0, 12.5), QStringLiteral("0.000000(0.00) 0.000000 12.500000"));
    EXPECT_EQ(circuit::pulseTimingLine(2.5, 2, 102.25, 0.0000004), QStringLiteral("2.500000(1.25) 102.250000 00.000000"));

    const struct {
        const char* text;
        int64_t pulses;
    } counts[] = {{"10000", 10000}, {"", 0}, {"0", 0}, {"12a3", 12}, {"x1", 0}, {"999999999999", 99999999}};
    for (const auto& c : counts) EXPECT_EQ(circuit::pulseCount(QString::fromUtf8(c.text)), c.pulses) << c.text;
}

TEST(ConsoleActions, CaptionsOfTheBasicCircuit) {
    BasicCircuit b;
    EXPECT_EQ(b.actions.resetCaption(), QStringLiteral("RST 复位"));
    EXPECT_EQ(b.actions.edgeCaption(), QStringLiteral("CP 跳变"));
    EXPECT_EQ(b.actions.pulseCaption(), QStringLiteral("CP 脉冲"));
    EXPECT_EQ(b.actions.switchCaption(OE1), QStringLiteral("OE1=1"));
    EXPECT_EQ(b.actions.switchCaption(CD), QStringLiteral("CD=0"));
    EXPECT_EQ(b.actions.switchCaption(10), QString());
    EXPECT_EQ(b.actions.busText(0), QStringLiteral("41H"));
}

TEST(ConsoleActions, ResetSwitchesBusesEdgesAndPulsesOnTheBasicCircuit) {
    BasicCircuit b;
    const schematic::CircuitSetup& s = b.c.Setup;
    EXPECT_EQ(b.probe("Q寄存器"), QStringLiteral("00"));
    EXPECT_EQ(b.probe("总线"), QStringLiteral("0,0"));
    EXPECT_EQ(b.probe("寄存器"), QStringLiteral("00,0000"));

    // A clock edge up clocks D = 41H into U1; the edge down changes nothing.
    b.actions.clockEdge();
    EXPECT_EQ(b.level(s.ClockNet), 1);
    EXPECT_EQ(b.probe("Q寄存器"), QStringLiteral("41"));
    b.actions.clockEdge();
    EXPECT_EQ(b.level(s.ClockNet), 0);
    EXPECT_EQ(b.probe("寄存器"), QStringLiteral("41,0000"));

    // The register clears while reset is held, and stays clear after.
    b.actions.pressReset();
    EXPECT_EQ(b.level(s.ResetNet), 0);
    EXPECT_EQ(b.probe("Q寄存器"), QStringLiteral("00"));
    b.actions.releaseReset();
    EXPECT_EQ(b.level(s.ResetNet), 1);
    EXPECT_EQ(b.probe("Q寄存器"), QStringLiteral("00"));

    // OE2 low lets U3 put the switches' 41H on the bus.
    EXPECT_EQ(b.actions.toggleSwitch(OE2), QStringLiteral("OE2=0"));
    EXPECT_EQ(b.probe("总线"), QStringLiteral("4,1"));
    EXPECT_EQ(b.actions.toggleSwitch(10), std::nullopt);
    EXPECT_EQ(b.actions.toggleSwitch(-1), std::nullopt);

    EXPECT_EQ(b.actions.commitBus(0, QStringLiteral("1FFH")), QStringLiteral("FFH"));
    EXPECT_EQ(b.probe("总线"), QStringLiteral("F,F"));
    EXPECT_EQ(b.actions.commitBus(0, QStringLiteral("300")), QStringLiteral("2CH"));
    EXPECT_EQ(b.actions.busText(0), QStringLiteral("2CH"));
    EXPECT_EQ(b.probe("总线"), QStringLiteral("2,C"));
    EXPECT_EQ(b.actions.commitBus(1, QStringLiteral("1")), std::nullopt);

    // No pulse toggles nothing; one pulse clocks the bus value in and leaves the clock low.
    const QString none = b.actions.clockPulses(0);
    EXPECT_TRUE(none.startsWith(QStringLiteral("0.000000(0.00) "))) << none.toStdString();
    EXPECT_EQ(b.probe("Q寄存器"), QStringLiteral("00"));
    EXPECT_EQ(b.level(s.ClockNet), 0);
    b.actions.clockPulses(1);
    EXPECT_EQ(b.level(s.ClockNet), 0);
    EXPECT_EQ(b.probe("Q寄存器"), QStringLiteral("2C"));
    EXPECT_EQ(b.probe("寄存器"), QStringLiteral("2C,0000"));
    EXPECT_TRUE(b.prompter.messages().empty());
}

TEST(ConsoleActions, PulsesAreTimedOnTheirOwnClockAndAddUp) {
    BasicCircuit b;
    std::vector<double> ticks{10.0, 10.5, 10.75, 20.0, 20.25, 20.5};
    std::size_t next = 0;
    b.actions.clock = [&] { return ticks.at(next++); };
    std::vector<std::string> order;
    int clockAtRefresh = -1;
    const QString first = b.actions.clockPulses(3, [&] {
        order.push_back("refresh");
        clockAtRefresh = b.level(b.c.Setup.ClockNet);
    });
    EXPECT_EQ(first, QStringLiteral("0.500000(0.17) 0.500000 00.250000"));
    EXPECT_EQ(next, 3u);
    EXPECT_EQ(order, std::vector<std::string>{"refresh"});
    EXPECT_EQ(clockAtRefresh, 0) << "after all six inversions";
    EXPECT_EQ(b.actions.clockPulses(1), QStringLiteral("0.250000(0.25) 0.750000 00.250000"));
    EXPECT_DOUBLE_EQ(b.env.PulseTimeTotal, 0.75);
    // The real clock never goes back.
    const double t0 = circuit::monotonicSeconds();
    EXPECT_GE(circuit::monotonicSeconds(), t0);
}

// The reset press drops what is queued so that the dropped records can be
// queued again, rather than zeroing the queue's count.
TEST(ConsoleActions, AResetPressLeavesDroppedRecordsQueueable) {
    BasicCircuit b;
    sim::Simulator& s = b.env.simulator;
    const int32_t record = b.c.SettleLastFanout;  // U7's own record
    s.schedule(record);
    ASSERT_EQ(s.FanoutTable[static_cast<std::size_t>(record)].Unqueued, 0);
    b.actions.pressReset();
    EXPECT_EQ(s.FanoutTable[static_cast<std::size_t>(record)].Unqueued, -1);
    EXPECT_EQ(s.ConflictCandidateCount, -1);
    s.schedule(record);
    EXPECT_EQ(s.NetEventCount, 1) << "queued again";
    s.discardQueue();
    b.actions.releaseReset();
}

// What went wrong inside the kernel is told after the action, each
// serial error once; a settle cut short is told once too.
TEST(ConsoleActions, KernelTroubleIsToldOnceAfterTheAction) {
    struct FailingPort : sim::SerialLink {
        int32_t bytesWaiting(int32_t& error) override {
            error = 8012;
            return 0;
        }
        int32_t readByte(int32_t& error) override {
            error = 8012;
            return 0;
        }
    } port;
    BasicCircuit b;
    b.env.simulator.setSerialLink(&port);
    std::vector<std::vector<int32_t>> told;
    b.env.reportSerialErrors = [&](const std::vector<int32_t>& numbers) { told.push_back(numbers); };
    b.actions.toggleSwitch(CD);
    b.actions.toggleSwitch(RD51);
    EXPECT_TRUE(told.empty()) << "the 8251 is not selected yet";
    b.actions.toggleSwitch(CS51);  // a status read: the 8251 polls the port
    EXPECT_EQ(told, (std::vector<std::vector<int32_t>>{{8012}}));
    b.actions.clockEdge();
    b.actions.toggleSwitch(RD51);
    EXPECT_EQ(told.size(), 1u) << "no poll, nothing new to tell";

    // A NAND gate feeding its own input oscillates once A is high.
    testsupport::ScriptedPrompter prompter;
    circuit::Environment env;
    Drawing d;
    const int32_t u1 = d.place("U1", "74LS00", 14);
    d.net(u1, 1, "A");
    d.net(u1, 2, "Y");
    d.net(u1, 3, "Y");
    d.stimulus("A 0");
    const circuit::LoadedCircuit ring = load(env, d);
    env.simulator.passLimit = 50;
    ConsoleActions actions(env, ring);
    ASSERT_EQ(actions.switchCaption(0), QStringLiteral("A=0"));
    actions.toggleSwitch(0);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_TRUE(prompter.messages()[0].text.contains(QStringLiteral("电路没有稳定")));
}

// Bus values are unsigned 64-bit and masked to the bus; nets beyond
// bit 63 of a wider bus get 0.
TEST(ConsoleActions, ABusWiderThan64NetsKeeps64Bits) {
    testsupport::ScriptedPrompter prompter;
    circuit::Environment env;
    Drawing d;
    // The bus's nets are the inputs of nine buffers.
    constexpr int kInputs[8] = {2, 4, 6, 8, 11, 13, 15, 17};
    int32_t chip = 0;
    for (int i = 0; i < 70; ++i) {
        if (i % 8 == 0) chip = d.place("U" + std::to_string(i / 8 + 1), "74LS244", 20);
        d.net(chip, kInputs[i % 8], "B" + std::to_string(i));
    }
    d.stimulus("B69..0 0");
    const circuit::LoadedCircuit c = load(env, d);
    ASSERT_EQ(c.Setup.InBusCount(), 1);
    const std::vector<int32_t>& nets = c.Setup.InBuses[0].Nets;
    ASSERT_EQ(nets.size(), 70u);
    ConsoleActions actions(env, c);
    for (int32_t net : nets) env.simulator.NetTable[static_cast<std::size_t>(net)].Value = 1;
    EXPECT_EQ(actions.busText(0), QStringLiteral("FFFFFFFFFFFFFFFFH"));
    EXPECT_EQ(actions.commitBus(0, QStringLiteral("1FFFFFFFFFFFFFFFFFH")), QStringLiteral("FFFFFFFFFFFFFFFFH"));
    for (std::size_t j = 0; j < nets.size(); ++j)
        ASSERT_EQ(env.simulator.NetTable[static_cast<std::size_t>(nets[j])].Value, j < 6 ? 0 : 1) << j;
    // A decimal text too long for 64 bits wraps instead of failing.
    EXPECT_LE(actions.commitBus(0, QStringLiteral("99999999999999999999999999")).value_or(QString()).size(), 17);
}
