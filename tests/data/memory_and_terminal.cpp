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

void flush8251Output(sim::Simulator& s, std::map<int32_t, circuit::TerminalText>& terminals) {
    const int32_t ic = s.Pending8251Ic;
    if (ic <= -1) return;
    circuit::TerminalText& text = terminals[ic];
    circuit::takePending8251Output(s, [&text](uint8_t code) { text.put(code); });
}

}  // namespace labtest
