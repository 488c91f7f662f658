#include "view/viewport_picture.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "view/draw_sheet.h"
#include "view/hot_outlines.h"
#include "view/painter_canvas.h"

namespace view {
namespace {

int toPixels(double twips) {
    const double px = std::floor(twips / kTwipsPerPixel + 0.5);
    return static_cast<int>(std::clamp(px, -1e9, 1e9));
}

}  // namespace

QRect canvasPixelRect(const ViewGeometry& geometry) {
    return QRect(toPixels(geometry.canvasLeft()), toPixels(geometry.canvasTop()), toPixels(geometry.canvasWidth()),
                 toPixels(geometry.canvasHeight()));
}

DrawOutcome paintViewport(QImage& image, const ViewGeometry& geometry, const ViewportContent& content) {
    image.fill(PainterCanvas::toQColor(content.background));
    if (!content.drawn || !content.sheet) return DrawOutcome::Complete;
    const QRect canvasRect = canvasPixelRect(geometry);
    const QRect visible = canvasRect.intersected(image.rect());
    if (visible.isEmpty()) return DrawOutcome::Complete;

    QPainter painter(&image);
    painter.setClipRect(visible);
    PainterCanvas canvas(painter);
    SheetDrawParams params;
    params.zoomLevel = geometry.zoomLevel();
    params.originX = canvasRect.x() * kTwipsPerPixel + geometry.originX();
    params.originY = canvasRect.y() * kTwipsPerPixel + geometry.originY();
    params.pictures = content.pictures;
    const SheetDrawResult result = DrawSchSheet(*content.sheet, canvas, params);
    if (content.hotLists)
        DrawHotOutlines(canvas, *content.hotLists, geometry.twipsPerUnit(), params.originX, params.originY);
    return result.outcome;
}

}  // namespace view
