#pragma once
// The two ways the schematic format reads numbers.
//
// A record field (also font and sheet-parameter fields and the section
// counts): blanks and tabs anywhere in the field are ignored; the longest
// leading decimal number (sign, digits, fraction, exponent) is taken; no
// number gives 0; the value is rounded to the nearest integer, halves to even.
//
// A number inside a text (pin-number texts, experiment directive values):
// blanks, tabs and line feeds are ignored wherever they stand; a decimal number
// as above, or hexadecimal after "&H", or octal after "&O"; reading stops at the
// first character that cannot continue the number; no number gives 0. Callers
// compare the unrounded value and round with roundToInt32 where they store it.
// Suffixes carry no meaning: "10H" is 10 and "FFH" is 0.

#include <cstdint>
#include <optional>
#include <string_view>

namespace schematic {

// The field's value, or nullopt when it lies outside the 32-bit signed range.
std::optional<int32_t> fieldNumber(std::string_view field);

// The unrounded value of the leading number of `text` (infinite when it
// exceeds the double range).
double textNumberValue(std::string_view text);

// Rounds to the nearest integer, halves to the even one; nullopt when the
// result is outside the 32-bit signed range (or the value is not finite).
std::optional<int32_t> roundToInt32(double value);

}  // namespace schematic
