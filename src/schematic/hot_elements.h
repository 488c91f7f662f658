#pragma once
// The hot elements of one drawing view: the pieces of the drawing that stand
// for a signal or an IC of the circuit. The view tests the list from its first
// entry and takes the first one that holds the pointer, so the order of the
// list decides overlaps (signals before IC bodies, lower signals first).

#include <cstdint>
#include <vector>

namespace schematic {

// A HotElementId: bits 0..15 hold a global signal or IC number, bit 16 is set
// for an IC and bit 20 for a box; -1 means no element.
inline constexpr int32_t kNoHotElement = -1;
inline constexpr int32_t kHotIcFlag = 65536;      // &H10000
inline constexpr int32_t kHotBoxFlag = 1048576;   // &H100000
// Bits the view and the circuit window test: any of these makes an entry a
// rectangle, any of the second an IC; the number is what the third keeps.
inline constexpr uint32_t kHotRectangleMask = 0x80F00000u;
inline constexpr uint32_t kHotIcMask = 0x800F0000u;
inline constexpr uint32_t kHotNumberMask = 0x8000FFFFu;

constexpr int32_t wireId(int32_t signal) { return signal; }
constexpr int32_t labelBoxId(int32_t signal) { return signal + kHotBoxFlag; }
constexpr int32_t icBodyId(int32_t ic) { return ic + kHotIcFlag + kHotBoxFlag; }

constexpr bool isRectangleId(int32_t id) { return (static_cast<uint32_t>(id) & kHotRectangleMask) != 0; }
constexpr bool isIcId(int32_t id) { return (static_cast<uint32_t>(id) & kHotIcMask) != 0; }
constexpr int32_t hotNumber(int32_t id) { return static_cast<int32_t>(static_cast<uint32_t>(id) & kHotNumberMask); }

// A segment (X1 <= X2; a vertical one keeps its record's order) or a box
// (X1..X2 by Y1..Y2), in the sheet's units with Y growing downwards.
// Coordinates are 64-bit: sums of the file's 32-bit values never overflow.
struct HotElementBox {
    int64_t X1 = 0;
    int64_t Y1 = 0;
    int64_t X2 = 0;
    int64_t Y2 = 0;
    int32_t Id = kNoHotElement;

    friend bool operator==(const HotElementBox&, const HotElementBox&) = default;
};

struct HotElementLists {
    std::vector<HotElementBox> Boxes;

    int32_t BoxCount() const { return static_cast<int32_t>(Boxes.size()); }
};

}  // namespace schematic
