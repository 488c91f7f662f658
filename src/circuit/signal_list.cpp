#include "circuit/signal_list.h"

#include "sim/simulator.h"

namespace circuit {

void SignalList::fill(int32_t firstNet, int32_t lastNet) {
    firstNet_ = firstNet;
    rows_.clear();
    changed_.clear();
    for (int32_t n = firstNet; n <= lastNet; ++n) {
        if (!sim::Simulator::isNet(n)) continue;
        const sim::NetRecord& net = simulator_.NetTable[static_cast<std::size_t>(n)];
        rows_.push_back(Row{n, QString::number(n), QString::fromStdString(net.Name), net.Value});
    }
}

QString SignalList::text(int32_t k, int32_t column) const {
    const Row& r = row(k);
    switch (column) {
        case 0: return r.number;
        case 1: return r.name;
        default: return QString::number(r.value);
    }
}

bool SignalList::marked(int32_t k) const {
    return simulator_.SignalChangedFlags[static_cast<std::size_t>(row(k).net)] == 1;
}

int32_t SignalList::rowOfNet(int32_t net) const {
    const int32_t k = net - firstNet_;
    return k >= 0 && k < rowCount() ? k : -1;
}

const std::vector<int32_t>& SignalList::refresh() {
    changed_.clear();
    std::vector<int32_t>& flags = simulator_.SignalChangedFlags;
    for (int32_t k = 0; k < rowCount(); ++k) {
        Row& r = rows_[static_cast<std::size_t>(k)];
        const int32_t value = simulator_.NetTable[static_cast<std::size_t>(r.net)].Value;
        int32_t& flag = flags[static_cast<std::size_t>(r.net)];
        if (r.value != value) {
            r.value = value;
            flag = 1;
            changed_.push_back(k);
        } else if (flag == 1) {
            flag = 0;
            changed_.push_back(k);
        }
    }
    return changed_;
}

void SignalList::ColumnClick(int32_t columnIndex) {
    SortKey = columnIndex - 1;
    SortOrder = SortOrder == kAscending ? kDescending : kAscending;
}

std::vector<int32_t> SignalList::sortedRows() const {
    const int32_t column = SortKey >= 0 && SortKey <= 2 ? SortKey : 0;
    return textOrder(rowCount(), [&](int32_t k) { return text(k, column); }, SortOrder);
}

}  // namespace circuit
