#include "schgen/wire_router.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <limits>
#include <queue>

#include "schematic/wire_geometry.h"
#include "schgen/text_extent.h"

namespace schgen {
namespace {

using schematic::SchElement;
using schematic::SchElementKind;
using schematic::SheetPoint;
namespace dir = schematic::direction;

constexpr int32_t kStepCost = 1;
constexpr int32_t kBendCost = 3;
constexpr int32_t kCrossCost = 4;
constexpr int32_t kBusCrossCost = 12;
// Texts of the drafts' 10-point fonts stand about one grid step tall.
constexpr int32_t kTextHeight = 10;

constexpr int32_t kDx[4] = {1, 0, -1, 0};
constexpr int32_t kDy[4] = {0, -1, 0, 1};

int32_t reverse(int32_t d) { return (d + 2) & 3; }
bool horizontal(int32_t d) { return (d & 1) == 0; }

int64_t floorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

int32_t fontSize(const schematic::SchSheet& sheet, int32_t fontId) {
    const schematic::SchFont* f = sheet.fontById(fontId);
    return f && f->size > 0 ? f->size : 10;
}

}  // namespace

WireRouter::WireRouter(const schematic::SchSheet& sheet, SheetBox area) {
    left_ = ceilDiv(area.x1, kGrid) * kGrid;
    top_ = ceilDiv(area.y1, kGrid) * kGrid;
    cols_ = static_cast<int32_t>(std::max<int64_t>(0, floorDiv(area.x2 - left_, kGrid) + 1));
    rows_ = static_cast<int32_t>(std::max<int64_t>(0, floorDiv(area.y2 - top_, kGrid) + 1));
    const std::size_t n = static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_);
    cells_.assign(n, Free);
    pinDir_.assign(n, 0);
    outsidePin_.assign(n, -1);
    noDown_.assign(n, 0);
    busLine_.assign(n, 0);

    std::vector<std::pair<SheetPoint, SheetPoint>> lineEnds;  // the last segment of each line, towards its end
    for (const SchElement& e : sheet.elements) {
        switch (e.kind) {
            case SchElementKind::Part: takePart(sheet, e); break;
            case SchElementKind::Wire:
            case SchElementKind::Bus: {
                std::vector<SheetPoint> points = schematic::wirePoints(e);
                if (points.empty()) {  // a bus: the same layout of points
                    for (std::size_t k = 4; k + 1 < e.params.size(); k += 2) points.push_back({e.params[k], e.params[k + 1]});
                }
                for (std::size_t k = 0; k + 1 < points.size(); ++k) {
                    takeLine(points[k], points[k + 1], true);
                    if (e.kind == SchElementKind::Bus) markBus(points[k], points[k + 1]);
                }
                for (const SheetPoint& p : points)
                    if (const auto g = gridPoint(p)) block(*g);
                // A wire that went on in line with another's end would seem to continue it.
                if (points.size() >= 2) {
                    lineEnds.push_back({points[1], points[0]});
                    lineEnds.push_back({points[points.size() - 2], points.back()});
                }
                break;
            }
            case SchElementKind::BusEntry:
                for (const SheetPoint& p : {SheetPoint{e.param(0), e.param(1)}, SheetPoint{e.param(2), e.param(3)}})
                    if (const auto g = gridPoint(p)) block(*g);
                break;
            case SchElementKind::Junction:
                if (const auto g = gridPoint({e.param(0), e.param(1)})) block(*g);
                break;
            case SchElementKind::NetLabel:
                blockText(e.param(0), e.param(1), textWidth(e.text(0), fontSize(sheet, e.param(4))), kTextHeight, false);
                break;
            case SchElementKind::Label:
                blockText(e.param(0), e.param(1), textWidth(e.text(0), fontSize(sheet, e.param(4))), fontSize(sheet, e.param(4)), true);
                break;
            case SchElementKind::TextFrame:
                blockBox(e.param(0), e.param(3), e.param(2), e.param(1));
                break;
            case SchElementKind::Rectangle: {
                const SheetPoint a{e.param(0), e.param(1)}, b{e.param(2), e.param(3)};
                takeLine(a, {b.x, a.y}, false);
                takeLine({b.x, a.y}, b, false);
                takeLine(b, {a.x, b.y}, false);
                takeLine({a.x, b.y}, a, false);
                break;
            }
            case SchElementKind::Line:
                takeLine({e.param(0), e.param(1)}, {e.param(2), e.param(3)}, false);
                break;
            default: break;
        }
    }
    // Only where nothing else runs on: a line that does continue there is another line's.
    for (const auto& [before, end] : lineEnds) blockBeyond(before, end);
}

