#include "view/painter_canvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include <QPainterPath>
#include <QPaintDevice>
#include <QPolygon>
#include <QStringList>
#include <QTextLayout>

#include "platform/fonts.h"
#include "view/font_slots.h"

namespace view {
namespace {

// Coordinates further out than this are no drawing of a sheet; the raster
// engine is not made for them.
constexpr double kFarOut = 1e7;

// Half up, so that a picture moved by whole pixels keeps its shape.
double px(float twips) { return std::floor(static_cast<double>(twips) / kTwipsPerPixel + 0.5); }
QPointF toPx(TwipsPoint p) { return {px(p.x), px(p.y)}; }
QPointF toPx(PixelPoint p) { return {double(p.x), double(p.y)}; }

bool sane(const QRectF& r) {
    return std::abs(r.left()) < kFarOut && std::abs(r.right()) < kFarOut && std::abs(r.top()) < kFarOut &&
           std::abs(r.bottom()) < kFarOut;
}

QRectF spanOf(QPointF a, QPointF b) { return QRectF(a, b).normalized(); }

double degrees(double radians) { return radians * 180.0 / M_PI; }

QStringList splitLines(const QString& text) { return text.split(QStringLiteral("\r\n")); }

// The Chinese faces the sheets name have a character cell exactly one em
// high, with the baseline 0.14 em above its bottom. Their stand-ins have
// taller cells, which would shrink every Chinese text to about two thirds.
bool squareCellFace(const QString& face) {
    static const QStringList faces{QStringLiteral("宋体"),  QStringLiteral("新宋体"), QStringLiteral("黑体"),
                                   QStringLiteral("仿宋"),  QStringLiteral("楷体"),   QStringLiteral("仿宋_GB2312"),
                                   QStringLiteral("楷体_GB2312"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                   QStringLiteral("SimHei"), QStringLiteral("FangSong"), QStringLiteral("KaiTi")};
    return faces.contains(face.trimmed(), Qt::CaseInsensitive);
}
constexpr double kSquareCellDescent = 0.14;

// Cell height over em size of a face, measured once: a font's pixel size is
// about its em, while the drawing sizes fonts by their cell.
double cellScale(const QFont& font) {
    static std::map<QString, double> scales;
    const QString key = font.family() + QLatin1Char('|') + QString::number(font.bold()) + QString::number(font.italic());
    auto it = scales.find(key);
    if (it == scales.end()) {
        QFont probe = font;
        probe.setPixelSize(200);
        const QFontMetricsF m(probe);
        const double cell = m.ascent() + m.descent();
        it = scales.emplace(key, cell > 0 ? 200.0 / cell : 1.0).first;
    }
    return it->second;
}

// A line of drawn text with its mnemonic underline (a character after a
// single "&" when prefixes are on).
struct ShownLine {
    QString text;
    qsizetype underline = -1;
};

ShownLine stripPrefixes(const QString& line) {
    ShownLine out;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('&') && i + 1 < line.size()) {
            ++i;
            if (line[i] != QLatin1Char('&')) out.underline = out.text.size();
        }
        out.text += line[i];
    }
    return out;
}

}  // namespace

