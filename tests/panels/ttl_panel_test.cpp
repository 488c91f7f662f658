// The TTL panels' controllers on the panels' own test circuit.
#include "panels/byte_texts.h"
#include "panels/test_circuit.h"
#include "panels/ttl_panel.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace panels {
namespace {

struct TtlFixture : ::testing::Test {
    PanelCircuit circuit;
    sim::Simulator& sim = circuit.simulator();

    TtlPanel open(TtlChip chip) {
        TtlPanel panel(sim, chip);
        panel.load();
        return panel;
    }
    // Types each level into its box, "0" or "1".
    static void set(TtlPanel& panel, std::initializer_list<std::pair<int, int>> levels) {
        for (auto [box, level] : levels) panel.keyPressed(box, level ? U'1' : U'0');
    }
    static std::vector<std::string> labels(const TtlPanel& panel, std::initializer_list<int> numbers) {
        std::vector<std::string> out;
        for (int n : numbers) out.push_back(panel.labelText(n));
        return out;
    }
};

using Texts = std::vector<std::string>;

TEST_F(TtlFixture, OnlyTheDigitZeroGivesZero) {
    TtlPanel panel = open(TtlChip::Ls00);
    for (char32_t key : {U'1', U'a', U'Z', U'\b', U'\r', U'\x1b', U' ', U'中', U'0'}) {
        panel.keyPressed(4, U'0');
        panel.keyPressed(4, key);
        EXPECT_EQ(panel.boxText(4), key == U'0' ? "0" : "1") << static_cast<uint32_t>(key);
    }
    panel.keyPressed(99, U'0');  // no such box: nothing happens
    EXPECT_EQ(panel.boxCount(), 8);
}

TEST_F(TtlFixture, Ls00ShowsTheNandOfEachGatesBoxes) {
    TtlPanel panel(sim, TtlChip::Ls00);
    EXPECT_EQ(labels(panel, {18, 19, 17, 16}), Texts({"1", "1", "1", "1"}));  // captions before the first settle
    panel.load();
    EXPECT_EQ(labels(panel, {18, 19, 17, 16}), Texts({"0", "0", "0", "0"}));

    struct Gate { int a, b, label; };
    for (Gate g : {Gate{4, 5, 18}, Gate{6, 7, 19}, Gate{3, 2, 17}, Gate{1, 0, 16}}) {
        for (int a = 0; a <= 1; ++a) {
            for (int b = 0; b <= 1; ++b) {
                set(panel, {{g.a, a}, {g.b, b}});
                EXPECT_EQ(panel.labelText(g.label), (a && b) ? "0" : "1") << g.label << ' ' << a << b;
            }
        }
        set(panel, {{g.a, 1}, {g.b, 1}});
    }
    EXPECT_EQ(labels(panel, {18, 19, 17, 16}), Texts({"0", "0", "0", "0"}));
}

TEST_F(TtlFixture, Ls138PullsOnlyTheSelectedOutputLowWhileEnabled) {
    TtlPanel panel = open(TtlChip::Ls138);
    // Boxes: 0 A, 1 B, 2 C, 3 /G2A, 4 /G2B, 5 G1; labels 18..25 are /Y0../Y7.
    const std::initializer_list<int> y = {18, 19, 20, 21, 22, 23, 24, 25};
    EXPECT_EQ(labels(panel, y), Texts(8, "1"));  // opened with /G2A = /G2B = 1
    set(panel, {{3, 0}, {4, 0}, {5, 1}});
    for (int s = 0; s < 8; ++s) {
        set(panel, {{0, s & 1}, {1, (s >> 1) & 1}, {2, (s >> 2) & 1}});
        Texts expected(8, "1");
        expected[static_cast<std::size_t>(s)] = "0";
        EXPECT_EQ(labels(panel, y), expected) << "CBA " << s;
    }
    for (auto disable : {std::pair{5, 0}, std::pair{3, 1}, std::pair{4, 1}}) {
        set(panel, {{3, 0}, {4, 0}, {5, 1}, disable});
        EXPECT_EQ(labels(panel, y), Texts(8, "1")) << disable.first;
    }
}

TEST_F(TtlFixture, Ls244OutputsFollowTheirInputsOrShowHzPerHalf) {
    TtlPanel panel = open(TtlChip::Ls244);
    // 1Y0..1Y3 (Label18..21) from 1A0..1A3 (boxes 6..9) under /OC1 (box 5);
    // 2Y0..2Y3 (Label25..22) from 2A0..2A3 (boxes 4..1) under /OC2 (box 0).
    const std::initializer_list<int> half1 = {18, 19, 20, 21};
    const std::initializer_list<int> half2 = {25, 24, 23, 22};
    EXPECT_EQ(labels(panel, half1), Texts(4, "Hz"));
    EXPECT_EQ(labels(panel, half2), Texts(4, "Hz"));

    set(panel, {{5, 0}, {6, 0}, {7, 1}, {8, 0}, {9, 1}});
    EXPECT_EQ(labels(panel, half1), Texts({"0", "1", "0", "1"}));
    EXPECT_EQ(labels(panel, half2), Texts(4, "Hz"));

    set(panel, {{0, 0}, {4, 1}, {3, 1}, {2, 0}, {1, 0}});
    EXPECT_EQ(labels(panel, half2), Texts({"1", "1", "0", "0"}));

    set(panel, {{5, 1}});
    EXPECT_EQ(labels(panel, half1), Texts(4, "Hz"));
    EXPECT_EQ(labels(panel, half2), Texts({"1", "1", "0", "0"}));
    // Driven with 0 right after a release: the first drive of 0 still counts as a driver.
    set(panel, {{6, 0}, {5, 0}});
    EXPECT_EQ(panel.labelText(18), "0");
}

TEST_F(TtlFixture, Ls374LatchesOnARisingCpOnlyAndShowsItsRegister) {
    TtlPanel panel(sim, TtlChip::Ls374);
    EXPECT_EQ(panel.labelText(kRegisterLabel), "0FFH/0'1111'1111B");
    panel.load();
    // Opened with every box at 1: CP's first 1 counts as an edge and loads the D inputs seen before (0).
    EXPECT_EQ(panel.labelText(kRegisterLabel), "000H/0'0000'0000B");
    const std::initializer_list<int> q = {18, 19, 20, 21, 25, 24, 23, 22};  // Q7..Q0
    EXPECT_EQ(labels(panel, q), Texts(8, "Hz"));                             // /OC = 1

    // D7..D0 are boxes 0, 1, 2, 3, 9, 8, 7, 6; CP box 4; /OC box 5.
    auto setD = [&](int byte) {
        const int boxes[] = {0, 1, 2, 3, 9, 8, 7, 6};
        for (int bit = 0; bit < 8; ++bit) set(panel, {{boxes[bit], (byte >> (7 - bit)) & 1}});
    };
    setD(0xA5);
    set(panel, {{4, 1}});  // CP already 1: no edge
    EXPECT_EQ(panel.labelText(kRegisterLabel), "000H/0'0000'0000B");
    set(panel, {{4, 0}, {4, 1}});
    EXPECT_EQ(panel.labelText(kRegisterLabel), "0A5H/0'1010'0101B");
    EXPECT_EQ(labels(panel, q), Texts(8, "Hz"));
    set(panel, {{5, 0}});
    EXPECT_EQ(labels(panel, q), Texts({"1", "0", "1", "0", "0", "1", "0", "1"}));

    setD(0x05);
    EXPECT_EQ(labels(panel, q), Texts({"1", "0", "1", "0", "0", "1", "0", "1"}));
    set(panel, {{4, 1}});
    EXPECT_EQ(panel.labelText(kRegisterLabel), "0A5H/0'1010'0101B");
    set(panel, {{4, 0}, {4, 1}});
    EXPECT_EQ(labels(panel, q), Texts({"0", "0", "0", "0", "0", "1", "0", "1"}));
    EXPECT_EQ(panel.labelText(kRegisterLabel), "005H/0'0000'0101B");

    // With the outputs off the register still follows CP.
    set(panel, {{5, 1}});
    setD(0xFF);
    set(panel, {{4, 0}, {4, 1}});
    EXPECT_EQ(labels(panel, q), Texts(8, "Hz"));
    EXPECT_EQ(panel.labelText(kRegisterLabel), "0FFH/0'1111'1111B");
}

TEST(ByteTexts, RegisterCellAndRowFormats) {
    struct Case { int32_t value; const char* reg; const char* cell; };
    for (Case c : {Case{255, "0FFH/0'1111'1111B", "255/0FFH/0'1111'1111B"},
                   Case{5, "005H/0'0000'0101B", "5/005H/0'0000'0101B"},
                   Case{0, "000H/0'0000'0000B", "0/000H/0'0000'0000B"},
                   Case{16, "010H/0'0001'0000B", "16/010H/0'0001'0000B"},
                   Case{15, "00FH/0'0000'1111B", "15/00FH/0'0000'1111B"},
                   Case{999, "03E7H/0'1110'0111B", "999/03E7H/0'1110'0111B"}}) {
        EXPECT_EQ(registerText(c.value), c.reg);
        EXPECT_EQ(cellText(c.value), c.cell);
    }
    EXPECT_EQ(rowText(0), "0H:0");
    EXPECT_EQ(rowText(10), "AH:10");
    EXPECT_EQ(rowText(2047), "7FFH:2047");
    EXPECT_EQ(rowText(4095), "FFFH:4095");
}

TEST_F(TtlFixture, RecordsOthersLeftQueuedAreDroppedButStayQueueable) {
    TtlPanel nand = open(TtlChip::Ls00);
    TtlPanel decoder = open(TtlChip::Ls138);
    // Someone selects /Y0 straight in the decoder's nets, queues its record and leaves it unsettled.
    for (int32_t net : {15, 16, 17, 18, 19}) sim.NetTable[net].Value = 0;
    sim.schedule(recordOf(kLs138Ic));
    nand.keyPressed(4, U'0');
    EXPECT_EQ(nand.labelText(18), "1");
    EXPECT_EQ(sim.NetTable[28].Value, 1);                         // the decoder was not evaluated ...
    EXPECT_EQ(sim.FanoutTable[recordOf(kLs138Ic)].Unqueued, -1);  // ... and can be queued again
    sim.schedule(recordOf(kLs138Ic));
    sim.ToggleNetAndSettle(0, sim::kSpareNet);
    EXPECT_EQ(sim.NetTable[28].Value, 0);
    EXPECT_EQ(sim.report().fanoutFallbacks, 0);
}

}  // namespace
}  // namespace panels
