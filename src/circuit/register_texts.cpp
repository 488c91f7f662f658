#include "circuit/register_texts.h"

#include "sim/simulator.h"

namespace circuit {

using sim::IcType;

QString hexText(int64_t value) {
    if (value < 0) value = static_cast<uint32_t>(value);
    return QString::number(value, 16).toUpper();
}

QString twoDigits(int32_t value) {
    return QStringLiteral("%1").arg(static_cast<uint32_t>(value) & 0xFFu, 2, 16, QLatin1Char('0')).toUpper();
}

QString threeDigits(int32_t value) {
    return QStringLiteral("%1").arg(static_cast<uint32_t>(value) & 0xFFFu, 3, 16, QLatin1Char('0')).toUpper();
}

QString outBusText(const schematic::OutBusEntry& e, const sim::Simulator& simulator) {
    if (e.Nets.empty()) return QString();
    auto level = [&](std::size_t j) {
        const int32_t net = e.Nets[j];
        return sim::Simulator::isNet(net) ? simulator.NetTable[static_cast<std::size_t>(net)].Value : 0;
    };
    QString s;
    int64_t d = level(0);
    int32_t c = e.Count();
    for (std::size_t j = 0; j + 1 < e.Nets.size(); ++j, --c) {
        const int32_t separator = j < e.Separators.size() ? e.Separators[j] : schematic::separator::None;
        switch (separator) {
            case schematic::separator::None:
                if (c % 4 == 1) {
                    s += hexText(d);
                    d = 0;
                }
                d = 2 * d + level(j + 1);
                break;
            case schematic::separator::Comma:
                s += hexText(d) + QLatin1Char(',');
                d = level(j + 1);
                break;
            case schematic::separator::Space:
                s += hexText(d);
                d = level(j + 1);
                break;
            default:
                break;  // an unknown code takes no bit
        }
    }
    return s + hexText(d);
}

namespace {

// The number after an Am2901 register's "U", read from at most five
// characters as far as they form a decimal number; nothing there reads as 0.
int64_t registerNumber(const QString& name) {
    const QString rest = name.mid(1, 5);
    int i = 0;
    bool negative = false;
    if (i < rest.size() && (rest[i] == QLatin1Char('-') || rest[i] == QLatin1Char('+'))) negative = rest[i++] == QLatin1Char('-');
    int64_t n = 0;
    for (; i < rest.size() && rest[i].isDigit() && rest[i].unicode() < 128; ++i) n = 10 * n + (rest[i].unicode() - '0');
    return negative ? -n : n;
}

}  // namespace

std::optional<int32_t> icOutRegister(const sim::IcRecord& ic, const QString& name) {
    switch (static_cast<IcType>(ic.Type)) {
        case IcType::Usart8251:
            if (name == QLatin1String("Con")) return ic.Command;
            if (name == QLatin1String("Ste")) return ic.Status;
            if (name == QLatin1String("In")) return ic.RxData;
            if (name == QLatin1String("Out")) return ic.TxData;
            break;
        case IcType::Am2901:
            if (name.startsWith(QLatin1Char('U'))) {
                const int64_t n = registerNumber(name);
                if (n >= 0 && n < sim::kAm2901Registers) return ic.Registers[static_cast<std::size_t>(n)];
                break;
            }
            if (name == QLatin1String("Q")) return ic.QReg;
            if (name == QLatin1String("AOut")) return ic.ALatch;
            if (name == QLatin1String("BOut")) return ic.BLatch;
            break;
        case IcType::Am2910:
            if (name.size() == 2 && name[0] == QLatin1Char('F') && name[1] >= QLatin1Char('0') && name[1] <= QLatin1Char('4'))
                return ic.Stack[static_cast<std::size_t>(name[1].unicode() - '0')];
            if (name == QLatin1String("uPC")) return ic.MicroPC;
            if (name == QLatin1String("uSP")) return ic.StackPointer;
            if (name == QLatin1String("RC")) return ic.Counter;
            break;
        case IcType::Gal20V8_2:
            if (name == QLatin1String("WAIT")) return ic.Wait;
            break;
        case IcType::Ls273:
        case IcType::Ls374:
        case IcType::Ls377:
            if (name == QLatin1String("Q")) return ic.Q;
            break;
        default:
            break;
    }
    return std::nullopt;
}

QString icOutText(const schematic::IcOutEntry& e, const sim::Simulator& simulator) {
    QString s;
    for (std::size_t i = 0; i < e.Ics.size(); ++i) {
        const int32_t g = e.Ics[i];
        if (sim::Simulator::isIc(g) && i < e.RegNames.size()) {
            const sim::IcRecord& ic = simulator.IcTable[static_cast<std::size_t>(g)];
            if (const std::optional<int32_t> v = icOutRegister(ic, QString::fromStdString(e.RegNames[i]))) {
                switch (static_cast<IcType>(ic.Type)) {
                    case IcType::Usart8251:
                    case IcType::Ls273:
                    case IcType::Ls374:
                    case IcType::Ls377: s += twoDigits(*v); break;
                    case IcType::Am2910: s += threeDigits(*v); break;
                    default: s += hexText(*v); break;
                }
            }
        }
        if (i < e.CommaFlags.size() && e.CommaFlags[i] == 1) s += QLatin1Char(',');
    }
    return s;
}

}  // namespace circuit
