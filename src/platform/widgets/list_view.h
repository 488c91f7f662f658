#pragma once
// A report-style list whose columns, rows and cells are found by text keys,
// as the program addresses them ("RegisterValue", "Address17", "Address17Value17").
//
// Its columns are as wide as their texts need at the list's font: the header,
// the widest cell so far and a sample of the widest text the column will show.
// Width the list has beyond that goes to the columns by their shares; a list
// narrower than its texts scrolls sideways. The widths follow a change of
// font, of the list's width and of any cell that outgrows its column.

#include <QHash>
#include <QString>
#include <QTreeWidget>

#include <utility>

namespace platform {

class ListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);

    // Appends a column; its alignment applies to every cell of the column.
    void addColumn(const QString& key, const QString& header, Qt::Alignment alignment = Qt::AlignLeft);
    int columnOf(const QString& key) const;  // -1 when unknown

    // Appends a row showing `text` in the first column; a key already in use is refused (nullptr).
    QTreeWidgetItem* addRow(const QString& key, const QString& text);
    // Appends the next cell of row `rowKey` (column 1, 2, ...); false when the row is unknown.
    bool addCell(const QString& rowKey, const QString& cellKey, const QString& text);

    QTreeWidgetItem* row(const QString& key) const;
    QString rowKey(int index) const;
    int rowCount() const { return topLevelItemCount(); }

    // Cell text by cell key; false / empty when the key is unknown.
    bool setCellText(const QString& cellKey, const QString& text);
    QString cellText(const QString& cellKey) const;
    // Any cell by row key and column (0 = the row's own text).
    bool setText(const QString& rowKey, int column, const QString& text);
    QString text(const QString& rowKey, int column) const;

    // Removes every row (the columns stay).
    void clearRows();

    // The list's text size, also for cells with a font of their own.
    void setFontSize(double pointSize);

    // The widest text `column` will show, and its share of the width left
    // over (every column's share is 1 until set; 0 takes none).
    void setColumnFit(int column, const QString& sample, int share);
    // The width `column`'s texts need.
    int contentWidth(int column) const;
    // The list's width when every column shows its texts in full, its frame
    // and its vertical scroll bar included.
    int preferredWidth() const;

protected:
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct ColumnFit {
        QString sample;
        int share = 1;
        int content = 0;
    };
    int cellWidth(const QTreeWidgetItem* item, int column) const;
    int sampleWidth(int column) const;
    // Measures every column again (a new font), or grows the columns of the
    // rows `first` to `last` that have outgrown them.
    void measureAll();
    void measureRows(int first, int last, int fromColumn, int toColumn);
    void applyColumnWidths();

    QHash<QString, QTreeWidgetItem*> rows_;
    QHash<QString, std::pair<QTreeWidgetItem*, int>> cells_;
    QHash<QTreeWidgetItem*, int> nextCell_;
    QStringList columnKeys_;
    QList<Qt::Alignment> alignments_;
    QList<ColumnFit> fits_;
    bool applying_ = false;
};

}  // namespace platform
