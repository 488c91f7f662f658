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

SegmentIndex::SegmentIndex(const std::vector<Segment>& segments) {
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

    // The level of each segment, and the cells the first level spans.
    std::vector<int32_t> levels(segments.size());
    int64_t left = 0, right = -1, top = 0, bottom = -1;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment& s = segments[i];
        const int64_t extent = extentOf(s);
        int32_t level = 0;
        while (extent > kSpanPerLevel * cellSize(level)) {
            if (static_cast<std::size_t>(level) + 1 == cellSizes_.size()) cellSizes_.push_back(cellSizes_.back() * kLevelFactor);
            ++level;
        }
        levels[i] = level;
        if (levelUsed_.size() <= static_cast<std::size_t>(level)) levelUsed_.resize(static_cast<std::size_t>(level) + 1);
        levelUsed_[static_cast<std::size_t>(level)] = true;
        if (level != 0) continue;
        const int64_t x0 = floorDiv(std::min(s.a.x, s.b.x), base), x1 = floorDiv(std::max(s.a.x, s.b.x), base);
        const int64_t y0 = floorDiv(std::min(s.a.y, s.b.y), base), y1 = floorDiv(std::max(s.a.y, s.b.y), base);
        if (right < left) {
            left = x0, right = x1, top = y0, bottom = y1;
        } else {
            left = std::min(left, x0), right = std::max(right, x1), top = std::min(top, y0), bottom = std::max(bottom, y1);
        }
    }
    // The first level is a plain array of cells when the sheet is not much
    // larger than its wires need (the usual case); otherwise, and on coarser
    // levels, cells are found by hashing.
    const int64_t limit = 4 * static_cast<int64_t>(segments.size()) + 4096;
    if (right >= left && (right - left + 1) <= limit && (bottom - top + 1) <= limit &&
        (right - left + 1) * (bottom - top + 1) <= limit) {
        denseLeft_ = left, denseTop_ = top;
        denseWidth_ = right - left + 1, denseHeight_ = bottom - top + 1;
    }
    cells_ = FlatIds<Cell, CellHash>(denseWidth_ > 0 ? 0 : segments.size());

    // Counted per cell, then laid out cell by cell.
    std::vector<uint32_t> counts(static_cast<std::size_t>(denseWidth_ * denseHeight_), 0);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        forEachCell(segments[i], levels[i], [&](int64_t cx, int64_t cy) {
            const auto cell = static_cast<std::size_t>(cellId(levels[i], cx, cy, true));
            if (cell == counts.size()) counts.push_back(0);
            ++counts[cell];
        });
    }
    cellStart_.assign(counts.size() + 1, 0);
    for (std::size_t c = 0; c < counts.size(); ++c) cellStart_[c + 1] = cellStart_[c] + counts[c];
    filed_.resize(cellStart_.back());
    std::vector<uint32_t>& next = counts;
    std::copy(cellStart_.begin(), cellStart_.end() - 1, next.begin());
    for (std::size_t i = 0; i < segments.size(); ++i) {
        forEachCell(segments[i], levels[i], [&](int64_t cx, int64_t cy) {
            const auto cell = static_cast<std::size_t>(cellId(levels[i], cx, cy, false));
            filed_[next[cell]++] = Filed{segments[i], static_cast<int32_t>(i)};
        });
    }
}

int32_t SegmentIndex::cellId(int32_t level, int64_t cx, int64_t cy, bool add) {
    if (level == 0 && denseWidth_ > 0) return static_cast<int32_t>((cx - denseLeft_) * denseHeight_ + (cy - denseTop_));
    const int32_t dense = static_cast<int32_t>(denseWidth_ * denseHeight_);
    return dense + (add ? cells_.insert(Cell{level, cx, cy}).first : cells_.find(Cell{level, cx, cy}));
}

void SegmentIndex::holding(SheetPoint p, std::vector<int32_t>& out) const {
    const std::size_t first = out.size();
    for (std::size_t level = 0; level < levelUsed_.size(); ++level) {
        if (!levelUsed_[level]) continue;
        const int64_t size = cellSize(static_cast<int32_t>(level));
        const int64_t cx = floorDiv(p.x, size), cy = floorDiv(p.y, size);
        int64_t cell = -1;
        if (level == 0 && denseWidth_ > 0) {
            if (cx >= denseLeft_ && cx < denseLeft_ + denseWidth_ && cy >= denseTop_ && cy < denseTop_ + denseHeight_) {
                cell = (cx - denseLeft_) * denseHeight_ + (cy - denseTop_);
            }
        } else {
            const int32_t hashed = cells_.find(Cell{static_cast<int32_t>(level), cx, cy});
            if (hashed >= 0) cell = denseWidth_ * denseHeight_ + hashed;
        }
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
