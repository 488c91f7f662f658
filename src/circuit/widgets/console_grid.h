#pragma once
// How the operator console lays out its controls: in rows of equal cells, as
// many cells to a row as the width gives, each group of controls (memory
// data, clock, switches, buses) starting a row of its own. In one column it
// reads as the design's list from top to bottom; a wider console shows more
// controls at once instead of making the student scroll. Hidden controls
// take no cell, and every cell is as wide as the widest control needs. The
// height follows the width.

#include <QLayout>
#include <QScrollArea>

#include <vector>

namespace circuit::widgets {

class ConsoleGrid : public QLayout {
    Q_OBJECT
public:
    explicit ConsoleGrid(QWidget* parent);
    ~ConsoleGrid() override;

    // The controls added from now on start a new row.
    void startGroup();
    // The width that gives `columns` cells to a row, margins included.
    int widthFor(int columns) const;
    // The cells a row holds at `width`: at least one.
    int columnsAt(int width) const;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    int cellWidth() const;
    // Lays the cells out in `rect` (only measures when `place` is false);
    // returns the height they take, margins included.
    int arrange(const QRect& rect, bool place) const;

    struct Entry {
        QLayoutItem* item;
        int group;
    };
    std::vector<Entry> entries_;
    int group_ = 0;
};

}  // namespace circuit::widgets

namespace circuit::widgets {

// The console's scroll area: it gives the console all its width, and takes
// the width of a vertical scroll bar off only when the console, laid out at
// that width, is taller than the area. (A scroll area that sizes its widget
// itself keeps the scroll bar once shown, and with it a console narrowed
// to fewer cells to a row than the area has room for.)
class ConsoleScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit ConsoleScrollArea(QWidget* parent = nullptr);

    // `panel`, laid out by a ConsoleGrid, is what the area shows from now on.
    void setPanel(QWidget* panel, ConsoleGrid* grid);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitPanel();

    ConsoleGrid* grid_ = nullptr;
};

}  // namespace circuit::widgets
