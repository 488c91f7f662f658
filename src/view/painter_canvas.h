#pragma once
// The canvas on a QPainter: the view's picture and the render tool's images.
//
// Lines and areas are drawn without antialiasing, so pixel rules hold: a one
// pixel line is one pixel wide, dashes and dots show only on one-pixel lines,
// wider lines have round caps and joins, a polygon fills even-odd. Fonts are
// sized by their character cell height. Anything wholly outside the painter's
// clip (or its device) is left out, so a caller that clips to a viewport pays
// only for what can be seen.

#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>

#include "view/sch_canvas.h"

namespace view {

class PainterCanvas : public SchCanvas {
public:
    // `antialiasText` smooths glyphs (the view); without it texts are drawn
    // pixel-hard like everything else (stable reference pictures).
    explicit PainterCanvas(QPainter& painter, bool antialiasText = true);

    void line(TwipsPoint a, TwipsPoint b) override;
    void box(TwipsPoint a, TwipsPoint b, std::optional<Colour> outline) override;
    void circle(TwipsPoint c, float radius, std::optional<ArcAngles> arc, std::optional<float> aspect) override;
    void print(const QString& text) override;
    float textWidth(const QString& text) override;
    float textHeight(const QString& text) override;
    void paintPicture(const QImage& picture, TwipsPoint topLeft, float width, float height) override;
    void polygon(std::span<const PixelPoint> points) override;
    void roundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ew, int32_t eh) override;
    void polyBezier(std::span<const PixelPoint> points) override;
    void drawText(const QString& text, PixelRect rect, unsigned format) override;
    void plgBlt(const QImage& picture, PixelPoint upperLeft, PixelPoint upperRight, PixelPoint lowerLeft) override;

    static QColor toQColor(Colour c);

private:
    struct RealFont {
        FontAttributes attrs;  // without escapement
        QFont font;
        QFontMetricsF metrics;
        double descent;
    };

    const RealFont& realFont(const FontAttributes& attrs);
    void usePen();
    void useBrush(bool fill);
    bool visible(const QRectF& r) const;
    double penMargin() const;
    // A line with the current pen; a dashed one keeps its pattern where it
    // leaves the painter's area.
    void strokeLine(QPointF a, QPointF b);
    void dashedAcross(QPointF a, QPointF b);
    // A text whose cell's bottom-left corner is `bottomLeft`, turned by the
    // escapement about that corner.
    void textAt(QPointF bottomLeft, const QString& text, const RealFont& font, int escapement);

    QPainter& p_;
    bool antialiasText_;
    QRectF bounds_;
    std::vector<RealFont> fonts_;
    std::size_t lastFont_ = 0;
    // What the painter was last given, to skip needless pen and brush changes.
    int penWidth_ = -1;
    DrawStyle penStyle_ = DrawStyle::Solid;
    Colour penColour_ = 0;
    int brushState_ = -1;  // 0 none, 1 solid
    Colour brushColour_ = 0;
};

}  // namespace view
