#pragma once
// The list and tree controls of a circuit window's side panel. The signal list
// and the IC tree mirror the circuit layer's SignalList and IcTree: they show
// what the models hold and rewrite only the rows the models report changed.
// Marked rows are bold and red on every column.

#include <QTreeWidget>

#include <cstdint>
#include <vector>

namespace circuit {
class IcTree;
class SignalList;
}

namespace circuit::widgets {

// Marks (bold red) or unmarks (plain black) every column of an item.
void setMarked(QTreeWidgetItem* item, bool marked);
bool isMarked(const QTreeWidgetItem* item);

// While `view` is disabled its rows show in the disabled text colour,
// whatever colour a mark or an unmark gave them.
void keepDisabledLook(QAbstractItemView* view);

// A row of the probe list, the signal list or the register tree. Its tool
// tip is its full name and value, read from its texts when asked, so it
// never lags behind a refresh:
// - a probe row ("名称", "值"): "数据总线DB: 5A";
// - a signal row ("NO.", "名称", "值"): "CS_ROM: 1";
// - a register row: its IC's text and its own, "015 : U16 : 2732  0H: 00 01 04 00 00 00 00 00";
//   an IC node its own text.
class StateRowItem : public QTreeWidgetItem {
public:
    enum Kind { ProbeRow = QTreeWidgetItem::UserType + 1, SignalRow, RegisterRow };
    StateRowItem(Kind kind, const QStringList& texts) : QTreeWidgetItem(texts, kind) {}
    StateRowItem(Kind kind, QTreeWidgetItem* parent, const QStringList& texts) : QTreeWidgetItem(parent, texts, kind) {}

    QString toolTip() const;
    QVariant data(int column, int role) const override;
};

// A tree that reports every mouse press, the right button's included, and
// then the node under the pointer when there is one. A press on empty space
// reports no node.
class StateTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit StateTree(QWidget* parent = nullptr);

signals:
    void mouseDown(Qt::MouseButton button);
    void nodePressed(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// One step of the rotation on every top-level text, then the top level sorted
// by text; the children keep their order.
void rotateTopLevelTexts(QTreeWidget* tree);
// Re-inserts the top-level items in `order` (indexes into `items`), keeping
// which of them are expanded, the current item and the children as they are.
void reorderTopLevel(QTreeWidget* tree, const std::vector<QTreeWidgetItem*>& items, const std::vector<int32_t>& order);

// The signal list `ListView1`: "NO.", "名称", "值".
class SignalListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit SignalListView(QWidget* parent = nullptr);

    // Columns (the widths in twips turned into pixels) and one row per model row.
    void fill(const circuit::SignalList& model);
    // Rewrites texts and marks of the given rows.
    void mirror(const circuit::SignalList& model, const std::vector<int32_t>& rows);
    // Shows the rows in the model's sort order.
    void showOrder(const circuit::SignalList& model);

    QTreeWidgetItem* rowItem(int32_t k) const;
    // "SignalName_k" of a row's item; empty for anything else.
    static QString keyOf(const QTreeWidgetItem* item);
    // Selects row k and scrolls it into view; nothing for a row the list does not have.
    void selectRow(int32_t k);

signals:
    // A click on a column header, counted from 1.
    void columnClicked(int columnIndex);

private:
    std::vector<QTreeWidgetItem*> rows_;
};

// The IC tree `TreeView1`.
class IcTreeView : public StateTree {
    Q_OBJECT
public:
    explicit IcTreeView(QWidget* parent = nullptr);

    void fill(const circuit::IcTree& model);
    // Rewrites texts and marks of the given ICs and their pins.
    void mirror(const circuit::IcTree& model, const std::vector<int32_t>& ics);
    // The IC texts as the model holds them (after a rotation), and its order.
    void mirrorLabels(const circuit::IcTree& model);
    void showOrder(const circuit::IcTree& model);

    QTreeWidgetItem* icItem(int32_t k) const;
    QTreeWidgetItem* pinItem(int32_t k, int32_t j) const;
    // The IC (relative number) and pin of an item; pin -1 for an IC node, IC -1 for a stranger.
    static int32_t icOf(const QTreeWidgetItem* item);
    static int32_t pinOf(const QTreeWidgetItem* item);

private:
    std::vector<QTreeWidgetItem*> ics_;
    std::vector<std::vector<QTreeWidgetItem*>> pins_;
};

}  // namespace circuit::widgets
