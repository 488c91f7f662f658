#include "schematic/wire_geometry.h"

#include <algorithm>

namespace schematic {

std::vector<SheetPoint> wirePoints(const SchElement& element) {
    std::vector<SheetPoint> points;
    if (element.kind != SchElementKind::Wire) return points;
    constexpr std::size_t kFirst = 4;
    const int64_t stated = element.param(3);
    const int64_t stored = element.params.size() > kFirst ? static_cast<int64_t>(element.params.size() - kFirst) / 2 : 0;
    const int64_t count = std::min(stated, stored);
    if (count < 2) return points;
    points.reserve(static_cast<std::size_t>(count));
    for (int64_t j = 0; j < count; ++j) {
        const std::size_t at = kFirst + 2 * static_cast<std::size_t>(j);
        points.push_back({element.params[at], element.params[at + 1]});
    }
    return points;
}

std::optional<WireEnds> wireEnds(const SchElement& element) {
    const std::vector<SheetPoint> points = wirePoints(element);
    if (points.empty()) return std::nullopt;
    return WireEnds{points.front(), points.back()};
}

bool pointOnSegment(SheetPoint p, SheetPoint a, SheetPoint b) {
    if (p.x < std::min(a.x, b.x) || p.x > std::max(a.x, b.x)) return false;
    if (p.y < std::min(a.y, b.y) || p.y > std::max(a.y, b.y)) return false;
    const __int128 lhs = static_cast<__int128>(p.x - a.x) * (b.y - a.y);
    const __int128 rhs = static_cast<__int128>(p.y - a.y) * (b.x - a.x);
    return lhs == rhs;
}

}  // namespace schematic
