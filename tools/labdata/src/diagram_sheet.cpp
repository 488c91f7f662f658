#include "diagram_sheet.h"

#include <cmath>

#include "schgen/sheet_draft.h"

namespace labdata {
namespace {

using schematic::SheetPoint;

void arrowHead(schgen::SheetDraft& d, int32_t fx, int32_t fy, int32_t tx, int32_t ty) {
    const double dx = tx - fx, dy = ty - fy;
    const double len = std::hypot(dx, dy);
    if (len == 0) return;
    const double ux = dx / len, uy = dy / len;
    auto at = [&](double back, double side) {
        return SheetPoint{static_cast<int64_t>(std::lround(tx - back * ux - side * uy)),
                          static_cast<int64_t>(std::lround(ty - back * uy + side * ux))};
    };
    d.polyline({at(12, 5), SheetPoint{tx, ty}, at(12, -5)});
}

}  // namespace

schematic::SchSheet diagramSheet(const DiagramPlan& plan) {
    schgen::SheetDraft d(plan.width, plan.height);
    const int32_t titleFont = d.font(16, "宋体", true);
    const int32_t boxFont = d.font(11, "宋体", false);
    d.label(40, 40, plan.title, titleFont);
    for (const DiagramItem& item : plan.items) {
        const std::vector<int32_t>& c = item.coords;
        switch (item.kind) {
        case DiagramItem::Kind::Box:
            d.textFrame(c[0], c[1], c[2], c[3], item.lines, boxFont);
            break;
        case DiagramItem::Kind::Arrow: {
            std::vector<SheetPoint> points;
            for (std::size_t i = 0; i + 1 < c.size(); i += 2) points.push_back({c[i], c[i + 1]});
            d.polyline(points);
            const std::size_t n = c.size();
            arrowHead(d, c[n - 4], c[n - 3], c[n - 2], c[n - 1]);
            break;
        }
        case DiagramItem::Kind::Bus:
            d.line(c[0], c[1] - 3, c[2], c[3] - 3);
            d.line(c[0], c[1] + 3, c[2], c[3] + 3);
            d.label(c[2] - 12 * static_cast<int32_t>(item.lines[0].size() / 3) - 40, c[1] - 10, item.lines[0], boxFont);
            break;
        case DiagramItem::Kind::Text:
            d.label(c[0], c[1], item.lines[0], boxFont);
            break;
        }
    }
    return d.sheet();
}

}  // namespace labdata
