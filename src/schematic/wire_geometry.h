#pragma once
// Points and segments of the sheet's wires, as net building compares them.

#include <optional>
#include <vector>

#include "schematic/part_transform.h"
#include "schematic/sch_model.h"

namespace schematic {

// The vertices of a Wire element in order; empty for any other element and for
// a wire with fewer than two points.
std::vector<SheetPoint> wirePoints(const SchElement& element);

// The first and the last vertex of such a wire: the points where wires meet.
struct WireEnds {
    SheetPoint first;
    SheetPoint last;

    bool meets(const WireEnds& other) const {
        return first == other.first || first == other.last || last == other.first || last == other.last;
    }
};
std::optional<WireEnds> wireEnds(const SchElement& element);

// Whether `p` lies on the segment from `a` to `b`, both ends included. Exact for
// any coordinates the sheet can hold: the collinearity products are formed in
// 128-bit arithmetic. A degenerate segment holds only its end point.
bool pointOnSegment(SheetPoint p, SheetPoint a, SheetPoint b);

}  // namespace schematic
