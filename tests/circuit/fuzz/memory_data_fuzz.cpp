// Feeds arbitrary memory data files to the load, for entries of one to four
// chips (2732, 6116, 6116, 74LS273 in an order and with flags the first two
// bytes pick) and a start address the next two pick: the load must never
// write outside the locations the file holds for a chip that takes part, and
// every cell it writes must hold that chip's byte of the file.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "circuit/memory_data.h"
#include "sim/ic_type.h"
#include "sim/simulator.h"

namespace {

constexpr int32_t kUntouched = -1;

void fail(const char* what) {
    std::fprintf(stderr, "memory data: %s\n", what);
    std::abort();
}

sim::Simulator& chips() {
    static sim::Simulator* s = [] {
        auto* made = new sim::Simulator;
        const std::array<std::pair<sim::IcType, int>, 4> types = {
            {{sim::IcType::Eprom2732, sim::kEpromSize}, {sim::IcType::Ram6116, sim::kRamSize},
             {sim::IcType::Ram6116, sim::kRamSize}, {sim::IcType::Ls273, 0}}};
        for (std::size_t i = 0; i < types.size(); ++i) {
            made->IcTable[i].Type = static_cast<int32_t>(types[i].first);
            made->IcTable[i].Memory.assign(static_cast<std::size_t>(types[i].second), kUntouched);
        }
        return made;
    }();
    return *s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    sim::Simulator& s = chips();
    for (int ic = 0; ic < 4; ++ic) std::fill(s.IcTable[ic].Memory.begin(), s.IcTable[ic].Memory.end(), kUntouched);

    schematic::MemDataEntry entry;
    std::array<int32_t, 4> order = {0, 1, 2, 3};
    for (int i = 0; i < data[1] % 24; ++i) std::next_permutation(order.begin(), order.end());
    const int count = 1 + data[0] % 4;
    for (int k = 0; k < count; ++k) {
        entry.Chips.push_back(order[static_cast<std::size_t>(k)]);
        entry.ChipFlags.push_back((data[0] >> (2 + k)) & 1 ? "U" : "L");
    }
    const int32_t answer = data[2] | (data[3] << 8);
    const std::span<const uint8_t> file(data + 4, size - 4);

    int32_t start = -1;
    const circuit::MemoryLoad result =
        circuit::loadMemoryData(s, entry, file, [&](int32_t proposed, int32_t limit) {
            if (proposed < 0 || (proposed >= limit && proposed != 0)) fail("a proposal outside the limit");
            start = answer < limit ? answer : proposed;
            return start;
        });
    if (result == circuit::MemoryLoad::NotMemoryData) {
        if (!file.empty() && file[0] == 1) fail("a file of one block refused");
        if (start != -1) fail("an address asked for a refused file");
    } else if (start < 0) {
        fail("no address asked for");
    }

    for (int k = 0; k < count; ++k) {
        const int32_t ic = entry.Chips[static_cast<std::size_t>(k)];
        const std::vector<int32_t>& cells = s.IcTable[static_cast<std::size_t>(ic)].Memory;
        for (std::size_t a = 0; a < cells.size(); ++a) {
            if (cells[a] == kUntouched) continue;
            if (!circuit::chipTakesPart(s, entry, k)) fail("a chip that takes no part written");
            const int64_t location = static_cast<int64_t>(a) - start;
            const int64_t at = 5 + location * count + k;
            if (location < 0 || at >= static_cast<int64_t>(file.size())) fail("a cell the file holds nothing for");
            const int64_t announced = file.size() >= 5 ? (file[3] | (file[4] << 8)) : 0;
            if (location >= announced) fail("a location beyond the count");
            if (cells[a] != file[static_cast<std::size_t>(at)]) fail("a cell holds another byte");
        }
    }
    return 0;
}
