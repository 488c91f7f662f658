#include "panels/memory_panel.h"

#include <algorithm>
#include <array>

#include "panels/byte_texts.h"
#include "panels/cell_entry.h"
#include "panels/pin_levels.h"
#include "panels/test_circuit.h"
#include "sim/simulator.h"

namespace panels {
namespace {

using C = PinControl;

constexpr PanelPin kRamPins[] = {
    {1, "A7", 68, C::Box, 11},      {2, "A6", 69, C::Box, 12},      {3, "A5", 70, C::Box, 13},
    {4, "A4", 71, C::Box, 14},      {5, "A3", 72, C::Box, 15},      {6, "A2", 73, C::Box, 16},
    {7, "A1", 74, C::Box, 17},      {8, "A0", 75, C::Box, 18},      {9, "D0", 86, C::Box, 19},
    {10, "D1", 85, C::Box, 20},     {11, "D2", 84, C::Box, 21},     {12, "GND", -1, C::Supply, -1},
    {13, "D3", 83, C::Box, 10},     {14, "D4", 82, C::Box, 9},      {15, "D5", 81, C::Box, 8},
    {16, "D6", 80, C::Box, 7},      {17, "D7", 79, C::Box, 6},      {18, "/CS", 76, C::Box, 5},
    {19, "A10", 65, C::Box, 4},     {20, "/CE", 77, C::Box, 3},     {21, "/WE", 78, C::Box, 2},
    {22, "A9", 66, C::Box, 1},      {23, "A8", 67, C::Box, 0},      {24, "VCC", -1, C::Supply, -1},
};
constexpr int kRamAddressBoxes[] = {4, 1, 0, 11, 12, 13, 14, 15, 16, 17, 18};
constexpr int kRamDataBoxes[] = {6, 7, 8, 9, 10, 21, 20, 19};
constexpr int32_t kRamCsNet = 76, kRamCeNet = 77, kRamWeNet = 78;

constexpr PanelPin kRomPins[] = {
    {1, "A7", 91, C::Box, 10},            {2, "A6", 92, C::Box, 11},  {3, "A5", 93, C::Box, 12},
    {4, "A4", 94, C::Box, 13},            {5, "A3", 95, C::Box, 14},  {6, "A2", 96, C::Box, 15},
    {7, "A1", 97, C::Box, 16},            {8, "A0", 98, C::Box, 17},  {9, "D0", 108, C::Box, 18},
    {10, "D1", 107, C::Box, 19},          {11, "D2", 106, C::Box, 20}, {12, "GND", -1, C::Supply, -1},
    {13, "D3", 105, C::Box, 9},           {14, "D4", 104, C::Box, 8}, {15, "D5", 103, C::Box, 7},
    {16, "D6", 102, C::Box, 6},           {17, "D7", 101, C::Box, 5}, {18, "/CE\n(PGM)", 99, C::Box, 4},
    {19, "A10", 88, C::Box, 3},           {20, "/CS\n(Vpp)", 100, C::Combo, -1},
    {21, "A11", 87, C::Box, 2},           {22, "A9", 89, C::Box, 1},  {23, "A8", 90, C::Box, 0},
    {24, "VCC", -1, C::Supply, -1},
};
constexpr int kRomAddressBoxes[] = {2, 3, 1, 0, 10, 11, 12, 13, 14, 15, 16, 17};
constexpr int kRomDataBoxes[] = {5, 6, 7, 8, 9, 20, 19, 18};
constexpr int32_t kRomCeNet = 99, kRomVppNet = 100;

const std::array<MemoryPanelTable, 2> kMemoryTables = {{
    {MemoryChip::Ram6116, "Form5", "半导体存储器部件实验_RAM6116", "RAM6116", kRamIc, recordOf(kRamIc), 2048, 22,
     kRamPins, kRamAddressBoxes, kRamDataBoxes},
    {MemoryChip::Rom2732, "Form11", "半导体存储器部件实验_ROM2732", "ROM2732", kRomIc, recordOf(kRomIc), 4096, 21,
     kRomPins, kRomAddressBoxes, kRomDataBoxes},
}};

std::u32string widen(const std::string& ascii) { return std::u32string(ascii.begin(), ascii.end()); }

}  // namespace

const MemoryPanelTable& memoryPanelTable(MemoryChip chip) { return kMemoryTables[static_cast<std::size_t>(chip)]; }

// ---- shared ----

MemoryPanel::MemoryPanel(sim::Simulator& simulator, MemoryChip chip)
    : sim_(simulator), table_(memoryPanelTable(chip)), boxes_(table_.pins, table_.boxCount, "1") {
    for (int b : table_.addressBoxes) boxes_.setText(b, "0");
}

void MemoryPanel::keyPressed(int index, char32_t key) {
    if (boxes_.keyPressed(index, key)) update();
}

bool MemoryPanel::isDataBox(int index) const {
    return std::find(table_.dataBoxes.begin(), table_.dataBoxes.end(), index) != table_.dataBoxes.end();
}

int32_t MemoryPanel::cell(int32_t address) const { return sim_.ReadIcMemory(address, table_.ic); }

std::string MemoryPanel::cellText(int32_t address) const { return panels::cellText(cell(address)); }

void MemoryPanel::commitCellEdit(int32_t address, std::u32string_view entry) {
    if (address < 0 || address >= cellCount()) return;
    if (entry != widen(cellText(address))) {
        if (const std::optional<int32_t> value = parseCellEntry(entry)) sim_.WriteIcMemory(address, *value, table_.ic);
    }
    update();
}

int32_t MemoryPanel::net(int32_t number) const { return sim_.NetTable[static_cast<std::size_t>(number)].Value; }

void MemoryPanel::storeControlBoxes() {
    for (int i = 0; i < boxes_.count(); ++i) {
        if (!isDataBox(i)) sim_.NetTable[static_cast<std::size_t>(boxes_.net(i))].Value = levelOf(boxes_.text(i));
    }
}

void MemoryPanel::storeDataBoxes() {
    for (int b : table_.dataBoxes) sim_.NetTable[static_cast<std::size_t>(boxes_.net(b))].Value = levelOf(boxes_.text(b));
}

void MemoryPanel::zeroFloatingDataBoxes() {
    for (int b : table_.dataBoxes) {
        if (boxes_.text(b) == "Hz") boxes_.setText(b, "0");
    }
}

int32_t MemoryPanel::dataBoxesByte() const {
    int32_t value = 0;
    for (int b : table_.dataBoxes) value = value * 2 + levelOf(boxText(b));
    return value;
}

int32_t MemoryPanel::addressBoxesValue() const {
    int32_t value = 0;
    for (int b : table_.addressBoxes) value = value * 2 + levelOf(boxText(b));
    return value;
}

void MemoryPanel::settle() {
    sim_.replaceQueue(table_.record);
    sim_.ToggleNetAndSettle(0, sim::kSpareNet);
}

void MemoryPanel::showDataPins(bool deselected) {
    for (int b : table_.dataBoxes) {
        const sim::NetRecord& n = sim_.NetTable[static_cast<std::size_t>(boxes_.net(b))];
        if (n.ActiveDrivers != -1) boxes_.setText(b, std::to_string(n.Value));
        else if (deselected) boxes_.setText(b, "Hz");
    }
}

// ---- 6116 ----

RamPanel::RamPanel(sim::Simulator& simulator) : MemoryPanel(simulator, MemoryChip::Ram6116) {}

void RamPanel::update() {
    storeControlBoxes();
    if (net(kRamWeNet) == 0 && net(kRamCeNet) == 0 && net(kRamCsNet) == 0) {
        zeroFloatingDataBoxes();
        storeDataBoxes();
    }
    settle();
    showDataPins(net(kRamCeNet) == 1 || net(kRamCsNet) == 1);
    redrawList();
}

// ---- 2732 ----

RomPanel::RomPanel(sim::Simulator& simulator)
    : MemoryPanel(simulator, MemoryChip::Rom2732), written_(static_cast<std::size_t>(table().cellCount), 0) {}

void RomPanel::load() {
    eraseCells();
    combo_ = "1";
    update();
}

void RomPanel::update() {
    storeControlBoxes();
    sim().NetTable[kRomVppNet].Value = vpp() ? 1 : levelOf(combo_);
    if (vpp() && net(kRomCeNet) == 0) {
        zeroFloatingDataBoxes();
        const int32_t address = addressBoxesValue();
        int32_t& flag = written_[static_cast<std::size_t>(address)];
        if (flag == 0) {
            sim().WriteIcMemory(address, dataBoxesByte(), table().ic);
            flag = 1;
        }
    }
    settle();
    // While programming, the byte being programmed stays in the boxes.
    showDataPins((!vpp() && net(kRomVppNet) == 1) || net(kRomCeNet) == 1);
    redrawList();
}

void RomPanel::comboKeyPressed(char32_t key) {
    combo_ = key == U'0' ? "0" : (key == U'v' || key == U'V') ? "Vpp" : "1";
    update();
}

void RomPanel::comboChosen(std::string_view item) {
    combo_ = std::string(item);
    update();
}

void RomPanel::erase() {
    eraseCells();
    update();
}

void RomPanel::eraseCells() {
    for (int32_t a = 0; a < cellCount(); ++a) sim().WriteIcMemory(a, 255, table().ic);
    std::fill(written_.begin(), written_.end(), 0);
}

int32_t RomPanel::writtenFlag(int32_t address) const {
    return address >= 0 && address < cellCount() ? written_[static_cast<std::size_t>(address)] : 0;
}

std::string RomPanel::writtenText(int32_t address) const { return writtenFlag(address) == 1 ? "已写" : "未写"; }

}  // namespace panels
