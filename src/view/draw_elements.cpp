#include "view/draw_elements.h"

#include "view/element_kinds.h"

namespace view {

DrawOutcome DrawSchElements(const RenderContext& ctx) {
    using K = schematic::SchElementKind;
    for (const schematic::SchElement& e : ctx.elements) {
        bool goOn = true;
        switch (e.kind) {
            case K::Part: goOn = kinds::drawPart(ctx, e); break;
            case K::Wire: goOn = kinds::drawWire(ctx, e, false); break;
            case K::Bus: goOn = kinds::drawWire(ctx, e, true); break;
            case K::BusEntry: goOn = kinds::drawBusEntry(ctx, e); break;
            case K::Junction: goOn = kinds::drawJunction(ctx, e); break;
            case K::PowerObject: goOn = kinds::drawPowerObject(ctx, e); break;
            case K::Port: goOn = kinds::drawPort(ctx, e); break;
            case K::NetLabel: goOn = kinds::drawNetLabel(ctx, e); break;
            case K::TextFrame: goOn = kinds::drawTextFrame(ctx, e); break;
            case K::Polyline: goOn = kinds::drawPolyline(ctx, e); break;
            case K::Bezier: goOn = kinds::DrawBezierElement(ctx, e); break;
            case K::Arc: goOn = kinds::drawArc(ctx, e); break;
            case K::EllipticalArc: goOn = kinds::drawEllipticalArc(ctx, e); break;
            case K::Polygon: goOn = kinds::drawPolygon(ctx, e); break;
            case K::Rectangle: goOn = kinds::drawRectangle(ctx, e); break;
            case K::RoundRectangle: goOn = kinds::drawRoundRectangle(ctx, e); break;
            case K::Ellipse: goOn = kinds::drawEllipse(ctx, e); break;
            case K::Pie: goOn = kinds::drawPie(ctx, e); break;
            case K::Image: goOn = kinds::drawImage(ctx, e); break;
            case K::Label: goOn = kinds::drawLabel(ctx, e); break;
            case K::Line: goOn = kinds::drawLine(ctx, e); break;
            case K::Pin: goOn = kinds::drawPin(ctx, e); break;
            default: break;  // simulation records and unused codes draw nothing
        }
        if (!goOn) return DrawOutcome::Ended;
    }
    return DrawOutcome::Complete;
}

}  // namespace view
