#pragma once
// The memory list's in-place entries: a final "H" marks hexadecimal (the last
// two digits count), a final "B" binary (the last eight digits count), anything
// else is decimal (the last three characters count, read as a numeric
// conversion reads them: a letter ends the number, "E" or "D" with digits is an
// exponent).

#include <cstdint>
#include <optional>
#include <string_view>

namespace panels {

// The value an entry stores, or nothing when it gives no number: an empty
// entry, a lone suffix, or a decimal value beyond 32 bits (9E9).
std::optional<int32_t> parseCellEntry(std::u32string_view entry);

}  // namespace panels
