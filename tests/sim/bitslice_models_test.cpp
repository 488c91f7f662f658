// The Am2901 and Am2910 models. Expected ALU results are worked out here by
// plain integer arithmetic, independently of the model's P/G equations.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sim/model_rig.h"

using namespace sim;
using namespace simtest;

namespace {

// ---- Am2901 ----

enum Source { AQ, AB, ZQ, ZB, ZA, DA, DQ, DZ };
enum Function { ADD, SUBR, SUBS, OR, AND, NOTRS, EXOR, EXNOR };
enum Destination { QREG, NOP, RAMA, RAMF, RAMQD, RAMD, RAMQU, RAMU };

struct Instruction {
    int a = 0, b = 0;
    int source = AQ, function = ADD, destination = NOP;
    int cn = 0;
};

// Input nets of one or more slices wired in parallel.
struct SliceInputs {
    std::vector<int> a, b, destination, source, function;
    int cp = -1, cn = -1, oe = -1;

    static SliceInputs of(const Chip& chip) {
        SliceInputs s;
        s.a = Chip::slice(chip.in, 0, 4);
        s.destination = Chip::slice(chip.in, 4, 3);
        s.source = Chip::slice(chip.in, 7, 3);
        s.cp = chip.in[10];
        s.b = Chip::slice(chip.in, 11, 4);
        s.function = Chip::slice(chip.in, 19, 3);
        s.cn = chip.in[22];
        s.oe = chip.in[23];
        return s;
    }
    void set(Simulator& sim, const Instruction& i) const {
        setValue(sim, a, i.a);
        setValue(sim, b, i.b);
        setValue(sim, source, i.source);
        setValue(sim, function, i.function);
        setValue(sim, destination, i.destination);
        sim.SetNetValue(i.cn, cn);
    }
};

// One slice, every role on a net of its own; Y shared with a disabled 74LS244.
struct SliceRig {
    std::unique_ptr<Simulator> owner = std::make_unique<Simulator>();
    Simulator& sim = *owner;
    CircuitFixture fx{sim};
    Chip chip = addChip(fx, IcType::Am2901, "ALU");
    SliceInputs inputs = SliceInputs::of(chip);
    std::vector<int> d = Chip::slice(chip.in, 15, 4);
    std::vector<int> y = Chip::slice(chip.out, 6, 4);
    SecondDriver other = addSecondDriver(fx, y, "OTHER");

    SliceRig() {
        fx.build();
        preset(sim, {{other.enable, 1}});
        fx.evaluateEveryIc();
    }
    IcRecord& ic() { return sim.IcTable[chip.ic]; }
    int out(int role) const { return sim.NetTable[chip.out[role]].Value; }

    struct Outputs {
        int f, zero, f3, gBar, carry, overflow, pBar;
        bool operator==(const Outputs&) const = default;
    };
    // R on D, S in register 3 through the A latch (clock held high), NOP.
    Outputs compute(int function, int r, int s, int cn) {
        ic().Registers[3] = s;
        Instruction i;
        i.a = 3;
        i.source = DA;
        i.function = function;
        i.cn = cn;
        inputs.set(sim, i);
        setValue(sim, d, r);
        sim.SetNetValue(1, inputs.cp);
        reevaluate(sim, fx, chip.ic);
        return {valueOf(sim, y), out(0), out(1), out(2), out(3), out(4), out(5)};
    }
};

std::ostream& operator<<(std::ostream& os, const SliceRig::Outputs& o) {
    return os << "F " << o.f << " F=0 " << o.zero << " F3 " << o.f3 << " G̅ " << o.gBar << " Cn+4 " << o.carry
              << " OVR " << o.overflow << " P̅ " << o.pBar;
}

int signExtend4(int v) { return v >= 8 ? v - 16 : v; }

}  // namespace