QColor PainterCanvas::toQColor(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

PainterCanvas::PainterCanvas(QPainter& painter, bool antialiasText) : p_(painter), antialiasText_(antialiasText) {
    static std::once_flag substitutions;
    std::call_once(substitutions, [] { platform::installFontSubstitutions(); });
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p_.setRenderHint(QPainter::TextAntialiasing, antialiasText);
    QRectF area;
    if (const QPaintDevice* d = p_.device()) area = QRectF(0, 0, d->width(), d->height());
    bounds_ = p_.transform().inverted().mapRect(area);
    if (p_.hasClipping()) bounds_ = bounds_.intersected(p_.clipBoundingRect());
}

bool PainterCanvas::visible(const QRectF& r) const {
    return sane(r) && r.right() >= bounds_.left() && r.left() <= bounds_.right() && r.bottom() >= bounds_.top() &&
           r.top() <= bounds_.bottom();
}

double PainterCanvas::penMargin() const { return std::max(1, state().drawWidth) / 2.0 + 1; }

void PainterCanvas::usePen() {
    const CanvasState& s = state();
    const int width = std::max(1, s.drawWidth);
    // Dashes and dots exist only on one-pixel lines; wider lines are solid.
    const DrawStyle style = width == 1 ? s.drawStyle : DrawStyle::Solid;
    if (width == penWidth_ && style == penStyle_ && s.foreColour == penColour_) return;
    QPen pen(toQColor(s.foreColour));
    if (width == 1) {
        pen.setWidth(1);
        pen.setCosmetic(true);
        if (style == DrawStyle::Dash) pen.setDashPattern({18, 6});
        else if (style == DrawStyle::Dot) pen.setDashPattern({3, 3});
    } else {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    p_.setPen(pen);
    penWidth_ = width;
    penStyle_ = style;
    penColour_ = s.foreColour;
}

void PainterCanvas::useBrush(bool fill) {
    const CanvasState& s = state();
    const int wanted = fill && s.fillStyle == FillStyle::Solid ? 1 : 0;
    if (wanted == brushState_ && (wanted == 0 || s.fillColour == brushColour_)) return;
    if (wanted) p_.setBrush(toQColor(s.fillColour));
    else p_.setBrush(Qt::NoBrush);
    brushState_ = wanted;
    brushColour_ = s.fillColour;
}

void PainterCanvas::line(TwipsPoint a, TwipsPoint b) {
    const QPointF pa = toPx(a), pb = toPx(b);
    const double m = penMargin();
    if (visible(spanOf(pa, pb).adjusted(-m, -m, m, m))) {
        usePen();
        strokeLine(pa, pb);
    }
    moveTo(b);
}

void PainterCanvas::strokeLine(QPointF a, QPointF b) {
    const QRectF inside = bounds_.adjusted(-1, -1, 1, 1);
    if (penStyle_ != DrawStyle::Solid && (!inside.contains(a) || !inside.contains(b))) dashedAcross(a, b);
    else p_.drawLine(a, b);
}

void PainterCanvas::dashedAcross(QPointF a, QPointF b) {
    // The painter would cut the line at its edge and start the pattern
    // there, so dashes would shift as a view scrolls. Cut it here at a whole
    // pixel step instead and carry the pattern on from the line's start.
    // Within the last pixel row and column: the painter must not cut again.
    const QRectF r = bounds_.adjusted(0, 0, -1, -1);
    const QPointF d = b - a;
    double t0 = 0, t1 = 1;
    const auto clip = [&](double p, double q) {  // keep the part where p * t <= q
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        return t0 <= t1;
    };
    if (!clip(-d.x(), a.x() - r.left()) || !clip(d.x(), r.right() - a.x()) || !clip(-d.y(), a.y() - r.top()) ||
        !clip(d.y(), r.bottom() - a.y()))
        return;
    // The pattern runs along the line's longer axis, a step per pixel.
    const double steps = std::max(std::abs(d.x()), std::abs(d.y()));
    const double k0 = std::ceil(t0 * steps - 1e-9);
    const double k1 = std::floor(t1 * steps + 1e-9);
    if (k0 > k1) return;
    const QPen pen = p_.pen();
    QPen shifted = pen;
    shifted.setDashOffset(k0);
    p_.setPen(shifted);
    p_.drawLine(a + d * (k0 / steps), a + d * (k1 / steps));
    p_.setPen(pen);
}

void PainterCanvas::box(TwipsPoint a, TwipsPoint b, std::optional<Colour> outline) {
    QRectF r = spanOf(toPx(a), toPx(b));
    const QRectF whole = r;
    const double m = penMargin();
    if (visible(r.adjusted(-m, -m, m, m))) {
        // A box reaching out of sight is cut here, its cut edges kept out of
        // sight, so its visible corners do not depend on where the painter
        // would cut it (and a sheet-sized box costs no more than the view).
        // Clamped corner by corner: a box without height or width (the view's
        // outline of a straight wire) is a line, which QRectF's own
        // intersection would turn into nothing at the origin.
        const QRectF reach = bounds_.adjusted(-2 * m, -2 * m, 2 * m, 2 * m);
        r = QRectF(QPointF(std::max(r.left(), reach.left()), std::max(r.top(), reach.top())),
                   QPointF(std::min(r.right(), reach.right()), std::min(r.bottom(), reach.bottom())));
        if (outline && *outline != state().foreColour) {
            const Colour keep = state().foreColour;
            setForeColour(*outline);
            usePen();
            setForeColour(keep);
        } else {
            usePen();
        }
        useBrush(true);
        if (penWidth_ == 1) {
            // Edge by edge: a one-pixel outline cut by the painter as a
            // closed figure can lose the corner where it closes.
            // A dashed or dotted edge keeps its own ends, so its pattern
            // starts where the edge does, wherever the view cuts it.
            if (brushState_ == 1) p_.fillRect(r, toQColor(brushColour_));
            const QRectF e = penStyle_ == DrawStyle::Solid ? r : whole;
            strokeLine(e.topLeft(), e.topRight());
            strokeLine(e.topRight(), e.bottomRight());
            strokeLine(e.bottomRight(), e.bottomLeft());
            strokeLine(e.bottomLeft(), e.topLeft());
        } else {
            p_.drawRect(r);
        }
    }
    moveTo(b);
}

void PainterCanvas::circle(TwipsPoint c, float radius, std::optional<ArcAngles> arc, std::optional<float> aspect) {
    const QPointF centre = toPx(c);
    const double r = std::abs(static_cast<double>(radius)) / kTwipsPerPixel;
    double rx = r, ry = r;
    if (aspect) {
        const double a = std::abs(static_cast<double>(*aspect));
        if (a < 1) ry = r * a;
        else rx = r / a;
    }
    const QRectF rect(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    const double m = penMargin();
    if (!visible(rect.adjusted(-m, -m, m, m))) return;
    usePen();
    if (!arc) {
        useBrush(true);
        p_.drawEllipse(rect);
        return;
    }
    const bool fromCentre = arc->start < 0;
    const bool toCentre = arc->end < 0;
    const double start = degrees(std::abs(arc->start));
    double span = std::fmod(degrees(std::abs(arc->end)) - start, 360.0);
    if (span <= 0) span += 360.0;  // equal ends: the whole figure
    QPainterPath path;
    if (fromCentre) {
        path.moveTo(centre);
        path.arcTo(rect, start, span);
    } else {
        path.arcMoveTo(rect, start);
        path.arcTo(rect, start, span);
    }
    if (toCentre) path.lineTo(centre);
    const bool pie = fromCentre && toCentre;
    if (pie) path.closeSubpath();
    useBrush(pie);
    p_.drawPath(path);
}

const PainterCanvas::RealFont& PainterCanvas::realFont(const FontAttributes& wanted) {
    FontAttributes key = wanted;
    key.escapement = 0;
    if (lastFont_ < fonts_.size() && fonts_[lastFont_].attrs == key) return fonts_[lastFont_];
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].attrs == key) {
            lastFont_ = i;
            return fonts_[i];
        }
    }
    QFont font(key.face);
    font.setBold(key.bold);
    font.setItalic(key.italic);
    font.setUnderline(key.underline);
    font.setStrikeOut(key.strikeOut);
    font.setStyleStrategy(antialiasText_ ? QFont::PreferDefault : QFont::NoAntialias);
    const int cell = std::clamp(key.height, 1, kMaxCellHeight);
    const bool square = squareCellFace(key.face);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(square ? cell : cell * cellScale(font)))));
    const QFontMetricsF metrics(font);
    const double descent = square ? std::round(cell * kSquareCellDescent) : metrics.descent();
    fonts_.push_back(RealFont{key, font, metrics, descent});
    lastFont_ = fonts_.size() - 1;
    return fonts_.back();
}

