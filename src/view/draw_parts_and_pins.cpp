// Parts with their library graphics and texts, wires, buses, bus entries,
// junctions, net labels, labels and pins.

#include "view/draw_elements.h"
#include "view/element_kinds.h"
#include "view/zoom_tables.h"

namespace view::kinds {

namespace pp = schematic::part_param;
namespace pin = schematic::pin_param;
using schematic::SheetPoint;

namespace {

// Prints at a twips position in the selected font and fore colour.
void printAt(SchCanvas& canvas, TwipsPoint at, const QString& s) {
    canvas.setCurrentPoint(at);
    canvas.print(s);
}

}  // namespace

bool drawPart(const RenderContext& ctx, const SchElement& e) {
    // A Part inside part graphics could only draw itself again.
    if (ctx.inPart == 1) return true;
    const int64_t compIndex = e.param(pp::CompIndex);
    const int64_t partNo = e.param(pp::PartNo);
    if (!ctx.comps || compIndex < 0 || compIndex >= static_cast<int64_t>(ctx.comps->size())) return true;
    const schematic::SchComponent& comp = (*ctx.comps)[static_cast<std::size_t>(compIndex)];
    if (partNo < 1 || partNo > static_cast<int64_t>(comp.parts.size())) return true;

    // A text whose font id names no slot is left out on its own: the body and
    // pins come first and are drawn all the same.
    const FontAttributes* designatorFont = ctx.fonts->byId(e.param(pp::DesignatorFont));
    const FontAttributes* typeFont = ctx.fonts->byId(e.param(pp::PartTypeFont));
    const bool showDesignator = e.param(pp::DesignatorHidden) == 0 && designatorFont;
    const bool showType = e.param(pp::PartTypeHidden) == 0 && typeFont;

    RenderContext inner = ctx;
    inner.elements = comp.parts[static_cast<std::size_t>(partNo - 1)].elements;
    inner.inPart = 1;
    inner.parent = &e;
    if (DrawSchElements(inner) == DrawOutcome::Ended) return false;

    SchCanvas& canvas = *ctx.canvas;
    if (showDesignator) {
        canvas.selectFont(*designatorFont);
        canvas.setCurrentPoint(twipsPoint(ctx, e.param(pp::DesignatorX), e.param(pp::DesignatorY)));
        canvas.setForeColour(colour(e.param(pp::DesignatorColor)));
        QString designator = text(e, schematic::part_text::Designator);
        // The part letter: A for part 1, B for part 2, ... while it stays a
        // plain character.
        if (comp.parts.size() >= 2 && partNo <= 63) designator += QChar(static_cast<char16_t>(64 + partNo));
        canvas.print(designator);
    }
    if (showType) {
        canvas.selectFont(*typeFont);
        canvas.setCurrentPoint(twipsPoint(ctx, e.param(pp::PartTypeX), e.param(pp::PartTypeY)));
        canvas.setForeColour(colour(e.param(pp::PartTypeColor)));
        canvas.print(text(e, schematic::part_text::PartType));
    }
    return true;
}

bool drawWire(const RenderContext& ctx, const SchElement& e, bool bus) {
    const int64_t n = e.param(3);
    if (n < 2 || !hasPoints(e, 4, n)) return true;
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(0), bus);
    canvas.setForeColour(colour(e.param(1)));
    auto point = [&](int64_t k) {  // k from 1
        const std::size_t i = 4 + 2 * static_cast<std::size_t>(k - 1);
        return twipsPoint(ctx, e.params[i], e.params[i + 1]);
    };
    canvas.line(point(1), point(2));
    for (int64_t k = 3; k <= n; ++k) canvas.lineTo(point(k));
    return true;
}

bool drawBusEntry(const RenderContext& ctx, const SchElement& e) {
    applyWidthClass(ctx, e.param(4));
    ctx.canvas->setForeColour(colour(e.param(5)));
    ctx.canvas->line(twipsPoint(ctx, e.param(0), e.param(1)), twipsPoint(ctx, e.param(2), e.param(3)));
    return true;
}

bool drawJunction(const RenderContext& ctx, const SchElement& e) {
    static constexpr int kRadius[] = {2, 3, 5, 10};
    SchCanvas& canvas = *ctx.canvas;
    canvas.setDrawWidth(1);
    canvas.setForeColour(colour(e.param(3)));
    canvas.setFillColour(colour(e.param(3)));
    canvas.setFillStyle(FillStyle::Solid);
    const int32_t size = e.param(2);
    if (size < 0 || size > 3) return true;  // no such dot
    canvas.circle(twipsPoint(ctx, e.param(0), e.param(1)), twipsLength(ctx, kRadius[size]), std::nullopt, std::nullopt);
    return true;
}

bool drawNetLabel(const RenderContext& ctx, const SchElement& e) {
    const FontAttributes* font = ctx.fonts->byId(e.param(4));
    if (!font) return true;
    SchCanvas& canvas = *ctx.canvas;
    canvas.setCurrentPoint(twipsPoint(ctx, e.param(0), e.param(1)));
    canvas.setForeColour(colour(e.param(3)));
    canvas.selectFont(*font);
    canvas.print(text(e, 0));
    return true;
}

