#pragma once
// Points and segments of the sheet's wires, as net building compares them,
// and an index that finds the segments holding a point.

#include <cstdint>
#include <optional>
#include <vector>

#include "schematic/flat_ids.h"
#include "schematic/part_transform.h"
#include "schematic/sch_model.h"

namespace schematic {

// The vertices of a Wire element in order; empty for any other element and for
// a wire with fewer than two points.
std::vector<SheetPoint> wirePoints(const SchElement& element);
// The same vertices appended to `points`; returns how many (0 or at least 2).
std::size_t appendWirePoints(const SchElement& element, std::vector<SheetPoint>& points);

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

struct SheetPointHash {
    std::size_t operator()(const SheetPoint& p) const {
        return static_cast<std::size_t>(mixBits(static_cast<uint64_t>(p.x) ^ mixBits(static_cast<uint64_t>(p.y))));
    }
};

// The segments of a sheet's wires filed in square grid cells: each cell lists
// the segments holding a point inside it, so a point is tested only against
// the segments of its own cell. The cell size follows the typical segment
// length; a segment much longer than that is filed on a coarser level (cells
// 16 times larger per level) so that it never fills more than a few dozen
// cells, whatever the coordinates. A lookup visits its cell on each level in
// use, which are few. The first level is a plain array over the area its
// segments cover unless that area is far larger than they need.
class SegmentIndex {
public:
    struct Segment {
        SheetPoint a;
        SheetPoint b;
    };

    explicit SegmentIndex(const std::vector<Segment>& segments);

    // Appends to `out` the positions (in the list given) of the segments that
    // hold `p` by pointOnSegment, ascending.
    void holding(SheetPoint p, std::vector<int32_t>& out) const;

private:
    struct Cell {
        int32_t level;
        int64_t x;
        int64_t y;
        friend bool operator==(const Cell&, const Cell&) = default;
    };
    struct CellHash {
        std::size_t operator()(const Cell& c) const {
            return SheetPointHash{}({c.x, c.y}) ^ static_cast<std::size_t>(c.level);
        }
    };

    int64_t cellSize(int32_t level) const { return cellSizes_[static_cast<std::size_t>(level)]; }
    template <typename Visit>
    void forEachCell(const Segment& s, int32_t level, Visit visit) const;
    // Position of a cell in cellStart_: the array's cells first, the hashed ones after them.
    int32_t cellId(int32_t level, int64_t cx, int64_t cy, bool add);

    // A segment as filed in a cell, its ends beside it so that a cell's
    // segments are tested from one stretch of memory.
    struct Filed {
        Segment segment;
        int32_t position;
    };

    std::vector<int64_t> cellSizes_;  // by level
    std::vector<bool> levelUsed_;
    // The first level's cells as an array, column by column, when it is not empty.
    int64_t denseLeft_ = 0, denseTop_ = 0, denseWidth_ = 0, denseHeight_ = 0;
    FlatIds<Cell, CellHash> cells_;    // the other cells
    std::vector<uint32_t> cellStart_;  // by cell id: where its segments start in filed_
    std::vector<Filed> filed_;         // cell by cell, ascending within a cell
};

}  // namespace schematic
