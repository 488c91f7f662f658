#include "platform/widgets/list_view.h"

#include <QHeaderView>

namespace platform {

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setColumnCount(0);
    // The last column takes whatever width the others leave, so it is never cut short.
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
}

void ListView::addColumn(const QString& key, const QString& header, Qt::Alignment alignment) {
    columnKeys_.push_back(key);
    alignments_.push_back(alignment);
    const int n = static_cast<int>(columnKeys_.size());
    setColumnCount(n);
    QTreeWidgetItem* h = headerItem();
    h->setText(n - 1, header);
    h->setTextAlignment(n - 1, alignment | Qt::AlignVCenter);
}

int ListView::columnOf(const QString& key) const { return static_cast<int>(columnKeys_.indexOf(key)); }

QTreeWidgetItem* ListView::addRow(const QString& key, const QString& text) {
    if (rows_.contains(key)) return nullptr;
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, text);
    for (int c = 0; c < alignments_.size(); ++c) item->setTextAlignment(c, alignments_[c] | Qt::AlignVCenter);
    rows_.insert(key, item);
    nextCell_.insert(item, 1);
    return item;
}

bool ListView::addCell(const QString& rowKey, const QString& cellKey, const QString& text) {
    QTreeWidgetItem* item = row(rowKey);
    if (!item || cells_.contains(cellKey)) return false;
    const int column = nextCell_.value(item, 1);
    if (column >= columnCount()) return false;
    item->setText(column, text);
    cells_.insert(cellKey, {item, column});
    nextCell_[item] = column + 1;
    return true;
}

QTreeWidgetItem* ListView::row(const QString& key) const { return rows_.value(key, nullptr); }

QString ListView::rowKey(int index) const {
    QTreeWidgetItem* item = topLevelItem(index);
    return item ? rows_.key(item) : QString();
}

bool ListView::setCellText(const QString& cellKey, const QString& text) {
    auto it = cells_.constFind(cellKey);
    if (it == cells_.constEnd()) return false;
    it->first->setText(it->second, text);
    return true;
}

QString ListView::cellText(const QString& cellKey) const {
    auto it = cells_.constFind(cellKey);
    return it == cells_.constEnd() ? QString() : it->first->text(it->second);
}

bool ListView::setText(const QString& rowKey, int column, const QString& text) {
    QTreeWidgetItem* item = row(rowKey);
    if (!item || column < 0 || column >= columnCount()) return false;
    item->setText(column, text);
    return true;
}

QString ListView::text(const QString& rowKey, int column) const {
    QTreeWidgetItem* item = row(rowKey);
    return item ? item->text(column) : QString();
}

void ListView::clearRows() {
    clear();
    rows_.clear();
    cells_.clear();
    nextCell_.clear();
}

void ListView::setFontSize(double pointSize) {
    QFont f = font();
    f.setPointSizeF(pointSize);
    setFont(f);
    // Cells with a font of their own (a bold mark) keep it in the new size.
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        for (int column = 0; column < columnCount(); ++column) {
            const QVariant own = item->data(column, Qt::FontRole);
            if (!own.isValid()) continue;
            QFont cell = own.value<QFont>();
            cell.setPointSizeF(pointSize);
            item->setFont(column, cell);
        }
    }
}

}  // namespace platform
