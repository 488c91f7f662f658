#pragma once
// How the panels write a stored byte: as hexadecimal and as two groups of four
// bits ("0FFH/0'1111'1111B"), in the memory list with the decimal value in front
// ("255/0FFH/0'1111'1111B"), and a list row's address ("7FFH:2047").

#include <cstdint>
#include <string>

namespace panels {

// "00" before one hexadecimal digit, "0" before more, then "H/0'", bits 7..4,
// "'", bits 3..0 and "B". Values past a byte keep all their hexadecimal digits
// and show their low eight bits.
std::string registerText(int32_t value);

// The decimal value, "/", then registerText.
std::string cellText(int32_t value);

// The address in upper-case hexadecimal, "H:", the address in decimal.
std::string rowText(int32_t address);

}  // namespace panels
