#include "view/recording_canvas.h"

#include <algorithm>
#include <cstdio>

#include <QStringList>

namespace view {
namespace {

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", v);
    return buf;
}

QStringList textLines(const QString& text) { return text.split(QStringLiteral("\r\n")); }

}  // namespace

std::string RecordedCall::describe() const {
    std::string s = op;
    if (!text.isNull()) s.append(" \"").append(text.toStdString()).append("\"");
    if (op == "circle") {
        // centre, radius, then the angle pair and the aspect when given
        s.append(" ").append(number(values[0])).append(",").append(number(values[1]));
        s.append(" ").append(number(values[2]));
        std::size_t i = 3;
        if (hasArc) {
            s.append(" ").append(number(values[i])).append(",").append(number(values[i + 1]));
            i += 2;
        }
        if (hasAspect) s.append(" ").append(number(values[i]));
        return s;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        s.append(i % 2 == 0 ? " " : ",");
        s.append(number(values[i]));
    }
    return s;
}

RecordedCall& RecordingCanvas::record(std::string op, std::vector<double> values) {
    RecordedCall& c = calls_.emplace_back();
    c.op = std::move(op);
    c.values = std::move(values);
    c.state = state();
    return c;
}

void RecordingCanvas::line(TwipsPoint a, TwipsPoint b) {
    record("line", {a.x, a.y, b.x, b.y});
    moveTo(b);
}

void RecordingCanvas::box(TwipsPoint a, TwipsPoint b, std::optional<Colour> outline) {
    record("box", {a.x, a.y, b.x, b.y}).extra = outline.value_or(state().foreColour);
    moveTo(b);
}

void RecordingCanvas::circle(TwipsPoint c, float radius, std::optional<ArcAngles> arc, std::optional<float> aspect) {
    std::vector<double> v{c.x, c.y, radius};
    if (arc) {
        v.push_back(arc->start);
        v.push_back(arc->end);
    }
    if (aspect) v.push_back(*aspect);
    RecordedCall& call = record("circle", std::move(v));
    call.hasArc = arc.has_value();
    call.hasAspect = aspect.has_value();
}

void RecordingCanvas::print(const QString& text) {
    record("print", {state().current.x, state().current.y}).text = text;
}

float RecordingCanvas::textWidth(const QString& text) {
    qsizetype widest = 0;
    for (const QString& l : textLines(text)) widest = std::max(widest, l.size());
    return static_cast<float>(widest) * 0.6f * static_cast<float>(state().font.height) * kTwipsPerPixel;
}

float RecordingCanvas::textHeight(const QString& text) {
    return static_cast<float>(textLines(text).size()) * static_cast<float>(state().font.height) * kTwipsPerPixel;
}

void RecordingCanvas::paintPicture(const QImage& picture, TwipsPoint topLeft, float width, float height) {
    record("picture", {topLeft.x, topLeft.y, width, height});
}

void RecordingCanvas::polygon(std::span<const PixelPoint> points) {
    std::vector<double> v;
    for (const PixelPoint& p : points) {
        v.push_back(p.x);
        v.push_back(p.y);
    }
    record("polygon", std::move(v));
}

void RecordingCanvas::roundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ew, int32_t eh) {
    record("roundRect", {double(left), double(top), double(right), double(bottom), double(ew), double(eh)});
}

void RecordingCanvas::polyBezier(std::span<const PixelPoint> points) {
    std::vector<double> v;
    for (const PixelPoint& p : points) {
        v.push_back(p.x);
        v.push_back(p.y);
    }
    record("polyBezier", std::move(v));
}

void RecordingCanvas::drawText(const QString& text, PixelRect rect, unsigned format) {
    RecordedCall& c = record("drawText", {double(rect.left), double(rect.top), double(rect.right), double(rect.bottom)});
    c.text = text;
    c.extra = format;
}

void RecordingCanvas::plgBlt(const QImage& picture, PixelPoint upperLeft, PixelPoint upperRight, PixelPoint lowerLeft) {
    record("plgBlt", {double(upperLeft.x), double(upperLeft.y), double(upperRight.x), double(upperRight.y),
                      double(lowerLeft.x), double(lowerLeft.y)});
}

std::vector<std::string> RecordingCanvas::log() const {
    std::vector<std::string> out;
    out.reserve(calls_.size());
    for (const RecordedCall& c : calls_) out.push_back(c.describe());
    return out;
}

}  // namespace view
