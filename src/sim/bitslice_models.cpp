// The Am2901 bit slice and the Am2910 microprogram sequencer, after their
// published function tables, with timing replaced by the clock levels seen at
// successive evaluations (a rising edge is CP at 1 while LastClock is 0).

#include <algorithm>
#include <cstdint>

#include "sim/model_helpers.h"
#include "sim/models.h"

namespace sim::models {
namespace {

int bit(int32_t value, int k) { return (value >> k) & 1; }

// ---- Am2901 ----

struct AluOutputs {
    int32_t f = 0;  // before reduction to 4 bits
    int gBar = 1, pBar = 1, carryOut = 0, overflow = 0;
};

// Flags of the arithmetic functions from the carry-lookahead terms of P and G.
void arithmeticFlags(AluOutputs& out, int32_t p, int32_t g, int cn) {
    const int p0 = bit(p, 0), p1 = bit(p, 1), p2 = bit(p, 2), p3 = bit(p, 3);
    const int g0 = bit(g, 0), g1 = bit(g, 1), g2 = bit(g, 2), g3 = bit(g, 3);
    const int generate = g3 | (p3 & g2) | (p3 & p2 & g1) | (p3 & p2 & p1 & g0);
    const int propagate = p3 & p2 & p1 & p0;
    const int c3 = g2 | (p2 & g1) | (p2 & p1 & g0) | (p2 & p1 & p0 & cn);
    out.pBar = propagate ^ 1;
    out.gBar = generate ^ 1;
    out.carryOut = generate | (propagate & cn);
    out.overflow = out.carryOut ^ c3;
}

// Flags of EXOR and EXNOR: the chip's published equations for these two
// functions, with P = R Or S and G = R And S for EXNOR, and R̄ in place of R for
// EXOR.
void exclusiveFlags(AluOutputs& out, int32_t p, int32_t g, int cn) {
    const int p0 = bit(p, 0), p1 = bit(p, 1), p2 = bit(p, 2), p3 = bit(p, 3);
    const int g0 = bit(g, 0), g1 = bit(g, 1), g2 = bit(g, 2), g3 = bit(g, 3);
    const int np0 = p0 ^ 1, np1 = p1 ^ 1, np2 = p2 ^ 1, np3 = p3 ^ 1;
    const int ng0 = g0 ^ 1, ng1 = g1 ^ 1, ng2 = g2 ^ 1, ng3 = g3 ^ 1;
    const int upper = g3 | (p3 & g2) | (p3 & p2 & g1);
    out.pBar = g3 | g2 | g1 | g0;
    out.gBar = upper | (p3 & p2 & p1 & p0);
    out.carryOut = (upper | (p3 & p2 & p1 & p0 & (g0 | (cn ^ 1)))) ^ 1;
    const int left = np2 | (ng2 & np1) | (ng2 & ng1 & np0) | (ng2 & ng1 & ng0 & cn);
    const int right = np3 | (ng3 & np2) | (ng3 & ng2 & np1) | (ng3 & ng2 & ng1 & np0) | (ng3 & ng2 & ng1 & ng0 & cn);
    out.overflow = left ^ right;
}

AluOutputs alu(int function, int32_t r, int32_t s, int cn) {
    const int32_t notR = r ^ 15;
    const int32_t notS = s ^ 15;
    AluOutputs out;
    switch (function) {
    case 0:  // ADD
        out.f = r + s + cn;
        arithmeticFlags(out, r | s, r & s, cn);
        break;
    case 1:  // SUBR
        out.f = s - r - 1 + cn;
        arithmeticFlags(out, notR | s, notR & s, cn);
        break;
    case 2:  // SUBS
        out.f = r - s - 1 + cn;
        arithmeticFlags(out, r | notS, r & notS, cn);
        break;
    case 3: {  // OR; the flags take P from the bits of F
        out.f = r | s;
        const int all = (out.f & 15) == 15;
        out.pBar = 0;
        out.gBar = all;
        out.carryOut = (all ^ 1) | cn;
        out.overflow = out.carryOut;
        break;
    }
    case 4:    // AND
    case 5: {  // NOTRS; the flags take G from the bits of F
        out.f = function == 4 ? (r & s) : (notR & s);
        const int any = (out.f & 15) != 0;
        out.pBar = 0;
        out.gBar = any ^ 1;
        out.carryOut = any | cn;
        out.overflow = out.carryOut;
        break;
    }
    case 6:  // EXOR
        out.f = r ^ s;
        exclusiveFlags(out, notR | s, notR & s, cn);
        break;
    default:  // EXNOR
        out.f = (r ^ s) ^ 15;
        exclusiveFlags(out, r | s, r & s, cn);
        break;
    }
    return out;
}

// ---- Am2910 ----

constexpr int32_t kStackTop = 4;  // StackPointer counts the words on the stack, 0..4

}  // namespace

// Roles: inputs 0..3 A3..A0, 4..6 I8 I7 I6, 7..9 I2 I1 I0, 10 CP, 11..14 B3..B0,
// 15..18 D3..D0, 19..21 I5 I4 I3, 22 Cn, 23 OE̅; outputs 0 F=0 (open collector),
// 1 F3, 2 G̅, 3 Cn+4, 4 OVR, 5 P̅, 6..9 Y3..Y0; bidirectional 0 RAM3, 1 RAM0, 2 Q3, 3 Q0.
void am2901(Simulator& sim, IcRecord& ic) {
    const int32_t a = inputValue(sim, ic, 0, 4);
    const int32_t b = inputValue(sim, ic, 11, 4);
    const int32_t clock = sim.in(ic, 10);

    // The latches are open while the clock is high; Q loads at the rising edge.
    if (clock == 1) {
        ic.ALatch = ic.Registers[a];
        ic.BLatch = ic.Registers[b];
        if (ic.LastClock == 0) ic.QReg = ic.QNext;
    }
    ic.LastClock = clock;

    const int32_t d = inputValue(sim, ic, 15, 4);
    int32_t r = 0, s = 0;
    switch (inputValue(sim, ic, 7, 3)) {
    case 0: r = ic.ALatch; s = ic.QReg; break;   // AQ
    case 1: r = ic.ALatch; s = ic.BLatch; break; // AB
    case 2: s = ic.QReg; break;                  // ZQ
    case 3: s = ic.BLatch; break;                // ZB
    case 4: s = ic.ALatch; break;                // ZA
    case 5: r = d; s = ic.ALatch; break;         // DA
    case 6: r = d; s = ic.QReg; break;           // DQ
    default: r = d; break;                       // DZ
    }
    ic.OperandR = r;
    ic.OperandS = s;

    const AluOutputs result = alu(inputValue(sim, ic, 19, 3), r, s, sim.in(ic, 22));
    const int32_t f = result.f & 15;
    ic.ResultF = f;

    // F=0 is wired-AND: it rises only when every slice on the line releases it.
    sim.DriveOpenCollector(f == 0 ? 1 : 0, ic.Number, ic.OutputNets[0]);
    sim.DriveBits[1] = bit(f, 3);
    sim.DriveBits[2] = result.gBar;
    sim.DriveBits[3] = result.carryOut;
    sim.DriveBits[4] = result.overflow;
    sim.DriveBits[5] = result.pBar;
    sim.DriveOutputPinsDirect(1, 5, ic);

    const int32_t destination = inputValue(sim, ic, 4, 3);
    int32_t ramValue = f;
    int32_t qNext = ic.QReg;
    if (destination >= 4) {
        // Shifts drive the outgoing lines on every evaluation and read the incoming
        // ones after releasing them, so a neighbouring slice's bit is what comes in.
        const bool down = destination <= 5;
        const int ramOut = down ? 1 : 0, qOut = down ? 3 : 2;
        const int ramIn = down ? 0 : 1, qIn = down ? 2 : 3;
        const int shiftedBit = down ? 0 : 3;
        sim.DriveNetPerDriver(bit(f, shiftedBit), ic.Number, ic.BidirNets[ramOut]);
        sim.DriveNetPerDriver(bit(ic.QReg, shiftedBit), ic.Number, ic.BidirNets[qOut]);
        sim.ReleaseNetPerDriver(ic.Number, ic.BidirNets[ramIn]);
        sim.ReleaseNetPerDriver(ic.Number, ic.BidirNets[qIn]);
        ic.Released1 = 0;
        const int32_t ramShiftIn = sim.bi(ic, ramIn);
        const int32_t qShiftIn = sim.bi(ic, qIn);
        if (down) {
            ramValue = ramShiftIn * 8 + f / 2;
            if (destination == 4) qNext = qShiftIn * 8 + ic.QReg / 2;
        } else {
            ramValue = (2 * f + ramShiftIn) & 15;
            if (destination == 6) qNext = (2 * ic.QReg + qShiftIn) & 15;
        }
    } else {
        if (ic.Released1 == 0) {
            sim.ReleaseBusPins(0, 3, ic);
            ic.Released1 = -1;
        }
        if (destination == 0) qNext = f;
    }
    ic.QNext = qNext;
    // The register file is written while the clock is low (QREG and NOP write nothing).
    if (destination >= 2 && clock == 0) ic.Registers[b] = ramValue;

    const int32_t y = destination == 2 ? ic.ALatch : f;
    if (sim.in(ic, 23) == 0) {
        if (y != ic.YShown) {
            putBits(sim, 6, 4, y);
            sim.DriveOutputPins(6, 9, ic);
            ic.YShown = y;
        }
    } else {
        sim.ReleaseOutputPins(6, 9, ic);
        ic.YShown = kNibbleNotShown;
    }
}

// Roles: inputs 0..11 D11..D0, 12..15 I3..I0, 16 CCEN̅, 17 CC̅, 18 RLD̅, 19 OE̅,
// 20 CP, 21 CI; outputs 0..11 Y11..Y0, 12 VECT̅, 13 PL̅, 14 MAP̅, 15 FULL̅.
// The stack holds 4 words (Stack(1..4); word 0 is never pushed to), RLD̅ loads the
// counter at once, and MicroPC is kept unreduced: only the Y pins show 12 bits.
void am2910(Simulator& sim, IcRecord& ic) {
    const int32_t clock = sim.in(ic, 20);
    if (risingEdge(ic, clock)) {
        ic.Counter = ic.NextCounter;
        ic.MicroPC = ic.NextMicroPC;
        ic.StackPointer = std::clamp(ic.NextStackPointer, 0, kStackTop);
        ic.Stack[ic.StackPointer] = ic.NextStackWord;
    }
    const int full = ic.StackPointer == kStackTop ? 0 : 1;

    const int32_t d = inputValue(sim, ic, 0, 12);
    if (sim.in(ic, 18) == 0) ic.Counter = d;

    const bool pass = sim.in(ic, 17) == 0 || sim.in(ic, 16) == 1;
    const int32_t pointer = std::clamp(ic.StackPointer, 0, kStackTop);
    const int32_t top = ic.Stack[pointer];
    ic.NextCounter = ic.Counter;
    ic.NextStackPointer = pointer;
    ic.NextStackWord = top;
    auto push = [&] {
        ic.NextStackPointer = std::min(pointer + 1, kStackTop);
        ic.NextStackWord = ic.MicroPC;
    };
    auto pop = [&] {
        ic.NextStackPointer = std::max(pointer - 1, 0);
        ic.NextStackWord = ic.Stack[ic.NextStackPointer];
    };
    auto countDown = [&] { ic.NextCounter = ic.Counter - 1; };

    const int32_t instruction = inputValue(sim, ic, 12, 4);
    int32_t y = ic.MicroPC;
    switch (instruction) {
    case 0:  // JZ
        y = 0;
        ic.NextStackPointer = 0;
        ic.NextStackWord = 0;
        break;
    case 1:  // CJS
        if (pass) {
            y = d;
            push();
        }
        break;
    case 2:  // JMAP
        y = d;
        break;
    case 3:  // CJP
    case 6:  // CJV
    case 7:  // JRP on fail takes the counter, below
        if (pass) y = d;
        else if (instruction == 7) y = ic.Counter;
        break;
    case 4:  // PUSH, loading the counter on pass
        push();
        if (pass) ic.NextCounter = d;
        break;
    case 5:  // JSRP
        y = pass ? d : ic.Counter;
        push();
        break;
    case 8:  // RFCT
        if (ic.Counter != 0) {
            y = top;
            countDown();
        } else {
            pop();
        }
        break;
    case 9:  // RPCT
        if (ic.Counter != 0) {
            y = d;
            countDown();
        }
        break;
    case 10:  // CRTN
        if (pass) {
            y = top;
            pop();
        }
        break;
    case 11:  // CJPP
        if (pass) {
            y = d;
            pop();
        }
        break;
    case 12:  // LDCT
        ic.NextCounter = d;
        break;
    case 13:  // LOOP
        if (pass) {
            pop();
        } else {
            y = top;
        }
        break;
    case 14:  // CONT
        break;
    default:  // TWB
        if (pass) {
            pop();
            if (ic.Counter != 0) countDown();
        } else if (ic.Counter != 0) {
            y = top;
            countDown();
        } else {
            y = d;
            pop();
        }
        break;
    }

    sim.DriveBits[12] = instruction == 6 ? 0 : 1;                       // VECT̅
    sim.DriveBits[13] = instruction == 2 || instruction == 6 ? 1 : 0;   // PL̅
    sim.DriveBits[14] = instruction == 2 ? 0 : 1;                       // MAP̅
    sim.DriveBits[15] = full;                                           // FULL̅
    sim.DriveOutputPinsDirect(12, 15, ic);

    // Wraps at 32 bits instead of overflowing after endless CONT steps.
    ic.NextMicroPC = static_cast<int32_t>(static_cast<uint32_t>(y) + static_cast<uint32_t>(sim.in(ic, 21)));
    ic.LastClock = clock;

    if (sim.in(ic, 19) == 0) {
        if (y != ic.AddressShown) {
            putBits(sim, 0, 12, y);
            sim.DriveOutputPins(0, 11, ic);
            ic.AddressShown = y;
        }
    } else {
        sim.ReleaseOutputPins(0, 11, ic);
        ic.AddressShown = kAddressNotShown;
    }
}

}  // namespace sim::models
