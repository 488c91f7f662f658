#pragma once
// The net an IC's pin sits on, found by the pin's role in the chip's model.

#include "sim/pin_table.h"
#include "sim/simulator.h"

namespace panels {

// -1 for a role that names no net (a supply pin).
inline int32_t roleNet(const sim::IcRecord& ic, int32_t role) {
    if (sim::isInputRole(role)) return ic.InputNets[static_cast<std::size_t>(role)];
    if (sim::isOutputRole(role)) return ic.OutputNets[static_cast<std::size_t>(role - sim::kOutputRoleBase)];
    if (sim::isBidirRole(role)) return ic.BidirNets[static_cast<std::size_t>(role - sim::kBidirRoleBase)];
    return -1;
}

}  // namespace panels