TEST(Am2901Model, ArithmeticFunctionsAgainstIntegerArithmetic) {
    SliceRig rig;
    for (int function : {ADD, SUBR, SUBS}) {
        for (int r = 0; r < 16; ++r) {
            for (int s = 0; s < 16; ++s) {
                for (int cn = 0; cn < 2; ++cn) {
                    // The two addends the function really adds, and the signed result.
                    int x = r, z = s, signedResult = 0;
                    switch (function) {
                    case ADD: signedResult = signExtend4(r) + signExtend4(s) + cn; break;
                    case SUBR: x = 15 - r; signedResult = signExtend4(s) - signExtend4(r) - 1 + cn; break;
                    default: z = 15 - s; signedResult = signExtend4(r) - signExtend4(s) - 1 + cn; break;
                    }
                    const int sum = x + z + cn;
                    const int f = sum & 15;
                    const int generate = (x + z) >> 4;        // a carry out without carry in
                    const int propagate = (x | z) == 15;      // every bit passes a carry on
                    const SliceRig::Outputs expected{f, f == 0, f >> 3, !generate, sum >> 4,
                                                     signedResult < -8 || signedResult > 7, !propagate};
                    ASSERT_EQ(rig.compute(function, r, s, cn), expected)
                        << "function " << function << " R " << r << " S " << s << " Cn " << cn;
                }
            }
        }
    }
}

TEST(Am2901Model, ExclusiveFunctionsFollowTheChipsFlagEquations) {
    // The published flags of EXNOR are those of the carry look-ahead run on the
    // complements, p = Not G and g = Not P (P = R Or S, G = R And S); EXOR is the
    // same with R inverted.
    SliceRig rig;
    for (int function : {EXOR, EXNOR}) {
        for (int r = 0; r < 16; ++r) {
            for (int s = 0; s < 16; ++s) {
                for (int cn = 0; cn < 2; ++cn) {
                    const int rr = function == EXOR ? r ^ 15 : r;
                    const int p = ~(rr & s) & 15, g = ~(rr | s) & 15;
                    int carry[5] = {cn};
                    for (int k = 0; k < 4; ++k) carry[k + 1] = ((g >> k) & 1) | (((p >> k) & 1) & carry[k]);
                    int groupGenerate = 0;
                    for (int k = 0; k < 4; ++k) groupGenerate = ((g >> k) & 1) | (((p >> k) & 1) & groupGenerate);
                    const int f = function == EXOR ? r ^ s : ~(r ^ s) & 15;
                    const SliceRig::Outputs expected{f, f == 0, f >> 3, !groupGenerate, carry[4], carry[3] ^ carry[4], p != 15};
                    ASSERT_EQ(rig.compute(function, r, s, cn), expected)
                        << "function " << function << " R " << r << " S " << s << " Cn " << cn;
                }
            }
        }
    }
}

TEST(Am2901Model, HandCheckedRows) {
    struct Row {
        int function, r, s, cn;
        SliceRig::Outputs expected;
    };
    const Row rows[] = {
        {ADD, 15, 1, 0, {0, 1, 0, 0, 1, 0, 0}},
        {SUBR, 1, 0, 1, {15, 0, 1, 1, 0, 0, 1}},
        {OR, 5, 10, 0, {15, 0, 1, 1, 0, 0, 0}},
        {OR, 5, 10, 1, {15, 0, 1, 1, 1, 1, 0}},
        {OR, 1, 2, 0, {3, 0, 0, 0, 1, 1, 0}},
        {AND, 12, 10, 0, {8, 0, 1, 0, 1, 1, 0}},
        {AND, 5, 10, 0, {0, 1, 0, 1, 0, 0, 0}},
        {AND, 5, 10, 1, {0, 1, 0, 1, 1, 1, 0}},
        {NOTRS, 5, 15, 0, {10, 0, 1, 0, 1, 1, 0}},
        {NOTRS, 15, 15, 0, {0, 1, 0, 1, 0, 0, 0}},
        {EXNOR, 5, 3, 0, {9, 0, 1, 0, 1, 1, 1}},
        {EXOR, 5, 3, 0, {6, 0, 0, 0, 1, 0, 1}},
    };
    SliceRig rig;
    for (const Row& row : rows) {
        EXPECT_EQ(rig.compute(row.function, row.r, row.s, row.cn), row.expected)
            << "function " << row.function << " R " << row.r << " S " << row.s << " Cn " << row.cn;
    }
}

