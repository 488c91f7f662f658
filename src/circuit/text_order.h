#pragma once
// The order the state views sort their rows in: by the shown text, compared as
// text (so "10" comes before "9") without regard to letter case; rows with equal
// texts keep their order.

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace circuit {

// Sort orders as the list's SortOrder holds them.
inline constexpr int32_t kAscending = 0;
inline constexpr int32_t kDescending = 1;

// The indexes 0..count-1 in the order of textOf(index).
std::vector<int32_t> textOrder(int32_t count, const std::function<QString(int32_t)>& textOf,
                               int32_t sortOrder = kAscending);

}  // namespace circuit