std::optional<WireRouter::Point> WireRouter::gridPoint(SheetPoint p) const {
    if ((p.x - left_) % kGrid != 0 || (p.y - top_) % kGrid != 0) return std::nullopt;
    const Point g{static_cast<int32_t>((p.x - left_) / kGrid), static_cast<int32_t>((p.y - top_) / kGrid)};
    if (!inside(g)) return std::nullopt;
    return g;
}

SheetPoint WireRouter::sheetPoint(Point p) const { return {left_ + int64_t{p.col} * kGrid, top_ + int64_t{p.row} * kGrid}; }

void WireRouter::block(Point p) {
    if (inside(p)) cells_[at(p)] = Blocked;
}

void WireRouter::blockBox(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    const int64_t c1 = std::max<int64_t>(0, ceilDiv(x1 - left_, kGrid)), c2 = std::min<int64_t>(cols_ - 1, floorDiv(x2 - left_, kGrid));
    const int64_t r1 = std::max<int64_t>(0, ceilDiv(y1 - top_, kGrid)), r2 = std::min<int64_t>(rows_ - 1, floorDiv(y2 - top_, kGrid));
    for (int64_t r = r1; r <= r2; ++r)
        for (int64_t c = c1; c <= c2; ++c) block({static_cast<int32_t>(c), static_cast<int32_t>(r)});
}

// A text stands on its point, its bottom-left corner, and reaches up by its
// height: no wire may cross it. A net label's text stands on its own wire; a
// wire may run along its top edge, as a neighbouring pin's wire does. Any
// other text keeps wires off its baseline and a grid step clear above it.
void WireRouter::blockText(int64_t x, int64_t y, int32_t width, int32_t height, bool baseline) {
    const int64_t c1 = std::max<int64_t>(0, ceilDiv(x - left_, kGrid)), c2 = std::min<int64_t>(cols_ - 1, floorDiv(x + width - left_, kGrid));
    const int64_t top = y - height;
    const int64_t r1 = std::max<int64_t>(0, floorDiv(top - top_, kGrid)), r2 = std::min<int64_t>(rows_ - 1, ceilDiv(y - top_, kGrid));
    for (int64_t r = r1; r <= r2; ++r) {
        for (int64_t c = c1; c <= c2; ++c) {
            const Point g{static_cast<int32_t>(c), static_cast<int32_t>(r)};
            const int64_t gy = sheetPoint(g).y;
            if ((gy > top && gy < y) || (baseline && gy >= top - kGrid && gy <= y)) block(g);
            if (gy >= top && gy < y && r + 1 < rows_) noDown_[at(g)] = 1;
        }
    }
}

void WireRouter::markBus(SheetPoint a, SheetPoint b) {
    if (a.x != b.x && a.y != b.y) return;
    const int64_t steps = (std::abs(b.x - a.x) + std::abs(b.y - a.y)) / kGrid;
    for (int64_t k = 0; k <= steps; ++k) {
        const SheetPoint p{a.x + (b.x > a.x) * k * kGrid - (b.x < a.x) * k * kGrid, a.y + (b.y > a.y) * k * kGrid - (b.y < a.y) * k * kGrid};
        if (const auto g = gridPoint(p)) busLine_[at(*g)] = 1;
    }
}

void WireRouter::blockBeyond(SheetPoint before, SheetPoint end) {
    const int64_t dx = end.x - before.x, dy = end.y - before.y;
    if ((dx != 0) == (dy != 0)) return;
    const SheetPoint beyond{end.x + (dx > 0) * kGrid - (dx < 0) * kGrid, end.y + (dy > 0) * kGrid - (dy < 0) * kGrid};
    if (const auto g = gridPoint(beyond); g && cells_[at(*g)] == Free) block(*g);
}

