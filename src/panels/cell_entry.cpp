#include "panels/cell_entry.h"

#include <cmath>
#include <charconv>
#include <limits>
#include <string>

namespace panels {
namespace {

int hexDigit(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A') + 10;
    if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a') + 10;
    return -1;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// The numeric value of one character: a digit's value, anything else 0.
int digitValue(char32_t c) { return isDigit(c) ? static_cast<int>(c - U'0') : 0; }

std::u32string_view lastChars(std::u32string_view s, std::size_t count) {
    return s.size() > count ? s.substr(s.size() - count) : s;
}

int32_t hexValue(std::u32string_view digits) {
    int32_t value = 0;
    for (char32_t c : digits) {
        const int d = hexDigit(c);
        if (d < 0) break;
        value = value * 16 + d;
    }
    return value;
}

// Each digit after the first shifts in a 1 when it is above 0, a 0 otherwise;
// the first digit's own value starts the number.
int32_t binaryValue(std::u32string_view digits) {
    int32_t value = digitValue(digits.front());
    for (std::size_t i = 1; i < digits.size(); ++i) value = 2 * value + (digitValue(digits[i]) > 0 ? 1 : 0);
    return value;
}

// The ordinary numeric conversion: blanks, tabs and line feeds are skipped,
// then an optional sign, digits with an optional decimal point, and an
// optional exponent ("E" or "D"); it stops at the first other character.
std::optional<int32_t> decimalValue(std::u32string_view text) {
    std::string number;
    for (char32_t c : text) {
        if (c != U' ' && c != U'\t' && c != U'\n') number += c < 128 ? static_cast<char>(c) : '\x7f';
    }
    std::size_t i = 0;
    std::string accepted;
    bool negative = false;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
    bool mantissa = false;
    while (i < number.size() && isDigit(static_cast<unsigned char>(number[i]))) {
        accepted += number[i++];
        mantissa = true;
    }
    if (i < number.size() && number[i] == '.') {
        accepted += number[i++];
        while (i < number.size() && isDigit(static_cast<unsigned char>(number[i]))) {
            accepted += number[i++];
            mantissa = true;
        }
    }
    if (!mantissa) return 0;
    if (i < number.size() && (number[i] == 'E' || number[i] == 'e' || number[i] == 'D' || number[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < number.size() && (number[j] == '+' || number[j] == '-')) exponent += number[j++];
        bool digits = false;
        while (j < number.size() && isDigit(static_cast<unsigned char>(number[j]))) {
            exponent += number[j++];
            digits = true;
        }
        if (digits) accepted += exponent;
    }
    double value = 0;
    std::from_chars(accepted.data(), accepted.data() + accepted.size(), value);
    if (negative) value = -value;
    // Stored as a 32-bit whole number, rounded half to even.
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

}  // namespace

std::optional<int32_t> parseCellEntry(std::u32string_view entry) {
    if (entry.empty()) return std::nullopt;
    const char32_t suffix = entry.back();
    const std::u32string_view digits = entry.substr(0, entry.size() - 1);
    if (suffix == U'H' || suffix == U'h') {
        if (digits.empty()) return std::nullopt;
        return hexValue(lastChars(digits, 2));
    }
    if (suffix == U'B' || suffix == U'b') {
        if (digits.empty()) return std::nullopt;
        return binaryValue(lastChars(digits, 8));
    }
    return decimalValue(lastChars(entry, 3));
}

}  // namespace panels
