#pragma once
// The TTL test panels without their widgets: which box and label sits on which
// net of the test circuit, and what a key press does.
//
// A key in a box sets it to "0" or "1"; then every box is written straight into
// its net (no driver bookkeeping, nothing queued), the chip's own record
// replaces whatever is queued, the spare net's toggle settles it, and the
// labels show the output nets. The 74LS374's panel also shows the byte its
// register holds.

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "panels/panel_pins.h"
#include "panels/pin_levels.h"

namespace sim {
class Simulator;
}

namespace panels {

enum class TtlChip { Ls00, Ls138, Ls244, Ls374 };

struct TtlPanelTable {
    TtlChip chip;
    std::string_view formName;  // Form4, Form8, Form9, Form10
    std::string_view caption;   // the window's title
    std::string_view chipName;  // the drawing's caption
    int pinCount;
    int32_t ic;
    int32_t record;
    int boxCount;
    bool undrivenShowsHz;  // three-state outputs
    bool showsRegister;    // Label39
    std::span<const PanelPin> pins;
};

const TtlPanelTable& ttlPanelTable(TtlChip chip);

// The register display's label number and its caption before the first update.
inline constexpr int kRegisterLabel = 39;
inline constexpr std::string_view kRegisterLabelStart = "0FFH/0'1111'1111B";

class TtlPanel {
public:
    // Boxes and labels start at "1"; nothing is settled before load().
    TtlPanel(sim::Simulator& simulator, TtlChip chip);

    const TtlPanelTable& table() const { return table_; }

    // Settles the chip once with the boxes as they are.
    void load() { update(); }
    // A character typed in box `box`; boxes that do not exist ignore it.
    void keyPressed(int box, char32_t key);
    // Writes the boxes into the nets, settles the chip and reads its outputs.
    void update();

    int boxCount() const { return boxes_.count(); }
    const std::string& boxText(int box) const { return boxes_.text(box); }
    // An output label's caption (Label16..Label25, and Label39 on the 74LS374);
    // empty for a label the panel does not have.
    std::string labelText(int label) const;

private:
    sim::Simulator& sim_;
    const TtlPanelTable& table_;
    PinBoxes boxes_;
    std::map<int, std::string> labels_;
};

}  // namespace panels
