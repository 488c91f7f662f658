#pragma once
// A picture box measured in twips: lines drawn into a persistent image (copy
// or exclusive-or), text at pixel positions, mouse moves reported in twips,
// and the image saved as a bitmap.

#include "sampler/plot_renderer.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace sampler {

class TwipsCanvas : public QWidget {
    Q_OBJECT
public:
    TwipsCanvas(int twipsPerPixel, QWidget* parent = nullptr);

    int twipsPerPixel() const { return tpp_; }
    // The drawing area in twips.
    double innerWidthTwips() const { return double(width()) * tpp_; }
    double innerHeightTwips() const { return double(height()) * tpp_; }

    void clear();
    // Draws the picture's lines in copy mode and its texts; `colour` maps a
    // colour index to 0xRRGGBB.
    void drawPicture(const PlotPicture& picture, const std::function<uint32_t(int)>& colour);
    // Lines in exclusive-or mode, so that drawing them twice restores the image.
    void xorLines(const std::vector<PlotLine>& lines, uint32_t rgb);

    const QImage& image() const { return image_; }
    // The image as a bitmap file's bytes.
    QByteArray bitmap() const;

signals:
    void mouseMovedTwips(double x, double y);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

private:
    void fitImage();
    QPointF toPx(double x, double y) const { return {x / tpp_, y / tpp_}; }

    int tpp_;
    QImage image_;
};

}  // namespace sampler