TEST(Am2901Model, ClockTiming) {
    SliceRig rig;
    Instruction i;
    i.b = 4;
    i.source = DZ;
    i.destination = RAMF;
    rig.inputs.set(rig.sim, i);
    // Clock low: register B follows F at every evaluation.
    setValue(rig.sim, rig.d, 5);
    settle(rig.sim);
    EXPECT_EQ(rig.ic().Registers[4], 5);
    setValue(rig.sim, rig.d, 9);
    settle(rig.sim);
    EXPECT_EQ(rig.ic().Registers[4], 9);

    // Q takes F only when the clock rises.
    i.destination = QREG;
    rig.inputs.set(rig.sim, i);
    setValue(rig.sim, rig.d, 7);
    settle(rig.sim);
    EXPECT_EQ(rig.ic().QReg, 0);
    apply(rig.sim, {{rig.inputs.cp, 1}});
    // Clock high: no further edge, and nothing is written.
    i.destination = RAMF;
    rig.inputs.set(rig.sim, i);
    setValue(rig.sim, rig.d, 2);
    settle(rig.sim);
    EXPECT_EQ(rig.ic().QReg, 7);
    EXPECT_EQ(rig.ic().Registers[4], 9);

    // The latches hold while the clock is low and follow the registers while it is high.
    i.a = 6;
    i.source = ZA;
    i.destination = NOP;
    rig.inputs.set(rig.sim, i);
    apply(rig.sim, {{rig.inputs.cp, 0}});
    EXPECT_EQ(valueOf(rig.sim, rig.y), 0);
    rig.ic().Registers[6] = 3;
    reevaluate(rig.sim, rig.fx, rig.chip.ic);
    EXPECT_EQ(valueOf(rig.sim, rig.y), 0);
    apply(rig.sim, {{rig.inputs.cp, 1}});
    EXPECT_EQ(valueOf(rig.sim, rig.y), 3);
}

TEST(Am2901Model, OutputEnableReleasesAndRedrivesY) {
    SliceRig rig;
    // Freshly evaluated with F = 0: the Y lines are driven (booked), not left undriven.
    EXPECT_EQ(levels(rig.sim, rig.y), "0000");
    EXPECT_EQ(rig.sim.NetTable[rig.y[0]].DriverPairs[0], rig.chip.ic);
    apply(rig.sim, {{rig.inputs.oe, 1}});
    EXPECT_EQ(levels(rig.sim, rig.y), "ZZZZ");
    EXPECT_EQ(rig.ic().YShown, kNibbleNotShown);
    apply(rig.sim, {{rig.inputs.oe, 0}});
    EXPECT_EQ(levels(rig.sim, rig.y), "0000");
}

namespace {

// Two slices: the low one's Cn+4 feeds the high one's Cn, F=0 is wired, the shift
// lines are chained (low RAM3/Q3 to high RAM0/Q0), and each outer shift line is
// shared with a 74LS125 gate that can feed a bit in.
struct CascadeRig {
    std::unique_ptr<Simulator> owner = std::make_unique<Simulator>();
    Simulator& sim = *owner;
    CircuitFixture fx{sim};
    Chip low, high, feed;
    SliceInputs inputs;
    std::vector<int> dLow, dHigh;
    int zero = fx.net("F=0"), carry = fx.net("C4"), ramMid = fx.net("RAMMID"), qMid = fx.net("QMID");
    // The outer shift lines: low RAM0, low Q0, high RAM3, high Q3.
    std::vector<int> ends = {fx.net("RAM0"), fx.net("Q0"), fx.net("RAM7"), fx.net("Q7")};
    std::vector<int> feedEnable, feedBit;