void WireRouter::takeLine(SheetPoint a, SheetPoint b, bool crossable) {
    const int64_t x1 = std::min(a.x, b.x), x2 = std::max(a.x, b.x), y1 = std::min(a.y, b.y), y2 = std::max(a.y, b.y);
    const bool straight = a.x == b.x || a.y == b.y;
    const int64_t c1 = std::max<int64_t>(0, ceilDiv(x1 - left_, kGrid)), c2 = std::min<int64_t>(cols_ - 1, floorDiv(x2 - left_, kGrid));
    const int64_t r1 = std::max<int64_t>(0, ceilDiv(y1 - top_, kGrid)), r2 = std::min<int64_t>(rows_ - 1, floorDiv(y2 - top_, kGrid));
    for (int64_t r = r1; r <= r2; ++r) {
        for (int64_t c = c1; c <= c2; ++c) {
            const Point g{static_cast<int32_t>(c), static_cast<int32_t>(r)};
            const SheetPoint s = sheetPoint(g);
            if (!schematic::pointOnSegment(s, a, b)) continue;
            uint8_t& cell = cells_[at(g)];
            if (!crossable || !straight || s == a || s == b) {
                cell = Blocked;
                continue;
            }
            const uint8_t along = a.y == b.y ? Horizontal : Vertical;
            cell = cell == Free ? along : static_cast<uint8_t>(Blocked);
        }
    }
}

void WireRouter::takePart(const schematic::SchSheet& sheet, const SchElement& part) {
    namespace pp = schematic::part_param;
    const schematic::SchPartGraphics* g = sheet.partGraphics(part);
    if (!g) return;
    const schematic::PartTransform placement = schematic::PartTransform::of(part);
    for (const SchElement& e : g->elements) {
        if (e.kind == SchElementKind::Rectangle) {
            const SheetPoint a = placement.place(e.param(0), e.param(1)), b = placement.place(e.param(2), e.param(3));
            blockBox(a.x, a.y, b.x, b.y);
        } else if (e.kind == SchElementKind::Pin) {
            const SheetPoint inner = placement.pinInnerEnd(e), outer = placement.pinOuterEnd(e);
            takeLine(inner, outer, false);
            if (const auto o = gridPoint(outer)) {
                const int32_t d = placement.pinDirection(e);
                cells_[at(*o)] = PinEnd;
                pinDir_[at(*o)] = static_cast<uint8_t>(d);
                const Point beyond{o->col + kDx[d], o->row + kDy[d]};
                if (inside(beyond)) outsidePin_[at(beyond)] = static_cast<int32_t>(at(*o));
            }
        }
    }
    if (part.param(pp::DesignatorHidden) == 0)
        blockText(part.param(pp::DesignatorX), part.param(pp::DesignatorY),
                  textWidth(part.text(schematic::part_text::Designator), fontSize(sheet, part.param(pp::DesignatorFont))),
                  fontSize(sheet, part.param(pp::DesignatorFont)), true);
    if (part.param(pp::PartTypeHidden) == 0)
        blockText(part.param(pp::PartTypeX), part.param(pp::PartTypeY),
                  textWidth(part.text(schematic::part_text::PartType), fontSize(sheet, part.param(pp::PartTypeFont))),
                  fontSize(sheet, part.param(pp::PartTypeFont)), true);
}

bool WireRouter::free(Point p) const { return inside(p) && cells_[at(p)] == Free; }

bool WireRouter::passable(Point p, int32_t d) const {
    if (d == dir::Down) return !noDown_[at(p)];
    if (d == dir::Up) return p.row > 0 && !noDown_[at({p.col, p.row - 1})];
    return true;
}

void WireRouter::keepOut(SheetPoint a, SheetPoint b) { takeLine(a, b, false); }

