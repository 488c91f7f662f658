#include "panels/widgets/memory_list.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "panels/byte_texts.h"
#include "panels/memory_panel.h"

namespace panels {

// ---- model ----

MemoryListModel::MemoryListModel(MemoryPanel& panel, QObject* parent) : QAbstractTableModel(parent), panel_(panel) {}

int MemoryListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : panel_.cellCount(); }

int MemoryListModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return panel_.hasWrittenColumn() ? 3 : 2;
}

QVariant MemoryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= panel_.cellCount()) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (index.column()) {
    case AddressColumn: return QString::fromStdString(rowText(index.row()));
    case DataColumn: return QString::fromStdString(panel_.cellText(index.row()));
    case WrittenColumn: return QString::fromStdString(panel_.writtenText(index.row()));
    default: return {};
    }
}

QVariant MemoryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case AddressColumn: return QStringLiteral("地址");
    case DataColumn: return QStringLiteral("数据");
    case WrittenColumn: return QStringLiteral("是否已写");
    default: return {};
    }
}

Qt::ItemFlags MemoryListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == DataColumn) f |= Qt::ItemIsEditable;
    return f;
}

bool MemoryListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != DataColumn) return false;
    panel_.commitCellEdit(index.row(), value.toString().toStdU32String());
    return true;
}

void MemoryListModel::refreshCells() {
    if (rowCount() == 0) return;
    emit dataChanged(index(0, DataColumn), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

// ---- editor ----

CellEditor::CellEditor(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("Text23"));
    setAlignment(Qt::AlignCenter);
    setFrame(true);
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (!text.isEmpty()) {
        const QChar c = text.front();
        const bool passes = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
                            (c >= QLatin1Char('a') && c <= QLatin1Char('f')) || c == QLatin1Char('H') ||
                            c == QLatin1Char('h') || c == QChar(8) || c == QChar(13) || c == QChar(27);
        if (!passes) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

QWidget* CellEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    return new CellEditor(parent);
}

void CellEditorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    line->setText(index.data(Qt::EditRole).toString());
    line->selectAll();
}

void CellEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

// ---- view ----

MemoryListView::MemoryListView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("ListView1"));
    setItemDelegate(new CellEditorDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    // Every row has the same height, so the view never measures 4096 of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(true);
    // The stretched last column may shrink to what its heading needs.
    horizontalHeader()->setDefaultSectionSize(60);
}

bool MemoryListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (index.isValid() && index.column() == MemoryListModel::AddressColumn) {
        return QTableView::edit(index.sibling(index.row(), MemoryListModel::DataColumn), trigger, event);
    }
    return QTableView::edit(index, trigger, event);
}

}  // namespace panels