void PainterCanvas::textAt(QPointF bottomLeft, const QString& text, const RealFont& f, int escapement) {
    p_.setFont(f.font);
    p_.setPen(toQColor(state().foreColour));
    penWidth_ = -1;
    if (escapement % 3600 == 0) {
        p_.drawText(QPointF(bottomLeft.x(), bottomLeft.y() - f.descent), text);
        return;
    }
    p_.save();
    p_.translate(bottomLeft);
    p_.rotate(-escapement / 10.0);
    p_.drawText(QPointF(0, -f.descent), text);
    p_.restore();
}

void PainterCanvas::print(const QString& text) {
    if (text.isEmpty()) return;
    const QPointF at = toPx(state().current);
    // Nothing of the text can reach further than its length in cells.
    const double reach = (static_cast<double>(text.size()) + 1) * 1.5 * std::clamp(state().font.height, 1, kMaxCellHeight);
    if (!visible(QRectF(at.x() - reach, at.y() - reach, 2 * reach, 2 * reach))) return;
    const RealFont& f = realFont(state().font);
    textAt(at, text, f, state().font.escapement);
}

float PainterCanvas::textWidth(const QString& text) {
    const RealFont& f = realFont(state().font);
    double widest = 0;
    for (const QString& l : splitLines(text)) widest = std::max(widest, f.metrics.horizontalAdvance(l));
    return static_cast<float>(widest * kTwipsPerPixel);
}

