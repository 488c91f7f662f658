#pragma once
// What the probe list shows: a row per output bus ("OutSignal_i") and then a
// row per IC output ("IcOut_i") of the circuit's setup, each with its title
// and value text, and which rows are marked. A mark lasts exactly one
// refresh: a row is marked when the refresh rewrote its value. A circuit with
// neither shows the one column "没有数据显示" and no rows.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

#include "schematic/circuit_setup.h"

namespace sim {
class Simulator;
}

namespace circuit {

class ProbeList {
public:
    struct Row {
        QString key;
        QString title;
        QString value;  // empty until the first refresh
        bool marked = false;
    };

    explicit ProbeList(const sim::Simulator& simulator) : simulator_(simulator) {}

    void fill(const schematic::CircuitSetup& setup);

    // The column headers: "名称" and "值", or "没有数据显示" alone.
    QStringList columns() const;
    int32_t rowCount() const { return static_cast<int32_t>(rows_.size()); }
    const Row& row(int32_t i) const { return rows_[static_cast<std::size_t>(i)]; }
    // The row with that title, -1 when none.
    int32_t rowOf(const QString& title) const;

    // Brings every value up to date and moves the marks on; returns the rows
    // whose value or mark changed.
    const std::vector<int32_t>& refresh();

private:
    QString valueOf(int32_t i) const;

    const sim::Simulator& simulator_;
    std::vector<schematic::OutBusEntry> buses_;
    std::vector<schematic::IcOutEntry> icOuts_;
    std::vector<Row> rows_;
    std::vector<int32_t> changed_;
};

}  // namespace circuit
