#pragma once
// The view marks its hot elements on the drawing: every entry of its list as
// a dotted red box between the entry's two corners (so a horizontal or
// vertical wire shows as a dotted line along it, a slanted one as the box it
// is the diagonal of).

#include <cstdint>

#include "schematic/hot_elements.h"
#include "view/sch_canvas.h"

namespace view {

inline constexpr Colour kHotOutlineColour = 0x0000FF;  // red

// Outlines every entry, in list order, on a drawing whose origin is at
// (originX, originY) twips with `twipsPerUnit` twips per sheet unit. The
// outlines are one pixel wide whatever the elements drawn before them left;
// the canvas stays dotted and unfilled afterwards.
void DrawHotOutlines(SchCanvas& canvas, const schematic::HotElementLists& lists, float twipsPerUnit, int64_t originX,
                     int64_t originY);

}  // namespace view