float PainterCanvas::textHeight(const QString& text) {
    return static_cast<float>(splitLines(text).size()) * static_cast<float>(std::clamp(state().font.height, 1, kMaxCellHeight)) *
           kTwipsPerPixel;
}

void PainterCanvas::paintPicture(const QImage& picture, TwipsPoint topLeft, float width, float height) {
    if (picture.isNull()) return;
    const QPointF tl = toPx(topLeft);
    const double w = static_cast<double>(width) / kTwipsPerPixel;
    const double h = static_cast<double>(height) / kTwipsPerPixel;
    if (w == 0 || h == 0 || !visible(spanOf(tl, tl + QPointF(w, h)))) return;
    p_.save();
    p_.translate(tl);
    p_.scale(w / picture.width(), h / picture.height());
    p_.drawImage(QPointF(0, 0), picture);
    p_.restore();
}

void PainterCanvas::plgBlt(const QImage& picture, PixelPoint upperLeft, PixelPoint upperRight, PixelPoint lowerLeft) {
    if (picture.isNull()) return;
    const QPointF ul = toPx(upperLeft), ur = toPx(upperRight), ll = toPx(lowerLeft);
    const QPointF lr = ur + (ll - ul);
    QRectF area = spanOf(ul, ur).united(spanOf(ll, lr));
    if (!visible(area)) return;
    const double w = picture.width(), h = picture.height();
    const QTransform t((ur.x() - ul.x()) / w, (ur.y() - ul.y()) / w, (ll.x() - ul.x()) / h, (ll.y() - ul.y()) / h,
                       ul.x(), ul.y());
    p_.save();
    p_.setTransform(t, true);
    p_.drawImage(QPointF(0, 0), picture);
    p_.restore();
}

void PainterCanvas::polygon(std::span<const PixelPoint> points) {
    if (points.empty()) return;
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const PixelPoint& p : points) poly << toPx(p);
    const double m = penMargin();
    if (!visible(poly.boundingRect().adjusted(-m, -m, m, m))) return;
    usePen();
    useBrush(true);
    p_.drawPolygon(poly, Qt::OddEvenFill);
}

