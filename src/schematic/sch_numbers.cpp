#include "schematic/sch_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include "schematic/text_scan.h"

namespace schematic {
namespace {


// Walks a text while skipping the characters a number reader ignores.
class Scanner {
public:
    Scanner(std::string_view text, bool skipLineFeeds) : text_(text), skipLf_(skipLineFeeds) { skip(); }
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance() {
        ++pos_;
        skip();
    }
    std::size_t mark() const { return pos_; }
    void reset(std::size_t mark) { pos_ = mark; }

private:
    void skip() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || (skipLf_ && text_[pos_] == '\n')))
            ++pos_;
    }
    std::string_view text_;
    bool skipLf_;
    std::size_t pos_ = 0;
};

// The longest leading decimal number; 0 when there is none.
double scanDecimal(Scanner& in) {
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }
    std::string intDigits, fracDigits;
    while (isDigit(in.peek())) {
        intDigits += in.peek();
        in.advance();
    }
    if (in.peek() == '.') {
        in.advance();
        while (isDigit(in.peek())) {
            fracDigits += in.peek();
            in.advance();
        }
    }
    if (intDigits.empty() && fracDigits.empty()) return 0.0;

    // An exponent counts only when at least one digit follows it.
    std::string expDigits;
    bool expNegative = false;
    if (in.peek() == 'e' || in.peek() == 'E') {
        const std::size_t before = in.mark();
        in.advance();
        if (in.peek() == '+' || in.peek() == '-') {
            expNegative = in.peek() == '-';
            in.advance();
        }
        while (isDigit(in.peek())) {
            expDigits += in.peek();
            in.advance();
        }
        if (expDigits.empty()) in.reset(before);
    }

    std::string number = intDigits.empty() ? "0" : intDigits;
    if (!fracDigits.empty()) number += "." + fracDigits;
    if (!expDigits.empty()) number += std::string(expNegative ? "e-" : "e") + expDigits;

    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Tell overflow from underflow by the position of the first significant digit.
        const std::size_t firstInt = intDigits.find_first_not_of('0');
        const std::size_t firstFrac = fracDigits.find_first_not_of('0');
        if (firstInt == std::string::npos && firstFrac == std::string::npos) {
            value = 0.0;
        } else {
            // Saturate the exponent: anything beyond a few hundred decides the outcome.
            long long exponent = 0;
            for (char c : expDigits) {
                exponent = exponent * 10 + (c - '0');
                if (exponent > 1000000000LL) break;
            }
            if (expNegative) exponent = -exponent;
            const long long magnitude = firstInt != std::string::npos
                                            ? static_cast<long long>(intDigits.size() - firstInt) + exponent
                                            : -static_cast<long long>(firstFrac) + exponent;
            value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        }
    }
    return negative ? -value : value;
}

double scanRadix(Scanner& in, int radix) {
    double value = 0.0;
    for (;;) {
        const char c = in.peek();
        int digit = -1;
        if (isDigit(c)) digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0 || digit >= radix) return value;
        value = value * radix + digit;
        in.advance();
    }
}

}  // namespace

std::optional<int32_t> roundToInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double lower = std::floor(value);
    const double diff = value - lower;
    double rounded = lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0)) rounded = lower + 1.0;
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(rounded);
}

std::optional<int32_t> fieldNumber(std::string_view field) {
    Scanner in(field, false);
    return roundToInt32(scanDecimal(in));
}

double textNumberValue(std::string_view text) {
    Scanner in(text, true);
    if (in.peek() == '&') {
        in.advance();
        const char prefix = in.peek();
        if (prefix == 'H' || prefix == 'h') {
            in.advance();
            return scanRadix(in, 16);
        }
        if (prefix == 'O' || prefix == 'o') {
            in.advance();
            return scanRadix(in, 8);
        }
        return 0.0;
    }
    return scanDecimal(in);
}

}  // namespace schematic
