#pragma once
// The columns of a state list fitted to what they show, so that names can be
// read: the columns before the name column (a list's "NO.") as wide as their
// widest text, the name column as wide as its longest name as far as the
// value column keeps room for its widest value, and the value column (the
// last) the rest. Texts are measured bold, as a mark shows them. The columns
// are fitted when the list is filled and whenever its width changes, so a
// list widened by dragging shows its names in full.

#include <QObject>

class QTreeWidget;

namespace circuit::widgets {

// The name column's width in `room` pixels (the list's width less the
// columns before the name): what the names need when the values' need
// still fits beside them; else what the values leave, but never less than
// half the room.
int nameColumnWidth(int room, int namesNeed, int valuesNeed);

class NameColumns : public QObject {
    Q_OBJECT
public:
    // Fits `list`'s columns from now on; the list owns it.
    NameColumns(QTreeWidget& list, int nameColumn);
    // The fitting of `list`; null while it has none.
    static NameColumns* of(const QTreeWidget& list);

    // Measures the texts again and fits the columns (after a fill).
    void fit();
    // The list's width that shows every column whole, its frame and
    // vertical scroll bar included.
    int wholeWidth() const;
    // The list's least width that still shows the values whole, the names
    // cut short as far as they must.
    int valuesWholeWidth() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What column `c`'s widest text, or its header, needs.
    int need(int c) const;

    QTreeWidget& list_;
    int nameColumn_;
    bool fitting_ = false;
};

}  // namespace circuit::widgets
