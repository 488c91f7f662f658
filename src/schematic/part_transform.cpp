#include "schematic/part_transform.h"

namespace schematic {

SheetPoint stepTowards(SheetPoint from, int32_t dir, int64_t length) {
    switch (dir & 3) {
        case direction::Right: return {from.x + length, from.y};
        case direction::Up: return {from.x, from.y - length};
        case direction::Left: return {from.x - length, from.y};
        default: return {from.x, from.y + length};
    }
}

PartTransform::PartTransform(int64_t originX, int64_t originY, int32_t orientation, bool mirrored)
    : originX_(originX), originY_(originY), orientation_(orientation & 3), mirrored_(mirrored) {}

PartTransform PartTransform::of(const SchElement& part) {
    return PartTransform(part.param(part_param::X), part.param(part_param::Y), part.param(part_param::Orientation),
                         part.param(part_param::Mirror) == 1);
}

SheetPoint PartTransform::place(int64_t u, int64_t v) const {
    int64_t x = u;
    int64_t y = v;
    switch (orientation_) {
        case 1: x = -v; y = u; break;
        case 2: x = -u; y = -v; break;
        case 3: x = v; y = -u; break;
        default: break;
    }
    if (mirrored_) x = -x;
    return {originX_ + x, originY_ - y};
}

int32_t PartTransform::direction(int32_t d) const {
    d &= 3;
    // Mirroring negates X on the sheet: only directions that end up
    // horizontal change side.
    if (mirrored_ && ((d + orientation_) & 1) == 0) d = (d + 2) & 3;
    return (d + orientation_) & 3;
}

SheetPoint PartTransform::pinInnerEnd(const SchElement& pin) const {
    return place(pin.param(pin_param::X), pin.param(pin_param::Y));
}

int32_t PartTransform::pinDirection(const SchElement& pin) const { return direction(pin.param(pin_param::Direction)); }

SheetPoint PartTransform::pinOuterEnd(const SchElement& pin) const {
    return stepTowards(pinInnerEnd(pin), pinDirection(pin), pin.param(pin_param::Length));
}

}  // namespace schematic
