// Throughput of the simulation kernel on a register-and-bus circuit, measured
// the way the continuous run drives it: batches of ToggleNetAndSettle(1279, clock).
//
// The circuit: an 8-bit binary counter (74LS273 with a NAND/AND incrementer); a
// file of eight 74LS374 registers rewritten at every clock, each from the one
// before it through 74LS257 multiplexers and 74LS04 inverters; eight 74LS244
// buffers putting the registers in turn onto a bus under a 74LS138; a 74LS245
// onto a second bus feeding eight 74LS377 registers (one enabled per clock by a
// second 74LS138) and eight 74LS273 shadow registers; gates summing those up; and
// a flag line driven by eight 74LS125 gates picked by a 74LS139.
//
// A second circuit is a microprogrammed 8-bit machine: an Am2910 sequencer
// addressing five 2732s that hold 40-bit microwords, five 74LS273 pipeline
// registers, and two cascaded Am2901 slices (carry chained, shift lines in a
// ring, F=0 wired) whose sign steers a conditional jump. The microprogram counts,
// adds, loops with RFCT, calls and returns.
//
// Usage: sim_bench [seconds per measurement, default 2]
//        sim_bench --batches N   (a fixed amount of work, for profilers)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "sim/circuit_fixture.h"
#include "sim/simulator.h"

using namespace sim;
using simtest::CircuitFixture;

namespace {

const int kRegD[8] = {3, 4, 7, 8, 13, 14, 17, 18};   // 1D..8D
const int kRegQ[8] = {2, 5, 6, 9, 12, 15, 16, 19};   // 1Q..8Q

// Hands out the gates of multi-gate packages one at a time, opening a new
// package when the current one is full.
class GatePool {
public:
    GatePool(CircuitFixture& fx, IcType type, int gates, int inputsPerGate)
        : fx_(fx), type_(type), gates_(gates), inputsPerGate_(inputsPerGate) {}

