#include "view/render_context.h"

#include <cmath>
#include <limits>

#include "view/zoom_tables.h"

namespace view {

void RenderContext::setZoomLevel(int level) {
    zoomLevel = level;
    zoom = zoomFactor(level);
    twipsPerUnit = zoom * static_cast<float>(kTwipsPerPixel);
}

int64_t roundHalfEven(double v) {
    const double r = std::nearbyint(v);
    if (!(r > -9.2e18 && r < 9.2e18)) return r > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(r);
}

float twipsX(const RenderContext& ctx, double x) {
    return static_cast<float>(static_cast<double>(ctx.twipsPerUnit) * x + ctx.originX);
}

float twipsY(const RenderContext& ctx, double y) {
    return static_cast<float>(static_cast<double>(ctx.twipsPerUnit) * y + ctx.originY);
}

TwipsPoint twipsPoint(const RenderContext& ctx, int64_t x, int64_t y) {
    return {twipsX(ctx, static_cast<double>(x)), twipsY(ctx, static_cast<double>(y))};
}

float twipsLength(const RenderContext& ctx, double length) {
    return static_cast<float>(static_cast<double>(ctx.twipsPerUnit) * length);
}

int64_t pixelOriginX(const RenderContext& ctx) { return ctx.originX / kTwipsPerPixel; }
int64_t pixelOriginY(const RenderContext& ctx) { return ctx.originY / kTwipsPerPixel; }

std::optional<PixelPoint> pixelPoint(const RenderContext& ctx, int64_t x, int64_t y) {
    const int64_t px = roundHalfEven(static_cast<double>(ctx.zoom) * static_cast<double>(x) + static_cast<double>(pixelOriginX(ctx)));
    const int64_t py = roundHalfEven(static_cast<double>(ctx.zoom) * static_cast<double>(y) + static_cast<double>(pixelOriginY(ctx)));
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    if (px < lo || px > hi || py < lo || py > hi) return std::nullopt;
    return PixelPoint{static_cast<int32_t>(px), static_cast<int32_t>(py)};
}

bool drawsInPart(const RenderContext& ctx) { return ctx.inPart == 1 && ctx.parent != nullptr; }

int32_t parentParam(const RenderContext& ctx, std::size_t i) { return ctx.parent ? ctx.parent->param(i) : 0; }

bool colourOverride(const RenderContext& ctx) {
    return drawsInPart(ctx) && parentParam(ctx, schematic::part_param::ColorOverride) == 1;
}

bool parentOrientationValid(const RenderContext& ctx) {
    const int32_t o = parentParam(ctx, schematic::part_param::Orientation);
    return o >= 0 && o <= 3;
}

schematic::PartTransform parentTransform(const RenderContext& ctx) {
    return ctx.parent ? schematic::PartTransform::of(*ctx.parent) : schematic::PartTransform();
}

schematic::SheetPoint placedPoint(const RenderContext& ctx, int64_t x, int64_t y) {
    if (!drawsInPart(ctx)) return {x, y};
    return parentTransform(ctx).place(x, y);
}

std::optional<int> WidthClass(int64_t code, int zoomLevel, bool bus) {
    static constexpr int kWire[] = {0, 1, 3, 5};
    static constexpr int kBus[] = {2, 3, 5, 7};
    if (code < 0 || code > 3) return std::nullopt;
    const int k = bus ? kBus[code] : kWire[code];
    if (k == 0) return 1;
    return lineWidthPx(k, zoomLevel);
}

void applyWidthClass(const RenderContext& ctx, int64_t code, bool bus) {
    if (const auto w = WidthClass(code, ctx.zoomLevel, bus)) ctx.canvas->setDrawWidth(*w);
}

}  // namespace view
