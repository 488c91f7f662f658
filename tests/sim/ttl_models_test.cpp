// One truth table per 74LS part, written by package pin from the data-book
// behaviour. Three-state outputs share their nets with a disabled second chip of
// the same type, so that the net keeps drivers and "Z" (undriven) can be seen.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/circuit_fixture.h"
#include "sim/model_rig.h"
#include "sim/simulator.h"

using namespace sim;
using simtest::CircuitFixture;

namespace {

const std::vector<int> kRegisterD = {3, 4, 7, 8, 13, 14, 17, 18};     // 1D..8D
const std::vector<int> kRegisterQ = {2, 5, 6, 9, 12, 15, 16, 19};     // 1Q..8Q
const std::vector<int> k245A = {2, 3, 4, 5, 6, 7, 8, 9};              // A1..A8
const std::vector<int> k245B = {18, 17, 16, 15, 14, 13, 12, 11};      // B1..B8

// One chip with a net on each listed pin, optionally a disabled twin on its
// output and bidirectional nets. Inputs are changed and then the chip's own record
// is queued and settled through the spare net, as the test panels do.
class Rig {
public:
    Rig(IcType type, const std::vector<int>& pins, bool twin = false, std::map<int, int> preset = {})
        : fx_(*sim_), chip_(fx_.ic(type, "U1")) {
        const int second = twin ? fx_.ic(type, "U2") : -1;
        const PinTable& table = pinTable(type);
        for (int pin : pins) {
            std::string name = "P";
            name += std::to_string(pin);
            const int net = fx_.net(name);
            nets_[pin] = net;
            fx_.pin(chip_, pin, net);
            const bool drives = table.kinds[pin] == PinKind::Output || table.kinds[pin] == PinKind::Bidirectional;
            if (twin && drives) fx_.pin(second, pin, net);
        }
        fx_.build();
        for (auto [pin, value] : preset) sim_->NetTable[nets_.at(pin)].Value = value;
        fx_.evaluateEveryIc();
        sim_->resetConflictCounters();
    }

    Simulator& sim() { return *sim_; }
    const IcRecord& chip() const { return sim_->IcTable[chip_]; }
    int net(int pin) const { return nets_.at(pin); }

    void set(const std::vector<std::pair<int, int>>& pinValues) {
        for (auto [pin, value] : pinValues) sim_->SetNetValue(value, net(pin));
        sim_->schedule(fx_.ownRecord(chip_));
        sim_->ToggleNetAndSettle(0, kSpareNet);
    }
    void setByte(const std::vector<int>& pins, int byte, std::vector<std::pair<int, int>> more = {}) {
        for (int k = 0; k < 8; ++k) more.emplace_back(pins[k], (byte >> k) & 1);
        set(more);
    }
    // Levels of the pins in the order given.
    std::string read(const std::vector<int>& pins) const {
        std::string levels;
        for (int pin : pins) levels += simtest::level(*sim_, net(pin));
        return levels;
    }
    // Levels of eight pins listed bit 0 first, shown bit 7 first.
    std::string readByte(const std::vector<int>& pins) const {
        return read(std::vector<int>(pins.rbegin(), pins.rend()));
    }

private:
    std::unique_ptr<Simulator> sim_ = std::make_unique<Simulator>();
    CircuitFixture fx_;
    int chip_;
    std::map<int, int> nets_;
};

using simtest::bits;

std::vector<std::pair<int, int>> pinsFrom(const std::vector<int>& pins, int pattern) {
    std::vector<std::pair<int, int>> values;
    for (int k = 0; k < static_cast<int>(pins.size()); ++k) values.emplace_back(pins[k], (pattern >> k) & 1);
    return values;
}

}  // namespace