bool WireRouter::textFits(SheetPoint anchor, const std::string& text) const {
    const auto start = gridPoint(anchor);
    if (!start) return false;
    const int32_t span = (textWidth(text) + kGrid - 1) / kGrid;
    for (int32_t k = 0; k <= span; ++k) {
        const Point base{start->col + k, start->row}, above{start->col + k, start->row - 1};
        if (!inside(base) || !inside(above) || cells_[at(base)] != Horizontal || !free(above) || noDown_[at(above)]) return false;
    }
    return true;
}

bool WireRouter::clear(SheetPoint a, SheetPoint b) const {
    const auto ga = gridPoint(a), gb = gridPoint(b);
    if (!ga || !gb || (ga->col != gb->col && ga->row != gb->row)) return false;
    const int32_t dc = (gb->col > ga->col) - (gb->col < ga->col), dr = (gb->row > ga->row) - (gb->row < ga->row);
    for (Point p = *ga;; p = {p.col + dc, p.row + dr}) {
        if (!free(p)) return false;
        if (p == *gb) return true;
    }
}

std::optional<RoutedNet> WireRouter::route(const std::vector<SheetPoint>& pinEnds) const {
    std::vector<Terminal> terminals;
    for (const SheetPoint& p : pinEnds) terminals.push_back({p, -1});
    return route(terminals, true);
}

