#pragma once
// What the schematic view's viewport shows, painted afresh for the current
// geometry: its background colour and, on the canvas, the sheet with the hot
// outlines over it. Only the viewport is painted, whatever the zoom, so a
// view never holds a picture larger than its viewport.

#include <vector>

#include <QImage>
#include <QRect>

#include "schematic/hot_elements.h"
#include "schematic/sch_model.h"
#include "view/draw_elements.h"
#include "view/sch_canvas.h"
#include "view/view_geometry.h"

namespace view {

class PictureSource;

struct ViewportContent {
    const schematic::SchSheet* sheet = nullptr;
    const schematic::HotElementLists* hotLists = nullptr;
    PictureSource* pictures = nullptr;
    Colour background = 0xFFFFFF;
    // False until the view has drawn its sheet once: the canvas then still
    // shows nothing.
    bool drawn = false;
};

// The canvas's place in the viewport in whole pixels (a canvas sits on
// whole pixels; the drawing starts at its corner).
QRect canvasPixelRect(const ViewGeometry& geometry);

// Paints `image` (the viewport's size) for `geometry`, all of it or only
// `area`. The drawing is clipped to the canvas, as a canvas shows only what
// lies on it. Any part painted alone looks as it does in the whole picture.
DrawOutcome paintViewport(QImage& image, const ViewGeometry& geometry, const ViewportContent& content);
DrawOutcome paintViewport(QImage& image, const ViewGeometry& geometry, const ViewportContent& content,
                          const QRect& area);

// Moves the picture by `delta` pixels, as when the canvas moved that far, and
// returns the parts left to paint (none, one or two rectangles).
std::vector<QRect> scrollViewport(QImage& image, QPoint delta);

}  // namespace view
