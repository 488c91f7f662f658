// The four GAL20V8 programs, each against its table.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sim/model_rig.h"

using namespace sim;
using namespace simtest;

namespace {

struct GalRig {
    std::unique_ptr<Simulator> owner = std::make_unique<Simulator>();
    Simulator& sim = *owner;
    CircuitFixture fx{sim};
    Chip chip;

    explicit GalRig(IcType type, const std::vector<std::pair<std::string, int>>& shared = {}) {
        chip = addChip(fx, type, "GAL", shared);
    }
    void build() {
        fx.build();
        fx.evaluateEveryIc();
        sim.resetConflictCounters();
    }
    int in(int role) const { return chip.in[role]; }
    int out(int role) const { return sim.NetTable[chip.out[role]].Value; }
    std::string outputs() const { return levels(sim, chip.out); }
    void clock() {
        apply(sim, {{in(0), 1}});
        apply(sim, {{in(0), 0}});
    }
};

}  // namespace

TEST(GalModels, Gal1RegisterWithModeDecoder) {
    GalRig rig(IcType::Gal20V8_1);
    rig.build();
    const std::vector<int> mode = {rig.in(1), rig.in(2), rig.in(3)};
    const std::vector<int> load4 = {rig.in(4), rig.in(5), rig.in(6), rig.in(7)};
    const std::vector<int> load8 = {rig.in(8), rig.in(9), rig.in(10), rig.in(11)};
    const std::vector<int> serial = {rig.in(12), rig.in(13), rig.in(14)};
    struct Step {
        int mode, load4, load8, serial;
        const char* after;  // OUT 0..3 after the next rising edge
    };
    const Step steps[] = {
        {1, 0b0000, 0b1010, 0b000, "1010"},  // load IN 8..11
        {2, 0b0110, 0b0000, 0b000, "0110"},  // load IN 4..7
        {4, 0b0000, 0b0000, 0b000, "1110"},  // OUT 0 := 1, the others keep their next values
        {3, 0b0000, 0b0000, 0b000, "0110"},  // OUT 0 := 0
        {5, 0b0000, 0b0000, 0b100, "1110"},  // OUT 0 := IN 12
        {6, 0b0000, 0b0000, 0b100, "0110"},  // OUT 0 := IN 13
        {7, 0b0000, 0b0000, 0b001, "1110"},  // OUT 0 := IN 14
        {0, 0b1111, 0b0101, 0b000, "1110"},  // hold
        {0, 0b0000, 0b0000, 0b111, "1110"},
    };
    for (const Step& s : steps) {
        setValue(rig.sim, mode, s.mode);
        setValue(rig.sim, load4, s.load4);
        setValue(rig.sim, load8, s.load8);
        setValue(rig.sim, serial, s.serial);
        settle(rig.sim);
        rig.clock();
        EXPECT_EQ(rig.outputs(), s.after) << "mode " << s.mode;
    }

    // The outputs change only at an edge.
    setValue(rig.sim, load8, 0b0001);
    setValue(rig.sim, mode, 1);
    settle(rig.sim);
    EXPECT_EQ(rig.outputs(), "1110");
    // Deliberate: hold keeps the next values last worked out, so the load seen
    // only between edges still reaches the outputs.
    setValue(rig.sim, mode, 0);
    settle(rig.sim);
    rig.clock();
    EXPECT_EQ(rig.outputs(), "0001");
}