void PainterCanvas::roundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ew, int32_t eh) {
    // The area between the corners whichever way round, without its right
    // and bottom edges.
    const double x0 = std::min(left, right), x1 = std::max(left, right);
    const double y0 = std::min(top, bottom), y1 = std::max(top, bottom);
    const QRectF r(x0, y0, std::max(0.0, x1 - x0 - 1), std::max(0.0, y1 - y0 - 1));
    const double m = penMargin();
    if (!visible(r.adjusted(-m, -m, m, m))) return;
    usePen();
    useBrush(true);
    p_.drawRoundedRect(r, std::abs(double(ew)) / 2.0, std::abs(double(eh)) / 2.0, Qt::AbsoluteSize);
}

void PainterCanvas::polyBezier(std::span<const PixelPoint> points) {
    if (points.size() < 4) return;
    QPainterPath path(toPx(points[0]));
    for (std::size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(toPx(points[i]), toPx(points[i + 1]), toPx(points[i + 2]));
    const double m = penMargin();
    if (!visible(path.controlPointRect().adjusted(-m, -m, m, m))) return;
    usePen();
    useBrush(false);
    p_.drawPath(path);
}

void PainterCanvas::drawText(const QString& text, PixelRect rect, unsigned format) {
    if (text.isEmpty()) return;
    const bool clip = (format & text_format::NoClip) == 0;
    const QRectF area(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom));
    if (clip && (area.width() <= 0 || area.height() <= 0 || !visible(area))) return;
    if (!sane(QRectF(area.topLeft(), QSizeF(1, 1)))) return;

    const RealFont& f = realFont(state().font);
    const double lineHeight = std::clamp(state().font.height, 1, kMaxCellHeight);
    const double width = area.width();

    // Lay out: paragraphs at CR LF, each broken at word boundaries when asked.
    std::vector<ShownLine> lines;
    for (const QString& paragraph : splitLines(text)) {
        const ShownLine shown = (format & text_format::NoPrefix) ? ShownLine{paragraph, -1} : stripPrefixes(paragraph);
        if (!(format & text_format::WordBreak) || shown.text.isEmpty()) {
            lines.push_back(shown);
            continue;
        }
        QTextLayout layout(shown.text, f.font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(std::max(1.0, width));
            ShownLine piece{shown.text.mid(l.textStart(), l.textLength()), -1};
            if (shown.underline >= l.textStart() && shown.underline < l.textStart() + l.textLength())
                piece.underline = shown.underline - l.textStart();
            while (piece.text.endsWith(QLatin1Char(' '))) piece.text.chop(1);
            lines.push_back(piece);
        }
        layout.endLayout();
    }

    if (clip) {
        p_.save();
        p_.setClipRect(area, Qt::IntersectClip);
    }
    for (std::size_t k = 0; k < lines.size(); ++k) {
        // Each line is placed by its top edge, which the bottom text alignment
        // takes as the bottom: the block stands one line higher than laid out.
        const double layoutTop = rect.top + static_cast<double>(k) * lineHeight;
        if ((format & text_format::EditControl) && layoutTop + lineHeight > rect.bottom) break;
        const ShownLine& l = lines[k];
        if (l.text.isEmpty()) continue;
        const double lw = std::floor(f.metrics.horizontalAdvance(l.text));
        double x = rect.left;
        if (format & text_format::Center) x = rect.left + std::trunc((width - lw) / 2);
        else if (format & text_format::Right) x = rect.right - lw;
        textAt(QPointF(x, layoutTop), l.text, f, state().font.escapement);
        if (l.underline >= 0 && state().font.escapement % 3600 == 0) {
            const double u0 = x + f.metrics.horizontalAdvance(l.text.left(l.underline));
            const double u1 = x + f.metrics.horizontalAdvance(l.text.left(l.underline + 1));
            const double uy = layoutTop - f.descent + 1;
            p_.drawLine(QPointF(u0, uy), QPointF(u1 - 1, uy));
        }
    }
    if (clip) p_.restore();
    penWidth_ = -1;
    brushState_ = -1;
}

}  // namespace view
