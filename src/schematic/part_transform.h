#pragma once
// Where a Part record puts the graphics of its library part on the sheet.
//
// Library graphics use Y growing upwards around the part's origin; the sheet
// uses Y growing downwards. A local point is turned counter-clockwise by the
// part's orientation in quarter turns, its X is negated when the part is
// mirrored (after the turn), and the result is added to the origin with Y
// subtracted. Directions turn the same way, so that a pin's outer end, its hot
// line and its drawing always agree: the circuit builder, the hot-spot models
// and the renderer all place parts through this one helper.
//
// Orientation and direction values outside 0..3 are taken modulo 4.
// Coordinates are 64-bit so that no placement of 32-bit values can overflow.

#include <cstdint>

#include "schematic/sch_model.h"

namespace schematic {

struct SheetPoint {
    int64_t x = 0;
    int64_t y = 0;

    friend bool operator==(const SheetPoint&, const SheetPoint&) = default;
};

// Direction codes, local and on the sheet.
namespace direction {
constexpr int32_t Right = 0;
constexpr int32_t Up = 1;
constexpr int32_t Left = 2;
constexpr int32_t Down = 3;
}  // namespace direction

// `from` moved by `length` in sheet direction `dir` (up is towards smaller Y).
SheetPoint stepTowards(SheetPoint from, int32_t dir, int64_t length);

class PartTransform {
public:
    PartTransform() = default;
    PartTransform(int64_t originX, int64_t originY, int32_t orientation, bool mirrored);

    // The placement of a Part element: origin (P0, P1), orientation P4,
    // mirrored when P3 is 1.
    static PartTransform of(const SchElement& part);

    int32_t orientation() const { return orientation_; }  // 0..3
    bool mirrored() const { return mirrored_; }

    // The sheet point of the library point (u, v).
    SheetPoint place(int64_t u, int64_t v) const;
    // The sheet direction of local direction `d`: a mirrored part points its
    // horizontal-on-sheet pins the other way.
    int32_t direction(int32_t d) const;

    // A Pin element of the part's graphics: its inner end (P7, P8), its sheet
    // direction (from P9) and its outer end, where a wire or label must touch
    // it (the inner end moved by the length P6).
    SheetPoint pinInnerEnd(const SchElement& pin) const;
    int32_t pinDirection(const SchElement& pin) const;
    SheetPoint pinOuterEnd(const SchElement& pin) const;

private:
    int64_t originX_ = 0;
    int64_t originY_ = 0;
    int32_t orientation_ = 0;
    bool mirrored_ = false;
};

}  // namespace schematic
