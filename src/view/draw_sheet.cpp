#include "view/draw_sheet.h"

#include <algorithm>

#include "view/font_slots.h"
#include "view/render_context.h"
#include "view/zoom_tables.h"

namespace view {

SheetExtent sheetExtent(const schematic::SchSheet& sheet) {
    const auto clamp = [](int32_t v) { return std::clamp<int32_t>(v, 10, 6500); };
    return {clamp(sheet.sheetWidth()), clamp(sheet.sheetHeight())};
}

ImageSize imageSize(const schematic::SchSheet& sheet, int zoomLevel) {
    RenderContext ctx;
    ctx.setZoomLevel(zoomLevel);
    const SheetExtent e = sheetExtent(sheet);
    const double tpu = ctx.twipsPerUnit;
    return {static_cast<int32_t>(roundHalfEven(tpu * e.width)), static_cast<int32_t>(roundHalfEven(tpu * e.height))};
}

int fitAllZoomLevel(const schematic::SchSheet& sheet, double viewportWidth, double viewportHeight, int currentLevel) {
    // The drawing's size at zoom 1, reduced from the current zoom's size.
    const ImageSize now = imageSize(sheet, currentLevel);
    const double zoom = zoomFactor(currentLevel);
    const double height = static_cast<double>(roundHalfEven(now.height / zoom));
    const double width = static_cast<double>(roundHalfEven(now.width / zoom));
    // The fit-all centres the drawing, so the margin is wanted on both sides:
    // with room for one only, the drawing would sit half a margin from each
    // edge (or, placed a margin in, touch the far edge).
    const auto fits = [](double atOne, float zoom, double viewport) {
        return static_cast<double>(roundHalfEven(static_cast<double>(zoom) * atOne)) + 2 * kFitAllMarginTwips <=
               viewport;
    };
    for (int level = kMaxViewZoomLevel; level > kMinZoomLevel; --level) {
        const float zoom = zoomFactor(level);
        if (fits(width, zoom, viewportWidth) && fits(height, zoom, viewportHeight)) return level;
    }
    return kMinZoomLevel;
}

SheetDrawResult DrawSchSheet(const schematic::SchSheet& sheet, SchCanvas& canvas, const SheetDrawParams& params) {
    SheetDrawResult result;
    result.image = imageSize(sheet, params.zoomLevel);

    // The sheet area, filled and bordered.
    canvas.setFillStyle(FillStyle::Solid);
    canvas.setFillColour(static_cast<Colour>(sheet.sheetColor));
    canvas.setDrawStyle(DrawStyle::Solid);
    canvas.setDrawWidth(1);
    const float ox = static_cast<float>(params.originX);
    const float oy = static_cast<float>(params.originY);
    canvas.box({ox, oy},
               {static_cast<float>(int64_t(params.originX) + result.image.width - kTwipsPerPixel),
                static_cast<float>(int64_t(params.originY) + result.image.height - kTwipsPerPixel)},
               static_cast<Colour>(sheet.borderColor));
    canvas.setFillStyle(FillStyle::Transparent);
    if (sheet.elements.empty()) return result;

    RenderContext ctx;
    ctx.setZoomLevel(params.zoomLevel);
    const FontSlots fonts = FontSlots::build(sheet, ctx.zoom);
    canvas.selectFont(*fonts.slot(3));
    ctx.elements = sheet.elements;
    ctx.comps = &sheet.comps;
    ctx.fonts = &fonts;
    ctx.canvas = &canvas;
    ctx.pictures = params.pictures;
    ctx.originX = params.originX;
    ctx.originY = params.originY;
    result.outcome = DrawSchElements(ctx);
    return result;
}

}  // namespace view