    int gate(std::initializer_list<int> inputs) {
        if (chip_ < 0 || used_ == gates_) {
            chip_ = fx_.ic(type_);
            used_ = 0;
        }
        int role = used_ * inputsPerGate_;
        for (int net : inputs) fx_.in(chip_, role++, net);
        const int out = fx_.net();
        fx_.out(chip_, used_++, out);
        return out;
    }

private:
    CircuitFixture& fx_;
    IcType type_;
    int gates_, inputsPerGate_;
    int chip_ = -1, used_ = 0;
};

struct Circuit {
    int clock = -1;
    int firstIc = 0, lastIc = 0;
};

std::vector<int> nets(CircuitFixture& fx, int count) {
    std::vector<int> v;
    for (int k = 0; k < count; ++k) v.push_back(fx.net());
    return v;
}

// A 74LS138 on three select nets, always enabled; returns Y0..Y7.
std::vector<int> decoder(CircuitFixture& fx, int a, int b, int c) {
    const int d = fx.ic(IcType::Ls138);
    fx.in(d, 0, c).in(d, 1, b).in(d, 2, a).in(d, 3, fx.gnd()).in(d, 4, fx.gnd()).in(d, 5, fx.vcc());
    std::vector<int> y = nets(fx, 8);
    for (int s = 0; s < 8; ++s) fx.out(d, 7 - s, y[s]);
    return y;
}

Circuit buildCircuit(Simulator& sim) {
    CircuitFixture fx(sim);
    Circuit c;
    c.clock = fx.net("CLK");
    GatePool nand(fx, IcType::Ls00, 4, 2);
    GatePool andGate(fx, IcType::Ls08, 4, 2);
    GatePool orGate(fx, IcType::Ls32, 4, 2);
    GatePool inverter(fx, IcType::Ls04, 6, 1);
    GatePool schmitt(fx, IcType::Ls14, 6, 1);

    // Counter: next = count + 1.
    const std::vector<int> count = nets(fx, 8);
    const int counter = fx.ic(IcType::Ls273, "COUNT");
    fx.pin(counter, 1, fx.vcc()).pin(counter, 11, c.clock);
    std::vector<int> next(8);
    next[0] = inverter.gate({count[0]});
    int carry = count[0];
    for (int k = 1; k < 8; ++k) {
        const int n1 = nand.gate({count[k], carry});
        next[k] = nand.gate({nand.gate({count[k], n1}), nand.gate({carry, n1})});
        if (k < 7) carry = andGate.gate({count[k], carry});
    }
    for (int k = 0; k < 8; ++k) fx.pin(counter, kRegQ[k], count[k]).pin(counter, kRegD[k], next[k]);

    // Register file: stage 0 takes its own inverse at every clock; stage k takes
    // stage k - 1, straight or inverted as a counter bit selects.
    std::vector<std::vector<int>> stage(8);
    for (int r = 0; r < 8; ++r) {
        const int reg = fx.ic(IcType::Ls374);
        fx.pin(reg, 1, fx.gnd()).pin(reg, 11, c.clock);
        stage[r] = nets(fx, 8);
        for (int k = 0; k < 8; ++k) fx.pin(reg, kRegQ[k], stage[r][k]);
        if (r == 0) {
            for (int k = 0; k < 8; ++k) fx.pin(reg, kRegD[k], inverter.gate({stage[0][k]}));
            continue;
        }
        for (int half = 0; half < 2; ++half) {
            const int mux = fx.ic(IcType::Ls257);
            fx.in(mux, 0, count[(r + half) % 8]).in(mux, 9, fx.gnd());
            for (int k = 0; k < 4; ++k) {
                const int bit = half * 4 + k;
                const int d = fx.net();
                const int previous = stage[r - 1][bit];
                fx.in(mux, 1 + k, previous).in(mux, 5 + k, inverter.gate({previous})).out(mux, k, d);
                fx.pin(reg, kRegD[bit], d);
            }
        }
    }

    // The registers in turn onto the bus, one 74LS244 enabled at a time.
    const std::vector<int> bus = nets(fx, 8);
    const std::vector<int> busB = nets(fx, 8);
    const std::vector<int> selectA = decoder(fx, count[0], count[1], count[2]);
    const std::vector<int> selectB = decoder(fx, count[2], count[3], count[4]);
    for (int r = 0; r < 8; ++r) {
        const int buf = fx.ic(IcType::Ls244);
        fx.in(buf, 0, selectA[r]).in(buf, 1, selectA[r]);
        for (int k = 0; k < 4; ++k) {
            fx.in(buf, 2 + k, stage[r][k]).out(buf, 4 + k, bus[k]);
            fx.in(buf, 6 + k, stage[r][4 + k]).out(buf, k, bus[4 + k]);
        }
    }

    // Through the transceiver to the destination registers, one loaded per clock,
    // and to shadow registers that take every value.
    const int xcvr = fx.ic(IcType::Ls245);
    fx.in(xcvr, 0, fx.vcc()).in(xcvr, 1, fx.gnd());
    for (int k = 0; k < 8; ++k) fx.bidir(xcvr, k, bus[k]).bidir(xcvr, 8 + k, busB[k]);
    std::vector<int> any;
    for (int r = 0; r < 8; ++r) {
        const int reg = fx.ic(IcType::Ls377);
        fx.pin(reg, 1, selectB[r]).pin(reg, 11, c.clock);
        const std::vector<int> q = nets(fx, 8);
        for (int k = 0; k < 8; ++k) fx.pin(reg, kRegD[k], busB[(k + r) % 8]).pin(reg, kRegQ[k], q[k]);
        any.push_back(orGate.gate({q[0], q[7]}));
    }
    for (int r = 0; r < 8; ++r) {
        const int reg = fx.ic(IcType::Ls273);
        fx.pin(reg, 1, fx.vcc()).pin(reg, 11, c.clock);
        const std::vector<int> q = nets(fx, 8);
        for (int k = 0; k < 8; ++k) fx.pin(reg, kRegD[k], busB[(k + r) % 8]).pin(reg, kRegQ[k], q[k]);
        for (int k = 0; k < 8; k += 2) any.push_back(andGate.gate({q[k], q[k + 1]}));
    }

    // A flag line shared by eight three-state gates; one half of the 74LS139 is
    // enabled at a time, so one gate drives it.
    const int dec2 = fx.ic(IcType::Ls139);
    fx.in(dec2, 0, count[3]).in(dec2, 1, count[6]).in(dec2, 2, count[7]);
    fx.in(dec2, 3, inverter.gate({count[3]})).in(dec2, 4, count[4]).in(dec2, 5, count[5]);
    const std::vector<int> pick = nets(fx, 8);
    for (int k = 0; k < 8; ++k) fx.out(dec2, k, pick[k]);
    const int flag = fx.net("FLAG");
    for (int t = 0; t < 2; ++t) {
        const int tri = fx.ic(IcType::Ls125);
        for (int g = 0; g < 4; ++g) {
            fx.in(tri, g, pick[4 * t + g]).in(tri, 4 + g, any[4 * t + g]);
            fx.out(tri, g, flag);
        }
    }
    schmitt.gate({schmitt.gate({flag})});

    fx.build();
    sim.NetTable[c.clock].Value = 0;
    fx.evaluateEveryIc();
    sim.resetConflictCounters();
    c.firstIc = fx.firstIc();
    c.lastIc = fx.lastIc();
    return c;
}

// ---- The microprogrammed machine ----

// Bit positions in the 40-bit microword; ROM j holds bits 8j..8j+7.
constexpr int kSeqInstruction = 0;  // Am2910 I3..I0
constexpr int kCcen = 4;            // Am2910 CCEN̅
constexpr int kData = 5;            // Am2910 D11..D0; its low byte is the slices' D
constexpr int kDestination = 17;    // Am2901 I8..I6
constexpr int kFunction = 20;       // Am2901 I5..I3
constexpr int kSource = 23;         // Am2901 I2..I0
constexpr int kAddrA = 26;
constexpr int kAddrB = 30;
constexpr int kCarryIn = 34;
constexpr int kRoms = 5;

struct MicroWord {
    int sequence = 14, ccen = 1, data = 0;  // CONT, condition test off
    int destination = 1, function = 0, source = 0, a = 0, b = 0, cn = 0;  // NOP
};

uint64_t encode(const MicroWord& m) {
    auto field = [](int value, int position) { return static_cast<uint64_t>(value) << position; };
    return field(m.sequence, kSeqInstruction) | field(m.ccen, kCcen) | field(m.data, kData) |
           field(m.destination, kDestination) | field(m.function, kFunction) | field(m.source, kSource) |
           field(m.a, kAddrA) | field(m.b, kAddrB) | field(m.cn, kCarryIn);
}

// address -> word. Sources AQ 0, AB 1, ZB 3, ZA 4; functions ADD 0, SUBR 1, OR 3,
// EXOR 6; destinations QREG 0, RAMF 3, RAMQD 4, RAMQU 6, RAMU 7;
// sequencer CJS 1, CJP 3, PUSH 4, RFCT 8, CRTN 10, CONT 14.
std::vector<std::pair<int, MicroWord>> microprogram() {
    std::vector<std::pair<int, MicroWord>> p;
    auto word = [&](int address, int sequence, int ccen, int data, int destination, int function, int source, int a,
                    int b, int cn) {
        p.emplace_back(address, MicroWord{sequence, ccen, data, destination, function, source, a, b, cn});
    };
    word(0, 14, 1, 0, 3, 0, 3, 0, 1, 1);   // R1 := R1 + 1
    word(1, 4, 1, 2, 3, 0, 1, 1, 2, 0);    // R2 := R2 + R1; push the loop start, counter := 2
    word(2, 14, 1, 0, 3, 6, 1, 1, 3, 0);   // R3 := R3 Xor R1
    word(3, 8, 1, 0, 4, 0, 1, 2, 4, 0);    // R4 := (R4 + R2) shifted down with Q; repeat from 2
    word(4, 1, 1, 10, 0, 0, 4, 1, 0, 0);   // Q := R1; call 10
    word(5, 3, 0, 0, 3, 1, 1, 1, 5, 1);    // R5 := R5 - R1; to 0 unless the result is negative
    word(6, 3, 1, 0, 7, 3, 1, 3, 6, 0);    // R6 := (R6 Or R3) shifted up; to 0
    word(10, 14, 1, 0, 3, 0, 0, 7, 7, 0);  // R7 := R7 + Q
    word(11, 10, 1, 0, 6, 3, 1, 7, 8, 0);  // R8 := R8 Or R7 shifted up with Q; return
    return p;
}

struct MicroCircuit : Circuit {
    int lowSlice = -1;
};

MicroCircuit buildMicroprogrammed(Simulator& sim) {
    CircuitFixture fx(sim);
    MicroCircuit c;
    c.clock = fx.net("CLK");
    const std::vector<int> field = nets(fx, 8 * kRoms);
    // Role r of a group of `width` bits at `position` carries bit position + width - 1 - r.
    auto group = [&](int chip, int firstRole, int position, int width) {
        for (int r = 0; r < width; ++r) fx.in(chip, firstRole + r, field[position + width - 1 - r]);
    };

    const int seq = fx.ic(IcType::Am2910, "SEQ");
    const std::vector<int> address = nets(fx, 12);
    const int sign = fx.net("SIGN");  // F3 of the high slice: CC̅ of the conditional jump
    group(seq, 0, kData, 12);
    group(seq, 12, kSeqInstruction, 4);
    fx.in(seq, 16, field[kCcen]).in(seq, 17, sign).in(seq, 18, fx.vcc()).in(seq, 19, fx.gnd()).in(seq, 20, c.clock).in(seq, 21, fx.vcc());
    for (int k = 0; k < 12; ++k) fx.out(seq, k, address[k]);
    for (int k = 12; k < 16; ++k) fx.out(seq, k, fx.net());

    for (int j = 0; j < kRoms; ++j) {
        const int rom = fx.ic(IcType::Eprom2732);
        const int pipe = fx.ic(IcType::Ls273);
        for (int k = 0; k < 12; ++k) fx.in(rom, k, address[k]);
        fx.in(rom, 12, fx.gnd()).in(rom, 13, fx.gnd());
        fx.in(pipe, 0, fx.vcc()).in(pipe, 9, c.clock);
        for (int k = 0; k < 8; ++k) {
            const int data = fx.net();
            fx.out(rom, k, data).in(pipe, 1 + k, data);
            fx.out(pipe, k, field[8 * j + 7 - k]);
        }
    }

    const int zero = fx.net("F=0"), carry = fx.net(), ramMid = fx.net(), qMid = fx.net(), ramEnd = fx.net(),
              qEnd = fx.net();
    const std::vector<int> y = nets(fx, 8);
    const int low = fx.ic(IcType::Am2901, "LOW");
    const int high = fx.ic(IcType::Am2901, "HIGH");
    for (int slice : {low, high}) {
        const bool isLow = slice == low;
        group(slice, 0, kAddrA, 4);
        group(slice, 4, kDestination, 3);
        group(slice, 7, kSource, 3);
        fx.in(slice, 10, c.clock);
        group(slice, 11, kAddrB, 4);
        group(slice, 15, isLow ? kData : kData + 4, 4);
        group(slice, 19, kFunction, 3);
        fx.in(slice, 22, isLow ? field[kCarryIn] : carry).in(slice, 23, fx.gnd());
        fx.out(slice, 0, zero);
        for (int k = 1; k < 6; ++k) fx.out(slice, k, isLow && k == 3 ? carry : !isLow && k == 1 ? sign : fx.net());
        for (int k = 0; k < 4; ++k) fx.out(slice, 6 + k, y[(isLow ? 4 : 0) + k]);
        // RAM3, RAM0, Q3, Q0: the low slice's top ends feed the high slice's bottom, and round.
        fx.bidir(slice, 0, isLow ? ramMid : ramEnd).bidir(slice, 1, isLow ? ramEnd : ramMid);
        fx.bidir(slice, 2, isLow ? qMid : qEnd).bidir(slice, 3, isLow ? qEnd : qMid);
    }
    fx.build();
    for (const auto& [address, word] : microprogram()) {
        const uint64_t bits = encode(word);
        for (int j = 0; j < kRoms; ++j) sim.WriteIcMemory(address, static_cast<int32_t>((bits >> (8 * j)) & 255), seq + 1 + 2 * j);
    }
    sim.NetTable[c.clock].Value = 0;
    fx.evaluateEveryIc();
    sim.resetConflictCounters();
    c.firstIc = fx.firstIc();
    c.lastIc = fx.lastIc();
    c.lowSlice = low;
    return c;
}

// A circuit of idle chips that takes up most of the tables' numbers.
void buildFiller(Simulator& sim, int ics) {
    CircuitFixture fx(sim);
    for (int i = 0; i < ics; ++i) {
        const int chip = fx.ic(IcType::Ls04);
        const int a = fx.net();
        const int y = fx.net();
        for (int k = 0; k < 6; ++k) fx.in(chip, k, a);
        fx.out(chip, 0, y);
    }
    fx.build();
    fx.evaluateEveryIc();
}

// CPU time of this thread: on a busy machine it counts only the time the kernel
// actually ran, which is what "per core" means.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

struct Measurement {
    double seconds = 0;     // wall clock
    double cpu = 0;         // thread CPU time
    uint64_t batches = 0, netChanges = 0, evaluations = 0;
};

// Runs batches until `seconds` have passed, or exactly `batches` batches when given.
Measurement measure(Simulator& sim, int clock, double seconds, long batches) {
    using Clock = std::chrono::steady_clock;
    sim.ToggleNetAndSettle(1279, clock);  // warm up
    const KernelCounters before = sim.counters();
    const auto start = Clock::now();
    const double cpuStart = cpuSeconds();
    Measurement m;
    do {
        sim.ToggleNetAndSettle(1279, clock);
        ++m.batches;
        m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    } while (batches > 0 ? static_cast<long>(m.batches) < batches : m.seconds < seconds);
    m.cpu = cpuSeconds() - cpuStart;
    m.netChanges = sim.counters().netChanges - before.netChanges;
    m.evaluations = sim.counters().icEvaluations - before.icEvaluations;
    return m;
}

void report(const char* title, const Simulator& sim, const Circuit& c, const Measurement& m) {
    std::printf("%s\n", title);
    std::printf("  circuit: %d ICs (numbers %d..%d); tables in use: %d ICs, %d nets, %d fanout records\n",
                c.lastIc - c.firstIc + 1, c.firstIc, c.lastIc, sim.LastIcNumber + 1, sim.LastSignalNumber + 1,
                sim.LastFanoutNumber);
    std::printf("  %llu batches of 1280 clock inversions, %.2f s CPU time (%.2f s wall clock)\n",
                static_cast<unsigned long long>(m.batches), m.cpu, m.seconds);
    std::printf("  per CPU second:  %6.1f million net events, %6.1f million IC evaluations, %5.2f million clock inversions\n",
                m.netChanges / m.cpu / 1e6, m.evaluations / m.cpu / 1e6, 1280.0 * m.batches / m.cpu / 1e6);
    std::printf("  per wall second: %6.1f million net events, %6.1f million IC evaluations, %5.2f million clock inversions\n",
                m.netChanges / m.seconds / 1e6, m.evaluations / m.seconds / 1e6, 1280.0 * m.batches / m.seconds / 1e6);
    std::printf("  %.1f net events and %.1f IC evaluations per inversion; %.2f ns CPU per net event; %.3f ms CPU per batch\n",
                double(m.netChanges) / (1280.0 * m.batches), double(m.evaluations) / (1280.0 * m.batches),
                1e9 * m.cpu / m.netChanges, 1e3 * m.cpu / m.batches);
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 2.0;
    long batches = 0;
    if (argc > 2 && std::strcmp(argv[1], "--batches") == 0) {
        batches = std::atol(argv[2]);
    } else if (argc > 1) {
        seconds = std::atof(argv[1]);
    }

    auto alone = std::make_unique<Simulator>();
    const Circuit first = buildCircuit(*alone);
    const Measurement m1 = measure(*alone, first.clock, seconds, batches);
    report("Register-and-bus circuit as the first circuit:", *alone, first, m1);
    const SettleReport r = alone->takeReport();
    std::printf("  conflict events recorded: %d; settles cut short: %lld; dropped list entries: %lld\n\n",
                alone->ConflictEventCount, static_cast<long long>(r.oscillationToggles),
                static_cast<long long>(r.droppedRecords + r.droppedCandidates));

    // The same circuit placed after one that fills most of the tables: the cost
    // per event must not depend on where the circuit lies or how full the tables are.
    auto crowded = std::make_unique<Simulator>();
    buildFiller(*crowded, 100);
    const Circuit later = buildCircuit(*crowded);
    const Measurement m2 = measure(*crowded, later.clock, seconds, batches);
    report("The same circuit after 100 idle ICs:", *crowded, later, m2);
    std::printf("\n");

    auto micro = std::make_unique<Simulator>();
    const MicroCircuit machine = buildMicroprogrammed(*micro);
    const Measurement m3 = measure(*micro, machine.clock, seconds, batches);
    report("Microprogrammed machine (Am2910, five 2732s, five 74LS273s, two Am2901s):", *micro, machine, m3);
    const SettleReport r3 = micro->takeReport();
    const IcRecord& low = micro->IcTable[machine.lowSlice];
    const IcRecord& high = micro->IcTable[machine.lowSlice + 1];
    std::printf("  %.1f IC evaluations per microinstruction; registers R1..R8:",
                double(m3.evaluations) / (640.0 * m3.batches));
    for (int r = 1; r <= 8; ++r) std::printf(" %02X", high.Registers[r] * 16 + low.Registers[r]);
    std::printf("\n  conflict events recorded: %d; settles cut short: %lld; dropped list entries: %lld\n",
                micro->ConflictEventCount, static_cast<long long>(r3.oscillationToggles),
                static_cast<long long>(r3.droppedRecords + r3.droppedCandidates));
    return 0;
}
