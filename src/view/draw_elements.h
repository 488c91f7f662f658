#pragma once
// Draws a list of schematic elements onto a canvas: the sheet's own list, or,
// for each Part record, the graphics of that part of its library component
// placed by the Part.
//
// Bad element data never brings the program down. An element whose numbers
// point outside a list (a component, a part, a font or its own points that do
// not exist) is skipped, and so is a Part inside part graphics, which could
// only recurse. Where the drawing cannot go on (a zero radius, an angle text
// that is no number), the drawing ends there: what was drawn stays and the
// result says so.

#include "view/render_context.h"

namespace view {

enum class DrawOutcome {
    Complete,
    // An element could not be drawn and ended the drawing.
    Ended,
};

DrawOutcome DrawSchElements(const RenderContext& ctx);

}  // namespace view