    CascadeRig() {
        low = addChip(fx, IcType::Am2901, "LOW",
                      {{"o0", zero}, {"o3", carry}, {"b0", ramMid}, {"b1", ends[0]}, {"b2", qMid}, {"b3", ends[1]}});
        // The high slice shares every input but D and Cn with the low one.
        std::vector<std::pair<std::string, int>> shared = {{"i22", carry}, {"o0", zero},     {"b0", ends[2]},
                                                           {"b1", ramMid}, {"b2", ends[3]}, {"b3", qMid}};
        for (int k = 0; k < 24; ++k) {
            if ((k < 15 || k > 18) && k != 22) shared.emplace_back("i" + std::to_string(k), low.in[k]);
        }
        high = addChip(fx, IcType::Am2901, "HIGH", shared);
        feed = addChip(fx, IcType::Ls125, "FEED", {{"o0", ends[0]}, {"o1", ends[1]}, {"o2", ends[2]}, {"o3", ends[3]}});
        fx.build();
        inputs = SliceInputs::of(low);
        dLow = Chip::slice(low.in, 15, 4);
        dHigh = Chip::slice(high.in, 15, 4);
        feedEnable = Chip::slice(feed.in, 0, 4);
        feedBit = Chip::slice(feed.in, 4, 4);
        for (int net : feedEnable) preset(sim, {{net, 1}});
        fx.evaluateEveryIc();
        sim.resetConflictCounters();
    }

    IcRecord& slice(int k) { return sim.IcTable[k == 0 ? low.ic : high.ic]; }
    void setD(int value) {
        setValue(sim, dLow, value & 15);
        setValue(sim, dHigh, value >> 4);
    }
    int y() const { return (valueOf(sim, Chip::slice(high.out, 6, 4)) << 4) | valueOf(sim, Chip::slice(low.out, 6, 4)); }
    int reg(int r) { return (slice(1).Registers[r] << 4) | slice(0).Registers[r]; }
    void setReg(int r, int value) {
        slice(0).Registers[r] = value & 15;
        slice(1).Registers[r] = value >> 4;
    }
    int q() { return (slice(1).QReg << 4) | slice(0).QReg; }
    void setQ(int value) {
        for (int k = 0; k < 2; ++k) slice(k).QReg = slice(k).QNext = (value >> (4 * k)) & 15;
    }
    // Feeds a bit into an outer shift line (its 74LS125 gate enabled).
    void feedIn(int end, int value) {
        sim.SetNetValue(value, feedBit[end]);
        sim.SetNetValue(0, feedEnable[end]);
    }
};

}  // namespace

TEST(Am2901Model, DestinationsAndShiftsAcrossTwoSlices) {
    // Register 1 = C3H (A), register 2 = 5AH (B), Q = 96H, F = D = 69H (DZ, ADD).
    struct Row {
        int destination;
        int y, reg2, q;
        const char* ends;  // low RAM0, low Q0, high RAM3, high Q3
    };
    const Row rows[] = {
        {QREG, 0x69, 0x5A, 0x69, "ZZZZ"},
        {NOP, 0x69, 0x5A, 0x96, "ZZZZ"},
        {RAMA, 0xC3, 0x69, 0x96, "ZZZZ"},
        {RAMF, 0x69, 0x69, 0x96, "ZZZZ"},
        // Down: RAM7 and Q7 come in (1 and 0), RAM0 = F0 and Q0 = Q0 go out.
        {RAMQD, 0x69, 0xB4, 0x4B, "1010"},
        {RAMD, 0x69, 0xB4, 0x96, "1010"},
        // Up: RAM0 and Q0 come in (1 and 1), RAM7 = F7 and Q7 = Q7 go out.
        {RAMQU, 0x69, 0xD3, 0x2D, "1101"},
        {RAMU, 0x69, 0xD3, 0x96, "1101"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "destination " << r.destination);
        CascadeRig rig;
        rig.setReg(1, 0xC3);
        rig.setReg(2, 0x5A);
        rig.setQ(0x96);
        if (r.destination == RAMQD || r.destination == RAMD) {
            rig.feedIn(2, 1);
            rig.feedIn(3, 0);
        } else if (r.destination >= RAMQU) {
            rig.feedIn(0, 1);
            rig.feedIn(1, 1);
        }
        Instruction i;
        i.a = 1;
        i.b = 2;
        i.source = DZ;
        i.destination = r.destination;
        rig.inputs.set(rig.sim, i);
        rig.setD(0x69);
        apply(rig.sim, {{rig.inputs.cp, 1}});  // latches open; Q keeps its value
        apply(rig.sim, {{rig.inputs.cp, 0}});  // the register file is written
        EXPECT_EQ(rig.y(), r.y);
        EXPECT_EQ(levels(rig.sim, rig.ends), r.ends);
        apply(rig.sim, {{rig.inputs.cp, 1}});  // Q is loaded
        EXPECT_EQ(rig.reg(2), r.reg2);
        EXPECT_EQ(rig.reg(1), 0xC3);
        EXPECT_EQ(rig.q(), r.q);
        EXPECT_EQ(rig.sim.ConflictEventCount, 0);
    }
}

