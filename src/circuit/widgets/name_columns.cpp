#include "circuit/widgets/name_columns.h"

#include <QResizeEvent>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace circuit::widgets {

int nameColumnWidth(int room, int namesNeed, int valuesNeed) {
    if (namesNeed + valuesNeed <= room) return namesNeed;
    return std::min(namesNeed, std::max(room / 2, room - valuesNeed));
}

NameColumns::NameColumns(QTreeWidget& list, int nameColumn) : QObject(&list), list_(list), nameColumn_(nameColumn) {
    list.header()->setStretchLastSection(true);
    list.viewport()->installEventFilter(this);
}

NameColumns* NameColumns::of(const QTreeWidget& list) {
    return list.findChild<NameColumns*>(QString(), Qt::FindDirectChildrenOnly);
}

int NameColumns::need(int c) const {
    QFont bold = list_.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int widest = 0;
    for (int i = 0; i < list_.topLevelItemCount(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(list_.topLevelItem(i)->text(c)));
    // The item delegate's margin on either side of a text.
    const int margin = list_.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list_) + 1;
    return std::max(widest + 2 * margin, list_.header()->sectionSizeHint(c));
}

void NameColumns::fit() {
    const int columns = list_.columnCount();
    // A single column (the probe list's "没有数据显示") fills the list anyway.
    if (columns <= nameColumn_ + 1 || fitting_) return;
    fitting_ = true;
    int room = list_.viewport()->width();
    for (int c = 0; c < nameColumn_; ++c) {
        const int width = need(c);
        list_.setColumnWidth(c, width);
        room -= width;
    }
    list_.setColumnWidth(nameColumn_, nameColumnWidth(std::max(room, 0), need(nameColumn_), need(columns - 1)));
    // The value column stretches over the rest, but never below the width it
    // was last given: given its need, it ends at the list's edge instead of
    // running past it at the width the list was filled with.
    list_.setColumnWidth(columns - 1, need(columns - 1));
    fitting_ = false;
}

int NameColumns::wholeWidth() const {
    int width = 2 * list_.frameWidth() + list_.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list_);
    for (int c = 0; c < list_.columnCount(); ++c) width += need(c);
    return width;
}

int NameColumns::valuesWholeWidth() const {
    const int last = list_.columnCount() - 1;
    if (last <= nameColumn_) return wholeWidth();
    int width = 2 * list_.frameWidth() + list_.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list_);
    for (int c = 0; c < nameColumn_; ++c) width += need(c);
    // The names never get less than half of their and the values' room (nameColumnWidth).
    const int values = need(last);
    return width + values + std::min(need(nameColumn_), values + 1);
}

bool NameColumns::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == list_.viewport()) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (resize->size().width() != resize->oldSize().width()) fit();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace circuit::widgets
