#pragma once
// Small text helpers shared by the reader and the circuit builder.

#include <string_view>

namespace schematic {

// Strips blanks (only ' ') at both ends.
inline std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace schematic
