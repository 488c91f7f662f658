#pragma once
// One drawing function per element kind, called by DrawSchElements. Each
// returns false when the element ends the whole drawing.

#include "view/render_context.h"

namespace view::kinds {

using schematic::SchElement;

bool drawPart(const RenderContext& ctx, const SchElement& e);
bool drawWire(const RenderContext& ctx, const SchElement& e, bool bus);
bool drawBusEntry(const RenderContext& ctx, const SchElement& e);
bool drawJunction(const RenderContext& ctx, const SchElement& e);
bool drawNetLabel(const RenderContext& ctx, const SchElement& e);
bool drawLabel(const RenderContext& ctx, const SchElement& e);
bool drawPin(const RenderContext& ctx, const SchElement& e);

bool drawPowerObject(const RenderContext& ctx, const SchElement& e);
bool drawPort(const RenderContext& ctx, const SchElement& e);

bool drawPolyline(const RenderContext& ctx, const SchElement& e);
bool drawLine(const RenderContext& ctx, const SchElement& e);
bool drawRectangle(const RenderContext& ctx, const SchElement& e);
bool drawRoundRectangle(const RenderContext& ctx, const SchElement& e);
bool drawPolygon(const RenderContext& ctx, const SchElement& e);
bool DrawBezierElement(const RenderContext& ctx, const SchElement& e);

bool drawArc(const RenderContext& ctx, const SchElement& e);
bool drawEllipticalArc(const RenderContext& ctx, const SchElement& e);
bool drawEllipse(const RenderContext& ctx, const SchElement& e);
bool drawPie(const RenderContext& ctx, const SchElement& e);

bool drawTextFrame(const RenderContext& ctx, const SchElement& e);
bool drawImage(const RenderContext& ctx, const SchElement& e);

// Shared small helpers of the kinds.
inline Colour colour(int32_t v) { return static_cast<Colour>(v); }
inline QString text(const SchElement& e, std::size_t i) { return QString::fromStdString(e.text(i)); }

// A closed figure's fill: solid in the fill colour when the flag is 1, else none.
inline void applyFill(SchCanvas& canvas, int32_t flag, int32_t fill) {
    if (flag == 1) {
        canvas.setFillStyle(FillStyle::Solid);
        canvas.setFillColour(colour(fill));
    } else {
        canvas.setFillStyle(FillStyle::Transparent);
    }
}

// Whether the element has point i of a list whose x is at params[first + 2i].
inline bool hasPoints(const SchElement& e, std::size_t first, int64_t count) {
    return count <= 0 || first + 2 * static_cast<std::size_t>(count) <= e.params.size();
}

}  // namespace view::kinds
