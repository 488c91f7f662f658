#pragma once
// Finds orthogonal wires between pin ends on a drafted sheet, the way a
// schematic is drawn by hand: on the 10-unit grid the drafts use, around the
// parts, their pins and texts, crossing other wires and buses only at right
// angles and never where they bend, end or carry a junction or a label, and
// never through a pin end of another net. Wherever a branch meets the net's
// tree, a junction marks the join.
//
// The router only reads the sheet; the caller draws what it finds (with
// drawRoutedNet) before it routes the next net, which then keeps clear of it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "schematic/part_transform.h"
#include "schematic/sch_model.h"
#include "schgen/sheet_draft.h"

namespace schgen {

// A rectangle of the sheet, edges included.
struct SheetBox {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct RoutedNet {
    std::vector<std::vector<schematic::SheetPoint>> wires;  // each of two vertices or more
    std::vector<schematic::SheetPoint> junctions;
};

// Where a net label goes on a routed net: its anchor on one of the net's
// wires, or at the end of a further stub (with its junction) when no wire of
// the net has room for the text.
struct LabelPlace {
    schematic::SheetPoint anchor;
    std::vector<schematic::SheetPoint> stub;  // empty when the anchor is on the net
    std::optional<schematic::SheetPoint> junction;
};

class WireRouter {
public:
    static constexpr int32_t kGrid = SheetDraft::kGrid;

    // Takes in what `sheet` holds now; routes stay inside `area`.
    WireRouter(const schematic::SchSheet& sheet, SheetBox area);

    // Wires that join the pin ends `pinEnds` into one net, each pin left in
    // the direction it points; nullopt when there is no way through.
    std::optional<RoutedNet> route(const std::vector<schematic::SheetPoint>& pinEnds) const;

    // The same for any points: a pin end is left the way it points, another
    // point in `leave` (a schematic::direction, -1 for any); with `crossWires`
    // false the lines found cross bus lines only, as bus lines are drawn.
    struct Terminal {
        schematic::SheetPoint at;
        int32_t leave = -1;
    };
    std::optional<RoutedNet> route(const std::vector<Terminal>& terminals, bool crossWires) const;

    // Keeps routes off the line from `a` to `b`, such as a line still to be drawn.
    void keepOut(schematic::SheetPoint a, schematic::SheetPoint b);
    // Whether a text such as a bus's name fits over the straight level line of
    // another element from `anchor` on: no line crosses or leaves it there
    // and nothing stands over it.
    bool textFits(schematic::SheetPoint anchor, const std::string& text) const;
    // Whether nothing lies on the straight line from `a` to `b`, ends included.
    bool clear(schematic::SheetPoint a, schematic::SheetPoint b) const;

    // Room for a net label of `text` on `net` (routed by this router, not yet
    // drawn): on a horizontal stretch of it with nothing above, or on a new
    // horizontal stub; nullopt when there is none.
    std::optional<LabelPlace> labelPlace(const RoutedNet& net, const std::string& text) const;

    // Room for a net label of `text` on a straight stub that leaves the pin end
    // `from` in direction `dir`: the stub's far end, or nullopt when something
    // is in the way.
    std::optional<schematic::SheetPoint> stubEnd(schematic::SheetPoint from, int32_t dir, const std::string& text) const;
    // The same for a pin end pointing up or down (a chip's supply pin), where
    // a label at the end of a straight stub would stand across the pin: a stub
    // that runs on `out` grid steps from the pin end and turns right, the label
    // over its level part as on any other stub. The stub's points, or nullopt
    // when something is in the way.
    std::optional<std::vector<schematic::SheetPoint>> turnedStub(schematic::SheetPoint from, int32_t dir, int32_t out,
                                                                 const std::string& text) const;

private:
    // What a grid point holds: nothing; something no wire may touch; another
    // net's straight horizontal or vertical line, which a wire may cross at a
    // right angle; a pin end, which only its own net enters, from outside.
    enum Cell : uint8_t { Free, Blocked, Horizontal, Vertical, PinEnd };
    struct Point {
        int32_t col, row;
        friend bool operator==(const Point&, const Point&) = default;
    };

    bool inside(Point p) const { return p.col >= 0 && p.row >= 0 && p.col < cols_ && p.row < rows_; }
    std::size_t at(Point p) const { return static_cast<std::size_t>(p.row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(p.col); }
    std::optional<Point> gridPoint(schematic::SheetPoint p) const;
    schematic::SheetPoint sheetPoint(Point p) const;

    void block(Point p);
    void blockBox(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    void blockText(int64_t x, int64_t y, int32_t width, int32_t height, bool baseline);
    void blockBeyond(schematic::SheetPoint before, schematic::SheetPoint end);
    void markBus(schematic::SheetPoint a, schematic::SheetPoint b);
    bool passable(Point p, int32_t d) const;
    // Whether `steps` points on from `start` in direction `d` are free for a
    // labelled stub: none right outside a pin end but the first `ownSteps`
    // (outside the pin the stub leaves), and, on a level stub, no text above.
    bool stubFits(Point start, int32_t d, int32_t steps, int32_t ownSteps) const;
    void takeLine(schematic::SheetPoint a, schematic::SheetPoint b, bool crossable);
    void takePart(const schematic::SchSheet& sheet, const schematic::SchElement& part);
    bool free(Point p) const;

    int32_t cols_ = 0, rows_ = 0;
    int64_t left_ = 0, top_ = 0;
    // Per point: a Cell; for a pin end the direction it points; for a point
    // just outside a pin end, where the pin's number reaches, that pin end's
    // point (-1 for any other point).
    std::vector<uint8_t> cells_;
    std::vector<uint8_t> pinDir_;
    std::vector<int32_t> outsidePin_;
    std::vector<uint8_t> noDown_;   // the step down from the point crosses a text
    std::vector<uint8_t> busLine_;  // a bus line passes: dearer to cross than a wire
};

// Draws a routed net's wires and junctions and, given its label's place, the
// label `name` there with the stub and junction the place may need.
void drawRoutedNet(SheetDraft& draft, const RoutedNet& net, const std::optional<LabelPlace>& place = std::nullopt,
                   const std::string& name = {});

}  // namespace schgen
