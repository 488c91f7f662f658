#include "circuit/probe_list.h"

#include "circuit/register_texts.h"

namespace circuit {

void ProbeList::fill(const schematic::CircuitSetup& setup) {
    buses_ = setup.OutBuses;
    icOuts_ = setup.IcOuts;
    rows_.clear();
    changed_.clear();
    for (std::size_t i = 0; i < buses_.size(); ++i)
        rows_.push_back(Row{QStringLiteral("OutSignal_%1").arg(i), QString::fromStdString(buses_[i].Name), {}, false});
    for (std::size_t i = 0; i < icOuts_.size(); ++i)
        rows_.push_back(Row{QStringLiteral("IcOut_%1").arg(i), QString::fromStdString(icOuts_[i].Name), {}, false});
}

QStringList ProbeList::columns() const {
    if (rows_.empty()) return {QStringLiteral("没有数据显示")};
    return {QStringLiteral("名称"), QStringLiteral("值")};
}

int32_t ProbeList::rowOf(const QString& title) const {
    for (int32_t i = 0; i < rowCount(); ++i)
        if (row(i).title == title) return i;
    return -1;
}

QString ProbeList::valueOf(int32_t i) const {
    const auto buses = static_cast<int32_t>(buses_.size());
    return i < buses ? outBusText(buses_[static_cast<std::size_t>(i)], simulator_)
                     : icOutText(icOuts_[static_cast<std::size_t>(i - buses)], simulator_);
}

const std::vector<int32_t>& ProbeList::refresh() {
    changed_.clear();
    for (int32_t i = 0; i < rowCount(); ++i) {
        Row& r = rows_[static_cast<std::size_t>(i)];
        QString value = valueOf(i);
        const bool differs = value != r.value;
        if (differs) r.value = std::move(value);
        if (differs || r.marked) changed_.push_back(i);
        r.marked = differs;
    }
    return changed_;
}

}  // namespace circuit
