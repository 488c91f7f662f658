#include "circuit/ic_tree.h"

#include <numeric>

#include "circuit/table_names.h"
#include "circuit/text_order.h"
#include "sim/simulator.h"

namespace circuit {

QString icLabel(int32_t number, const QString& designator, const QString& typeName) {
    const QString digits = number < 0 ? QString::number(number) : QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
    return digits + QStringLiteral(" : ") + designator + QStringLiteral(" : ") + typeName;
}

QString icLabel(const sim::Simulator& simulator, int32_t ic) {
    const sim::IcRecord& rec = simulator.IcTable[static_cast<std::size_t>(ic)];
    return icLabel(ic, icDesignator(simulator, rec.Number), icTypeText(rec.Type));
}

QString rotateLabel(const QString& text) {
    const qsizetype p = text.indexOf(QLatin1Char(' '));
    if (p < 0) return text;
    return text.mid(p + 3, 100) + QStringLiteral(" : ") + text.left(p);
}

namespace {

QString pinText(const char* group, int32_t index, const sim::NetRecord& net) {
    return QStringLiteral("%1 %2: %3: %4: %5")
        .arg(QLatin1String(group))
        .arg(index)
        .arg(net.Number)
        .arg(QString::fromStdString(net.Name))
        .arg(net.Value);
}

}  // namespace

void IcTree::fill(int32_t firstIc, int32_t lastIc) {
    ics_.clear();
    changed_.clear();
    sorted = false;
    for (int32_t g = firstIc; g <= lastIc; ++g) {
        if (!sim::Simulator::isIc(g)) continue;
        const sim::IcRecord& rec = simulator_.IcTable[static_cast<std::size_t>(g)];
        Ic ic;
        ic.number = g;
        ic.text = icLabel(simulator_, g);
        auto addPins = [&](const char* group, int32_t count, const auto& nets) {
            const int32_t n = std::min<int32_t>(count, static_cast<int32_t>(nets.size()));
            for (int32_t j = 0; j < n; ++j) {
                const int32_t net = nets[static_cast<std::size_t>(j)];
                if (!sim::Simulator::isNet(net)) continue;
                ic.pins.push_back(Pin{net, pinText(group, j, simulator_.NetTable[static_cast<std::size_t>(net)])});
            }
        };
        addPins("In", rec.InputCount, rec.InputNets);
        addPins("Out", rec.OutputCount, rec.OutputNets);
        addPins("IO", rec.BidirCount, rec.BidirNets);
        ics_.push_back(std::move(ic));
    }
}

const std::vector<int32_t>& IcTree::refresh() {
    changed_.clear();
    const std::vector<int32_t>& flags = simulator_.SignalChangedFlags;
    for (int32_t k = 0; k < icCount(); ++k) {
        Ic& ic = ics_[static_cast<std::size_t>(k)];
        bool anyMarked = false;
        bool changed = false;
        for (Pin& pin : ic.pins) {
            if (flags[static_cast<std::size_t>(pin.net)] == 1) {
                // The level is the text's last character: levels are one digit.
                QString text = pin.text;
                text.chop(1);
                text += QString::number(simulator_.NetTable[static_cast<std::size_t>(pin.net)].Value);
                if (!pin.marked || text != pin.text) changed = true;
                pin.text = std::move(text);
                pin.marked = true;
                anyMarked = true;
            } else if (pin.marked) {
                pin.marked = false;
                changed = true;
            }
        }
        if (ic.marked != anyMarked) {
            ic.marked = anyMarked;
            changed = true;
        }
        if (changed) changed_.push_back(k);
    }
    return changed_;
}

void IcTree::rotate() {
    for (Ic& ic : ics_) ic.text = rotateLabel(ic.text);
    sorted = true;
}

std::vector<int32_t> IcTree::shownOrder() const {
    if (!sorted) {
        std::vector<int32_t> order(ics_.size());
        std::iota(order.begin(), order.end(), 0);
        return order;
    }
    return textOrder(icCount(), [&](int32_t k) { return ic(k).text; });
}

}  // namespace circuit
