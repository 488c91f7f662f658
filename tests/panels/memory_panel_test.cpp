// The memory panels' controllers: the cell entries, reading and writing the
// 6116 through its pins, programming and erasing the 2732, and list edits.
#include "panels/byte_texts.h"
#include "panels/cell_entry.h"
#include "panels/memory_panel.h"
#include "panels/test_circuit.h"
#include "role_net.h"
#include "sim/pin_table.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace panels {
namespace {

TEST(CellEntry, SuffixesPickTheBaseAndTheLastDigitsCount) {
    struct Case { std::u32string entry; std::optional<int32_t> value; };
    const Case cases[] = {
        {U"FFH", 255},   {U"1FFH", 255},  {U"ffh", 255},     {U"0AH", 10},      {U"HHH", 0},
        {U"12345", 345}, {U"7", 7},       {U"999", 999},     {U"1A", 1},        {U"A", 0},     {U"E5", 0},
        {U"101B", 5},    {U"101b", 5},    {U"2B", 2},        {U"21B", 5},       {U"111111111B", 255},
        {U"1E2", 100},   {U"1D2", 100},   {U"1E", 1},        {U"2E9", 2000000000},
        {U"H", std::nullopt}, {U"b", std::nullopt}, {U"", std::nullopt}, {U"9E9", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseCellEntry(c.entry), c.value) << std::string(c.entry.begin(), c.entry.end());
    }
}

TEST(MemoryPanelTables, EveryPinSitsOnTheNetOfItsChipsRole) {
    PanelCircuit circuit;
    for (MemoryChip chip : {MemoryChip::Ram6116, MemoryChip::Rom2732}) {
        const MemoryPanelTable& t = memoryPanelTable(chip);
        SCOPED_TRACE(std::string(t.chipName));
        const sim::IcRecord& ic = circuit.simulator().IcTable[t.ic];
        const sim::PinTable& pins = sim::pinTable(ic.Type);
        ASSERT_EQ(static_cast<int>(t.pins.size()), pins.pinCount);
        for (const PanelPin& p : t.pins) {
            SCOPED_TRACE(p.pin);
            EXPECT_EQ(p.net, roleNet(ic, pins.roles[static_cast<std::size_t>(p.pin)]));
        }
        // The byte's boxes are the data pins, D7 first; the address boxes the address inputs, top bit first.
        for (std::size_t k = 0; k < t.dataBoxes.size(); ++k) {
            const int32_t dataNet = chip == MemoryChip::Ram6116 ? ic.BidirNets[k] : ic.OutputNets[k];
            EXPECT_EQ(findBox(t.pins, t.dataBoxes[k])->net, dataNet);
        }
        for (std::size_t k = 0; k < t.addressBoxes.size(); ++k) EXPECT_EQ(findBox(t.pins, t.addressBoxes[k])->net, ic.InputNets[k]);
    }
}

struct MemoryFixture : ::testing::Test {
    PanelCircuit circuit;
    sim::Simulator& sim = circuit.simulator();
    int redraws = 0;

