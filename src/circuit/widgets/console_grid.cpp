#include "circuit/widgets/console_grid.h"

#include <QEvent>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>

namespace circuit::widgets {

ConsoleGrid::ConsoleGrid(QWidget* parent) : QLayout(parent) {}

ConsoleGrid::~ConsoleGrid() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void ConsoleGrid::startGroup() { ++group_; }

void ConsoleGrid::addItem(QLayoutItem* item) { entries_.push_back({item, group_}); }

int ConsoleGrid::count() const { return static_cast<int>(entries_.size()); }

QLayoutItem* ConsoleGrid::itemAt(int index) const {
    return index >= 0 && index < count() ? entries_[static_cast<std::size_t>(index)].item : nullptr;
}

QLayoutItem* ConsoleGrid::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = entries_[static_cast<std::size_t>(index)].item;
    entries_.erase(entries_.begin() + index);
    invalidate();
    return item;
}

Qt::Orientations ConsoleGrid::expandingDirections() const { return {}; }

bool ConsoleGrid::hasHeightForWidth() const { return true; }

int ConsoleGrid::cellWidth() const {
    int width = 0;
    for (const Entry& e : entries_)
        if (!e.item->isEmpty()) width = std::max(width, e.item->minimumSize().width());
    return width;
}

int ConsoleGrid::widthFor(int columns) const {
    const QMargins m = contentsMargins();
    columns = std::max(columns, 1);
    return m.left() + m.right() + columns * cellWidth() + (columns - 1) * spacing();
}

int ConsoleGrid::columnsAt(int width) const {
    const QMargins m = contentsMargins();
    const int cell = cellWidth();
    if (cell <= 0) return 1;
    return std::max(1, (width - m.left() - m.right() + spacing()) / (cell + spacing()));
}

int ConsoleGrid::arrange(const QRect& rect, bool place) const {
    const QMargins m = contentsMargins();
    const int columns = columnsAt(rect.width());
    const int cell = cellWidth();
    const int gap = spacing();
    int y = rect.y() + m.top();
    int column = 0;
    int rowHeight = 0;
    int group = entries_.empty() ? 0 : entries_.front().group;
    const auto endRow = [&] {
        if (rowHeight > 0) y += rowHeight + gap;
        rowHeight = 0;
        column = 0;
    };
    for (const Entry& e : entries_) {
        if (e.item->isEmpty()) continue;
        if (e.group != group || column == columns) endRow();
        group = e.group;
        const QSize hint = e.item->sizeHint();
        if (place) e.item->setGeometry(QRect(rect.x() + m.left() + column * (cell + gap), y, cell, hint.height()));
        rowHeight = std::max(rowHeight, hint.height());
        ++column;
    }
    if (rowHeight > 0) y += rowHeight;
    else if (y > rect.y() + m.top()) y -= gap;
    return y - rect.y() + m.bottom();
}

int ConsoleGrid::heightForWidth(int width) const { return arrange(QRect(0, 0, width, 0), false); }

QSize ConsoleGrid::sizeHint() const {
    const int width = widthFor(1);
    return {width, heightForWidth(width)};
}

QSize ConsoleGrid::minimumSize() const {
    // One column wide; the height is the width's business (heightForWidth),
    // so a wide console is not held to the height of a narrow one.
    int tallest = 0;
    for (const Entry& e : entries_)
        if (!e.item->isEmpty()) tallest = std::max(tallest, e.item->minimumSize().height());
    const QMargins m = contentsMargins();
    return {widthFor(1), m.top() + tallest + m.bottom()};
}

void ConsoleGrid::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

ConsoleScrollArea::ConsoleScrollArea(QWidget* parent) : QScrollArea(parent) { setWidgetResizable(false); }

void ConsoleScrollArea::setPanel(QWidget* panel, ConsoleGrid* grid) {
    grid_ = grid;
    setWidget(panel);
    panel->installEventFilter(this);
    fitPanel();
}

void ConsoleScrollArea::fitPanel() {
    QWidget* panel = widget();
    if (!panel || !grid_) return;
    const QSize room = maximumViewportSize();
    int width = room.width();
    int height = grid_->heightForWidth(width);
    if (height > room.height()) {
        width -= verticalScrollBar()->sizeHint().width();
        height = grid_->heightForWidth(width);
    }
    // Narrower than one cell to a row, the console scrolls sideways.
    width = std::max(width, grid_->widthFor(1));
    panel->resize(width, grid_->heightForWidth(width));
}

void ConsoleScrollArea::resizeEvent(QResizeEvent* event) {
    fitPanel();
    QScrollArea::resizeEvent(event);
}

bool ConsoleScrollArea::eventFilter(QObject* watched, QEvent* event) {
    // A control shown, hidden or recaptioned changes what the console needs.
    if (watched == widget() && event->type() == QEvent::LayoutRequest) fitPanel();
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace circuit::widgets