std::optional<RoutedNet> WireRouter::route(const std::vector<Terminal>& terminals, bool crossWires) const {
    RoutedNet net;
    if (terminals.size() < 2) return net;
    const std::size_t n = cells_.size();
    std::vector<Point> ends;
    // Per point: the direction a terminal's wire must leave it in (and a
    // joining wire come from), -1 for any, -2 for no terminal.
    std::vector<int8_t> port(n, -2);
    for (const Terminal& t : terminals) {
        const auto g = gridPoint(t.at);
        if (!g) return std::nullopt;
        ends.push_back(*g);
        port[at(*g)] = static_cast<int8_t>(cells_[at(*g)] == PinEnd ? pinDir_[at(*g)] : t.leave);
    }

    std::vector<uint8_t> arms(n, 0);      // the tree's edges by direction bits
    std::vector<uint8_t> inTree(n, 0);
    std::vector<uint8_t> isEnd(n, 0);     // a terminal of this net
    for (const Point& e : ends) isEnd[at(e)] = 1;
    inTree[at(ends[0])] = 1;
    std::vector<Point> tree{ends[0]};
    std::vector<bool> joined(ends.size(), false);
    joined[0] = true;

    auto distanceToTree = [&](Point p) {
        int32_t best = std::numeric_limits<int32_t>::max();
        for (const Point& t : tree) best = std::min(best, std::abs(t.col - p.col) + std::abs(t.row - p.row));
        return best;
    };

    const int32_t kInf = std::numeric_limits<int32_t>::max();
    std::vector<int32_t> cost(n * 4);
    std::vector<int32_t> from(n * 4);
    for (std::size_t done = 1; done < ends.size(); ++done) {
        std::size_t next = 0;
        int32_t nearest = kInf;
        for (std::size_t k = 0; k < ends.size(); ++k) {
            if (joined[k]) continue;
            const int32_t d = distanceToTree(ends[k]);
            if (d < nearest) {
                nearest = d;
                next = k;
            }
        }
        joined[next] = true;
        const Point start = ends[next];
        if (inTree[at(start)]) continue;  // the same pin given twice

        // Cheapest path from the terminal to the tree over (point, heading)
        // states, paying for bends, crossings and running close to pin ends.
        std::fill(cost.begin(), cost.end(), kInf);
        std::fill(from.begin(), from.end(), -1);
        using Item = std::pair<int32_t, int32_t>;
        std::priority_queue<Item, std::vector<Item>, std::greater<>> open;
        const int32_t startPort = port[at(start)];
        for (int32_t d = 0; d < 4; ++d) {
            if (startPort >= 0 && d != startPort) continue;
            const auto s = static_cast<int32_t>(at(start) * 4 + static_cast<std::size_t>(d));
            cost[static_cast<std::size_t>(s)] = 0;
            open.push({0, s});
        }
        int32_t reached = -1;
        while (!open.empty()) {
            const auto [c, s] = open.top();
            open.pop();
            if (c != cost[static_cast<std::size_t>(s)]) continue;
            const std::size_t cell = static_cast<std::size_t>(s) / 4;
            const int32_t heading = s % 4;
            const Point p{static_cast<int32_t>(cell % static_cast<std::size_t>(cols_)), static_cast<int32_t>(cell / static_cast<std::size_t>(cols_))};
            if (inTree[cell] && !(p == start)) {
                reached = s;
                break;
            }
            const uint8_t here = cells_[cell];
            const bool crossing = here == Horizontal || here == Vertical;
            for (int32_t d = 0; d < 4; ++d) {
                if (p == start) {
                    if (d != heading) continue;
                } else {
                    if (d == reverse(heading)) continue;
                    if (crossing && d != heading) continue;
                }
                const Point q{p.col + kDx[d], p.row + kDy[d]};
                if (!inside(q) || !passable(p, d)) continue;
                const std::size_t qc = at(q);
                // Right outside a pin end only the pin's own net may pass.
                if (outsidePin_[qc] >= 0 && !isEnd[static_cast<std::size_t>(outsidePin_[qc])]) continue;
                int32_t step = kStepCost + (d != heading ? kBendCost : 0);
                const uint8_t there = cells_[qc];
                if (inTree[qc]) {
                    // Join the tree at a point of its own, never where it
                    // crosses another line, and a lone terminal from the side
                    // it opens to.
                    if (there == Horizontal || there == Vertical) continue;
                    if (port[qc] >= 0 && d != reverse(port[qc])) continue;
                } else if (there == Horizontal || there == Vertical) {
                    if ((!crossWires && !busLine_[qc]) || (there == Horizontal) == horizontal(d)) continue;
                    step += busLine_[qc] ? kBusCrossCost : kCrossCost;
                } else if (there != Free) {
                    continue;
                }
                if (isEnd[qc] && !inTree[qc]) continue;  // another terminal waits for its own route
                const auto t = static_cast<int32_t>(qc * 4 + static_cast<std::size_t>(d));
                if (c + step < cost[static_cast<std::size_t>(t)]) {
                    cost[static_cast<std::size_t>(t)] = c + step;
                    from[static_cast<std::size_t>(t)] = s;
                    open.push({c + step, t});
                }
            }
        }
        if (reached < 0) return std::nullopt;
        for (int32_t s = reached; from[static_cast<std::size_t>(s)] >= 0; s = from[static_cast<std::size_t>(s)]) {
            const std::size_t a = static_cast<std::size_t>(s) / 4, b = static_cast<std::size_t>(from[static_cast<std::size_t>(s)]) / 4;
            const int32_t d = s % 4;  // heading from b into a
            arms[b] |= static_cast<uint8_t>(1u << d);
            arms[a] |= static_cast<uint8_t>(1u << reverse(d));
            if (!inTree[b]) {
                inTree[b] = 1;
                tree.push_back({static_cast<int32_t>(b % static_cast<std::size_t>(cols_)), static_cast<int32_t>(b / static_cast<std::size_t>(cols_))});
            }
        }
    }

    // The tree as wires: runs between points where it branches or ends, bent
    // where it turns; a junction wherever three lines meet (a pin counts).
    auto degree = [&](std::size_t c) { return std::popcount(static_cast<unsigned>(arms[c])); };
    auto isNode = [&](std::size_t c) { return degree(c) != 2 || cells_[c] == PinEnd; };
    std::vector<uint8_t> walked(n, 0);
    for (const Point& t : tree) {
        const std::size_t c = at(t);
        if (degree(c) + (cells_[c] == PinEnd ? 1 : 0) >= 3) net.junctions.push_back(sheetPoint(t));
        if (!isNode(c)) continue;
        for (int32_t d = 0; d < 4; ++d) {
            if (!(arms[c] & (1u << d)) || (walked[c] & (1u << d))) continue;
            std::vector<SheetPoint> wire{sheetPoint(t)};
            Point p = t;
            int32_t heading = d;
            while (true) {
                walked[at(p)] |= static_cast<uint8_t>(1u << heading);
                const Point q{p.col + kDx[heading], p.row + kDy[heading]};
                walked[at(q)] |= static_cast<uint8_t>(1u << reverse(heading));
                if (isNode(at(q))) {
                    wire.push_back(sheetPoint(q));
                    break;
                }
                int32_t onward = heading;
                for (int32_t e = 0; e < 4; ++e)
                    if ((arms[at(q)] & (1u << e)) && e != reverse(heading)) onward = e;
                if (onward != heading) wire.push_back(sheetPoint(q));
                p = q;
                heading = onward;
            }
            net.wires.push_back(std::move(wire));
        }
    }
    return net;
}

