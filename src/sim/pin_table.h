#pragma once
// The fixed pin table of each IC type: for every package pin its kind (what net
// building does with it) and its role (which entry of the IC record's input,
// output or bidirectional net arrays it fills). The models read their nets by
// role, so the role order here is what every model relies on.

#include <array>
#include <cstdint>

#include "sim/ic_type.h"

namespace sim {

enum class PinKind : int32_t {
    Input = 0,
    Output = 1,
    Bidirectional = 2,
    OpenCollector = 3,
    Vcc = 4,
    Gnd = 5,
    NotSimulated = 6,
};

// Roles: input k is k, output k is 10000 + k, bidirectional k is 20000 + k;
// supply pins and pins the model does not use have role 70000.
inline constexpr int32_t kOutputRoleBase = 10000;
inline constexpr int32_t kBidirRoleBase = 20000;
inline constexpr int32_t kNoRole = 70000;

constexpr bool isInputRole(int32_t role) { return role >= 0 && role < kOutputRoleBase; }
constexpr bool isOutputRole(int32_t role) { return role >= kOutputRoleBase && role < kBidirRoleBase; }
constexpr bool isBidirRole(int32_t role) { return role >= kBidirRoleBase && role < kBidirRoleBase + 10000; }

inline constexpr int kMaxPins = 40;
// Largest role counts over all types (Am2901 inputs, Am2910 outputs, 74LS245 bidirectional pins).
inline constexpr int kMaxInputs = 24;
inline constexpr int kMaxOutputs = 16;
inline constexpr int kMaxBidirs = 16;

struct PinTable {
    int32_t pinCount = 0;
    int32_t inputCount = 0;
    int32_t outputCount = 0;
    int32_t bidirCount = 0;
    // Indexed by pin number 1..pinCount; entry 0 stays 0.
    std::array<int32_t, kMaxPins + 1> roles{};
    std::array<PinKind, kMaxPins + 1> kinds{};
};

// The table of a type (0..22); any other value gives an empty table.
const PinTable& pinTable(int32_t type);
inline const PinTable& pinTable(IcType type) { return pinTable(static_cast<int32_t>(type)); }

}  // namespace sim