TEST(TtlModels, TwoInputGates) {
    struct Part {
        IcType type;
        int (*function)(int, int);
    };
    const Part parts[] = {
        {IcType::Ls00, [](int a, int b) { return 1 - (a & b); }},
        {IcType::Ls08, [](int a, int b) { return a & b; }},
        {IcType::Ls32, [](int a, int b) { return a | b; }},
    };
    // Gate k: inputs (A, B) and output Y by pin.
    const int gates[4][3] = {{1, 2, 3}, {4, 5, 6}, {9, 10, 8}, {12, 13, 11}};
    const std::vector<int> inputs = {1, 2, 4, 5, 9, 10, 12, 13};
    for (const Part& part : parts) {
        SCOPED_TRACE(IcTypeNames[static_cast<int>(part.type)].data());
        Rig rig(part.type, {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13});
        for (int pattern = 0; pattern < 256; ++pattern) {
            const auto values = pinsFrom(inputs, pattern);
            rig.set(values);
            std::map<int, int> v(values.begin(), values.end());
            for (const auto& g : gates) {
                EXPECT_EQ(rig.read({g[2]}), std::to_string(part.function(v[g[0]], v[g[1]])))
                    << "pattern " << pattern << " pin " << g[2];
            }
        }
    }
}

TEST(TtlModels, Inverters) {
    const std::vector<int> inputs = {1, 3, 5, 9, 11, 13};
    const std::vector<int> outputs = {2, 4, 6, 8, 10, 12};
    for (IcType type : {IcType::Ls04, IcType::Ls14}) {
        Rig rig(type, {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13});
        for (int pattern = 0; pattern < 64; ++pattern) {
            rig.set(pinsFrom(inputs, pattern));
            std::string expected;
            for (int k = 0; k < 6; ++k) expected += ((pattern >> k) & 1) ? '0' : '1';
            EXPECT_EQ(rig.read(outputs), expected) << "pattern " << pattern;
        }
    }
}

TEST(TtlModels, Ls138Decoder) {
    // A 1, B 2, C 3, G2A̅ 4, G2B̅ 5, G1 6; Y0..Y7 on 15, 14, 13, 12, 11, 10, 9, 7.
    const std::vector<int> y = {15, 14, 13, 12, 11, 10, 9, 7};
    Rig rig(IcType::Ls138, {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15});
    for (int pattern = 0; pattern < 64; ++pattern) {
        const auto values = pinsFrom({1, 2, 3, 4, 5, 6}, pattern);
        rig.set(values);
        const int select = pattern & 7;
        const bool enabled = ((pattern >> 3) & 7) == 4;  // G2A̅ = G2B̅ = 0, G1 = 1
        std::string expected;
        for (int k = 0; k < 8; ++k) expected += (enabled && k == select) ? '0' : '1';
        EXPECT_EQ(rig.read(y), expected) << "pattern " << pattern;
    }
    rig.set({{6, 1}, {4, 0}, {5, 0}, {3, 1}, {2, 0}, {1, 1}});
    EXPECT_EQ(rig.read({10}), "0");  // C, B, A = 1, 0, 1 selects Y5
    EXPECT_EQ(rig.read(y), "11111011");
    rig.set({{6, 0}});
    EXPECT_EQ(rig.read(y), "11111111");
}

TEST(TtlModels, Ls139DualDecoder) {
    // Half 1: G̅ 1, A 2, B 3, Y0..Y3 on 4..7. Half 2: G̅ 15, A 14, B 13, Y0..Y3 on 12..9.
    const std::vector<int> inputs = {1, 2, 3, 15, 14, 13};
    const std::vector<int> y = {4, 5, 6, 7, 12, 11, 10, 9};
    Rig rig(IcType::Ls139, {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15});
    for (int pattern = 0; pattern < 64; ++pattern) {
        rig.set(pinsFrom(inputs, pattern));
        std::string expected;
        for (int half = 0; half < 2; ++half) {
            const int h = pattern >> (3 * half);
            const bool enabled = (h & 1) == 0;
            const int select = (h >> 1) & 3;  // 2B + A
            for (int k = 0; k < 4; ++k) expected += (enabled && k == select) ? '0' : '1';
        }
        EXPECT_EQ(rig.read(y), expected) << "pattern " << pattern;
    }
}

