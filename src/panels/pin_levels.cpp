#include "panels/pin_levels.h"

namespace panels {

std::string levelTextForKey(char32_t key) { return key == U'0' ? "0" : "1"; }

int32_t levelOf(std::string_view boxText) { return boxText == "1" ? 1 : 0; }

std::string outputText(NetView net, bool undrivenShowsHz) {
    if (undrivenShowsHz && net.activeDrivers == -1) return "Hz";
    return std::to_string(net.value);
}

PinBoxes::PinBoxes(std::span<const PanelPin> pins, int count, std::string_view start)
    : texts_(static_cast<std::size_t>(count), std::string(start)), nets_(static_cast<std::size_t>(count), -1) {
    for (const PanelPin& p : pins) {
        if (p.control == PinControl::Box && has(p.index)) nets_[static_cast<std::size_t>(p.index)] = p.net;
    }
}

const std::string& PinBoxes::text(int box) const {
    static const std::string none;
    return has(box) ? texts_[static_cast<std::size_t>(box)] : none;
}

void PinBoxes::setText(int box, std::string text) {
    if (has(box)) texts_[static_cast<std::size_t>(box)] = std::move(text);
}

bool PinBoxes::keyPressed(int box, char32_t key) {
    if (!has(box)) return false;
    setText(box, levelTextForKey(key));
    return true;
}

}  // namespace panels
