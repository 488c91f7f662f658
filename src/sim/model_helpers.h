#pragma once
// Small pieces the behaviour models share: reading a group of pins as a number
// and filling DriveBits from one, the lowest role always the most significant
// bit; and the rising-edge test of the clocked models.

#include <cstdint>

#include "sim/simulator.h"

namespace sim::models {

// The value of `width` input roles from `first`, the lowest role as the top bit.
inline int32_t inputValue(const Simulator& sim, const IcRecord& ic, int first, int width) {
    int32_t value = 0;
    for (int k = 0; k < width; ++k) value = (value << 1) | sim.in(ic, first + k);
    return value;
}

// The same for bidirectional roles.
inline int32_t bidirValue(const Simulator& sim, const IcRecord& ic, int first, int width) {
    int32_t value = 0;
    for (int k = 0; k < width; ++k) value = (value << 1) | sim.bi(ic, first + k);
    return value;
}

// DriveBits first..first+width-1 := the low `width` bits of value, top bit on the lowest role.
inline void putBits(Simulator& sim, int first, int width, int32_t value) {
    for (int k = 0; k < width; ++k) sim.DriveBits[first + k] = (value >> (width - 1 - k)) & 1;
}

inline bool risingEdge(const IcRecord& ic, int32_t clock) { return clock == 1 && ic.LastClock == 0; }

}  // namespace sim::models
