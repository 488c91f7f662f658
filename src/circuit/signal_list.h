#pragma once
// What the signal list shows: one row per net of a circuit (its global number,
// its name, its level) and which rows are marked, as the list keeps them
// between refreshes. The list widget mirrors it.
//
// A row is marked from the refresh at which its level changed until the first
// later refresh at which it did not; the marks live in the simulator's
// SignalChangedFlags, which the IC tree reads to mark the pins on those nets.

#include <QString>

#include <cstdint>
#include <vector>

#include "circuit/text_order.h"

namespace sim {
class Simulator;
}

namespace circuit {

class SignalList {
public:
    struct Row {
        int32_t net = 0;
        QString number;  // the row text
        QString name;
        int32_t value = 0;  // the level shown
    };

    explicit SignalList(sim::Simulator& simulator) : simulator_(simulator) {}

    // One row per net firstNet..lastNet, with the level each has now, unmarked.
    void fill(int32_t firstNet, int32_t lastNet);

    int32_t rowCount() const { return static_cast<int32_t>(rows_.size()); }
    const Row& row(int32_t k) const { return rows_[static_cast<std::size_t>(k)]; }
    QString text(int32_t k, int32_t column) const;  // 0 number, 1 name, 2 value
    bool marked(int32_t k) const;
    // The row of a global net number; -1 when the net is not one of the list's.
    int32_t rowOfNet(int32_t net) const;

    // Brings every row to the simulator's levels and moves the marks on.
    // Returns the rows whose value or mark changed.
    const std::vector<int32_t>& refresh();

    // Sorting by the texts of one column: SortKey 0 the numbers, 1 the names,
    // 2 the values.
    int32_t SortKey = 0;
    int32_t SortOrder = kAscending;
    // A click on header `columnIndex` (1 for "NO."): sort by that column and
    // turn the order (ascending becomes descending, anything else ascending).
    void ColumnClick(int32_t columnIndex);
    // The rows in the order the list shows them.
    std::vector<int32_t> sortedRows() const;

    static QString rowKey(int32_t k) { return QStringLiteral("SignalName_%1").arg(k); }
    static QString valueKey(int32_t k) { return QStringLiteral("SignalValue_%1").arg(k); }

private:
    sim::Simulator& simulator_;
    int32_t firstNet_ = 0;
    std::vector<Row> rows_;
    std::vector<int32_t> changed_;
};

}  // namespace circuit