TEST(Am2901Model, TwoSlicesCarryAndShareTheZeroLine) {
    CascadeRig rig;
    Instruction i;
    i.a = 1;
    i.source = DA;
    i.destination = NOP;
    rig.inputs.set(rig.sim, i);
    struct Row {
        int d, a, cn, y, carry, zero;
    };
    const Row rows[] = {
        {0x0F, 0x01, 0, 0x10, 0, 0}, {0xFF, 0x01, 0, 0x00, 1, 1}, {0x7F, 0x00, 1, 0x80, 0, 0},
        {0x00, 0x00, 0, 0x00, 0, 1}, {0x01, 0x00, 0, 0x01, 0, 0}, {0x10, 0x00, 0, 0x10, 0, 0},
        {0x00, 0x00, 0, 0x00, 0, 1},
    };
    for (const Row& r : rows) {
        rig.setReg(1, r.a);
        rig.setD(r.d);
        rig.sim.SetNetValue(r.cn, rig.inputs.cn);
        apply(rig.sim, {{rig.inputs.cp, 1}});
        apply(rig.sim, {{rig.inputs.cp, 0}});
        EXPECT_EQ(rig.y(), r.y) << std::hex << r.d << " + " << r.a;
        EXPECT_EQ(rig.sim.NetTable[rig.high.out[3]].Value, r.carry) << std::hex << r.d << " + " << r.a;
        EXPECT_EQ(rig.sim.NetTable[rig.zero].Value, r.zero) << std::hex << r.d << " + " << r.a;
    }
}

namespace {

// ---- Am2910 ----

enum Am2910Instruction { JZ, CJS, JMAP, CJP, PUSH, JSRP, CJV, JRP, RFCT, RPCT, CRTN, CJPP, LDCT, LOOP, CONT, TWB };

// One sequencer, every role on a net of its own, Y7..Y0 shared with a disabled
// 74LS244. CI is 1; a cycle sets the inputs with the clock low, reads Y, then
// pulses the clock.
struct SequencerRig {
    std::unique_ptr<Simulator> owner = std::make_unique<Simulator>();
    Simulator& sim = *owner;
    CircuitFixture fx{sim};
    Chip chip = addChip(fx, IcType::Am2910, "SEQ");
    std::vector<int> d = Chip::slice(chip.in, 0, 12);
    std::vector<int> instruction = Chip::slice(chip.in, 12, 4);
    int ccen = chip.in[16], cc = chip.in[17], rld = chip.in[18], oe = chip.in[19], cp = chip.in[20], ci = chip.in[21];
    std::vector<int> y = Chip::slice(chip.out, 0, 12);
    SecondDriver other = addSecondDriver(fx, Chip::slice(chip.out, 4, 8), "OTHER");

    SequencerRig() {
        fx.build();
        preset(sim, {{rld, 1}, {ci, 1}, {other.enable, 1}});
        fx.evaluateEveryIc();
    }
    IcRecord& ic() { return sim.IcTable[chip.ic]; }
    int out(int role) const { return sim.NetTable[chip.out[role]].Value; }
    int address() const { return valueOf(sim, y); }

    // Pass: CC̅ = 0; fail: CC̅ = 1 with CCEN̅ = 0.
    void present(int i, int data, bool pass) {
        setValue(sim, instruction, i);
        setValue(sim, d, data);
        sim.SetNetValue(pass ? 0 : 1, cc);
        sim.SetNetValue(0, ccen);
        reevaluate(sim, fx, chip.ic);
    }
    void clock() {
        apply(sim, {{cp, 1}});
        apply(sim, {{cp, 0}});
    }
    int cycle(int i, int data = 0, bool pass = true) {
        present(i, data, pass);
        const int shown = address();
        clock();
        return shown;
    }
};

}  // namespace

