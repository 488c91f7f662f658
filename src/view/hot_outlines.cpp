#include "view/hot_outlines.h"

namespace view {

void DrawHotOutlines(SchCanvas& canvas, const schematic::HotElementLists& lists, float twipsPerUnit, int64_t originX,
                     int64_t originY) {
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.setDrawStyle(DrawStyle::Dot);
    // A wider pen left by the last element would draw the dots solid.
    canvas.setDrawWidth(1);
    const double tpu = twipsPerUnit;
    const auto at = [&](int64_t x, int64_t y) {
        return TwipsPoint{static_cast<float>(static_cast<double>(originX) + tpu * static_cast<double>(x)),
                          static_cast<float>(static_cast<double>(originY) + tpu * static_cast<double>(y))};
    };
    for (const schematic::HotElementBox& b : lists.Boxes) canvas.box(at(b.X1, b.Y1), at(b.X2, b.Y2), kHotOutlineColour);
}

}  // namespace view
