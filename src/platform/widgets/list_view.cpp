#include "platform/widgets/list_view.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace platform {

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setColumnCount(0);
    // The columns' widths are the list's own business (applyColumnWidths).
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(model(), &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
        if (!from.parent().isValid()) measureRows(from.row(), to.row(), from.column(), to.column());
    });
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent, int first, int last) {
        if (!parent.isValid()) measureRows(first, last, 0, columnCount() - 1);
    });
}

void ListView::addColumn(const QString& key, const QString& header, Qt::Alignment alignment) {
    columnKeys_.push_back(key);
    alignments_.push_back(alignment);
    const int n = static_cast<int>(columnKeys_.size());
    setColumnCount(n);
    QTreeWidgetItem* h = headerItem();
    h->setText(n - 1, header);
    h->setTextAlignment(n - 1, alignment | Qt::AlignVCenter);
    fits_.push_back(ColumnFit{});
    measureAll();
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
    measureAll();
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
    // The marked cells have shrunk too, if the size has.
    measureAll();
}

// ---- column widths ----

void ListView::setColumnFit(int column, const QString& sample, int share) {
    if (column < 0 || column >= fits_.size()) return;
    fits_[column].sample = sample;
    fits_[column].share = std::max(0, share);
    measureAll();
}

int ListView::contentWidth(int column) const {
    return column >= 0 && column < fits_.size() ? fits_[column].content : 0;
}

int ListView::preferredWidth() const {
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (const ColumnFit& f : fits_) width += f.content;
    return width;
}

int ListView::cellWidth(const QTreeWidgetItem* item, int column) const {
    const QString text = item->text(column);
    if (text.isEmpty()) return 0;
    const QVariant own = item->data(column, Qt::FontRole);
    const QFontMetrics metrics(own.isValid() ? own.value<QFont>() : font());
    // The item's text margins on either side, and a pixel for rounding.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    return metrics.horizontalAdvance(text) + margin;
}

int ListView::sampleWidth(int column) const {
    const ColumnFit& f = fits_[column];
    int width = header()->sectionSizeHint(column);
    if (!f.sample.isEmpty()) {
        QTreeWidgetItem probe;
        probe.setText(column, f.sample);
        width = std::max(width, cellWidth(&probe, column));
    }
    return width;
}

void ListView::measureAll() {
    for (int c = 0; c < fits_.size(); ++c) {
        int width = sampleWidth(c);
        for (int r = 0; r < topLevelItemCount(); ++r) width = std::max(width, cellWidth(topLevelItem(r), c));
        fits_[c].content = width;
    }
    applyColumnWidths();
}

void ListView::measureRows(int first, int last, int fromColumn, int toColumn) {
    bool grown = false;
    for (int c = std::max(0, fromColumn); c <= toColumn && c < fits_.size(); ++c) {
        for (int r = first; r <= last; ++r) {
            const QTreeWidgetItem* item = topLevelItem(r);
            const int width = item ? cellWidth(item, c) : 0;
            if (width > fits_[c].content) {
                fits_[c].content = width;
                grown = true;
            }
        }
    }
    if (grown) applyColumnWidths();
}

void ListView::applyColumnWidths() {
    if (applying_ || fits_.isEmpty()) return;
    applying_ = true;
    int needed = 0, shares = 0, lastSharing = static_cast<int>(fits_.size()) - 1;
    for (int c = 0; c < fits_.size(); ++c) {
        needed += fits_[c].content;
        shares += fits_[c].share;
        if (fits_[c].share > 0) lastSharing = c;
    }
    const int extra = std::max(0, viewport()->width() - needed);
    int given = 0;
    for (int c = 0; c < fits_.size(); ++c) {
        int add = 0;
        if (c == lastSharing) add = extra - given;
        else if (shares > 0) add = extra * fits_[c].share / shares;
        given += add;
        header()->resizeSection(c, fits_[c].content + add);
    }
    applying_ = false;
}

void ListView::changeEvent(QEvent* event) {
    QTreeWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) measureAll();
}

bool ListView::viewportEvent(QEvent* event) {
    const bool handled = QTreeWidget::viewportEvent(event);
    if (event->type() == QEvent::Resize) applyColumnWidths();
    return handled;
}

}  // namespace platform
