#include "memory_and_terminal.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "sim/ic_type.h"

namespace labtest {
namespace {

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t memorySize(const sim::IcRecord& ic) {
    switch (static_cast<sim::IcType>(ic.Type)) {
    case sim::IcType::Eprom2732: return sim::kEpromSize;
    case sim::IcType::Ram6116: return sim::kRamSize;
    default: return 0;
    }
}

}  // namespace

bool loadCodeFile(sim::Simulator& s, const schematic::MemDataEntry& entry, const std::string& path) {
    auto chipOf = [&](int k) -> const sim::IcRecord& {
        return s.IcTable[static_cast<std::size_t>(entry.Chips[static_cast<std::size_t>(k)])];
    };
    auto takesPart = [&](int k) { return entry.ChipFlags[static_cast<std::size_t>(k)] == "U" && memorySize(chipOf(k)) > 0; };
    int32_t limit = 0;
    for (int k = 0; k < entry.ChipCount(); ++k) {
        if (!takesPart(k)) continue;
        const int32_t size = memorySize(chipOf(k));
        if (k == 0 || limit > size) limit = size;
    }
    const std::vector<uint8_t> bytes = fileBytes(path);
    if (bytes.size() < 5 || bytes[0] != 1) return false;
    int32_t start = static_cast<int16_t>(bytes[1] | bytes[2] << 8);
    if (start >= 2048) start -= 2048;
    if (start >= limit) start = 0;
    const int32_t count = bytes[3] | bytes[4] << 8;
    std::size_t at = 5;
    for (int32_t a = start; a < start + count; ++a) {
        for (int k = 0; k < entry.ChipCount(); ++k) {
            if (at >= bytes.size()) return true;
            const uint8_t byte = bytes[at++];
            if (!takesPart(k)) continue;
            if (a >= memorySize(chipOf(k))) return true;
            s.WriteIcMemory(a, byte, entry.Chips[static_cast<std::size_t>(k)]);
        }
    }
    return true;
}

void flush8251Output(sim::Simulator& s, std::map<int32_t, std::string>& terminals) {
    if (s.Pending8251Ic <= -1) return;
    sim::IcRecord& ic = s.IcTable[static_cast<std::size_t>(s.Pending8251Ic)];
    std::string& text = terminals[s.Pending8251Ic];
    const int32_t last = ic.TxLast;
    for (int32_t i = 0; i <= last; ++i) {
        const int32_t c = ic.Memory[static_cast<std::size_t>(i)];
        if (c >= 32 && c <= 126) text += static_cast<char>(c);
        else if (c == 13) text += "\r\n";
        else if (c == 10 || c == 30) continue;
        else if (c == 8) { if (!text.empty()) text.pop_back(); }
        else if (c == 26) text.clear();
        else text += ' ';
    }
    ic.TxLast = -1;
    s.Pending8251Ic = -1;
}

}  // namespace labtest
