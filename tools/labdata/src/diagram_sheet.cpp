#include "diagram_sheet.h"

#include <cmath>

#include "schgen/sheet_draft.h"

namespace labdata {
namespace {

using schematic::SheetPoint;

// The circuit window shows a diagram in a narrow band, about half size:
// these sizes keep its texts readable there.
constexpr int32_t kDiagramTitleSize = 26;
constexpr int32_t kDiagramTextSize = 22;

void arrowHead(schgen::SheetDraft& d, SheetPoint from, SheetPoint to) {
    const double dx = static_cast<double>(to.x - from.x), dy = static_cast<double>(to.y - from.y);
    const double len = std::hypot(dx, dy);
    if (len == 0) return;
    const double ux = dx / len, uy = dy / len;
    auto at = [&](double back, double side) {
        return SheetPoint{std::lround(static_cast<double>(to.x) - back * ux - side * uy),
                          std::lround(static_cast<double>(to.y) - back * uy + side * ux)};
    };
    d.polyline({at(16, 7), to, at(16, -7)});
}

std::vector<SheetPoint> pointsOf(const std::vector<int32_t>& c) {
    std::vector<SheetPoint> points;
    for (std::size_t i = 0; i + 1 < c.size(); i += 2) points.push_back({c[i], c[i + 1]});
    return points;
}

}  // namespace

schematic::SchSheet diagramSheet(const DiagramPlan& plan) {
    schgen::SheetDraft d(plan.width, plan.height);
    const int32_t titleFont = d.font(kDiagramTitleSize, "宋体", true);
    const int32_t textFont = d.font(kDiagramTextSize, "宋体", false);
    d.label(20, 50, plan.title, titleFont);
    for (const DiagramItem& item : plan.items) {
        const std::vector<int32_t>& c = item.coords;
        switch (item.kind) {
        case DiagramItem::Kind::Box:
            d.textFrame(c[0], c[1], c[2], c[3], item.lines, textFont);
            break;
        case DiagramItem::Kind::Arrow:
        case DiagramItem::Kind::TwoWay: {
            const std::vector<SheetPoint> points = pointsOf(c);
            d.polyline(points);
            const std::size_t n = points.size();
            arrowHead(d, points[n - 2], points[n - 1]);
            if (item.kind == DiagramItem::Kind::TwoWay) arrowHead(d, points[1], points[0]);
            break;
        }
        case DiagramItem::Kind::Bus: {
            const bool across = c[1] == c[3];
            const int32_t dx = across ? 0 : kDiagramBusHalfWidth, dy = across ? kDiagramBusHalfWidth : 0;
            d.line(c[0] - dx, c[1] - dy, c[2] - dx, c[3] - dy);
            d.line(c[0] + dx, c[1] + dy, c[2] + dx, c[3] + dy);
            break;
        }
        case DiagramItem::Kind::Text:
            d.label(c[0], c[1], item.lines[0], textFont);
            break;
        }
    }
    return d.sheet();
}

}  // namespace labdata