TEST(TtlModels, Ls125ThreeStateBuffers) {
    // Gate: C̅, A, Y.
    const int gates[4][3] = {{1, 2, 3}, {4, 5, 6}, {10, 9, 8}, {13, 12, 11}};
    Rig rig(IcType::Ls125, {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13}, true);
    for (int pattern = 0; pattern < 256; ++pattern) {
        std::vector<std::pair<int, int>> values;
        std::string expected;
        for (int g = 0; g < 4; ++g) {
            const int c = (pattern >> (2 * g)) & 1;
            const int a = (pattern >> (2 * g + 1)) & 1;
            values.emplace_back(gates[g][0], c);
            values.emplace_back(gates[g][1], a);
            expected += c ? 'Z' : (a ? '1' : '0');
        }
        rig.set(values);
        EXPECT_EQ(rig.read({3, 6, 8, 11}), expected) << "pattern " << pattern;
    }
    EXPECT_EQ(rig.sim().ConflictEventCount, 0);
}

TEST(TtlModels, Ls244OctalBuffer) {
    // 1G̅ 1: 1A1..1A4 on 2, 4, 6, 8 to 1Y1..1Y4 on 18, 16, 14, 12.
    // 2G̅ 19: 2A1..2A4 on 11, 13, 15, 17 to 2Y1..2Y4 on 9, 7, 5, 3.
    const std::vector<int> a = {2, 4, 6, 8, 11, 13, 15, 17};
    const std::vector<int> y = {18, 16, 14, 12, 9, 7, 5, 3};
    std::vector<int> pins = {1, 19};
    pins.insert(pins.end(), a.begin(), a.end());
    pins.insert(pins.end(), y.begin(), y.end());
    Rig rig(IcType::Ls244, pins, true);
    struct Row {
        int g1, g2, data;
        const char* y;  // 1Y1..1Y4, 2Y1..2Y4
    };
    const Row rows[] = {
        {0, 0, 0x00, "00000000"}, {0, 0, 0xFF, "11111111"}, {0, 0, 0xA5, "10100101"},
        {1, 0, 0xA5, "ZZZZ0101"}, {0, 1, 0x3C, "0011ZZZZ"}, {1, 1, 0xFF, "ZZZZZZZZ"},
        {0, 0, 0x3C, "00111100"},
    };
    for (const Row& r : rows) {
        auto values = pinsFrom(a, 0);
        for (int k = 0; k < 8; ++k) values[k].second = (r.data >> (7 - k)) & 1;  // 1A1 first
        values.emplace_back(1, r.g1);
        values.emplace_back(19, r.g2);
        rig.set(values);
        EXPECT_EQ(rig.read(y), r.y) << r.g1 << r.g2 << " " << r.data;
    }
    EXPECT_EQ(rig.sim().ConflictEventCount, 0);
}

TEST(TtlModels, Ls245Transceiver) {
    std::vector<int> pins = {1, 19};
    pins.insert(pins.end(), k245A.begin(), k245A.end());
    pins.insert(pins.end(), k245B.begin(), k245B.end());
    Rig rig(IcType::Ls245, pins, true);

    // DIR = 1, G̅ = 0: A to B; the A side is left to whoever drives it.
    rig.setByte(k245A, 0x96, {{1, 1}, {19, 0}});
    EXPECT_EQ(rig.readByte(k245B), bits(0x96, 8));
    EXPECT_EQ(rig.readByte(k245A), "ZZZZZZZZ");

    // DIR = 0: B to A. The B side is released before it is read.
    rig.setByte(k245B, 0x3C, {{1, 0}});
    EXPECT_EQ(rig.readByte(k245A), bits(0x3C, 8));
    EXPECT_EQ(rig.readByte(k245B), "ZZZZZZZZ");

    // Back to A to B: the A side is released first, so the chip never meets itself.
    rig.set({{1, 1}});
    EXPECT_EQ(rig.readByte(k245A), "ZZZZZZZZ");
    EXPECT_EQ(rig.readByte(k245B), bits(0x3C, 8));
    for (int pin : k245B) EXPECT_EQ(rig.sim().NetTable[rig.net(pin)].ActiveDrivers, 0);
    EXPECT_EQ(rig.sim().ConflictEventCount, 0);

    // G̅ = 1 isolates both sides.
    rig.set({{19, 1}});
    EXPECT_EQ(rig.readByte(k245A), "ZZZZZZZZ");
    EXPECT_EQ(rig.readByte(k245B), "ZZZZZZZZ");
    EXPECT_EQ(rig.sim().NetEventCount, 0);
}

