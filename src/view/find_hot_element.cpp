#include "view/find_hot_element.h"

namespace view {
namespace {

bool hitsRectangle(double x, double y, const schematic::HotElementBox& b) {
    return b.X1 <= x && x <= b.X2 && b.Y1 <= y && y <= b.Y2;
}

bool hitsSegment(double x, double y, const schematic::HotElementBox& b, int64_t s) {
    if (x < static_cast<double>(b.X1 - s) || x > static_cast<double>(b.X2 + s)) return false;
    const int64_t dx = b.X1 - b.X2;
    const int64_t dy = b.Y1 - b.Y2;
    if (dx == 0) return (b.Y1 <= y && y <= b.Y2) || (b.Y2 <= y && y <= b.Y1);
    if (dy == 0) return b.Y1 - s <= y && y <= b.Y2 + s && b.X1 <= x && x <= b.X2;
    const bool inBand = (b.Y1 - s <= y && y <= b.Y2 + s) || (b.Y2 - s <= y && y <= b.Y1 + s);
    if (!inBand) return false;
    // The distance to the line is at most s when s^2 (A + B) >= A B, with A
    // and B the squared horizontal and vertical distances; single precision,
    // as the test has always been made.
    const float fx = static_cast<float>(static_cast<double>(b.X1) - x);
    const float fy = static_cast<float>(static_cast<double>(b.Y1) - y);
    const double ddx = static_cast<double>(dx);
    const double ddy = static_cast<double>(dy);
    const double h = static_cast<double>(fy) * ddx / ddy - static_cast<double>(fx);
    const double v = static_cast<double>(fx) * ddy / ddx - static_cast<double>(fy);
    const float a = static_cast<float>(h * h);
    const float bb = static_cast<float>(v * v);
    const float sum = a + bb;
    const float left = static_cast<float>(static_cast<double>(s) * static_cast<double>(s) * static_cast<double>(sum));
    const float right = a * bb;
    return left >= right;
}

}  // namespace

int32_t FindHotElement(float x, float y, const schematic::HotElementLists& lists, int32_t tolerance) {
    const double px = x;
    const double py = y;
    for (const schematic::HotElementBox& b : lists.Boxes) {
        const bool hit = schematic::isRectangleId(b.Id) ? hitsRectangle(px, py, b) : hitsSegment(px, py, b, tolerance);
        if (hit) return b.Id;
    }
    return schematic::kNoHotElement;
}

}  // namespace view
