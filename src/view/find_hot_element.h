#pragma once
// Which hot element of a view lies under a point of the sheet.

#include <cstdint>

#include "schematic/hot_elements.h"

namespace view {

// The Id of the first entry of `lists` that the sheet point (x, y) hits, or
// -1. An entry whose Id has a bit of 0x80F00000 set is a rectangle, hit with
// its edges; any other is a wire segment (stored with X1 <= X2), hit within
// `tolerance` sheet units across it: a vertical one in a band without
// allowance at its ends, a horizontal one likewise, a slanted one wherever
// the point is that close to its line inside the segment's widened extent.
int32_t FindHotElement(float x, float y, const schematic::HotElementLists& lists, int32_t tolerance);

}  // namespace view
