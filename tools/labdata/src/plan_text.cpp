#include "plan_text.h"

#include <cctype>
#include <charconv>

namespace labdata {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

int32_t number(std::string_view word, int base, int line) {
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (ec != std::errc() || end != word.data() + word.size() || word.empty())
        throw PlanError(line, "not a number: " + std::string(word));
    return value;
}

}  // namespace

PlanError::PlanError(int line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what) {}

std::vector<PlanLine> planLines(std::string_view text) {
    std::vector<PlanLine> lines;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        const bool indented = !line.empty() && (line.front() == ' ' || line.front() == '\t');
        line = trim(line);
        if (!line.empty()) lines.push_back({number, indented, std::string(line)});
    }
    return lines;
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ') ++i;
        if (i > start) out.emplace_back(text.substr(start, i - start));
    }
    return out;
}

std::string restAfterWords(std::string_view text, int count) {
    std::size_t i = 0;
    for (int w = 0; w < count; ++w) {
        while (i < text.size() && text[i] == ' ') ++i;
        while (i < text.size() && text[i] != ' ') ++i;
    }
    return std::string(trim(text.substr(std::min(i, text.size()))));
}

int32_t decimalNumber(std::string_view word, int line) { return number(word, 10, line); }
int32_t hexNumber(std::string_view word, int line) { return number(word, 16, line); }

std::vector<std::string> separated(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    for (std::size_t at; (at = text.find(separator)) != std::string_view::npos; text.remove_prefix(at + 1))
        pieces.emplace_back(text.substr(0, at));
    pieces.emplace_back(text);
    return pieces;
}

std::vector<std::string> expandRange(std::string_view text, int line) {
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos) return {std::string(text)};
    std::size_t digits = dots;
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(text[digits - 1]))) --digits;
    if (digits == dots) throw PlanError(line, "a range needs a number before \"..\": " + std::string(text));
    const std::string prefix(text.substr(0, digits));
    const int32_t first = decimalNumber(text.substr(digits, dots - digits), line);
    const int32_t last = decimalNumber(text.substr(dots + 2), line);
    std::vector<std::string> names;
    const int32_t step = first <= last ? 1 : -1;
    for (int32_t n = first;; n += step) {
        names.push_back(prefix + std::to_string(n));
        if (n == last) break;
    }
    return names;
}

}  // namespace labdata
