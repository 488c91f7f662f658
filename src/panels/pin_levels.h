#pragma once
// The pin boxes of the test panels: a box holds "0", "1" or, for a data pin
// that nothing drives, "Hz"; a key pressed in a box sets its level.

#include <cstdint>
#include <string>
#include <string_view>

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

}  // namespace panels
