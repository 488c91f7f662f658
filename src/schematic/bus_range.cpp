#include "schematic/bus_range.h"

#include <limits>

#include "schematic/sch_numbers.h"
#include "schematic/utf8_text.h"
#include "schematic/text_scan.h"

namespace schematic {
namespace {

constexpr std::string_view kRangeMark = "..";
constexpr std::size_t kNumberChars = 200;


}  // namespace

bool isBusRange(std::string_view text) { return text.find(kRangeMark) != std::string_view::npos; }

std::optional<std::vector<std::string>> busRangeNames(std::string_view text) {
    const std::size_t mark = text.find(kRangeMark);
    if (mark == std::string_view::npos) return std::nullopt;

    const std::optional<int32_t> last =
        roundToInt32(textNumberValue(leftChars(text.substr(mark + kRangeMark.size()), kNumberChars)));
    if (!last) return std::nullopt;

    std::size_t digits = mark;
    while (digits > 0 && isDigit(text[digits - 1])) --digits;
    int64_t first = 0;
    for (std::size_t i = digits; i < mark; ++i) {
        first = first * 10 + (text[i] - '0');
        if (first > std::numeric_limits<int32_t>::max()) return std::nullopt;
    }
    const std::string prefix(text.substr(0, digits));

    const int64_t step = first > *last ? -1 : 1;
    const int64_t length = (first > *last ? first - *last : *last - first) + 1;
    if (length > kMaxBusRangeLength) return std::nullopt;

    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(length));
    for (int64_t k = 0, n = first; k < length; ++k, n += step) names.push_back(prefix + std::to_string(n));
    return names;
}

}  // namespace schematic
