#include "memory_plan.h"

#include "link/codefile/code_file.h"
#include "plan_text.h"

namespace labdata {

std::vector<MemoryFilePlan> parseMemoryPlan(std::string_view text) {
    std::vector<MemoryFilePlan> files;
    for (const PlanLine& l : planLines(text)) {
        const std::vector<std::string> w = words(l.text);
        const std::string& key = w[0];
        if (key == "image" && w.size() == 3) {
            files.push_back({w[1], false, 0, 1, std::vector<uint8_t>(static_cast<std::size_t>(decimalNumber(w[2], l.number)), 0)});
            continue;
        }
        if (key == "cod" && w.size() == 4) {
            files.push_back({w[1], true, hexNumber(w[2], l.number), decimalNumber(w[3], l.number), {}});
            continue;
        }
        if (files.empty()) throw PlanError(l.number, key + " before any image or cod line");
        std::vector<uint8_t>& bytes = files.back().bytes;
        auto put = [&](std::size_t at, int32_t value) {
            if (at >= bytes.size()) {
                if (!files.back().isCod) throw PlanError(l.number, "past the end of the image");
                bytes.resize(at + 1, 0);
            }
            bytes[at] = static_cast<uint8_t>(value & 255);
        };
        if (key == "data" && w.size() >= 2) {
            const int32_t at = hexNumber(w[1], l.number);
            for (std::size_t k = 2; k < w.size(); ++k) put(static_cast<std::size_t>(at) + k - 2, hexNumber(w[k], l.number));
        } else if (key == "squares" && w.size() == 2) {
            const int32_t n = decimalNumber(w[1], l.number);
            for (int32_t k = 0; k < n; ++k) put(static_cast<std::size_t>(k), k * k);
        } else {
            throw PlanError(l.number, "unknown line: " + key);
        }
    }
    return files;
}

std::vector<uint8_t> memoryDataFile(int32_t start, int32_t chips, const std::vector<uint8_t>& bytes) {
    codefile::CodeBlock block;
    block.segment.address = static_cast<uint16_t>(start + 2048);
    block.segment.count = static_cast<uint16_t>(bytes.size() / static_cast<std::size_t>(chips));
    block.data = bytes;
    return codefile::encodeCodeFile(std::span<const codefile::CodeBlock>(&block, 1)).value();
}

}  // namespace labdata
