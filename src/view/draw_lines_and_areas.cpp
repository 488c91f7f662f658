// Polylines, lines, rectangles, rounded rectangles, polygons and Bezier
// curves. Inside part graphics their points follow the Part's placement and
// their colours its colour override.

#include <vector>

#include "view/element_kinds.h"

namespace view::kinds {

namespace pp = schematic::part_param;

namespace {

// The line style of a Polyline or Line; other codes leave the style.
void applyLineStyle(SchCanvas& canvas, int32_t style, bool forceThin) {
    switch (style) {
        case 0: canvas.setDrawStyle(DrawStyle::Solid); break;
        case 1:
            if (forceThin) canvas.setDrawWidth(1);
            canvas.setDrawStyle(DrawStyle::Dash);
            break;
        case 2:
            if (forceThin) canvas.setDrawWidth(1);
            canvas.setDrawStyle(DrawStyle::Dot);
            break;
        default: break;
    }
}

void overrideLineColour(const RenderContext& ctx) {
    if (colourOverride(ctx)) ctx.canvas->setForeColour(colour(parentParam(ctx, pp::LineColor)));
}

void overrideColours(const RenderContext& ctx) {
    if (!colourOverride(ctx)) return;
    ctx.canvas->setForeColour(colour(parentParam(ctx, pp::LineColor)));
    ctx.canvas->setFillColour(colour(parentParam(ctx, pp::FillColor)));
}

// In part graphics, geometry needs one of the four quarter turns.
bool placeable(const RenderContext& ctx) { return !drawsInPart(ctx) || parentOrientationValid(ctx); }

// Pixel points of n points starting at params[first], placed; empty when one
// leaves the pixel range.
std::vector<PixelPoint> pixelPoints(const RenderContext& ctx, const SchElement& e, std::size_t first, int64_t n) {
    std::vector<PixelPoint> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int64_t j = 0; j < n; ++j) {
        const std::size_t i = first + 2 * static_cast<std::size_t>(j);
        const auto p = pixelPoint(ctx, placedPoint(ctx, e.params[i], e.params[i + 1]));
        if (!p) return {};
        out.push_back(*p);
    }
    return out;
}

TwipsPoint placedTwips(const RenderContext& ctx, const SchElement& e, std::size_t i) {
    return twipsPoint(ctx, placedPoint(ctx, e.params[i], e.params[i + 1]));
}

}  // namespace

bool drawPolyline(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    const int64_t n = e.param(4);
    if (n >= 2 && !hasPoints(e, 5, n)) return true;
    if (n >= 2) {
        applyWidthClass(ctx, e.param(0));
        applyLineStyle(canvas, e.param(1), true);
        canvas.setForeColour(colour(e.param(2)));
        overrideLineColour(ctx);
        if (placeable(ctx)) {
            canvas.line(placedTwips(ctx, e, 5), placedTwips(ctx, e, 7));
            for (int64_t k = 3; k <= n; ++k) canvas.lineTo(placedTwips(ctx, e, 5 + 2 * static_cast<std::size_t>(k - 1)));
        }
    }
    canvas.setDrawStyle(DrawStyle::Solid);
    return true;
}

bool drawLine(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(4));
    applyLineStyle(canvas, e.param(5), false);
    canvas.setForeColour(colour(e.param(6)));
    overrideLineColour(ctx);
    if (placeable(ctx)) canvas.line(placedTwips(ctx, e, 0), placedTwips(ctx, e, 2));
    canvas.setDrawStyle(DrawStyle::Solid);
    return true;
}

bool drawRectangle(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(4));
    canvas.setForeColour(colour(e.param(5)));
    applyFill(canvas, e.param(8), e.param(6));
    overrideColours(ctx);
    if (placeable(ctx)) canvas.box(placedTwips(ctx, e, 0), placedTwips(ctx, e, 2));
    return true;
}

bool drawRoundRectangle(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(6));
    canvas.setForeColour(colour(e.param(7)));
    applyFill(canvas, e.param(10), e.param(8));
    overrideColours(ctx);
    if (!placeable(ctx)) return true;

    const auto a = pixelPoint(ctx, placedPoint(ctx, e.param(0), e.param(3)));
    const auto b = pixelPoint(ctx, placedPoint(ctx, e.param(2), e.param(1)));
    if (!a || !b) return true;
    int64_t ew = roundHalfEven(static_cast<double>(ctx.zoom) * static_cast<double>(2 * static_cast<int64_t>(e.param(4))));
    int64_t eh = roundHalfEven(static_cast<double>(ctx.zoom) * static_cast<double>(2 * static_cast<int64_t>(e.param(5))));
    const int32_t o = drawsInPart(ctx) ? parentParam(ctx, pp::Orientation) : 0;
    if (o == 1 || o == 3) std::swap(ew, eh);
    constexpr int64_t kMax = INT32_MAX;
    if (ew < -kMax || ew > kMax || eh < -kMax || eh > kMax) return true;
    canvas.roundRect(a->x, a->y, b->x, b->y, static_cast<int32_t>(ew), static_cast<int32_t>(eh));
    return true;
}

bool drawPolygon(const RenderContext& ctx, const SchElement& e) {
    const int64_t n = e.param(5);
    if (n < 2 || !hasPoints(e, 6, n)) return true;
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(0));
    canvas.setForeColour(colour(e.param(1)));
    applyFill(canvas, e.param(3), e.param(2));
    overrideColours(ctx);
    if (!placeable(ctx)) return true;
    const std::vector<PixelPoint> points = pixelPoints(ctx, e, 6, n);
    if (points.empty()) return true;
    canvas.polygon(points);
    return true;
}

bool DrawBezierElement(const RenderContext& ctx, const SchElement& e) {
    const int64_t n = e.param(3);
    if (n < 2 || !hasPoints(e, 4, n)) return true;
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(0));
    canvas.setForeColour(colour(e.param(1)));
    overrideLineColour(ctx);
    if (!placeable(ctx)) return true;

    if (n == 2) {
        canvas.line(placedTwips(ctx, e, 4), placedTwips(ctx, e, 6));
        return true;
    }
    if (n == 3) {
        canvas.line(placedTwips(ctx, e, 4), placedTwips(ctx, e, 6));
        canvas.lineTo(placedTwips(ctx, e, 8));
        return true;
    }
    // Whole segments only: the first point and three per segment.
    const int64_t count = n - (n - 1) % 3;
    const std::vector<PixelPoint> points = pixelPoints(ctx, e, 4, count);
    if (points.empty()) return true;
    canvas.polyBezier(points);
    return true;
}

}  // namespace view::kinds
