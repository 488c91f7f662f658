#include "panels/widgets/chip_view.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace panels {
namespace {

constexpr int kMarginX = 14;
constexpr int kMarginY = 4;
constexpr int kGap = 3;

}  // namespace

ChipView::ChipView(const ChipMetrics& metrics, std::span<const PanelPin> pins, QWidget* parent)
    : QWidget(parent), m_(metrics), pins_(pins) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

int ChipView::column(int pin) const { return onTop(pin) ? m_.pinCount - pin : pin - 1; }

int ChipView::pinX(int pin) const { return kMarginX + m_.pitch / 2 + column(pin) * m_.pitch; }

int ChipView::top() const { return kMarginY + m_.topRise; }

QRect ChipView::bodyRect() const {
    const int y = top() + m_.controlSize + kGap + m_.stubHeight;
    return QRect(kMarginX, y, pinsPerRow() * m_.pitch, m_.bodyHeight);
}

QRect ChipView::stubRect(int pin) const {
    const QRect body = bodyRect();
    const int y = onTop(pin) ? body.top() - m_.stubHeight : body.bottom() + 1;
    return QRect(pinX(pin) - m_.stubWidth / 2, y, m_.stubWidth, m_.stubHeight);
}

QRect ChipView::controlRect(int pin) const {
    const QRect stub = stubRect(pin);
    const int y = onTop(pin) ? stub.top() - kGap - m_.controlSize : stub.bottom() + 1 + kGap;
    return QRect(pinX(pin) - m_.controlSize / 2, y, m_.controlSize, m_.controlSize);
}

QPoint ChipView::edgePoint(int pin) const {
    const QRect body = bodyRect();
    return QPoint(pinX(pin), onTop(pin) ? body.top() : body.bottom());
}

QSize ChipView::sizeHint() const {
    const QRect body = bodyRect();
    const int height = body.bottom() + 1 + m_.stubHeight + kGap + m_.controlSize + m_.bottomRise + kMarginY;
    return QSize(2 * kMarginX + pinsPerRow() * m_.pitch, height);
}

void ChipView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // One-pixel lines on whole coordinates stay sharp only from pixel centres.
    p.translate(0.5, 0.5);
    p.setPen(QPen(Qt::black, 1));

    const QRect body = bodyRect();
    // The package, with the notch that marks the end of pin 1.
    QPainterPath outline;
    outline.addRect(QRectF(body));
    const int notch = std::clamp(m_.bodyHeight / 14, 6, 9);
    QPainterPath notchPath;
    notchPath.addEllipse(QPointF(body.left(), body.center().y() + 0.5), notch, notch);
    p.fillPath(outline, QColor(250, 250, 250));
    p.drawPath(outline.subtracted(notchPath));
    p.drawArc(QRectF(body.left() - notch, body.center().y() + 0.5 - notch, 2 * notch, 2 * notch), -90 * 16, 180 * 16);

    QFont small = font();
    small.setPixelSize(10);
    QFont caption = font();
    caption.setPixelSize(12);
    for (const PanelPin& pin : pins_) {
        const QRect stub = stubRect(pin.pin);
        p.setPen(Qt::black);
        p.drawRect(stub);
        const QString number = QString::number(pin.pin);
        const QString name = QString::fromUtf8(pin.name);
        const QString text = onTop(pin.pin) ? name + QLatin1Char('\n') + number : number + QLatin1Char('\n') + name;
        p.setFont(small);
        p.drawText(stub, Qt::AlignCenter, text);
        if (pin.control == PinControl::Supply) {
            p.setFont(caption);
            p.drawText(controlRect(pin.pin).adjusted(-6, 0, 6, 0), Qt::AlignCenter,
                       pin.name == "VCC" ? QStringLiteral("+5V") : QStringLiteral("0V"));
        }
    }

    if (logic_) {
        p.save();
        p.setFont(small);
        logic_(p, *this);
        p.restore();
    }
}

}  // namespace panels