TEST(TtlModels, Ls257Multiplexer) {
    // S 1, G̅ 15; 1A 2, 1B 3, 1Y 4; 2A 5, 2B 6, 2Y 7; 3A 11, 3B 10, 3Y 9; 4A 14, 4B 13, 4Y 12.
    const std::vector<int> a = {2, 5, 11, 14};
    const std::vector<int> b = {3, 6, 10, 13};
    const std::vector<int> y = {4, 7, 9, 12};
    Rig rig(IcType::Ls257, {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15}, true);
    struct Row {
        int s, g, a, b;  // a, b: 1A first
        const char* y;
    };
    const Row rows[] = {
        {0, 0, 0b1010, 0b0101, "1010"}, {1, 0, 0b1010, 0b0101, "0101"}, {0, 0, 0b0011, 0b1100, "0011"},
        {1, 0, 0b0011, 0b1100, "1100"}, {0, 1, 0b1111, 0b0000, "ZZZZ"}, {1, 1, 0b1111, 0b0000, "ZZZZ"},
        {1, 0, 0b1111, 0b0110, "0110"},
    };
    for (const Row& r : rows) {
        std::vector<std::pair<int, int>> values = {{1, r.s}, {15, r.g}};
        for (int k = 0; k < 4; ++k) {
            values.emplace_back(a[k], (r.a >> (3 - k)) & 1);
            values.emplace_back(b[k], (r.b >> (3 - k)) & 1);
        }
        rig.set(values);
        EXPECT_EQ(rig.read(y), r.y) << "S " << r.s << " G " << r.g;
    }
}

