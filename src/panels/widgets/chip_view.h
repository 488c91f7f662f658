#pragma once
// A chip seen from above as a test panel draws it: the package, a stub with the
// pin's number and name for every pin (1 .. n/2 along the bottom edge from left
// to right, the rest along the top edge from right to left), the captions
// "+5V" and "0V" beside the supply pins, and the chip's inner logic. The
// panel places its boxes and labels into controlRect() of their pins.

#include <QWidget>

#include <functional>
#include <span>

#include "panels/panel_pins.h"

namespace panels {

struct ChipMetrics {
    int pinCount = 14;
    int pitch = 40;        // pixels from pin to pin
    int stubWidth = 32;
    int stubHeight = 28;
    int bodyHeight = 150;
    int controlSize = 25;  // the boxes and labels beside the stubs
    int topRise = 0;       // room above the top controls
    int bottomRise = 0;    // room below the bottom controls
};

class ChipView : public QWidget {
    Q_OBJECT
public:
    using LogicPainter = std::function<void(QPainter&, const ChipView&)>;

    ChipView(const ChipMetrics& metrics, std::span<const PanelPin> pins, QWidget* parent = nullptr);

    void setLogicPainter(LogicPainter painter) { logic_ = std::move(painter); }

    const ChipMetrics& metrics() const { return m_; }
    int pinsPerRow() const { return m_.pinCount / 2; }
    bool onTop(int pin) const { return pin > pinsPerRow(); }
    // The column (0 at the left) and the centre x of a pin.
    int column(int pin) const;
    int pinX(int pin) const;
    QRect bodyRect() const;
    QRect stubRect(int pin) const;
    // Where the pin's box or label goes: right outside its stub.
    QRect controlRect(int pin) const;
    // Where a pin's wire meets the package's edge.
    QPoint edgePoint(int pin) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int top() const;

    ChipMetrics m_;
    std::span<const PanelPin> pins_;
    LogicPainter logic_;
};

}  // namespace panels
