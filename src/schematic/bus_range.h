#pragma once
// Bus ranges in directive texts: "D7..0" names D7, D6 ... D0, "D0..7" names
// D0 ... D7, "DB15..8" names DB15 ... DB8. The first number is the run of
// digits right before the "..", the text before it the prefix; the second is
// the number the text after the ".." starts with ("A7..A0" reads it as 0).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace schematic {

// No real bus comes near this many elements; a longer range is refused
// rather than enumerated name by name.
inline constexpr int64_t kMaxBusRangeLength = 4096;

bool isBusRange(std::string_view text);

// The element names of a range in range order; nullopt for a range whose
// numbers leave the 32-bit range or which has more than kMaxBusRangeLength
// elements. Only for texts holding "..".
std::optional<std::vector<std::string>> busRangeNames(std::string_view text);

}  // namespace schematic