TEST(Am2910Model, SixteenInstructionsOnPassAndFail) {
    // Before: MicroPC 100H, stack 10H, 20H (pointer 2), D = 345H.
    struct Row {
        int instruction;
        bool pass;
        int counter;
        int y, pointer, counterAfter;
    };
    const Row rows[] = {
        {JZ, false, 5, 0x000, 0, 5},     {JZ, true, 5, 0x000, 0, 5},
        {CJS, false, 5, 0x100, 2, 5},    {CJS, true, 5, 0x345, 3, 5},
        {JMAP, false, 5, 0x345, 2, 5},   {JMAP, true, 5, 0x345, 2, 5},
        {CJP, false, 5, 0x100, 2, 5},    {CJP, true, 5, 0x345, 2, 5},
        {PUSH, false, 5, 0x100, 3, 5},   {PUSH, true, 5, 0x100, 3, 0x345},
        {JSRP, false, 5, 0x005, 3, 5},   {JSRP, true, 5, 0x345, 3, 5},
        {CJV, false, 5, 0x100, 2, 5},    {CJV, true, 5, 0x345, 2, 5},
        {JRP, false, 5, 0x005, 2, 5},    {JRP, true, 5, 0x345, 2, 5},
        {RFCT, false, 5, 0x020, 2, 4},   {RFCT, true, 5, 0x020, 2, 4},
        {RFCT, false, 0, 0x100, 1, 0},   {RFCT, true, 0, 0x100, 1, 0},
        {RPCT, false, 5, 0x345, 2, 4},   {RPCT, true, 5, 0x345, 2, 4},
        {RPCT, false, 0, 0x100, 2, 0},   {RPCT, true, 0, 0x100, 2, 0},
        {CRTN, false, 5, 0x100, 2, 5},   {CRTN, true, 5, 0x020, 1, 5},
        {CJPP, false, 5, 0x100, 2, 5},   {CJPP, true, 5, 0x345, 1, 5},
        {LDCT, false, 5, 0x100, 2, 0x345}, {LDCT, true, 5, 0x100, 2, 0x345},
        {LOOP, false, 5, 0x020, 2, 5},   {LOOP, true, 5, 0x100, 1, 5},
        {CONT, false, 5, 0x100, 2, 5},   {CONT, true, 5, 0x100, 2, 5},
        {TWB, false, 5, 0x020, 2, 4},    {TWB, true, 5, 0x100, 1, 4},
        {TWB, false, 0, 0x345, 1, 0},    {TWB, true, 0, 0x100, 1, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "instruction " << r.instruction << (r.pass ? " pass" : " fail")
                                        << " counter " << r.counter);
        SequencerRig rig;
        IcRecord& ic = rig.ic();
        ic.MicroPC = 0x100;
        ic.Counter = r.counter;
        ic.StackPointer = 2;
        ic.Stack[1] = 0x10;
        ic.Stack[2] = 0x20;
        rig.present(r.instruction, 0x345, r.pass);
        EXPECT_EQ(rig.address(), r.y);
        EXPECT_EQ(rig.out(12), r.instruction == CJV ? 0 : 1);                       // VECT̅
        EXPECT_EQ(rig.out(13), r.instruction == CJV || r.instruction == JMAP ? 1 : 0);  // PL̅
        EXPECT_EQ(rig.out(14), r.instruction == JMAP ? 0 : 1);                      // MAP̅
        rig.clock();
        EXPECT_EQ(ic.MicroPC, r.y + 1);
        EXPECT_EQ(ic.StackPointer, r.pointer);
        EXPECT_EQ(ic.Counter, r.counterAfter);
        if (r.pointer == 3) { EXPECT_EQ(ic.Stack[3], 0x100); }  // pushes store MicroPC
        if (r.pointer == 1 || r.pointer == 2) {
            EXPECT_EQ(ic.Stack[1], 0x10);
            EXPECT_EQ(ic.Stack[2], 0x20);  // a pop leaves the words alone
        }
        if (r.instruction == JZ) { EXPECT_EQ(ic.Stack[0], 0); }
    }
}

