// The 74LS models. Zero-delay: gates and decoders re-drive every output at every
// evaluation (an unchanged value costs one compare); registers load on a rising
// clock edge seen between two evaluations, taking the D byte sampled at the
// previous evaluation, so inputs changing in the same pass as the clock miss it.

#include "sim/model_helpers.h"
#include "sim/models.h"

namespace sim::models {
namespace {

// A byte from eight input roles, the lowest role as bit 7.
int32_t inputByte(const Simulator& sim, const IcRecord& ic, int first) { return inputValue(sim, ic, first, 8); }

// DriveBits first..first+7 := the byte, bit 7 on the lowest role.
void putByte(Simulator& sim, int first, int32_t byte) { putBits(sim, first, 8, byte); }

int16_t& releasedFlag(IcRecord& ic, int gate) {
    switch (gate) {
    case 0: return ic.Released1;
    case 1: return ic.Released2;
    case 2: return ic.Released3;
    default: return ic.Released4;
    }
}

template <class Op>
void twoInputGates(Simulator& sim, const IcRecord& ic, Op op) {
    for (int k = 0; k < 4; ++k) sim.DriveBits[k] = op(sim.in(ic, 2 * k), sim.in(ic, 2 * k + 1));
    sim.DriveOutputPinsDirect(0, 3, ic);
}

}  // namespace

void ls00(Simulator& sim, IcRecord& ic) {
    for (int k = 0; k < 4; ++k) sim.SetNetValue((sim.in(ic, 2 * k) & sim.in(ic, 2 * k + 1)) ^ 1, ic.OutputNets[k]);
}

void ls04(Simulator& sim, IcRecord& ic) {
    for (int k = 0; k < 6; ++k) sim.DriveBits[k] = sim.in(ic, k) ^ 1;
    sim.DriveOutputPinsDirect(0, 5, ic);
}

void ls08(Simulator& sim, IcRecord& ic) {
    twoInputGates(sim, ic, [](int32_t a, int32_t b) { return a & b; });
}

void ls32(Simulator& sim, IcRecord& ic) {
    twoInputGates(sim, ic, [](int32_t a, int32_t b) { return a | b; });
}

void ls125(Simulator& sim, IcRecord& ic) {
    for (int k = 0; k < 4; ++k) {
        int16_t& released = releasedFlag(ic, k);
        if (sim.in(ic, k) == 0) {
            sim.DriveNet(sim.in(ic, 4 + k), ic.Number, ic.OutputNets[k]);
            released = 0;
        } else if (released == 0) {
            sim.ReleaseNet(ic.Number, ic.OutputNets[k]);
            released = -1;
        }
    }
}

void ls138(Simulator& sim, IcRecord& ic) {
    for (int k = 0; k < 8; ++k) sim.DriveBits[k] = 1;
    const bool enabled = sim.in(ic, 3) == 0 && sim.in(ic, 4) == 0 && sim.in(ic, 5) == 1;
    if (enabled) {
        const int32_t s = 4 * sim.in(ic, 0) + 2 * sim.in(ic, 1) + sim.in(ic, 2);
        sim.DriveBits[7 - s] = 0;
    }
    sim.DriveOutputPinsDirect(0, 7, ic);
}

void ls139(Simulator& sim, IcRecord& ic) {
    for (int k = 0; k < 8; ++k) sim.DriveBits[k] = 1;
    if (sim.in(ic, 0) == 0) sim.DriveBits[3 - (2 * sim.in(ic, 2) + sim.in(ic, 1))] = 0;
    if (sim.in(ic, 3) == 0) sim.DriveBits[7 - (2 * sim.in(ic, 5) + sim.in(ic, 4))] = 0;
    sim.DriveOutputPinsDirect(0, 7, ic);
}

void ls244(Simulator& sim, IcRecord& ic) {
    // 1G̅ enables 1A4..1A1 (inputs 2..5) onto outputs 4..7, 2G̅ 2A4..2A1 (6..9) onto 0..3.
    if (sim.in(ic, 0) == 0) {
        for (int k = 0; k < 4; ++k) sim.DriveBits[4 + k] = sim.in(ic, 2 + k);
        sim.DriveOutputPins(4, 7, ic);
        ic.Released2 = 0;
    } else if (ic.Released2 == 0) {
        sim.ReleaseOutputPins(4, 7, ic);
        ic.Released2 = -1;
    }
    if (sim.in(ic, 1) == 0) {
        for (int k = 0; k < 4; ++k) sim.DriveBits[k] = sim.in(ic, 6 + k);
        sim.DriveOutputPins(0, 3, ic);
        ic.Released1 = 0;
    } else if (ic.Released1 == 0) {
        sim.ReleaseOutputPins(0, 3, ic);
        ic.Released1 = -1;
    }
}

void ls245(Simulator& sim, IcRecord& ic) {
    // Bidirectional roles 0..7 are the A side, 8..15 the B side. The side about to
    // be read is released first, so the transceiver never conflicts with itself.
    const bool enabled = sim.in(ic, 1) == 0;
    const bool aToB = sim.in(ic, 0) == 1;
    if (enabled && !aToB) {
        if (ic.Released2 == 0) {
            sim.ReleaseBusPins(8, 15, ic);
            ic.Released2 = -1;
        }
        for (int k = 0; k < 8; ++k) sim.DriveBits[k] = sim.bi(ic, 8 + k);
        sim.DriveBusPins(0, 7, ic);
        ic.Released1 = 0;
    } else if (enabled) {
        if (ic.Released1 == 0) {
            sim.ReleaseBusPins(0, 7, ic);
            ic.Released1 = -1;
        }
        for (int k = 0; k < 8; ++k) sim.DriveBits[8 + k] = sim.bi(ic, k);
        sim.DriveBusPins(8, 15, ic);
        ic.Released2 = 0;
    } else {
        if (ic.Released1 == 0) {
            sim.ReleaseBusPins(0, 7, ic);
            ic.Released1 = -1;
        }
        if (ic.Released2 == 0) {
            sim.ReleaseBusPins(8, 15, ic);
            ic.Released2 = -1;
        }
    }
}

void ls257(Simulator& sim, IcRecord& ic) {
    if (sim.in(ic, 9) == 0) {
        const int first = sim.in(ic, 0) == 0 ? 1 : 5;
        for (int k = 0; k < 4; ++k) sim.DriveBits[k] = sim.in(ic, first + k);
        sim.DriveOutputPins(0, 3, ic);
    } else {
        // No flag: released at every evaluation while disabled.
        sim.ReleaseOutputPins(0, 3, ic);
    }
}

void ls273(Simulator& sim, IcRecord& ic) {
    const int32_t clock = sim.in(ic, 9);
    if (sim.in(ic, 0) == 1) {
        if (risingEdge(ic, clock)) ic.Q = ic.DNext;
    } else {
        ic.Q = 0;  // asynchronous clear
    }
    ic.LastClock = clock;
    ic.DNext = inputByte(sim, ic, 1);
    if (ic.Q != ic.QShown) {
        putByte(sim, 0, ic.Q);
        sim.DriveOutputPinsDirect(0, 7, ic);
        ic.QShown = ic.Q;
    }
}

void ls374(Simulator& sim, IcRecord& ic) {
    const int32_t clock = sim.in(ic, 9);
    if (risingEdge(ic, clock)) ic.Q = ic.DNext;  // loads whatever OC̅ is
    ic.LastClock = clock;
    ic.DNext = inputByte(sim, ic, 1);
    if (sim.in(ic, 0) == 0) {
        if (ic.Q != ic.QShown) {
            putByte(sim, 0, ic.Q);
            sim.DriveOutputPins(0, 7, ic);
            ic.QShown = ic.Q;
        }
        ic.Released1 = 0;
    } else if (ic.Released1 == 0) {
        sim.ReleaseOutputPins(0, 7, ic);
        ic.Released1 = -1;
        ic.QShown = kByteNotShown;
    }
}

void ls377(Simulator& sim, IcRecord& ic) {
    const int32_t clock = sim.in(ic, 9);
    // G̅ is taken at the edge evaluation itself, D from the evaluation before.
    if (risingEdge(ic, clock) && sim.in(ic, 0) == 0) ic.Q = ic.DNext;
    ic.LastClock = clock;
    ic.DNext = inputByte(sim, ic, 1);
    if (ic.Q != ic.QShown) {
        putByte(sim, 0, ic.Q);
        sim.DriveOutputPinsDirect(0, 7, ic);
        ic.QShown = ic.Q;
    }
}

}  // namespace sim::models
