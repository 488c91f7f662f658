// Types arbitrary keys into the six test panels' pin boxes and arbitrary
// entries into the memory panels' cell lists, on one test circuit as the
// frame's panels share it. Each step is an operation byte (which panel, and
// key, cell entry, ROM combo or erase) followed by its operands.
//
// Boxes only ever hold "0", "1" or, on a memory data pin, "Hz"; outputs show
// levels; nothing is written outside the test circuit's nets or its chips'
// cells, and a cell changes only where the entry or the pins address it, to
// the entry's value when the entry gives one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "panels/cell_entry.h"
#include "panels/memory_panel.h"
#include "panels/pin_levels.h"
#include "panels/test_circuit.h"
#include "panels/ttl_panel.h"
#include "sim/simulator.h"
#include "support/fuzz_input.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "panel entry: %s\n", what);
    std::abort();
}

// Keys as a keyboard gives them: mostly digits and letters, now and then any
// code, Chinese included.
char32_t keyOf(testsupport::FuzzInput& in) {
    const uint8_t b = in.byte();
    return b < 0xF0 ? static_cast<char32_t>(b) : static_cast<char32_t>(0x4E00 + in.word());
}

bool isLevel(const std::string& text) { return text == "0" || text == "1"; }

struct Panels {
    panels::PanelCircuit circuit;
    std::vector<std::unique_ptr<panels::TtlPanel>> ttl;
    panels::RamPanel ram{circuit.simulator()};
    panels::RomPanel rom{circuit.simulator()};

    Panels() {
        for (const auto chip : {panels::TtlChip::Ls00, panels::TtlChip::Ls138, panels::TtlChip::Ls244,
                                panels::TtlChip::Ls374}) {
            ttl.push_back(std::make_unique<panels::TtlPanel>(circuit.simulator(), chip));
            ttl.back()->load();
        }
        ram.load();
        rom.load();
    }
    std::array<const panels::MemoryPanel*, 2> memories() const { return {&ram, &rom}; }
};

int32_t pinAddress(const panels::MemoryPanel& panel) {
    int32_t value = 0;
    for (const int b : panel.table().addressBoxes) value = value * 2 + panels::levelOf(panel.boxText(b));
    return value;
}

void checkBoxes(const Panels& p) {
    for (const auto& t : p.ttl) {
        for (int b = 0; b < t->boxCount(); ++b)
            if (!isLevel(t->boxText(b))) fail("a TTL box that holds no level");
        for (const panels::PanelPin& pin : t->table().pins) {
            if (pin.control != panels::PinControl::Label) continue;
            const std::string text = t->labelText(pin.index);
            if (!isLevel(text) && !(t->table().undrivenShowsHz && text == "Hz")) fail("an output that shows no level");
        }
    }
    for (const panels::MemoryPanel* m : p.memories()) {
        for (int b = 0; b < m->boxCount(); ++b) {
            const std::string& text = m->boxText(b);
            if (!isLevel(text) && !(text == "Hz" && m->isDataBox(b))) fail("a memory box that holds no level");
        }
    }
    const std::string& combo = p.rom.comboText();
    if (combo != "0" && combo != "1" && combo != "Vpp") fail("a combo text that is no item");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto p = std::make_unique<Panels>();
    sim::Simulator& s = p->circuit.simulator();
    // The nets the test circuit does not have, as it left them.
    std::vector<std::pair<int32_t, int32_t>> beyond;
    for (std::size_t n = panels::kLastTestNet + 1; n < s.NetTable.size(); ++n)
        beyond.emplace_back(s.NetTable[n].Value, s.NetTable[n].ActiveDrivers);

    testsupport::FuzzInput in(data, size);
    while (in.more()) {
        const uint8_t op = in.byte();
        const int panel = (op >> 2) % 6;
        panels::MemoryPanel* memory = panel == 4 ? static_cast<panels::MemoryPanel*>(&p->ram)
                                      : panel == 5 ? static_cast<panels::MemoryPanel*>(&p->rom)
                                                   : nullptr;
        const std::vector<int32_t> cellsBefore =
            memory ? s.IcTable[static_cast<std::size_t>(memory->table().ic)].Memory : std::vector<int32_t>{};
        int32_t edited = -1;
        std::optional<int32_t> entered;
        bool erased = false;
        switch (op & 3) {
            case 0: {
                // Box numbers past both ends included.
                const int box = static_cast<int8_t>(in.byte());
                const char32_t key = keyOf(in);
                if (memory) memory->keyPressed(box, key);
                else p->ttl[static_cast<std::size_t>(panel)]->keyPressed(box, key);
                break;
            }
            case 1: {
                if (!memory) break;
                edited = static_cast<int16_t>(in.word());
                std::u32string entry;
                for (int n = in.byte() % 16; n > 0; --n) entry += keyOf(in);
                if (edited >= 0 && edited < memory->cellCount()) {
                    const std::string shown = memory->cellText(edited);
                    if (entry != std::u32string(shown.begin(), shown.end())) entered = panels::parseCellEntry(entry);
                }
                memory->commitCellEdit(edited, entry);
                break;
            }
            case 2: {
                const uint8_t b = in.byte();
                if (b & 1) p->rom.comboChosen(panels::kComboItems[(b >> 1) % 3]);
                else p->rom.comboKeyPressed(keyOf(in));
                break;
            }
            case 3:
                if (panel == 5) {
                    p->rom.erase();
                    erased = true;
                } else if (memory) {
                    memory->load();
                }
                break;
        }
        checkBoxes(*p);

        for (const panels::MemoryPanel* m : p->memories()) {
            const auto& cells = s.IcTable[static_cast<std::size_t>(m->table().ic)].Memory;
            if (static_cast<int32_t>(cells.size()) != m->cellCount()) fail("a chip with another number of cells");
        }
        if (memory && !erased) {
            const std::vector<int32_t>& cells = s.IcTable[static_cast<std::size_t>(memory->table().ic)].Memory;
            const int32_t pins = pinAddress(*memory);
            for (int32_t a = 0; a < memory->cellCount(); ++a) {
                const int32_t now = cells[static_cast<std::size_t>(a)];
                if (now == cellsBefore[static_cast<std::size_t>(a)] || a == pins) continue;
                if (a != edited) fail("a cell changed that nothing addressed");
                if (!entered || now != *entered) fail("an edited cell that holds another value than the entry's");
            }
            if (entered && edited != pins && cells[static_cast<std::size_t>(edited)] != *entered)
                fail("an entry that was not stored");
        }
        for (std::size_t n = panels::kLastTestNet + 1; n < s.NetTable.size(); ++n) {
            const auto& before = beyond[n - panels::kLastTestNet - 1];
            if (s.NetTable[n].Value != before.first || s.NetTable[n].ActiveDrivers != before.second)
                fail("a net beyond the test circuit written");
        }
        for (std::size_t ic = panels::kTestIcCount; ic < s.IcTable.size(); ++ic)
            if (!s.IcTable[ic].Memory.empty()) fail("cells for an IC the test circuit does not have");
    }
    return 0;
}
