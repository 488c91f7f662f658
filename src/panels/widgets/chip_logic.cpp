#include "panels/widgets/chip_logic.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace panels {
namespace {

constexpr double kBubble = 3.0;

// Positions measured from the edge that a pin sits on, into the package.
struct Side {
    const ChipView& view;
    int pin;
    double y(double depth) const {
        const QRect body = view.bodyRect();
        return view.onTop(pin) ? body.top() + depth : body.bottom() - depth;
    }
    double x() const { return view.pinX(pin); }
    double edge() const { return y(0); }
};

// Wires run on whole pixels, so that they stay one pixel wide.
void wire(QPainter& p, std::initializer_list<QPointF> points) {
    QPolygonF line;
    for (const QPointF& point : points) line << QPointF(std::round(point.x()), std::round(point.y()));
    p.drawPolyline(line);
}

void bubble(QPainter& p, QPointF centre) {
    p.save();
    p.setBrush(Qt::white);
    p.drawEllipse(centre, kBubble, kBubble);
    p.restore();
}

void dot(QPainter& p, QPointF centre) {
    p.save();
    p.setBrush(Qt::black);
    p.drawEllipse(centre, 1.8, 1.8);
    p.restore();
}

// ---- 74LS00: four NAND gates pointing right, inputs on the left ----

void nand(QPainter& p, const ChipView& v, int pinA, int pinB, int pinY) {
    const double pitch = v.metrics().pitch;
    const Side a{v, pinA}, b{v, pinB}, y{v, pinY};
    const double depth = v.metrics().bodyHeight * 0.34;
    const double height = pitch * 0.55;
    const double left = a.x() + pitch * 0.3;
    const double right = y.x() - pitch * 0.45 - 2 * kBubble;
    const double far = depth + height / 4, near = depth - height / 4;

    QPainterPath body;
    const double centreY = a.y(depth);
    const double top = centreY - height / 2;
    const double flat = right - height / 2;
    body.moveTo(flat, top);
    body.lineTo(left, top);
    body.lineTo(left, top + height);
    body.lineTo(flat, top + height);
    body.arcTo(QRectF(flat - height / 2, top, height, height), -90, 180);
    p.save();
    p.setBrush(Qt::white);
    p.drawPath(body);
    p.restore();
    bubble(p, QPointF(right + kBubble, centreY));

    wire(p, {{a.x(), a.edge()}, {a.x(), a.y(far)}, {left, a.y(far)}});
    const double jogX = a.x() + pitch * 0.15;
    wire(p, {{b.x(), b.edge()}, {b.x(), b.y(pitch * 0.45)}, {jogX, b.y(pitch * 0.45)}, {jogX, b.y(near)}, {left, b.y(near)}});
    wire(p, {{right + 2 * kBubble, centreY}, {y.x(), centreY}, {y.x(), y.edge()}});
}

void paintLs00(QPainter& p, const ChipView& v) {
    nand(p, v, 1, 2, 3);
    nand(p, v, 4, 5, 6);
    nand(p, v, 10, 9, 8);
    nand(p, v, 13, 12, 11);
}

// ---- 74LS138: one decoder box, bubbles on the active-low pins ----

void paintLs138(QPainter& p, const ChipView& v) {
    const QRect body = v.bodyRect();
    const double pitch = v.metrics().pitch;
    // Clear of the package's notch on the left.
    const QRectF box(v.pinX(1) - pitch * 0.2, body.top() + body.height() * 0.3, (v.pinsPerRow() - 1 + 0.4) * pitch,
                     body.height() * 0.4);
    p.save();
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.restore();
    struct Pin { int pin; const char* text; bool low; };
    const Pin pins[] = {{1, "A", false},   {2, "B", false},   {3, "C", false},   {4, "G2A", true},
                        {5, "G2B", true},  {6, "G1", false},  {7, "Y7", true},   {9, "Y6", true},
                        {10, "Y5", true},  {11, "Y4", true},  {12, "Y3", true},  {13, "Y2", true},
                        {14, "Y1", true},  {15, "Y0", true}};
    for (const Pin& pin : pins) {
        const bool top = v.onTop(pin.pin);
        const double x = v.pinX(pin.pin);
        const double boxEdge = top ? box.top() : box.bottom();
        const double outward = top ? -1 : 1;
        const double end = pin.low ? boxEdge + outward * 2 * kBubble : boxEdge;
        wire(p, {{x, double(v.edgePoint(pin.pin).y())}, {x, end}});
        if (pin.low) bubble(p, QPointF(x, boxEdge + outward * kBubble));
        const QRectF textBox(x - pitch / 2, top ? box.top() + 2 : box.bottom() - 16, pitch, 14);
        p.drawText(textBox, Qt::AlignCenter, QString::fromLatin1(pin.text));
    }
    p.drawText(box, Qt::AlignCenter, QStringLiteral("3-8 译码器"));
}

// ---- 74LS244: eight buffers between their A and Y pins, enables with bubbles ----

void buffer(QPainter& p, const ChipView& v, int pinA, int pinY, double enableDepth, int pinEnable, bool last) {
    const double pitch = v.metrics().pitch;
    const double h = v.metrics().bodyHeight;
    const Side a{v, pinA}, y{v, pinY};
    const double xc = (a.x() + y.x()) / 2;
    const double width = pitch * 0.6;
    const double base = h * 0.22, apex = h * 0.48;

    QPolygonF triangle({{xc - width / 2, a.y(base)}, {xc + width / 2, a.y(base)}, {xc, a.y(apex)}});
    p.save();
    p.setBrush(Qt::white);
    p.drawPolygon(triangle);
    p.restore();

    wire(p, {{a.x(), a.edge()}, {a.x(), a.y(h * 0.12)}, {xc, a.y(h * 0.12)}, {xc, a.y(base)}});
    wire(p, {{xc, a.y(apex)}, {xc, a.y(h * 0.88)}, {y.x(), a.y(h * 0.88)}, {y.x(), y.edge()}});

    // The enable reaches the triangle's side through a bubble, from a line
    // running along the group at enableDepth.
    const double middle = (base + apex) / 2;
    const QPointF side(xc - width / 4, a.y(middle));
    bubble(p, side - QPointF(kBubble, 0));
    const double tapX = side.x() - 2 * kBubble - 5;
    wire(p, {{side.x() - 2 * kBubble, side.y()}, {tapX, side.y()}, {tapX, a.y(enableDepth)}});
    dot(p, QPointF(tapX, a.y(enableDepth)));
    if (last) {
        const Side e{v, pinEnable};
        wire(p, {{e.x(), e.edge()}, {e.x(), a.y(enableDepth)}, {tapX, a.y(enableDepth)}});
    }
}

void paintLs244(QPainter& p, const ChipView& v) {
    const double depth = v.metrics().bodyHeight * 0.17;
    const int group1[][2] = {{2, 18}, {4, 16}, {6, 14}, {8, 12}};   // 1A0..1A3 -> 1Y0..1Y3, /OC1 pin 1
    const int group2[][2] = {{11, 9}, {13, 7}, {15, 5}, {17, 3}};   // 2A0..2A3 -> 2Y0..2Y3, /OC2 pin 19
    for (int k = 0; k < 4; ++k) buffer(p, v, group1[k][0], group1[k][1], depth, 1, k == 3);
    for (int k = 0; k < 4; ++k) buffer(p, v, group2[k][0], group2[k][1], depth, 19, k == 0);
}

// ---- 74LS374: eight D flip-flops, CP and /OE shared ----

void paintLs374(QPainter& p, const ChipView& v) {
    const double pitch = v.metrics().pitch;
    const double h = v.metrics().bodyHeight;
    const QRect body = v.bodyRect();
    const double cpY = body.center().y() - 5, oeY = body.center().y() + 6;
    struct Flop { int d, q; };
    const Flop flops[] = {{3, 2}, {4, 5}, {7, 6}, {8, 9}, {13, 12}, {14, 15}, {17, 16}, {18, 19}};
    double cpLeft = body.right(), oeRight = body.left();
    for (const Flop& f : flops) {
        const Side d{v, f.d}, q{v, f.q};
        const double left = std::min(d.x(), q.x()) - pitch * 0.4;
        const double right = std::max(d.x(), q.x()) + pitch * 0.4;
        const double outer = d.y(h * 0.1), inner = d.y(h * 0.4);
        const QRectF box(QPointF(left, std::min(outer, inner)), QPointF(right, std::max(outer, inner)));
        p.save();
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.restore();
        wire(p, {{d.x(), d.edge()}, {d.x(), outer}});
        wire(p, {{q.x(), q.edge()}, {q.x(), outer}});
        const bool top = v.onTop(f.d);
        const QRectF outerText(0, top ? box.top() + 1 : box.bottom() - 14, pitch * 0.8, 13);
        p.drawText(outerText.translated(d.x() - pitch * 0.4, 0), Qt::AlignCenter, QStringLiteral("D"));
        p.drawText(outerText.translated(q.x() - pitch * 0.4, 0), Qt::AlignCenter, QStringLiteral("Q"));

        const double cpX = left + (right - left) * 0.3, oeX = left + (right - left) * 0.72;
        const QRectF innerText(0, top ? box.bottom() - 14 : box.top() + 1, pitch * 0.8, 13);
        p.drawText(innerText.translated(cpX - pitch * 0.4, 0), Qt::AlignCenter, QStringLiteral("CP"));
        p.drawText(innerText.translated(oeX - pitch * 0.4, 0), Qt::AlignCenter, QStringLiteral("/OE"));
        const double innerEdge = top ? box.bottom() : box.top();
        const double outward = top ? 1 : -1;
        wire(p, {{cpX, innerEdge}, {cpX, cpY}});
        dot(p, QPointF(cpX, cpY));
        bubble(p, QPointF(oeX, innerEdge + outward * kBubble));
        wire(p, {{oeX, innerEdge + outward * 2 * kBubble}, {oeX, oeY}});
        dot(p, QPointF(oeX, oeY));
        cpLeft = std::min(cpLeft, cpX);
        oeRight = std::max(oeRight, oeX);
    }
    const Side cp{v, 11}, oe{v, 1};
    wire(p, {{cp.x(), cp.edge()}, {cp.x(), cpY}, {cpLeft, cpY}});
    wire(p, {{oe.x(), oe.edge()}, {oe.x(), oeY}, {oeRight, oeY}});
}

}  // namespace

ChipView::LogicPainter ttlLogicPainter(TtlChip chip) {
    switch (chip) {
    case TtlChip::Ls00: return paintLs00;
    case TtlChip::Ls138: return paintLs138;
    case TtlChip::Ls244: return paintLs244;
    case TtlChip::Ls374: return paintLs374;
    }
    return {};
}

}  // namespace panels
