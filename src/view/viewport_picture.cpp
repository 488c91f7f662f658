#include "view/viewport_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

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
    return paintViewport(image, geometry, content, image.rect());
}

DrawOutcome paintViewport(QImage& image, const ViewGeometry& geometry, const ViewportContent& content,
                          const QRect& area) {
    const QRect target = area.intersected(image.rect());
    if (target.isEmpty()) return DrawOutcome::Complete;
    QPainter painter(&image);
    painter.fillRect(target, PainterCanvas::toQColor(content.background));
    if (!content.drawn || !content.sheet) return DrawOutcome::Complete;
    const QRect canvasRect = canvasPixelRect(geometry);
    const QRect visible = canvasRect.intersected(target);
    if (visible.isEmpty()) return DrawOutcome::Complete;

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

std::vector<QRect> scrollViewport(QImage& image, QPoint delta) {
    const int w = image.width();
    const int h = image.height();
    if (delta.isNull()) return {};
    if (std::abs(delta.x()) >= w || std::abs(delta.y()) >= h) return {image.rect()};
    // Rows move whole; within a row the pixels move by delta.x.
    const int bpl = static_cast<int>(image.bytesPerLine());
    const int bytesPerPixel = image.depth() / 8;
    const int keepWidth = (w - std::abs(delta.x())) * bytesPerPixel;
    const int from = std::max(0, -delta.x()) * bytesPerPixel;
    const int to = std::max(0, delta.x()) * bytesPerPixel;
    uchar* bits = image.bits();
    const auto moveRow = [&](int y) {
        std::memmove(bits + (y + delta.y()) * bpl + to, bits + y * bpl + from, static_cast<std::size_t>(keepWidth));
    };
    if (delta.y() > 0)
        for (int y = h - 1 - delta.y(); y >= 0; --y) moveRow(y);
    else
        for (int y = -delta.y(); y < h; ++y) moveRow(y);

    std::vector<QRect> exposed;
    if (delta.y() > 0) exposed.emplace_back(0, 0, w, delta.y());
    if (delta.y() < 0) exposed.emplace_back(0, h + delta.y(), w, -delta.y());
    const int top = std::max(0, delta.y());
    const int rows = h - std::abs(delta.y());
    if (delta.x() > 0) exposed.emplace_back(0, top, delta.x(), rows);
    if (delta.x() < 0) exposed.emplace_back(w + delta.x(), top, -delta.x(), rows);
    return exposed;
}

}  // namespace view