TEST(GalModels, Gal2ConditionSelect) {
    GalRig rig(IcType::Gal20V8_2);
    rig.build();
    const std::vector<int> conditions = Chip::slice(rig.chip.in, 4, 8);  // IN 4..11
    const std::vector<int> polarity = {rig.in(12), rig.in(13), rig.in(14)};
    // The input each select shows inverted; -1 shows 0, -2 shows 1, 16 the WAIT flip-flop.
    const int source[14] = {-1, -1, -2, -2, 8, 4, 9, 5, 10, 6, 16, 7, 11, 11};
    for (int s = 0; s < 16; ++s) {
        setValue(rig.sim, {rig.in(1), rig.in(2), rig.in(3), rig.in(15)}, s);
        for (int c = 0; c < 256; ++c) {
            setValue(rig.sim, conditions, c);
            auto condition = [&](int input) { return (c >> (11 - input)) & 1; };
            for (int t = 0; t < (s >= 14 ? 8 : 1); ++t) {
                setValue(rig.sim, polarity, t);
                settle(rig.sim);
                int expected = 0;
                if (s >= 14) {
                    expected = t < 4 ? 1 - condition(4 + t) : condition(t);
                } else if (source[s] == -2) {
                    expected = 1;
                } else if (source[s] == 16) {
                    expected = 1 - rig.sim.IcTable[rig.chip.ic].Wait;
                } else if (source[s] >= 0) {
                    expected = 1 - condition(source[s]);
                }
                ASSERT_EQ(rig.out(0), expected) << "select " << s << " conditions " << c << " t " << t;
            }
        }
    }
}

TEST(GalModels, Gal2WaitFlipFlopTakesItsInputAtTheEdge) {
    GalRig rig(IcType::Gal20V8_2);
    rig.build();
    setValue(rig.sim, {rig.in(1), rig.in(2), rig.in(3), rig.in(15)}, 10);
    apply(rig.sim, {{rig.in(16), 1}});
    EXPECT_EQ(rig.out(0), 1);  // WAIT still 0
    rig.clock();
    EXPECT_EQ(rig.out(0), 0);
    // Changed in the same settle as the edge, the input misses it.
    apply(rig.sim, {{rig.in(16), 0}, {rig.in(0), 1}});
    EXPECT_EQ(rig.out(0), 0);
    apply(rig.sim, {{rig.in(0), 0}});
    rig.clock();
    EXPECT_EQ(rig.out(0), 1);
}

TEST(GalModels, Gal3Outputs) {
    GalRig rig(IcType::Gal20V8_3);
    rig.build();
    const std::vector<int> inputs = Chip::slice(rig.chip.in, 3, 8);  // IN 3..10
    for (int v = 0; v < 256; ++v) {
        setValue(rig.sim, inputs, v);
        settle(rig.sim);
        auto in = [&](int k) { return (v >> (10 - k)) & 1; };
        const int out2Select = 2 * in(3) + in(4);
        std::string expected;
        if (in(5) == 0 && in(6) == 0 && in(7) == 0) {
            const int out2[4] = {0, 1, in(10), 0};
            expected = bits(in(9), 1) + bits(in(8), 1) + bits(out2[out2Select], 1);
        } else if (in(5) == 0 && in(6) != in(7)) {
            const int out2[4] = {1, 0, 1 - in(10), 0};
            expected = bits(in(9), 1) + bits(1 - in(8), 1) + bits(out2[out2Select], 1);
        } else {
            expected = "000";
        }
        ASSERT_EQ(rig.outputs(), expected) << "IN 3..10 " << bits(v, 8);
    }
}

namespace {

// A GAL20V8_3 whose four port lines each share a net with a 74LS125 gate, so
// released lines show "Z" and a line can be given a value from outside.
struct PortRig {
    std::unique_ptr<Simulator> owner = std::make_unique<Simulator>();
    Simulator& sim = *owner;
    CircuitFixture fx{sim};
    Chip gal = addChip(fx, IcType::Gal20V8_3, "GAL");
    Chip feed = addChip(fx, IcType::Ls125, "FEED", {{"o0", gal.bi[0]}, {"o1", gal.bi[1]}, {"o2", gal.bi[2]}, {"o3", gal.bi[3]}});

    PortRig() {
        fx.build();
        for (int k = 0; k < 4; ++k) preset(sim, {{feed.in[k], 1}});
        fx.evaluateEveryIc();
        sim.resetConflictCounters();
    }
};

}  // namespace

