#pragma once
// The memory test panels without their widgets: the 6116 RAM and the 2732 ROM
// of the test circuit, their pin boxes, the list of every cell, the list's
// in-place edits and, for the ROM, programming, write-once flags and erase.
//
// Like the TTL panels, an update writes the boxes straight into the chip's
// nets, lets the chip's own record replace whatever is queued and settles it
// through the spare net; the data boxes then show the data nets, "Hz" while
// the chip is deselected, and the list is redrawn from the chip's cells.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "panels/panel_pins.h"
#include "panels/pin_levels.h"

namespace sim {
class Simulator;
}

namespace panels {

enum class MemoryChip { Ram6116, Rom2732 };

struct MemoryPanelTable {
    MemoryChip chip;
    std::string_view formName;  // Form5, Form11
    std::string_view caption;
    std::string_view chipName;
    int32_t ic;
    int32_t record;
    int32_t cellCount;
    int boxCount;
    std::span<const PanelPin> pins;
    std::span<const int> addressBoxes;  // most significant bit first
    std::span<const int> dataBoxes;     // D7 .. D0
};

const MemoryPanelTable& memoryPanelTable(MemoryChip chip);

class MemoryPanel {
public:
    virtual ~MemoryPanel() = default;

    const MemoryPanelTable& table() const { return table_; }

    // Settles the chip once with the boxes' start texts.
    virtual void load() { update(); }
    // A character typed in box `box`: "0" for the digit 0, "1" for any other.
    void keyPressed(int box, char32_t key);
    virtual void update() = 0;

    int boxCount() const { return boxes_.count(); }
    const std::string& boxText(int box) const { return boxes_.text(box); }
    bool isDataBox(int box) const;

    // The list: one row per address.
    int32_t cellCount() const { return table_.cellCount; }
    int32_t cell(int32_t address) const;
    std::string cellText(int32_t address) const;
    virtual bool hasWrittenColumn() const { return false; }
    virtual std::string writtenText(int32_t) const { return {}; }

    // The in-place editor lost its focus (or Enter was pressed) over row
    // `address`: an entry that differs from the cell's text and gives a number
    // is stored straight into the cell, pins and flags notwithstanding; then
    // the panel updates.
    void commitCellEdit(int32_t address, std::u32string_view entry);

    // Called whenever every cell of the list is to be redrawn.
    std::function<void()> listChanged;

protected:
    MemoryPanel(sim::Simulator& simulator, MemoryChip chip);

    sim::Simulator& sim() { return sim_; }
    int32_t net(int32_t number) const;
    // Writes the address and control boxes into their nets, in box order.
    void storeControlBoxes();
    void storeDataBoxes();
    // "Hz" in any data box becomes "0".
    void zeroFloatingDataBoxes();
    int32_t dataBoxesByte() const;
    int32_t addressBoxesValue() const;
    void settle();
    // Each data box: the net's level while something drives it, else "Hz"
    // when `deselected`, else its own text.
    void showDataPins(bool deselected);
    void redrawList() {
        if (listChanged) listChanged();
    }

private:
    sim::Simulator& sim_;
    const MemoryPanelTable& table_;
    PinBoxes boxes_;
};

// Form5: the 6116 RAM. Its pin 20, labelled "/CE", is the output enable;
// a write needs /CS, /CE and /WE all at 0.
class RamPanel final : public MemoryPanel {
public:
    explicit RamPanel(sim::Simulator& simulator);
    void update() override;
};

// Form11: the 2732 ROM. Combo1 on pin 20 chooses "0", "1" or "Vpp"; with "Vpp"
// and /CE (PGM) at 0 the addressed cell takes the data boxes' byte, once until
// the chip is erased.
class RomPanel final : public MemoryPanel {
public:
    explicit RomPanel(sim::Simulator& simulator);

    // Form_Load: the chip is erased, Combo1 shows "1", then the update.
    void load() override;
    void update() override;

    const std::string& comboText() const { return combo_; }
    // A character typed in Combo1: "0" for 0, "Vpp" for v or V, "1" otherwise.
    void comboKeyPressed(char32_t key);
    // An item chosen from Combo1's list ("0", "1" or "Vpp").
    void comboChosen(std::string_view item);
    // "数据擦除": every cell 255, every written flag 0, then the update.
    void erase();

    int32_t writtenFlag(int32_t address) const;
    bool hasWrittenColumn() const override { return true; }
    std::string writtenText(int32_t address) const override;

private:
    void eraseCells();
    bool vpp() const { return combo_ == "Vpp"; }

    std::string combo_ = "1";
    std::vector<int32_t> written_;
};

// Combo1's items, in list order.
inline constexpr std::string_view kComboItems[] = {"0", "1", "Vpp"};

}  // namespace panels
