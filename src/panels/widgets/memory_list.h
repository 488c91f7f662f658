#pragma once
// ListView1 of the memory panels: one row per address, built on demand from
// the chip's cells, so a 4096-row list opens at once and a redraw of every
// cell is one change notice. A second click on a selected row opens the
// in-place editor Text23 over its data cell; the written-flag column has none.

#include <QAbstractTableModel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>

namespace panels {

class MemoryPanel;

class MemoryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { AddressColumn = 0, DataColumn = 1, WrittenColumn = 2 };

    explicit MemoryListModel(MemoryPanel& panel, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit of a data cell: the row is the address.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Every data (and written-flag) cell is to be drawn anew.
    void refreshCells();

private:
    MemoryPanel& panel_;
};

// The editor: digits, A to F, H (either case), Backspace, Enter and Esc are
// typed; every other character is dropped.
class CellEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit CellEditor(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class CellEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

class MemoryListView : public QTableView {
    Q_OBJECT
public:
    explicit MemoryListView(QWidget* parent = nullptr);

protected:
    // A click anywhere on a selected row's address or data opens the data cell's editor.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
};

}  // namespace panels
