#include "panels/pin_levels.h"

namespace panels {

std::string levelTextForKey(char32_t key) { return key == U'0' ? "0" : "1"; }

int32_t levelOf(std::string_view boxText) { return boxText == "1" ? 1 : 0; }

std::string outputText(NetView net, bool undrivenShowsHz) {
    if (undrivenShowsHz && net.activeDrivers == -1) return "Hz";
    return std::to_string(net.value);
}

}  // namespace panels
