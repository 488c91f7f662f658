// Power objects and ports. Both stand at their own coordinates in their own
// colours, also inside part graphics.

#include <array>
#include <vector>

#include "view/element_kinds.h"

namespace view::kinds {

namespace {

// Half a text width in whole twips: the width to the nearest twip, halved
// with whole-number division.
int64_t halfWidth(float w) { return roundHalfEven(w) / 2; }

// A power object's figure for orientation 0: offsets (a along the pointing
// direction, b across it) and arcs.
struct Stroke {
    enum Kind { Line, LineTo, Circle, Arc } kind;
    int a, b;          // end point, or the centre
    int r = 0;         // radius (Circle, Arc)
    int start = 0;     // arc angles in degrees
    int end = 0;
};

std::vector<Stroke> powerFigure(int style) {
    using S = Stroke;
    switch (style) {
        case 0: return {{S::Line, 0, 0}, {S::LineTo, 4, 0}, {S::Circle, 7, 0, 3}};
        case 1: return {{S::Line, 0, 0}, {S::LineTo, 4, 0}, {S::Line, 4, 3}, {S::LineTo, 4, -3}, {S::LineTo, 10, 0},
                        {S::LineTo, 4, 3}};
        case 2: return {{S::Line, 0, 0}, {S::LineTo, 10, 0}, {S::Line, 10, 5}, {S::LineTo, 10, -5}};
        case 3: return {{S::Line, 0, 0}, {S::LineTo, 6, 0}, {S::Arc, 2, 0, 4, 0, 90}, {S::Arc, 10, 0, 4, 180, 270}};
        case 4: return {{S::Line, 0, 0}, {S::LineTo, 10, 0}, {S::Line, 10, 10}, {S::LineTo, 10, -10},
                        {S::Line, 13, 7}, {S::LineTo, 13, -7}, {S::Line, 16, 4}, {S::LineTo, 16, -4},
                        {S::Line, 19, 1}, {S::LineTo, 19, -1}};
        case 5: return {{S::Line, 0, 0}, {S::LineTo, 10, 0}, {S::Line, 10, 10}, {S::LineTo, 10, -10},
                        {S::LineTo, 20, 0}, {S::LineTo, 10, 10}};
        default: return {{S::Line, 0, 0}, {S::LineTo, 10, 0}, {S::Line, 10, 10}, {S::LineTo, 10, -10},
                         {S::Line, 10, 0}, {S::LineTo, 20, 5}, {S::Line, 10, 10}, {S::LineTo, 20, 15},
                         {S::Line, 10, -10}, {S::LineTo, 20, -5}};
    }
}

}  // namespace

bool drawPowerObject(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    canvas.setDrawWidth(1);
    canvas.setForeColour(static_cast<Colour>(e.param(4)));
    canvas.selectFont(*ctx.fonts->slot(3));

    const int64_t x = e.param(1);
    const int64_t y = e.param(2);
    const int32_t o = e.param(3);
    const int32_t style = e.param(0);
    if (o < 0 || o > 3 || style < 0 || style > 6) return true;

    const auto at = [&](int64_t a, int64_t b) {
        switch (o) {
            case 0: return twipsPoint(ctx, x + a, y + b);
            case 1: return twipsPoint(ctx, x + b, y - a);
            case 2: return twipsPoint(ctx, x - a, y - b);
            default: return twipsPoint(ctx, x - b, y + a);
        }
    };
    const std::vector<Stroke> figure = powerFigure(style);
    for (std::size_t i = 0; i < figure.size(); ++i) {
        const Stroke& s = figure[i];
        switch (s.kind) {
            case Stroke::Line: canvas.line(at(s.a, s.b), at(figure[i + 1].a, figure[i + 1].b)); ++i; break;
            case Stroke::LineTo: canvas.lineTo(at(s.a, s.b)); break;
            case Stroke::Circle:
                canvas.setDrawWidth(1);
                canvas.setFillStyle(FillStyle::Transparent);
                canvas.circle(at(s.a, s.b), twipsLength(ctx, s.r), std::nullopt, std::nullopt);
                break;
            case Stroke::Arc: {
                const double start = (s.start + 90 * o) % 360;
                const double end = (s.end + 90 * o) % 360;
                canvas.circle(at(s.a, s.b), twipsLength(ctx, s.r),
                              ArcAngles{start * kRadiansPerDegree, end * kRadiansPerDegree}, std::nullopt);
                break;
            }
        }
    }

    if (style > 3) return true;
    const QString name = text(e, 0);
    const float w = canvas.textWidth(name);
    const float tpu = ctx.twipsPerUnit;
    TwipsPoint p;
    switch (o) {
        case 0: p = {twipsX(ctx, double(x + 12)), twipsY(ctx, double(y + 5))}; break;
        case 1:
            p = {static_cast<float>(double(tpu) * double(x) - double(halfWidth(w)) + ctx.originX), twipsY(ctx, double(y - 10))};
            break;
        case 2: p = {static_cast<float>(double(tpu) * double(x - 12) - w + ctx.originX), twipsY(ctx, double(y + 5))}; break;
        default:
            p = {static_cast<float>(double(tpu) * double(x) - double(halfWidth(w)) + ctx.originX), twipsY(ctx, double(y + 20))};
            break;
    }
    canvas.setCurrentPoint(p);
    canvas.print(name);
    return true;
}

bool drawPort(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    canvas.setDrawWidth(1);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.setForeColour(static_cast<Colour>(e.param(6)));
    canvas.setFillColour(static_cast<Colour>(e.param(7)));

    const int32_t style = e.param(0);
    if (style < 0 || style > 7) return true;  // no outline of that shape
    const int64_t x = e.param(4);
    const int64_t y = e.param(5);
    const int64_t l = e.param(3);

    std::vector<std::array<int64_t, 2>> v;
    switch (style) {
        case 0: v = {{x, y - 5}, {x, y + 5}, {x + l, y + 5}, {x + l, y - 5}}; break;
        case 1: v = {{x, y}, {x + 5, y + 5}, {x + l, y + 5}, {x + l, y - 5}, {x + 5, y - 5}}; break;
        case 2: v = {{x, y - 5}, {x, y + 5}, {x + l - 5, y + 5}, {x + l, y}, {x + l - 5, y - 5}}; break;
        case 3: v = {{x, y}, {x + 5, y + 5}, {x + l - 5, y + 5}, {x + l, y}, {x + l - 5, y - 5}, {x + 5, y - 5}}; break;
        case 4: v = {{x + 5, y}, {x - 5, y}, {x - 5, y - l}, {x + 5, y - l}}; break;
        case 5: v = {{x + 5, y}, {x - 5, y}, {x - 5, y - l + 5}, {x, y - l}, {x + 5, y - l + 5}}; break;
        case 6: v = {{x, y}, {x - 5, y - 5}, {x - 5, y - l}, {x + 5, y - l}, {x + 5, y - 5}}; break;
        default: v = {{x, y}, {x - 5, y - 5}, {x - 5, y - l + 5}, {x, y - l}, {x + 5, y - l + 5}, {x + 5, y - 5}}; break;
    }
    std::vector<PixelPoint> points;
    for (const auto& [vx, vy] : v) {
        const auto p = pixelPoint(ctx, vx, vy);
        if (!p) return true;
        points.push_back(*p);
    }
    canvas.polygon(points);

    canvas.setForeColour(static_cast<Colour>(e.param(8)));
    const bool vertical = style >= 4;
    canvas.selectFont(*ctx.fonts->slot(vertical ? 0 : 3));
    const int32_t align = e.param(2);
    if (align < 0 || align > 2) return true;  // no place for the name

    const QString name = text(e, 0);
    const float w = canvas.textWidth(name);
    const double tpu = ctx.twipsPerUnit;
    TwipsPoint p;
    if (!vertical) {
        const float baseY = twipsY(ctx, double(y + 5));
        switch (align) {
            case 0: p = {static_cast<float>(tpu * double(x + l / 2) - double(halfWidth(w)) + ctx.originX), baseY}; break;
            case 1: p = {twipsX(ctx, double(x + 10)), baseY}; break;
            default: p = {static_cast<float>(tpu * double(x + l - 10) - w + ctx.originX), baseY}; break;
        }
    } else {
        const float baseX = twipsX(ctx, double(x + 5));
        switch (align) {
            case 0: p = {baseX, static_cast<float>(tpu * double(y - l / 2) + double(halfWidth(w)) + ctx.originY)}; break;
            case 1: p = {baseX, static_cast<float>(tpu * double(y - l + 10) + w + ctx.originY)}; break;
            default: p = {baseX, twipsY(ctx, double(y - 10))}; break;
        }
    }
    canvas.setCurrentPoint(p);
    canvas.print(name);
    return true;
}

}  // namespace view::kinds