TEST(TtlModels, Ls273Register) {
    std::vector<int> pins = {1, 11};
    pins.insert(pins.end(), kRegisterD.begin(), kRegisterD.end());
    pins.insert(pins.end(), kRegisterQ.begin(), kRegisterQ.end());
    Rig rig(IcType::Ls273, pins, false, {{1, 1}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "00000000");

    rig.setByte(kRegisterD, 0xA5);
    EXPECT_EQ(rig.readByte(kRegisterQ), "00000000");
    rig.set({{11, 1}});  // rising edge: 8Q..1Q take 8D..1D
    EXPECT_EQ(rig.readByte(kRegisterQ), "10100101");
    rig.setByte(kRegisterD, 0x01, {{11, 0}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "10100101");  // falling edge: no change
    rig.set({{11, 1}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "00000001");

    rig.set({{1, 0}});  // CLR̅ low clears at once, without a clock
    EXPECT_EQ(rig.readByte(kRegisterQ), "00000000");
    rig.setByte(kRegisterD, 0xFF, {{11, 0}});
    rig.set({{11, 1}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "00000000");  // held clear through an edge
    rig.set({{1, 1}, {11, 0}});
    rig.set({{11, 1}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "11111111");

    // Differs from the data book on purpose: D is taken from the evaluation before
    // the edge, so a D that changes in the same settle as the clock is missed.
    rig.set({{11, 0}});
    rig.setByte(kRegisterD, 0x0F, {{11, 1}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "11111111");
    EXPECT_EQ(rig.chip().Q, 0xFF);
}

TEST(TtlModels, Ls374RegisterWithThreeStateOutputs) {
    std::vector<int> pins = {1, 11};
    pins.insert(pins.end(), kRegisterD.begin(), kRegisterD.end());
    pins.insert(pins.end(), kRegisterQ.begin(), kRegisterQ.end());
    Rig rig(IcType::Ls374, pins, true);
    // OC̅ low from the start: Q = 0 is driven and the outputs have their owner.
    EXPECT_EQ(rig.readByte(kRegisterQ), "00000000");

    rig.setByte(kRegisterD, 0xC3);
    rig.set({{11, 1}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "11000011");

    rig.set({{1, 1}});  // OC̅ high: outputs released, Q kept
    EXPECT_EQ(rig.readByte(kRegisterQ), "ZZZZZZZZ");
    rig.set({{1, 0}});  // Q unchanged, driven again
    EXPECT_EQ(rig.readByte(kRegisterQ), "11000011");

    rig.set({{1, 1}, {11, 0}});
    rig.setByte(kRegisterD, 0x5A);
    rig.set({{11, 1}});  // loads while the outputs are off
    EXPECT_EQ(rig.readByte(kRegisterQ), "ZZZZZZZZ");
    EXPECT_EQ(rig.chip().Q, 0x5A);
    rig.set({{1, 0}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "01011010");

    // Differs from the data book on purpose: D changing with the clock is missed.
    rig.set({{11, 0}});
    rig.setByte(kRegisterD, 0xFF, {{11, 1}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "01011010");
    EXPECT_EQ(rig.sim().ConflictEventCount, 0);
}

// A 74LS374 enabled from the start drives its first Q = 0, so a second enabled
// driver on its outputs is seen as a conflict rather than owning the nets alone.
TEST(TtlModels, Ls374FirstDriveOfZeroIsBooked) {
    Simulator sim;
    CircuitFixture fx(sim);
    const int reg = fx.ic(IcType::Ls374, "U1");
    const int buf = fx.ic(IcType::Ls244, "U2");
    const int q1 = fx.net("Q1");
    fx.pin(reg, 1, fx.gnd()).pin(reg, 2, q1);
    fx.pin(buf, 1, fx.gnd()).pin(buf, 2, fx.vcc()).pin(buf, 18, q1);  // 1A1 high onto Q1
    fx.build();
    fx.evaluateEveryIc();
    const NetRecord& n = sim.NetTable[q1];
    EXPECT_EQ(n.ActiveDrivers, 1);
    EXPECT_EQ(n.DriverPairs[0], reg);
    EXPECT_EQ(n.Value, 0);
    EXPECT_EQ(sim.ConflictEventCount, 1);
    EXPECT_EQ(sim.ConflictRecords[1], q1 * 65536 + 1);
}

TEST(TtlModels, Ls377RegisterWithEnable) {
    std::vector<int> pins = {1, 11};
    pins.insert(pins.end(), kRegisterD.begin(), kRegisterD.end());
    pins.insert(pins.end(), kRegisterQ.begin(), kRegisterQ.end());
    Rig rig(IcType::Ls377, pins);
    rig.setByte(kRegisterD, 0x81);
    rig.set({{11, 1}});  // G̅ low: loads
    EXPECT_EQ(rig.readByte(kRegisterQ), "10000001");

    rig.setByte(kRegisterD, 0x7E, {{11, 0}, {1, 1}});
    rig.set({{11, 1}});  // G̅ high at the edge: keeps Q
    EXPECT_EQ(rig.readByte(kRegisterQ), "10000001");

    // Differs from the data book on purpose: G̅ is taken at the edge evaluation
    // itself, while D comes from the evaluation before it.
    rig.set({{11, 0}});
    rig.set({{1, 0}, {11, 1}});
    EXPECT_EQ(rig.readByte(kRegisterQ), "01111110");
}
