// The four GAL20V8 programs of the experiment boards, one model per program.
// The registered ones load at a rising clock edge the values worked out at their
// previous evaluation, as the 74LS registers do.

#include "sim/model_helpers.h"
#include "sim/models.h"

namespace sim::models {

// A 4-bit register with a mode decoder. Inputs: 0 CLK, 1..3 mode (top bit first),
// 4..7 and 8..11 two parallel loads, 12..14 serial sources; outputs 0..3. The
// outputs change only at an edge. "Hold" keeps the next values last worked out,
// not the outputs, so a mode seen only for a moment within a settle still counts.
void gal20v8_1(Simulator& sim, IcRecord& ic) {
    const int32_t clock = sim.in(ic, 0);
    if (risingEdge(ic, clock)) {
        sim.DriveBits[0] = ic.RegNext1;
        sim.DriveBits[1] = ic.RegNext2;
        sim.DriveBits[2] = ic.RegNext3;
        sim.DriveBits[3] = ic.RegNext4;
        sim.DriveOutputPinsDirect(0, 3, ic);
    }
    switch (inputValue(sim, ic, 1, 3)) {
    case 0: break;
    case 1:
        ic.RegNext1 = sim.in(ic, 8);
        ic.RegNext2 = sim.in(ic, 9);
        ic.RegNext3 = sim.in(ic, 10);
        ic.RegNext4 = sim.in(ic, 11);
        break;
    case 2:
        ic.RegNext1 = sim.in(ic, 4);
        ic.RegNext2 = sim.in(ic, 5);
        ic.RegNext3 = sim.in(ic, 6);
        ic.RegNext4 = sim.in(ic, 7);
        break;
    case 3: ic.RegNext1 = 0; break;
    case 4: ic.RegNext1 = 1; break;
    case 5: ic.RegNext1 = sim.in(ic, 12); break;
    case 6: ic.RegNext1 = sim.in(ic, 13); break;
    default: ic.RegNext1 = sim.in(ic, 14); break;
    }
    ic.LastClock = clock;
}

// A condition selector with a WAIT flip-flop. Inputs: 0 CLK, 1..3 and 15 the
// select (IN 15 the lowest bit), 4..11 conditions, 12..14 the polarity select of
// selects 14 and 15, 16 the WAIT flip-flop's D; output 0.
void gal20v8_2(Simulator& sim, IcRecord& ic) {
    const int32_t clock = sim.in(ic, 0);
    if (risingEdge(ic, clock)) ic.Wait = ic.WaitNext;

    const int32_t select = 8 * sim.in(ic, 1) + 4 * sim.in(ic, 2) + 2 * sim.in(ic, 3) + sim.in(ic, 15);
    int32_t out = 0;
    switch (select) {
    case 0:
    case 1: out = 0; break;
    case 2:
    case 3: out = 1; break;
    case 4: out = sim.in(ic, 8) ^ 1; break;
    case 5: out = sim.in(ic, 4) ^ 1; break;
    case 6: out = sim.in(ic, 9) ^ 1; break;
    case 7: out = sim.in(ic, 5) ^ 1; break;
    case 8: out = sim.in(ic, 10) ^ 1; break;
    case 9: out = sim.in(ic, 6) ^ 1; break;
    case 10: out = ic.Wait ^ 1; break;
    case 11: out = sim.in(ic, 7) ^ 1; break;
    case 12:
    case 13: out = sim.in(ic, 11) ^ 1; break;
    default: {
        const int32_t t = inputValue(sim, ic, 12, 3);
        const int32_t condition = sim.in(ic, 4 + (t & 3));
        out = t < 4 ? condition ^ 1 : condition;
        break;
    }
    }
    sim.SetNetValue(out, ic.OutputNets[0]);

    ic.LastClock = clock;
    ic.WaitNext = sim.in(ic, 16);
}

// Combinational, with a 4-line bidirectional port. Inputs: 0 port direction,
// 1..2 port function, 3..4 OUT 2 select, 5..7 output function, 8..11 data;
// outputs 0..2; bidirectional 0..3. The port releases the side it reads before
// driving the other, in a fixed call order that decides who owns a shared line.
void gal20v8_3(Simulator& sim, IcRecord& ic) {
    const int32_t in5 = sim.in(ic, 5), in6 = sim.in(ic, 6), in7 = sim.in(ic, 7);
    const int32_t in8 = sim.in(ic, 8), in9 = sim.in(ic, 9), in10 = sim.in(ic, 10), in11 = sim.in(ic, 11);
    const int32_t out2Select = 2 * sim.in(ic, 3) + sim.in(ic, 4);
    if (in5 == 0 && in6 == 0 && in7 == 0) {
        sim.DriveBits[0] = in9;
        sim.DriveBits[1] = in8;
        const int32_t table[4] = {0, 1, in10, 0};
        sim.DriveBits[2] = table[out2Select];
    } else if (in5 == 0 && (in6 ^ in7) == 1) {
        sim.DriveBits[0] = in9;
        sim.DriveBits[1] = in8 ^ 1;
        const int32_t table[4] = {1, 0, in10 ^ 1, 0};
        sim.DriveBits[2] = table[out2Select];
    } else {
        sim.DriveBits[0] = 0;
        sim.DriveBits[1] = 0;
        sim.DriveBits[2] = 0;
    }
    sim.DriveOutputPinsDirect(0, 2, ic);

    const int32_t function = 2 * sim.in(ic, 1) + sim.in(ic, 2);
    if (sim.in(ic, 0) == 0) {
        sim.ReleaseNetPerDriver(ic.Number, ic.BidirNets[2]);
        sim.ReleaseNet(ic.Number, ic.BidirNets[3]);
        int32_t bi0 = 0, bi1 = 0;
        switch (function) {
        case 0: break;
        case 1: bi0 = in10; break;
        case 2: bi0 = sim.out(ic, 1); bi1 = sim.bi(ic, 2); break;
        default: bi0 = in9 ^ in11; bi1 = sim.bi(ic, 2); break;
        }
        sim.DriveNet(bi0, ic.Number, ic.BidirNets[0]);
        sim.DriveNetPerDriver(bi1, ic.Number, ic.BidirNets[1]);
    } else {
        sim.ReleaseNet(ic.Number, ic.BidirNets[0]);
        sim.ReleaseNetPerDriver(ic.Number, ic.BidirNets[1]);
        int32_t bi2 = 0, bi3 = 0;
        switch (function) {
        case 0: break;
        case 1: bi2 = in10; break;
        case 2: bi2 = sim.bi(ic, 1); bi3 = in11 ^ 1; break;
        default: break;
        }
        sim.DriveNetPerDriver(bi2, ic.Number, ic.BidirNets[2]);
        sim.DriveNet(bi3, ic.Number, ic.BidirNets[3]);
    }
}

// Combinational. Inputs 0..3, outputs 0..1.
void gal20v8_4(Simulator& sim, IcRecord& ic) {
    const int32_t in0 = sim.in(ic, 0), in1 = sim.in(ic, 1);
    sim.DriveBits[0] = in1 == 1 ? 1 : in0;
    sim.DriveBits[1] = in1 == 0 && in0 == 0 ? (sim.in(ic, 2) | sim.in(ic, 3)) : 0;
    sim.DriveOutputPinsDirect(0, 1, ic);
}

}  // namespace sim::models