    template <class Panel>
    void open(Panel& panel) {
        panel.listChanged = [this] { ++redraws; };
        panel.load();
    }
    static void set(MemoryPanel& panel, std::initializer_list<std::pair<int, int>> levels) {
        for (auto [box, level] : levels) panel.keyPressed(box, level ? U'1' : U'0');
    }
    static std::vector<std::string> data(const MemoryPanel& panel) {
        std::vector<std::string> out;
        for (int b : panel.table().dataBoxes) out.push_back(panel.boxText(b));
        return out;
    }
    static std::vector<std::string> bits(int value) {
        std::vector<std::string> out;
        for (int bit = 7; bit >= 0; --bit) out.push_back(std::to_string((value >> bit) & 1));
        return out;
    }
};

using Texts = std::vector<std::string>;

// 6116 boxes: A0 18, /CS 5, /CE 3, /WE 2, D7..D0 6..10, 21, 20, 19.
TEST_F(MemoryFixture, RamReadsWritesBackAndFollowsItsDataBoxes) {
    RamPanel ram(sim);
    sim.WriteIcMemory(0, 0x5A, kRamIc);
    sim.WriteIcMemory(1, 0x81, kRamIc);
    open(ram);
    EXPECT_EQ(data(ram), Texts(8, "Hz"));  // /CS = /CE = /WE = 1
    EXPECT_EQ(ram.boxText(18), "0");
    EXPECT_EQ(redraws, 1);

    set(ram, {{5, 0}, {3, 0}});
    EXPECT_EQ(data(ram), bits(0x5A));
    set(ram, {{18, 1}});
    EXPECT_EQ(data(ram), bits(0x81));
    set(ram, {{3, 1}});  // /CE alone deselects the chip after a read
    EXPECT_EQ(data(ram), Texts(8, "Hz"));
    set(ram, {{3, 0}});
    EXPECT_EQ(data(ram), bits(0x81));
    set(ram, {{18, 0}, {2, 0}});  // /WE = 0: the shown byte goes back into its cell
    EXPECT_EQ(data(ram), bits(0x5A));
    EXPECT_EQ(ram.cell(0), 0x5A);
    set(ram, {{19, 1}});
    EXPECT_EQ(ram.cell(0), 0x5B);
    EXPECT_EQ(ram.cellText(0), "91/05BH/0'0101'1011B");
    set(ram, {{18, 1}});  // the next address takes the same byte at once
    EXPECT_EQ(ram.cell(1), 0x5B);

    set(ram, {{5, 1}});
    EXPECT_EQ(data(ram), Texts(8, "Hz"));
    set(ram, {{6, 0}});  // a key in a data box changes nothing visible
    EXPECT_EQ(data(ram), Texts(8, "Hz"));
    EXPECT_EQ(ram.cell(1), 0x5B);

    // A write needs /CE low too; with it back, floating boxes are written as 0.
    set(ram, {{3, 1}, {5, 0}});
    EXPECT_EQ(data(ram), Texts(8, "Hz"));
    EXPECT_EQ(ram.cell(1), 0x5B);
    set(ram, {{3, 0}});
    EXPECT_EQ(data(ram), Texts(8, "0"));
    EXPECT_EQ(ram.cell(1), 0);
    EXPECT_EQ(sim.report().fanoutFallbacks, 0);
}

// 2732 boxes: A0 17, /CE (PGM) 4, D7..D0 5..9, 20, 19, 18; Combo1 on /CS (Vpp).
TEST_F(MemoryFixture, RomProgramsOnceUntilErasedAndReadsOut) {
    RomPanel rom(sim);
    sim.WriteIcMemory(7, 0x12, kRomIc);
    open(rom);
    EXPECT_EQ(rom.comboText(), "1");
    EXPECT_EQ(data(rom), Texts(8, "Hz"));
    for (int32_t a : {0, 7, 4095}) {
        EXPECT_EQ(rom.cellText(a), "255/0FFH/0'1111'1111B");
        EXPECT_EQ(rom.writtenText(a), "未写");
    }

    rom.comboKeyPressed(U'V');
    EXPECT_EQ(rom.comboText(), "Vpp");
    EXPECT_EQ(data(rom), Texts(8, "Hz"));  // /CE (PGM) = 1: nothing programmed
    EXPECT_EQ(rom.writtenFlag(0), 0);
    set(rom, {{4, 0}});                    // programs cell 0 with the floating boxes, as 0
    EXPECT_EQ(data(rom), Texts(8, "0"));
    EXPECT_EQ(rom.cell(0), 0);
    EXPECT_EQ(rom.writtenText(0), "已写");
    set(rom, {{5, 1}, {18, 1}});            // shown, but the cell keeps its byte
    EXPECT_EQ(data(rom), bits(0x81));
    EXPECT_EQ(rom.cell(0), 0);
    set(rom, {{17, 1}});                    // a fresh address takes the boxes' byte
    EXPECT_EQ(rom.cell(1), 0x81);
    EXPECT_EQ(rom.writtenFlag(1), 1);
    EXPECT_EQ(rom.writtenFlag(2), 0);

    rom.comboChosen("0");
    EXPECT_EQ(data(rom), bits(0x81));
    set(rom, {{17, 0}});
    EXPECT_EQ(data(rom), bits(0));
    set(rom, {{4, 1}});
    EXPECT_EQ(data(rom), Texts(8, "Hz"));
    set(rom, {{4, 0}});
    rom.comboKeyPressed(U'x');
    EXPECT_EQ(rom.comboText(), "1");
    EXPECT_EQ(data(rom), Texts(8, "Hz"));
    rom.comboKeyPressed(U'0');
    EXPECT_EQ(rom.comboText(), "0");

    const int before = redraws;
    rom.erase();
    EXPECT_EQ(redraws, before + 1);
    for (int32_t a : {0, 1, 4095}) {
        EXPECT_EQ(rom.cellText(a), "255/0FFH/0'1111'1111B");
        EXPECT_EQ(rom.writtenText(a), "未写");
    }
    EXPECT_EQ(data(rom), bits(255));
    EXPECT_EQ(sim.report().fanoutFallbacks, 0);
}

TEST_F(MemoryFixture, ListEditsStoreStraightIntoTheCell) {
    RomPanel rom(sim);
    open(rom);
    rom.comboKeyPressed(U'v');
    set(rom, {{4, 0}});  // cell 0 programmed and marked
    ASSERT_EQ(rom.writtenFlag(0), 1);
    rom.comboKeyPressed(U'1');

    const int before = redraws;
    rom.commitCellEdit(0, U"5AH");  // no "Vpp", a written cell: stored all the same
    EXPECT_EQ(rom.cell(0), 0x5A);
    EXPECT_EQ(rom.writtenFlag(0), 1);
    EXPECT_EQ(redraws, before + 1);
    rom.commitCellEdit(3, U"12345");
    EXPECT_EQ(rom.cellText(3), "345/0159H/0'0101'1001B");
    EXPECT_EQ(rom.writtenFlag(3), 0);

    // An entry left as the cell shows it, or giving no number, keeps the cell.
    rom.commitCellEdit(3, U"345/0159H/0'0101'1001B");
    rom.commitCellEdit(3, U"H");
    rom.commitCellEdit(3, U"9E9");
    EXPECT_EQ(rom.cell(3), 345);
    rom.commitCellEdit(4096, U"1");  // no such row
    rom.commitCellEdit(-1, U"1");
    EXPECT_EQ(sim.IcTable[kRomIc].Memory.size(), 4096u);

    RamPanel ram(sim);
    open(ram);
    ram.commitCellEdit(2047, U"101B");
    EXPECT_EQ(ram.cell(2047), 5);
    EXPECT_EQ(ram.cellCount(), 2048);
    EXPECT_FALSE(ram.hasWrittenColumn());
}

}  // namespace
}  // namespace panels