TEST(Am2910Model, DisabledConditionTestPasses) {
    SequencerRig rig;
    setValue(rig.sim, rig.instruction, CJS);
    setValue(rig.sim, rig.d, 0x234);
    apply(rig.sim, {{rig.cc, 1}, {rig.ccen, 1}});
    EXPECT_EQ(rig.address(), 0x234);
    rig.clock();
    EXPECT_EQ(rig.ic().StackPointer, 1);
}

TEST(Am2910Model, StackHoldsFourWordsAndAFullPushOverwritesTheTop) {
    SequencerRig rig;
    rig.cycle(JZ);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(rig.out(15), k <= 4 ? 1 : 0) << "before push " << k;  // FULL̅
        rig.cycle(PUSH, 0, false);
        EXPECT_EQ(rig.ic().StackPointer, std::min(k, 4));
    }
    EXPECT_EQ(rig.out(15), 0);
    // The pushes stored MicroPC 1..5; the fifth overwrote word 4 (deliberately 4 deep).
    EXPECT_EQ(rig.ic().Stack[1], 1);
    EXPECT_EQ(rig.ic().Stack[3], 3);
    EXPECT_EQ(rig.ic().Stack[4], 5);
}

TEST(Am2910Model, SubroutineCallsReturnInReverseOrder) {
    SequencerRig rig;
    EXPECT_EQ(rig.cycle(JZ), 0);
    EXPECT_EQ(rig.cycle(CJS, 0x10), 0x10);   // pushes 1
    EXPECT_EQ(rig.cycle(CJS, 0x20), 0x20);   // pushes 11H
    EXPECT_EQ(rig.cycle(CRTN), 0x11);
    EXPECT_EQ(rig.cycle(CRTN), 0x01);
    EXPECT_EQ(rig.ic().StackPointer, 0);
}

TEST(Am2910Model, RepeatLoopRunsCounterPlusOneTimes) {
    SequencerRig rig;
    rig.cycle(JZ);
    rig.cycle(LDCT, 3);
    EXPECT_EQ(rig.cycle(PUSH, 0, false), 2);  // the loop start, 2, is pushed
    std::vector<int> seen;
    for (int k = 0; k < 4; ++k) seen.push_back(rig.cycle(RFCT));
    EXPECT_EQ(seen, (std::vector<int>{2, 2, 2, 3}));
    EXPECT_EQ(rig.ic().StackPointer, 0);
    EXPECT_EQ(rig.ic().Counter, 0);
}

TEST(Am2910Model, RegisterLoadIsImmediate) {
    SequencerRig rig;
    setValue(rig.sim, rig.d, 0x7AB);
    apply(rig.sim, {{rig.rld, 0}});  // deliberate: no clock needed
    EXPECT_EQ(rig.ic().Counter, 0x7AB);
    apply(rig.sim, {{rig.rld, 1}});
    setValue(rig.sim, rig.d, 0x001);
    settle(rig.sim);
    EXPECT_EQ(rig.ic().Counter, 0x7AB);
}

TEST(Am2910Model, OutputEnableAndUnreducedMicroPC) {
    SequencerRig rig;
    const std::vector<int> low = Chip::slice(rig.y, 4, 8);
    // Freshly evaluated with Y = 0: the lines are driven (booked), not left undriven.
    EXPECT_EQ(levels(rig.sim, low), "00000000");
    apply(rig.sim, {{rig.oe, 1}});
    EXPECT_EQ(levels(rig.sim, low), "ZZZZZZZZ");
    apply(rig.sim, {{rig.oe, 0}});
    EXPECT_EQ(levels(rig.sim, low), "00000000");

    // Deliberate: MicroPC is not reduced to 12 bits; only the pins wrap.
    rig.cycle(JMAP, 0xFFF);
    EXPECT_EQ(rig.ic().MicroPC, 0x1000);
    rig.present(CONT, 0, true);
    EXPECT_EQ(rig.address(), 0x000);
    EXPECT_EQ(rig.ic().AddressShown, 0x1000);
    rig.clock();
    EXPECT_EQ(rig.ic().MicroPC, 0x1001);
}
