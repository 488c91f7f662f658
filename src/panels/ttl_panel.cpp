#include "panels/ttl_panel.h"

#include <array>

#include "panels/byte_texts.h"
#include "panels/pin_levels.h"
#include "panels/test_circuit.h"
#include "sim/simulator.h"

namespace panels {
namespace {

using C = PinControl;

constexpr PanelPin kLs00Pins[] = {
    {1, "A1", 3, C::Box, 4},      {2, "B1", 4, C::Box, 5},      {3, "Y1", 11, C::Label, 18},
    {4, "A2", 5, C::Box, 6},      {5, "B2", 6, C::Box, 7},      {6, "Y2", 12, C::Label, 19},
    {7, "GND", -1, C::Supply, -1}, {8, "Y3", 13, C::Label, 17}, {9, "A3", 7, C::Box, 3},
    {10, "B3", 8, C::Box, 2},     {11, "Y4", 14, C::Label, 16}, {12, "A4", 9, C::Box, 1},
    {13, "B4", 10, C::Box, 0},    {14, "VCC", -1, C::Supply, -1},
};

constexpr PanelPin kLs138Pins[] = {
    {1, "A", 17, C::Box, 0},        {2, "B", 16, C::Box, 1},         {3, "C", 15, C::Box, 2},
    {4, "/G2A", 18, C::Box, 3},     {5, "/G2B", 19, C::Box, 4},      {6, "G1", 20, C::Box, 5},
    {7, "/Y7", 21, C::Label, 25},   {8, "GND", -1, C::Supply, -1},   {9, "/Y6", 22, C::Label, 24},
    {10, "/Y5", 23, C::Label, 23},  {11, "/Y4", 24, C::Label, 22},   {12, "/Y3", 25, C::Label, 21},
    {13, "/Y2", 26, C::Label, 20},  {14, "/Y1", 27, C::Label, 19},   {15, "/Y0", 28, C::Label, 18},
    {16, "VCC", -1, C::Supply, -1},
};

// The panel numbers each half's pins from 0 (1A0 is the datasheet's 1A1, pin 2).
constexpr PanelPin kLs244Pins[] = {
    {1, "/OC1", 29, C::Box, 5},     {2, "1A0", 34, C::Box, 6},       {3, "2Y3", 39, C::Label, 22},
    {4, "1A1", 33, C::Box, 7},      {5, "2Y2", 40, C::Label, 23},    {6, "1A2", 32, C::Box, 8},
    {7, "2Y1", 41, C::Label, 24},   {8, "1A3", 31, C::Box, 9},       {9, "2Y0", 42, C::Label, 25},
    {10, "GND", -1, C::Supply, -1}, {11, "2A0", 38, C::Box, 4},      {12, "1Y3", 43, C::Label, 21},
    {13, "2A1", 37, C::Box, 3},     {14, "1Y2", 44, C::Label, 20},   {15, "2A2", 36, C::Box, 2},
    {16, "1Y1", 45, C::Label, 19},  {17, "2A3", 35, C::Box, 1},      {18, "1Y0", 46, C::Label, 18},
    {19, "/OC2", 30, C::Box, 0},    {20, "VCC", -1, C::Supply, -1},
};

constexpr PanelPin kLs374Pins[] = {
    {1, "/OC", 47, C::Box, 5},      {2, "Q0", 64, C::Label, 22},     {3, "D0", 55, C::Box, 6},
    {4, "D1", 54, C::Box, 7},       {5, "Q1", 63, C::Label, 23},     {6, "Q2", 62, C::Label, 24},
    {7, "D2", 53, C::Box, 8},       {8, "D3", 52, C::Box, 9},        {9, "Q3", 61, C::Label, 25},
    {10, "GND", -1, C::Supply, -1}, {11, "CP", 56, C::Box, 4},       {12, "Q4", 60, C::Label, 21},
    {13, "D4", 51, C::Box, 3},      {14, "D5", 50, C::Box, 2},       {15, "Q5", 59, C::Label, 20},
    {16, "Q6", 58, C::Label, 19},   {17, "D6", 49, C::Box, 1},       {18, "D7", 48, C::Box, 0},
    {19, "Q7", 57, C::Label, 18},   {20, "VCC", -1, C::Supply, -1},
};

const std::array<TtlPanelTable, 4> kTtlTables = {{
    {TtlChip::Ls00, "Form4", "TTL集成电路实验_74LS00", "74LS00", 14, kLs00Ic, recordOf(kLs00Ic), 8, false, false,
     kLs00Pins},
    {TtlChip::Ls138, "Form8", "TTL集成电路实验_74LS138", "74LS138", 16, kLs138Ic, recordOf(kLs138Ic), 6, false,
     false, kLs138Pins},
    {TtlChip::Ls244, "Form9", "TTL集成电路实验_74LS244", "74LS244", 20, kLs244Ic, recordOf(kLs244Ic), 10, true,
     false, kLs244Pins},
    {TtlChip::Ls374, "Form10", "TTL集成电路实验_74LS374", "74LS374", 20, kLs374Ic, recordOf(kLs374Ic), 10, true,
     true, kLs374Pins},
}};

}  // namespace

const TtlPanelTable& ttlPanelTable(TtlChip chip) { return kTtlTables[static_cast<std::size_t>(chip)]; }

TtlPanel::TtlPanel(sim::Simulator& simulator, TtlChip chip)
    : sim_(simulator), table_(ttlPanelTable(chip)), boxes_(table_.pins, table_.boxCount, "1") {
    for (const PanelPin& p : table_.pins) {
        if (p.control == PinControl::Label) labels_[p.index] = "1";
    }
    if (table_.showsRegister) labels_[kRegisterLabel] = std::string(kRegisterLabelStart);
}

void TtlPanel::keyPressed(int box, char32_t key) {
    if (boxes_.keyPressed(box, key)) update();
}

void TtlPanel::update() {
    for (int i = 0; i < boxes_.count(); ++i) sim_.NetTable[static_cast<std::size_t>(boxes_.net(i))].Value = levelOf(boxes_.text(i));
    sim_.replaceQueue(table_.record);
    sim_.ToggleNetAndSettle(0, sim::kSpareNet);

    for (const PanelPin& p : table_.pins) {
        if (p.control != PinControl::Label) continue;
        const sim::NetRecord& n = sim_.NetTable[static_cast<std::size_t>(p.net)];
        labels_[p.index] = outputText({n.Value, n.ActiveDrivers}, table_.undrivenShowsHz);
    }
    if (table_.showsRegister) labels_[kRegisterLabel] = registerText(sim_.IcTable[static_cast<std::size_t>(table_.ic)].Q);
}

std::string TtlPanel::labelText(int label) const {
    const auto it = labels_.find(label);
    return it == labels_.end() ? std::string() : it->second;
}

}  // namespace panels
