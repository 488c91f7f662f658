// Arcs, elliptical arcs, ellipses and pies: each one circle call in twips.
// Inside part graphics the centre follows the Part's placement, the angles
// turn with it and a mirrored part reflects them.

#include "view/arc_angles.h"
#include "view/element_kinds.h"

namespace view::kinds {

namespace pp = schematic::part_param;

namespace {

struct Angles {
    float start = 0;
    float end = 0;
};

// Both angle texts as numbers; nothing when one is no number.
std::optional<Angles> readAngles(const SchElement& e) {
    const auto s = parseAngle(e.text(0));
    const auto t = parseAngle(e.text(1));
    if (!s || !t) return std::nullopt;
    return Angles{*s, *t};
}

int32_t orientation(const RenderContext& ctx) { return drawsInPart(ctx) ? parentParam(ctx, pp::Orientation) : 0; }
bool mirrored(const RenderContext& ctx) { return drawsInPart(ctx) && parentParam(ctx, pp::Mirror) == 1; }

// Angles reduced to one turn after the part's quarter turns are added.
Angles turned(const RenderContext& ctx, Angles a) {
    const float add = static_cast<float>(90 * orientation(ctx));
    return {ReduceAngle(a.start + add), ReduceAngle(a.end + add)};
}

Angles mirror(Angles a) {
    const ArcEnds m = MirrorArcAngles({a.start, a.end});
    return {m.start, m.end};
}

ArcAngles radians(Angles a) { return {a.start * kRadiansPerDegree, a.end * kRadiansPerDegree}; }

struct Ellipse {
    float ratio;   // vertical over horizontal semi-axis, single precision
    int64_t radius;  // the larger one
};

// Ratio and radius of an ellipse with horizontal radius rx and vertical ry
// (exchanged in a part turned by a quarter); nothing when the ratio has no
// value.
std::optional<Ellipse> ellipseOf(const RenderContext& ctx, int64_t rx, int64_t ry) {
    const int32_t o = orientation(ctx);
    if (o == 1 || o == 3) std::swap(rx, ry);
    if (rx == 0) return std::nullopt;
    const float ratio = static_cast<float>(static_cast<double>(ry) / static_cast<double>(rx));
    return Ellipse{ratio, ratio >= 1 ? ry : rx};
}

void overrideColours(const RenderContext& ctx, bool fill) {
    if (!colourOverride(ctx)) return;
    ctx.canvas->setForeColour(colour(parentParam(ctx, pp::LineColor)));
    if (fill) ctx.canvas->setFillColour(colour(parentParam(ctx, pp::FillColor)));
}

TwipsPoint centre(const RenderContext& ctx, const SchElement& e) {
    return twipsPoint(ctx, placedPoint(ctx, e.param(0), e.param(1)));
}

}  // namespace

bool drawArc(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(3));
    canvas.setForeColour(colour(e.param(4)));
    canvas.setFillStyle(FillStyle::Transparent);
    const auto read = readAngles(e);
    if (!read) return false;
    overrideColours(ctx, false);
    if (drawsInPart(ctx) && !parentOrientationValid(ctx)) return true;

    Angles a = turned(ctx, *read);
    if (mirrored(ctx)) a = mirror(a);
    canvas.circle(centre(ctx, e), twipsLength(ctx, e.param(2)), radians(a), std::nullopt);
    return true;
}

bool drawEllipticalArc(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(4));
    canvas.setForeColour(colour(e.param(5)));
    canvas.setFillStyle(FillStyle::Transparent);
    const auto read = readAngles(e);
    if (!read) return false;
    overrideColours(ctx, false);
    if (drawsInPart(ctx) && !parentOrientationValid(ctx)) return true;

    const auto shape = ellipseOf(ctx, e.param(2), e.param(3));
    if (!shape) return false;
    Angles a = turned(ctx, *read);
    if (shape->ratio != 1.0f) a = {EllipseParamAngle(a.start, shape->ratio), EllipseParamAngle(a.end, shape->ratio)};
    if (mirrored(ctx)) a = mirror(a);
    canvas.circle(centre(ctx, e), twipsLength(ctx, static_cast<double>(shape->radius)), radians(a), shape->ratio);
    return true;
}

bool drawEllipse(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(4));
    canvas.setForeColour(colour(e.param(5)));
    applyFill(canvas, e.param(7), e.param(6));
    overrideColours(ctx, true);
    if (drawsInPart(ctx) && !parentOrientationValid(ctx)) return true;

    const auto shape = ellipseOf(ctx, e.param(2), e.param(3));
    if (!shape) return false;
    canvas.circle(centre(ctx, e), twipsLength(ctx, static_cast<double>(shape->radius)), std::nullopt, shape->ratio);
    return true;
}

bool drawPie(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(3));
    canvas.setForeColour(colour(e.param(4)));
    applyFill(canvas, e.param(6), e.param(5));
    const auto read = readAngles(e);
    if (!read) return false;
    overrideColours(ctx, true);
    if (drawsInPart(ctx) && !parentOrientationValid(ctx)) return true;

    Angles a = turned(ctx, *read);
    if (mirrored(ctx)) a = mirror(a);
    // A zero angle would not be negative: the circle call needs both negative
    // to close the pie.
    if (a.start == 0) a.start = 1e-10f;
    if (a.end == 0) a.end = 1e-10f;
    const ArcAngles r = radians(a);
    canvas.circle(centre(ctx, e), twipsLength(ctx, e.param(2)), ArcAngles{-r.start, -r.end}, std::nullopt);
    return true;
}

}  // namespace view::kinds
