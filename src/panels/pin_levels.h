#pragma once
// The pin boxes of the test panels: a box holds "0", "1" or, for a data pin
// that nothing drives, "Hz"; a key pressed in a box sets its level.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "panels/panel_pins.h"

namespace panels {

// The text a box takes for a typed character: "0" for the digit 0, "1" for
// any other character (letters, Backspace and Enter included).
std::string levelTextForKey(char32_t key);

// The level a box's text stands for when it is written into a net: "1" is 1,
// "0" and "Hz" are 0.
int32_t levelOf(std::string_view boxText);

// What an output shows for a net: "Hz" when it has no active driver and
// `undrivenShowsHz`, otherwise its level.
struct NetView {
    int32_t value = 0;
    int32_t activeDrivers = -1;
};
std::string outputText(NetView net, bool undrivenShowsHz);

// A panel's input boxes Text1(0 .. count - 1): their texts and their nets.
class PinBoxes {
public:
    // Every box starts at `start`; the nets come from the pins' Box rows.
    PinBoxes(std::span<const PanelPin> pins, int count, std::string_view start);

    int count() const { return static_cast<int>(texts_.size()); }
    bool has(int box) const { return box >= 0 && box < count(); }
    // Empty for a box the panel does not have.
    const std::string& text(int box) const;
    void setText(int box, std::string text);
    int32_t net(int box) const { return nets_[static_cast<std::size_t>(box)]; }

    // A typed character sets the box to "0" or "1"; false for a box the panel does not have.
    bool keyPressed(int box, char32_t key);

private:
    std::vector<std::string> texts_;
    std::vector<int32_t> nets_;
};

}  // namespace panels
