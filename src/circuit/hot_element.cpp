#include "circuit/hot_element.h"

#include "circuit/register_texts.h"
#include "circuit/table_names.h"
#include "sim/simulator.h"

namespace circuit {

using sim::IcType;

HotElement decodeHotElement(int32_t value) {
    if (value == -1) return {};
    const auto bits = static_cast<uint32_t>(value);
    const auto number = static_cast<int32_t>(bits & 0x8000FFFFu);
    return HotElement{(bits & 0x800F0000u) != 0 ? HotElement::Kind::Ic : HotElement::Kind::Signal, number};
}

QString registerPart(const sim::IcRecord& ic) {
    switch (static_cast<IcType>(ic.Type)) {
        case IcType::Usart8251:
            return QStringLiteral(" :Reg_(Control=%1,State=%2,In=%3,Out=%4)")
                .arg(hexText(ic.Command), hexText(ic.Status), hexText(ic.RxData), hexText(ic.TxData));
        case IcType::Am2901: {
            QString part = QStringLiteral(" :Reg_(");
            for (int j = 0; j < sim::kAm2901Registers; ++j)
                part += QStringLiteral("U%1=%2,").arg(j).arg(hexText(ic.Registers[static_cast<std::size_t>(j)]));
            return part + QStringLiteral("Q=%1,AOut=%2,BOut=%3)").arg(hexText(ic.QReg), hexText(ic.ALatch), hexText(ic.BLatch));
        }
        case IcType::Am2910: {
            QString part = QStringLiteral(" :Reg_(");
            for (int j = 0; j < 4; ++j) part += QStringLiteral("F%1=%2,").arg(j).arg(hexText(ic.Stack[static_cast<std::size_t>(j)]));
            return part + QStringLiteral("uPC=%1,uSP=%2,RC=%3)")
                              .arg(hexText(ic.MicroPC), hexText(ic.StackPointer), hexText(ic.Counter));
        }
        case IcType::Gal20V8_2: return QStringLiteral(" :Reg_(WAIT=%1)").arg(ic.Wait);
        case IcType::Ls273:
        case IcType::Ls374:
        case IcType::Ls377: return QStringLiteral(" :Reg_(Q=%1)").arg(hexText(ic.Q));
        default: return QString();
    }
}

QString hotElementText(const sim::Simulator& s, int32_t value, bool showValues) {
    const HotElement e = decodeHotElement(value);
    if (e.kind == HotElement::Kind::Signal && sim::Simulator::isNet(e.number)) {
        const sim::NetRecord& net = s.NetTable[static_cast<std::size_t>(e.number)];
        QString text = QStringLiteral("Signal :%1 :%2").arg(net.Number).arg(QString::fromStdString(net.Name));
        if (showValues) text += QStringLiteral(" :%1").arg(net.Value);
        return text;
    }
    if (e.kind == HotElement::Kind::Ic && sim::Simulator::isIc(e.number)) {
        const sim::IcRecord& ic = s.IcTable[static_cast<std::size_t>(e.number)];
        QString text =
            QStringLiteral("Ic :%1 :%2 :%3").arg(ic.Number).arg(icDesignator(s, ic.Number), icTypeText(ic.Type));
        if (showValues) text += registerPart(ic);
        return text;
    }
    return QString();
}

}  // namespace circuit
