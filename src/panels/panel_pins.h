#pragma once
// One package pin of a test panel: its number, the name the panel gives it, the
// test circuit's net it sits on and the control beside it. The widgets draw the
// package from these rows; the controllers move levels between the controls
// and the nets.

#include <cstdint>
#include <span>
#include <string_view>

namespace panels {

enum class PinControl {
    Box,     // an input box Text1(index): a level the user types
    Label,   // an output label Label<index>: the net's level, read only
    Supply,  // VCC or GND: a fixed caption, no net of the test circuit
    Combo,   // the ROM's Combo1 ("0", "1", "Vpp")
};

struct PanelPin {
    int pin;                // package pin number
    std::string_view name;  // as the panel labels it; "\n" separates lines
    int32_t net;            // -1 for supply pins
    PinControl control;
    int index;              // box index or label number; -1 where there is none
};

// The row of input box `box`, or nullptr.
inline const PanelPin* findBox(std::span<const PanelPin> pins, int box) {
    for (const PanelPin& p : pins) {
        if (p.control == PinControl::Box && p.index == box) return &p;
    }
    return nullptr;
}

}  // namespace panels
