#include "circuit/register_tree.h"

#include "circuit/ic_tree.h"
#include "circuit/register_texts.h"
#include "sim/simulator.h"

namespace circuit {

using sim::IcType;

namespace {

constexpr int32_t kRowCells = 8;

int32_t at(const std::vector<int32_t>& cells, int32_t i) {
    return i >= 0 && static_cast<std::size_t>(i) < cells.size() ? cells[static_cast<std::size_t>(i)] : 0;
}

}  // namespace

bool RegisterTree::hasStorage(int32_t type) {
    switch (static_cast<IcType>(type)) {
        case IcType::Usart8251:
        case IcType::Eprom2732:
        case IcType::Ram6116:
        case IcType::Am2901:
        case IcType::Am2910:
        case IcType::Gal20V8_2:
        case IcType::Ls273:
        case IcType::Ls374:
        case IcType::Ls377: return true;
        default: return false;
    }
}

int32_t RegisterTree::value(const sim::IcRecord& ic, const Row& row, int32_t cell) const {
    switch (row.field) {
        case Field::Command: return ic.Command;
        case Field::Status: return ic.Status;
        case Field::RxData: return ic.RxData;
        case Field::TxData: return ic.TxData;
        case Field::Memory: return at(ic.Memory, row.index + cell);
        case Field::Register: return ic.Registers[static_cast<std::size_t>(row.index)];
        case Field::QReg: return ic.QReg;
        case Field::ALatch: return ic.ALatch;
        case Field::BLatch: return ic.BLatch;
        case Field::Stack: return ic.Stack[static_cast<std::size_t>(row.index)];
        case Field::MicroPC: return ic.MicroPC;
        case Field::StackPointer: return ic.StackPointer;
        case Field::Counter: return ic.Counter;
        case Field::Wait: return ic.Wait;
        case Field::Q: return ic.Q;
    }
    return 0;
}

void RegisterTree::fill(int32_t firstIc, int32_t lastIc) {
    nodes_.clear();
    nodeOfIc_.clear();
    changed_.clear();
    for (int32_t g = firstIc; g <= lastIc; ++g) {
        nodeOfIc_.push_back(-1);
        if (!sim::Simulator::isIc(g)) continue;
        const sim::IcRecord& ic = simulator_.IcTable[static_cast<std::size_t>(g)];
        if (!hasStorage(ic.Type)) continue;
        Node node;
        node.k = g - firstIc;
        node.number = g;
        node.text = icLabel(simulator_, g);
        auto reg = [&](const QString& name, Field field, int32_t index = 0) {
            Row row{field, index, {}, false};
            row.text = name + QStringLiteral(": ") +
                       (field == Field::Wait ? QString::number(value(ic, row)) : hexText(value(ic, row)));
            node.rows.push_back(std::move(row));
        };
        switch (static_cast<IcType>(ic.Type)) {
            case IcType::Usart8251:
                reg(QStringLiteral("Reg_Control"), Field::Command);
                reg(QStringLiteral("Reg_State"), Field::Status);
                reg(QStringLiteral("Reg_In"), Field::RxData);
                reg(QStringLiteral("Reg_Out"), Field::TxData);
                break;
            case IcType::Eprom2732:
            case IcType::Ram6116:
                for (int32_t a = 0; a < sim::memoryCells(ic.Type); a += kRowCells) {
                    Row row{Field::Memory, a, hexText(a) + QStringLiteral("H: "), false};
                    for (int32_t c = 0; c < kRowCells; ++c) row.text += QLatin1Char(' ') + hexText(value(ic, row, c));
                    node.rows.push_back(std::move(row));
                }
                break;
            case IcType::Am2901:
                for (int32_t j = 0; j < sim::kAm2901Registers; ++j)
                    reg(QStringLiteral("Reg_U%1").arg(j), Field::Register, j);
                reg(QStringLiteral("Reg_Q"), Field::QReg);
                reg(QStringLiteral("Reg_AOut"), Field::ALatch);
                reg(QStringLiteral("Reg_BOut"), Field::BLatch);
                break;
            case IcType::Am2910:
                for (int32_t j = 0; j < 4; ++j) reg(QStringLiteral("Reg_F%1").arg(j), Field::Stack, j);
                reg(QStringLiteral("Reg_uPC"), Field::MicroPC);
                reg(QStringLiteral("Reg_uSP"), Field::StackPointer);
                reg(QStringLiteral("Reg_RC"), Field::Counter);
                break;
            case IcType::Gal20V8_2: reg(QStringLiteral("Reg_WAIT"), Field::Wait); break;
            default: reg(QStringLiteral("Reg_Q"), Field::Q); break;
        }
        nodeOfIc_.back() = nodeCount();
        nodes_.push_back(std::move(node));
    }
}

int32_t RegisterTree::nodeOf(int32_t k) const {
    return k >= 0 && static_cast<std::size_t>(k) < nodeOfIc_.size() ? nodeOfIc_[static_cast<std::size_t>(k)] : -1;
}

QString RegisterTree::refreshedText(const sim::IcRecord& ic, const Row& row) const {
    if (row.field == Field::Memory) {
        // The address and its colon stay; the cells follow in two digits.
        QString text = row.text.left(row.text.indexOf(QLatin1Char(' ')) + 1);
        for (int32_t c = 0; c < kRowCells; ++c) text += QLatin1Char(' ') + twoDigits(value(ic, row, c));
        return text;
    }
    const int32_t v = value(ic, row);
    return row.text.left(row.text.lastIndexOf(QLatin1Char(' ')) + 1) +
           (row.field == Field::Wait ? QString::number(v) : hexText(v));
}

const std::vector<std::pair<int32_t, int32_t>>& RegisterTree::refresh() {
    changed_.clear();
    for (int32_t i = 0; i < nodeCount(); ++i) {
        Node& node = nodes_[static_cast<std::size_t>(i)];
        const sim::IcRecord& ic = simulator_.IcTable[static_cast<std::size_t>(node.number)];
        bool rowChanged = false;
        for (std::size_t r = 0; r < node.rows.size(); ++r) {
            Row& row = node.rows[r];
            QString text = refreshedText(ic, row);
            const bool differs = text != row.text;
            if (differs) {
                row.text = std::move(text);
                rowChanged = true;
            }
            if (differs || row.marked) changed_.emplace_back(i, static_cast<int32_t>(r));
            row.marked = differs;
        }
        if (node.marked != rowChanged) changed_.emplace_back(i, -1);
        node.marked = rowChanged;
    }
    return changed_;
}

}  // namespace circuit
