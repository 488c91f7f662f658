#include "memory_and_terminal.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "circuit/memory_data.h"

namespace labtest {
namespace {

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

bool loadCodeFile(sim::Simulator& s, const schematic::MemDataEntry& entry, const std::string& path) {
    const auto keepProposal = [](int32_t proposed, int32_t) { return proposed; };
    return circuit::loadMemoryData(s, entry, fileBytes(path), keepProposal) == circuit::MemoryLoad::Loaded;
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
