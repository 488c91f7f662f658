#include "schematic/wire_geometry.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace schematic {
namespace {

// Floor and ceiling of a / b for b > 0, for negative a as well.
int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

// The larger of a segment's width and height.
int64_t extentOf(const SegmentIndex::Segment& s) {
    return std::max(s.a.x > s.b.x ? s.a.x - s.b.x : s.b.x - s.a.x, s.a.y > s.b.y ? s.a.y - s.b.y : s.b.y - s.a.y);
}

constexpr int64_t kLevelFactor = 16;
constexpr int64_t kMeanCap = 8;
// A segment is filed on the first level where it spans at most this many cell widths.
constexpr int64_t kSpanPerLevel = 16;

}  // namespace

namespace {

constexpr std::size_t kFirstVertex = 4;

// How many vertices a wire's parameters hold: the stated count, as far as stored.
int64_t vertexCount(const SchElement& element) {
    if (element.kind != SchElementKind::Wire) return 0;
    const int64_t stated = element.param(3);
    const int64_t stored =
        element.params.size() > kFirstVertex ? static_cast<int64_t>(element.params.size() - kFirstVertex) / 2 : 0;
    return std::min(stated, stored);
}

SheetPoint vertex(const SchElement& element, int64_t j) {
    const std::size_t at = kFirstVertex + 2 * static_cast<std::size_t>(j);
    return {element.params[at], element.params[at + 1]};
}

}  // namespace

std::size_t appendWirePoints(const SchElement& element, std::vector<SheetPoint>& points) {
    const int64_t count = vertexCount(element);
    if (count < 2) return 0;
    for (int64_t j = 0; j < count; ++j) points.push_back(vertex(element, j));
    return static_cast<std::size_t>(count);
}

std::vector<SheetPoint> wirePoints(const SchElement& element) {
    std::vector<SheetPoint> points;
    appendWirePoints(element, points);
    return points;
}

std::optional<WireEnds> wireEnds(const SchElement& element) {
    const int64_t count = vertexCount(element);
    if (count < 2) return std::nullopt;
    return WireEnds{vertex(element, 0), vertex(element, count - 1)};
}

bool pointOnSegment(SheetPoint p, SheetPoint a, SheetPoint b) {
    if (p.x < std::min(a.x, b.x) || p.x > std::max(a.x, b.x)) return false;
    if (p.y < std::min(a.y, b.y) || p.y > std::max(a.y, b.y)) return false;
    const __int128 lhs = static_cast<__int128>(p.x - a.x) * (b.y - a.y);
    const __int128 rhs = static_cast<__int128>(p.y - a.y) * (b.x - a.x);
    return lhs == rhs;
}

// Files a segment in every cell that holds one of its points. The points a
// segment holds are the lattice points a + t (dx, dy) / g, t = 0 .. g, with g
// the greatest common divisor of |dx| and |dy|; for a slanted segment the
// cells are found column by column from the range of t inside the column.
template <typename Visit>
void SegmentIndex::forEachCell(const Segment& s, int32_t level, Visit visit) const {
    const int64_t size = cellSize(level);
    const int64_t dx = s.b.x - s.a.x;
    const int64_t dy = s.b.y - s.a.y;
    const int64_t firstX = floorDiv(std::min(s.a.x, s.b.x), size), lastX = floorDiv(std::max(s.a.x, s.b.x), size);
    if (dx == 0 || dy == 0) {
        const int64_t firstY = floorDiv(std::min(s.a.y, s.b.y), size), lastY = floorDiv(std::max(s.a.y, s.b.y), size);
        for (int64_t cx = firstX; cx <= lastX; ++cx) {
            for (int64_t cy = firstY; cy <= lastY; ++cy) visit(cx, cy);
        }
        return;
    }
    const int64_t g = std::gcd(dx, dy);
    const int64_t ux = dx / g, uy = dy / g;
    for (int64_t cx = firstX; cx <= lastX; ++cx) {
        const int64_t lo = cx * size, hi = lo + size - 1;
        int64_t t0 = ux > 0 ? ceilDiv(lo - s.a.x, ux) : ceilDiv(s.a.x - hi, -ux);
        int64_t t1 = ux > 0 ? floorDiv(hi - s.a.x, ux) : floorDiv(s.a.x - lo, -ux);
        t0 = std::max<int64_t>(t0, 0);
        t1 = std::min(t1, g);
        if (t0 > t1) continue;
        const int64_t y0 = s.a.y + t0 * uy, y1 = s.a.y + t1 * uy;
        for (int64_t cy = floorDiv(std::min(y0, y1), size); cy <= floorDiv(std::max(y0, y1), size); ++cy) visit(cx, cy);
    }
}