bool drawLabel(const RenderContext& ctx, const SchElement& e) {
    const FontAttributes* font = ctx.fonts->byId(e.param(4));
    if (!font) return true;
    const bool inPart = drawsInPart(ctx);
    if (inPart && !parentOrientationValid(ctx)) return true;
    SchCanvas& canvas = *ctx.canvas;
    canvas.setForeColour(colour(e.param(3)));
    if (!inPart) {
        canvas.selectFont(*font);
        canvas.setCurrentPoint(twipsPoint(ctx, e.param(0), e.param(1)));
    } else {
        if (colourOverride(ctx)) canvas.setForeColour(colour(parentParam(ctx, pp::LineColor)));
        canvas.setCurrentPoint(twipsPoint(ctx, placedPoint(ctx, e.param(0), e.param(1))));
        // The text turns with the part; mirroring moves it but keeps its direction.
        const int32_t o = parentParam(ctx, pp::Orientation);
        FontAttributes turned = *font;
        if (o != 0) turned.escapement = (turned.escapement + 900 * o) % 3600;
        canvas.selectFont(turned);
    }
    canvas.print(text(e, 0));
    return true;
}

bool drawPin(const RenderContext& ctx, const SchElement& e) {
    // Pins belong to part graphics: without a Part there is nowhere to put one.
    if (!drawsInPart(ctx)) return true;
    const bool showHidden = parentParam(ctx, pp::ShowHidden) == 1;
    if (e.param(pin::Hidden) != 0 && !showHidden) return true;
    if (!parentOrientationValid(ctx)) return true;

    SchCanvas& canvas = *ctx.canvas;
    const int pinWidth = lineWidthPx(1, ctx.zoomLevel);
    canvas.setDrawWidth(pinWidth);
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.setForeColour(colour(colourOverride(ctx) ? parentParam(ctx, pp::PinColor) : e.param(10)));

    const schematic::PartTransform t = parentTransform(ctx);
    const SheetPoint p = t.pinInnerEnd(e);
    const int32_t d = t.pinDirection(e);
    const int64_t x = p.x;
    const int64_t y = p.y;
    canvas.selectFont(*ctx.fonts->slot(d == 0 || d == 2 ? 3 : 0));

    const auto mapX = [&](int64_t v) { return twipsX(ctx, static_cast<double>(v)); };
    const auto mapY = [&](int64_t v) { return twipsY(ctx, static_cast<double>(v)); };
    if (e.param(4) == 1 || showHidden) {
        const QString name = text(e, schematic::pin_text::Name);
        const float w = static_cast<float>(roundHalfEven(canvas.textWidth(name)));
        TwipsPoint at;
        switch (d) {
            case 0: at = {mapX(x - 6) - w, mapY(y + 5)}; break;
            case 1: at = {mapX(x + 5), mapY(y + 6) + w}; break;
            case 2: at = {mapX(x + 6), mapY(y + 5)}; break;
            default: at = {mapX(x + 5), mapY(y - 6)}; break;
        }
        printAt(canvas, at, name);
    }
    if (e.param(5) == 1 || showHidden) {
        const QString number = text(e, schematic::pin_text::Number);
        const float w = static_cast<float>(roundHalfEven(canvas.textWidth(number)));
        TwipsPoint at;
        switch (d) {
            case 0: at = {mapX(x + 15), mapY(y)}; break;
            case 1: at = {mapX(x), mapY(y - 15)}; break;
            case 2: at = {mapX(x - 15) - w, mapY(y)}; break;
            default: at = {mapX(x), mapY(y + 15) + w}; break;
        }
        printAt(canvas, at, number);
    }

    const int64_t length = e.param(pin::Length);
    const SheetPoint outer = schematic::stepTowards(p, d, length);
    if (e.param(0) == 1) {
        canvas.setDrawWidth(1);
        canvas.circle(twipsPoint(ctx, schematic::stepTowards(p, d, 2)), twipsLength(ctx, 2.4), std::nullopt, std::nullopt);
        canvas.setDrawWidth(pinWidth);
        canvas.line(twipsPoint(ctx, schematic::stepTowards(p, d, 4)), twipsPoint(ctx, outer));
    } else {
        canvas.line(twipsPoint(ctx, p), twipsPoint(ctx, outer));
    }

    if (e.param(1) == 1) {
        // The clock wedge points into the body, against the pin's direction.
        canvas.setDrawWidth(1);
        SheetPoint a, b, c;
        switch (d) {
            case 0: a = {x, y - 3}; b = {x - 3, y}; c = {x, y + 3}; break;
            case 1: a = {x - 3, y}; b = {x, y + 3}; c = {x + 3, y}; break;
            case 2: a = {x, y - 3}; b = {x + 3, y}; c = {x, y + 3}; break;
            default: a = {x - 3, y}; b = {x, y - 3}; c = {x + 3, y}; break;
        }
        canvas.line(twipsPoint(ctx, a), twipsPoint(ctx, b));
        canvas.lineTo(twipsPoint(ctx, c));
        canvas.setDrawWidth(pinWidth);
    }
    return true;
}

}  // namespace view::kinds
