#include "sampler/widgets/twips_canvas.h"

#include <QBuffer>
#include <QMouseEvent>
#include <QPainter>

namespace sampler {

TwipsCanvas::TwipsCanvas(int twipsPerPixel, QWidget* parent) : QWidget(parent), tpp_(twipsPerPixel > 0 ? twipsPerPixel : 15) {
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(Qt::black);
}

void TwipsCanvas::clear() {
    fitImage();
    image_.fill(Qt::black);
    update();
}

void TwipsCanvas::drawPicture(const PlotPicture& picture, const std::function<uint32_t(int)>& colour) {
    fitImage();
    QPainter p(&image_);
    for (const auto& l : picture.lines) {
        p.setPen(QPen(QColor::fromRgb(colour(l.colour)), 0));
        p.drawLine(toPx(l.x1, l.y1), toPx(l.x2, l.y2));
    }
    for (const auto& t : picture.texts) {
        p.setPen(QColor::fromRgb(t.rgb));
        p.drawText(QRect(t.x, t.y, 1000, 100), Qt::AlignLeft | Qt::AlignTop, t.text);
    }
    update();
}

void TwipsCanvas::xorLines(const std::vector<PlotLine>& lines, uint32_t rgb) {
    fitImage();
    QPainter p(&image_);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(QColor::fromRgb(rgb), 0));
    for (const auto& l : lines) p.drawLine(toPx(l.x1, l.y1), toPx(l.x2, l.y2));
    update();
}

QByteArray TwipsCanvas::bitmap() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image_.save(&buffer, "BMP");
    return bytes;
}

void TwipsCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void TwipsCanvas::resizeEvent(QResizeEvent*) { fitImage(); }

// A hidden widget hears of its size only when shown, so every drawing step
// first brings the image to the widget's size.
void TwipsCanvas::fitImage() {
    if (image_.size() == size().expandedTo(QSize(1, 1))) return;
    QImage next(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    next.fill(Qt::black);
    QPainter(&next).drawImage(0, 0, image_);
    image_ = next;
}

void TwipsCanvas::mouseMoveEvent(QMouseEvent* e) {
    const QPointF pos = e->position();
    emit mouseMovedTwips(pos.x() * tpp_, pos.y() * tpp_);
}

}  // namespace sampler