SegmentIndex::SegmentIndex(const std::vector<Segment>& segments) : cells_(segments.size()) {
    // Cells about as wide as the segments are long on average, so that the
    // segments fill about two cells each; but never more than a few times the
    // median length, which a handful of very long segments must not inflate.
    std::vector<int64_t> extents;
    extents.reserve(segments.size());
    double total = 0;
    for (const Segment& s : segments) {
        extents.push_back(extentOf(s));
        total += static_cast<double>(extents.back());
    }
    int64_t base = 1;
    if (!extents.empty()) {
        const auto middle = extents.begin() + static_cast<std::ptrdiff_t>(extents.size() / 2);
        std::nth_element(extents.begin(), middle, extents.end());
        const int64_t median = std::max<int64_t>(1, *middle);
        const double mean = total / static_cast<double>(extents.size());
        base = std::clamp(static_cast<int64_t>(mean), median, kMeanCap * median);
    }
    cellSizes_.push_back(base);

    // (cell, segment) pairs, counted per cell, then laid out cell by cell.
    std::vector<std::pair<int32_t, int32_t>> filings;
    filings.reserve(segments.size() * 2);
    std::vector<uint32_t> counts;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const int64_t extent = extentOf(segments[i]);
        int32_t level = 0;
        while (extent > kSpanPerLevel * cellSize(level)) {
            if (static_cast<std::size_t>(level) + 1 == cellSizes_.size()) cellSizes_.push_back(cellSizes_.back() * kLevelFactor);
            ++level;
        }
        if (levelUsed_.size() <= static_cast<std::size_t>(level)) levelUsed_.resize(static_cast<std::size_t>(level) + 1);
        levelUsed_[static_cast<std::size_t>(level)] = true;
        forEachCell(segments[i], level, [&](int64_t cx, int64_t cy) {
            const int32_t cell = cells_.insert(Cell{level, cx, cy}).first;
            if (static_cast<std::size_t>(cell) == counts.size()) counts.push_back(0);
            ++counts[static_cast<std::size_t>(cell)];
            filings.emplace_back(cell, static_cast<int32_t>(i));
        });
    }
    cellStart_.assign(counts.size() + 1, 0);
    for (std::size_t c = 0; c < counts.size(); ++c) cellStart_[c + 1] = cellStart_[c] + counts[c];
    filed_.resize(filings.size());
    std::vector<uint32_t> next(cellStart_.begin(), cellStart_.end() - 1);
    for (const auto& [cell, segment] : filings) {
        filed_[next[static_cast<std::size_t>(cell)]++] = Filed{segments[static_cast<std::size_t>(segment)], segment};
    }
}

void SegmentIndex::holding(SheetPoint p, std::vector<int32_t>& out) const {
    const std::size_t first = out.size();
    for (std::size_t level = 0; level < levelUsed_.size(); ++level) {
        if (!levelUsed_[level]) continue;
        const int64_t size = cellSize(static_cast<int32_t>(level));
        const int32_t cell = cells_.find(Cell{static_cast<int32_t>(level), floorDiv(p.x, size), floorDiv(p.y, size)});
        if (cell < 0) continue;
        for (uint32_t k = cellStart_[static_cast<std::size_t>(cell)]; k < cellStart_[static_cast<std::size_t>(cell) + 1]; ++k) {
            const Filed& f = filed_[k];
            if (pointOnSegment(p, f.segment.a, f.segment.b)) out.push_back(f.position);
        }
    }
    // Each segment is filed on one level only, so nothing repeats.
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

}  // namespace schematic
