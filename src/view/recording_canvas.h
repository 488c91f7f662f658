#pragma once
// A canvas that draws nothing and writes down every drawing call with the state
// it was made in. Its text metrics are fixed, so text placement can be checked
// exactly without any font: a character is 0.6 cell heights wide, a line one
// cell height high.

#include <string>
#include <vector>

#include "view/sch_canvas.h"

namespace view {

struct RecordedCall {
    // line, box, circle, print, picture, polygon, roundRect, polyBezier, drawText, plgBlt
    std::string op;
    // The call's numbers in argument order (points as x, y pairs).
    std::vector<double> values;
    QString text;
    // box: the outline colour; drawText: the format flags.
    uint32_t extra = 0;
    // circle: whether angles and an aspect were passed.
    bool hasArc = false;
    bool hasAspect = false;
    CanvasState state;

    // One readable line: the op, its text and its numbers (7 digits), e.g.
    // `line 150,300 450,300` or `print "U3B" 1650,2850`.
    std::string describe() const;
};

class RecordingCanvas : public SchCanvas {
public:
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

    const std::vector<RecordedCall>& calls() const { return calls_; }
    // describe() of every call.
    std::vector<std::string> log() const;
    void clear() { calls_.clear(); }

private:
    RecordedCall& record(std::string op, std::vector<double> values);
    std::vector<RecordedCall> calls_;
};

}  // namespace view