std::optional<LabelPlace> WireRouter::labelPlace(const RoutedNet& net, const std::string& text) const {
    const int32_t width = textWidth(text);
    const std::size_t n = cells_.size();
    std::vector<uint8_t> arms(n, 0);
    for (const std::vector<SheetPoint>& w : net.wires) {
        for (std::size_t k = 0; k + 1 < w.size(); ++k) {
            const auto a = gridPoint(w[k]), b = gridPoint(w[k + 1]);
            if (!a || !b) return std::nullopt;
            const int32_t d = a->col < b->col ? dir::Right : a->col > b->col ? dir::Left : a->row > b->row ? dir::Up : dir::Down;
            for (Point p = *a; !(p == *b); p = {p.col + kDx[d], p.row + kDy[d]}) {
                arms[at(p)] |= static_cast<uint8_t>(1u << d);
                arms[at({p.col + kDx[d], p.row + kDy[d]})] |= static_cast<uint8_t>(1u << reverse(d));
            }
        }
    }
    // Under the text nothing but the net's own straight run (or the new
    // stub); over it no other text and no wire of the net.
    auto textRoom = [&](Point anchor, bool onOwnRun) {
        const int32_t span = (width + kGrid - 1) / kGrid;
        for (int32_t k = 0; k <= span; ++k) {
            const Point base{anchor.col + k, anchor.row}, above{anchor.col + k, anchor.row - 1};
            if (!inside(base) || !inside(above) || noDown_[at(above)] || (arms[at(above)] & (1u << dir::Down))) return false;
            if (onOwnRun ? (cells_[at(base)] != Free || arms[at(base)] != ((1u << dir::Left) | (1u << dir::Right)))
                         : !free(base) || arms[at(base)])
                return false;
        }
        return true;
    };

    // On a horizontal run of the net, a grid step in from either end.
    std::optional<LabelPlace> best;
    int64_t bestLength = 0;
    for (const std::vector<SheetPoint>& w : net.wires) {
        for (std::size_t k = 0; k + 1 < w.size(); ++k) {
            if (w[k].y != w[k + 1].y) continue;
            const SheetPoint a = w[k].x < w[k + 1].x ? w[k] : w[k + 1];
            const SheetPoint b = w[k].x < w[k + 1].x ? w[k + 1] : w[k];
            const int64_t length = b.x - a.x;
            if (length < width + 2 * kGrid + kGrid || length <= bestLength) continue;
            const auto ga = gridPoint(a);
            if (!ga) continue;
            for (int32_t s = 1; int64_t{s + 1} * kGrid + width <= length; ++s) {
                const Point anchor{ga->col + s, ga->row};
                if (!textRoom(anchor, true)) continue;
                best = LabelPlace{sheetPoint(anchor), {}, std::nullopt};
                bestLength = length;
                break;
            }
        }
    }
    if (best) return best;

    // Else on a stub branching off the net sideways.
    const int32_t steps = (width + 2 * kGrid + kGrid - 1) / kGrid;
    std::vector<Point> own;
    for (std::size_t c = 0; c < n; ++c)
        if (arms[c]) own.push_back({static_cast<int32_t>(c % static_cast<std::size_t>(cols_)), static_cast<int32_t>(c / static_cast<std::size_t>(cols_))});
    // The stub with the most room beyond its end, so that it crowds nothing.
    std::optional<LabelPlace> roomiest;
    int32_t bestRoom = -1;
    constexpr int32_t kEnoughRoom = 6;
    for (const Point& p : own) {
        const std::size_t c = at(p);
        if (cells_[c] != Free || std::popcount(static_cast<unsigned>(arms[c])) > 2) continue;
        for (const int32_t d : {dir::Left, dir::Right}) {
            if (arms[c] & (1u << d)) continue;
            bool clear = true;
            for (int32_t k = 1; k <= steps && clear; ++k) {
                const Point q{p.col + kDx[d] * k, p.row};
                clear = free(q) && !arms[at(q)] && outsidePin_[at(q)] < 0;
            }
            const Point far{p.col + kDx[d] * steps, p.row};
            if (!clear) continue;
            const Point anchor = d == dir::Right ? Point{p.col + 1, p.row} : far;
            if (!textRoom(anchor, false)) continue;
            int32_t room = 0;
            while (room < kEnoughRoom && free({far.col + kDx[d] * (room + 1), far.row}) && !arms[at({far.col + kDx[d] * (room + 1), far.row})]) ++room;
            if (room > bestRoom) {
                bestRoom = room;
                roomiest = LabelPlace{sheetPoint(anchor), {sheetPoint(p), sheetPoint(far)}, sheetPoint(p)};
            }
        }
    }
    return roomiest;
}