TEST(GalModels, Gal3Port) {
    struct Row {
        int direction, function;
        int fedLine, fedValue;  // a line the 74LS125 drives, -1 none
        const char* port;       // BI 0..3
    };
    // IN 8 = 0, IN 9 = 1, IN 10 = 1, IN 11 = 0; IN 5..7 = 0, so OUT 1 = IN 8 = 0.
    const Row rows[] = {
        {0, 0, -1, 0, "00ZZ"},
        {0, 1, -1, 0, "10ZZ"},
        {0, 2, 2, 1, "011Z"},  // OUT 1, then BI 2 as the other driver leaves it
        {0, 3, 2, 0, "100Z"},  // IN 9 Xor IN 11, then BI 2
        {1, 0, -1, 0, "ZZ00"},
        {1, 1, -1, 0, "ZZ10"},
        {1, 2, 1, 1, "Z111"},  // BI 1, then Not IN 11
        {1, 3, -1, 0, "ZZ00"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "IN 0 " << r.direction << " IN 1..2 " << r.function);
        PortRig rig;
        if (r.fedLine >= 0) {
            rig.sim.SetNetValue(r.fedValue, rig.feed.in[4 + r.fedLine]);
            rig.sim.SetNetValue(0, rig.feed.in[r.fedLine]);
        }
        setValue(rig.sim, {rig.gal.in[8], rig.gal.in[9], rig.gal.in[10], rig.gal.in[11]}, 0b0110);
        setValue(rig.sim, {rig.gal.in[1], rig.gal.in[2]}, r.function);
        apply(rig.sim, {{rig.gal.in[0], r.direction}});
        EXPECT_EQ(levels(rig.sim, rig.gal.bi), r.port);
        EXPECT_EQ(rig.sim.ConflictEventCount, 0);
    }
}

TEST(GalModels, Gal3PortReleasesBeforeItDrives) {
    // BI 1 and BI 2 on one line, BI 0 and BI 3 on another: if a direction change
    // drove before releasing, the release would take the GAL's own drive away.
    std::unique_ptr<Simulator> owner = std::make_unique<Simulator>();
    Simulator& sim = *owner;
    CircuitFixture fx(sim);
    const int x = fx.net("X"), y = fx.net("Y");
    Chip gal = addChip(fx, IcType::Gal20V8_3, "GAL", {{"b0", y}, {"b1", x}, {"b2", x}, {"b3", y}});
    Chip other = addChip(fx, IcType::Ls125, "OTHER", {{"o0", x}, {"o1", y}});
    fx.build();
    preset(sim, {{other.in[0], 1}, {other.in[1], 1}});
    fx.evaluateEveryIc();
    setValue(sim, {gal.in[1], gal.in[2]}, 1);  // BI 0 / BI 2 := IN 10, BI 1 / BI 3 := 0
    apply(sim, {{gal.in[10], 1}});
    EXPECT_EQ(levels(sim, {x, y}), "01");
    apply(sim, {{gal.in[0], 1}});
    EXPECT_EQ(levels(sim, {x, y}), "10");
    apply(sim, {{gal.in[0], 0}});
    EXPECT_EQ(levels(sim, {x, y}), "01");
    EXPECT_EQ(sim.NetTable[x].DriverPairs[0], gal.ic);
}

TEST(GalModels, Gal4) {
    GalRig rig(IcType::Gal20V8_4);
    rig.build();
    for (int v = 0; v < 16; ++v) {
        setValue(rig.sim, rig.chip.in, v);  // IN 0 the top bit
        settle(rig.sim);
        const int in0 = v >> 3 & 1, in1 = v >> 2 & 1, in2 = v >> 1 & 1, in3 = v & 1;
        const int out0 = in1 ? 1 : in0;
        const int out1 = (in0 == 0 && in1 == 0) ? (in2 | in3) : 0;
        EXPECT_EQ(rig.outputs(), bits(out0, 1) + bits(out1, 1)) << "IN 0..3 " << bits(v, 4);
    }
}
