#include "probe_texts.h"

#include <cctype>

#include "sim/ic_type.h"

namespace labtest {
namespace {

using sim::IcType;

std::string digits(int32_t value, int count) {
    std::string s = hexText(value & ((1 << (4 * count)) - 1));
    return std::string(static_cast<std::size_t>(count) - std::min<std::size_t>(s.size(), count), '0') + s;
}

int digitValue(char c, int base) {
    int v = -1;
    if (std::isdigit(static_cast<unsigned char>(c))) v = c - '0';
    else if (std::isxdigit(static_cast<unsigned char>(c))) v = std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
    return v >= 0 && v < base ? v : 0;
}

}  // namespace

std::string hexText(int64_t value) {
    static const char* d = "0123456789ABCDEF";
    std::string s;
    do {
        s.insert(s.begin(), d[value & 15]);
        value >>= 4;
    } while (value > 0);
    return s;
}

std::string outBusText(const schematic::OutBusEntry& e, const sim::Simulator& sim) {
    auto v = [&](int j) { return sim.NetTable[static_cast<std::size_t>(e.Nets[static_cast<std::size_t>(j)])].Value; };
    std::string s;
    int64_t d = v(0);
    int c = e.Count();
    for (int j = 0; j + 1 < e.Count(); ++j, --c) {
        switch (e.Separators[static_cast<std::size_t>(j)]) {
        case schematic::separator::None:
            if (c % 4 == 1) {
                s += hexText(d);
                d = 0;
            }
            d = 2 * d + v(j + 1);
            break;
        case schematic::separator::Comma:
            s += hexText(d) + ",";
            d = v(j + 1);
            break;
        case schematic::separator::Space:
            s += hexText(d);
            d = v(j + 1);
            break;
        default: break;
        }
    }
    return s + hexText(d);
}

std::optional<int32_t> namedRegister(const sim::IcRecord& ic, const std::string& name) {
    switch (static_cast<IcType>(ic.Type)) {
    case IcType::Usart8251:
        if (name == "Con") return ic.Command;
        if (name == "Ste") return ic.Status;
        if (name == "In") return ic.RxData;
        if (name == "Out") return ic.TxData;
        break;
    case IcType::Am2901:
        if (name == "Q") return ic.QReg;
        if (name == "AOut") return ic.ALatch;
        if (name == "BOut") return ic.BLatch;
        if (name.size() > 1 && name[0] == 'U') {
            int n = 0;
            for (std::size_t i = 1; i < name.size() && i <= 5 && std::isdigit(static_cast<unsigned char>(name[i])); ++i)
                n = 10 * n + (name[i] - '0');
            if (n <= 15) return ic.Registers[static_cast<std::size_t>(n)];
        }
        break;
    case IcType::Am2910:
        if (name.size() == 2 && name[0] == 'F' && name[1] >= '0' && name[1] <= '4') return ic.Stack[static_cast<std::size_t>(name[1] - '0')];
        if (name == "uPC") return ic.MicroPC;
        if (name == "uSP") return ic.StackPointer;
        if (name == "RC") return ic.Counter;
        break;
    case IcType::Gal20V8_2:
        if (name == "WAIT") return ic.Wait;
        break;
    case IcType::Ls273:
    case IcType::Ls374:
    case IcType::Ls377:
        if (name == "Q") return ic.Q;
        break;
    default: break;
    }
    return std::nullopt;
}

std::string icOutText(const schematic::IcOutEntry& e, const sim::Simulator& sim) {
    std::string s;
    for (int i = 0; i < e.Count(); ++i) {
        const sim::IcRecord& ic = sim.IcTable[static_cast<std::size_t>(e.Ics[static_cast<std::size_t>(i)])];
        const std::string& name = e.RegNames[static_cast<std::size_t>(i)];
        if (const std::optional<int32_t> v = namedRegister(ic, name)) {
            switch (static_cast<IcType>(ic.Type)) {
            case IcType::Usart8251:
            case IcType::Ls273:
            case IcType::Ls374:
            case IcType::Ls377: s += digits(*v, 2); break;
            case IcType::Am2910: s += digits(*v, 3); break;
            default: s += hexText(*v); break;
            }
        }
        if (e.CommaFlags[static_cast<std::size_t>(i)] == 1) s += ",";
    }
    return s;
}

int64_t busBoxValue(const std::string& s, int width) {
    const auto length = static_cast<int>(s.size());
    if (length == 0) return 0;
    const char last = s.back();
    int base = 10, count = 0;
    if ((last == 'H' || last == 'h') && length > 1) {
        base = 16;
        count = std::min(length, width / 4 + 2) - 1;
    } else if ((last == 'B' || last == 'b') && length > 1) {
        base = 2;
        count = length - 1;
    } else if (last == 'H' || last == 'h' || last == 'B' || last == 'b') {
        return 0;
    } else {
        const int powerDigits = static_cast<int>(std::to_string(int64_t{1} << width).size());
        count = std::min(length, 1 + powerDigits);
    }
    int64_t value = 0;
    for (int i = 0; i < count; ++i) {
        const char c = s[static_cast<std::size_t>(i)];
        const int digit = base == 2 ? (c >= '1' && c <= '9' ? 1 : 0) : digitValue(c, base);
        value = value * base + digit;
    }
    return value;
}

}  // namespace labtest