bool WireRouter::stubFits(Point start, int32_t d, int32_t steps, int32_t ownSteps) const {
    for (int32_t k = 1; k <= steps; ++k) {
        const Point q{start.col + kDx[d] * k, start.row + kDy[d] * k};
        if (!free(q) || (k > ownSteps && outsidePin_[at(q)] >= 0)) return false;
        if (horizontal(d) && (q.row == 0 || noDown_[at({q.col, q.row - 1})])) return false;
    }
    return true;
}

std::optional<SheetPoint> WireRouter::stubEnd(SheetPoint from, int32_t d, const std::string& text) const {
    const auto start = gridPoint(from);
    const int32_t steps = SheetDraft::labelStubLength(text) / kGrid;
    if (!start || !stubFits(*start, d, steps, 1)) return std::nullopt;
    return SheetPoint{from.x + int64_t{kDx[d]} * steps * kGrid, from.y + int64_t{kDy[d]} * steps * kGrid};
}

std::optional<std::vector<SheetPoint>> WireRouter::turnedStub(SheetPoint from, int32_t d, int32_t out,
                                                              const std::string& text) const {
    const auto start = gridPoint(from);
    if (!start || horizontal(d)) return std::nullopt;
    Point bend = *start;
    for (int32_t k = 1; k <= out; ++k) {
        if (!passable(bend, d)) return std::nullopt;
        bend = {bend.col, bend.row + kDy[d]};
        if (!free(bend) || (k > 1 && outsidePin_[at(bend)] >= 0)) return std::nullopt;
    }
    const int32_t steps = SheetDraft::labelStubLength(text) / kGrid;
    if (!stubFits(bend, dir::Right, steps, 0)) return std::nullopt;
    const SheetPoint corner = sheetPoint(bend);
    std::vector<SheetPoint> points{from};
    if (out > 0) points.push_back(corner);
    points.push_back({corner.x + int64_t{steps} * kGrid, corner.y});
    return points;
}

void drawRoutedNet(SheetDraft& draft, const RoutedNet& net, const std::optional<LabelPlace>& place, const std::string& name) {
    for (const std::vector<SheetPoint>& w : net.wires) draft.wire(w);
    for (const SheetPoint& j : net.junctions) draft.junction(static_cast<int32_t>(j.x), static_cast<int32_t>(j.y));
    if (!place) return;
    if (!place->stub.empty()) draft.wire(place->stub);
    if (place->junction) draft.junction(static_cast<int32_t>(place->junction->x), static_cast<int32_t>(place->junction->y));
    draft.netLabel(static_cast<int32_t>(place->anchor.x), static_cast<int32_t>(place->anchor.y), name);
}

}  // namespace schgen
