// Feeds arbitrary bytes to the code-file reader, for one to four bytes per
// location (the first byte picks it): it must never read outside the file,
// and what it reads must be the file again when written back.
#include "link/codefile/code_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "code file: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int bytesPerLocation = 1 + data[0] % 4;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    const codefile::CodeFile file = codefile::parseCodeFile(bytes, bytesPerLocation);

    if (file.blocks.size() > static_cast<std::size_t>(file.blockCount)) fail("more blocks than the file announces");
    std::vector<codefile::CodeSegment> segments;
    for (const codefile::CodeBlock& block : file.blocks) {
        const std::size_t wanted = codefile::dataSize(block.segment, bytesPerLocation);
        if (block.data.size() > wanted) fail("a block holds more than its count");
        if (file.complete && block.data.size() != wanted) fail("a complete file with a short block");
        segments.push_back(block.segment);
    }
    if (!file.complete) return 0;
    // A complete file is its own blocks written back, and what follows them.
    const std::size_t used = codefile::fileSize(segments, bytesPerLocation);
    if (used > bytes.size()) fail("a complete file larger than its bytes");
    const auto again = codefile::encodeCodeFile(file.blocks);
    if (!again || !std::equal(again->begin(), again->end(), bytes.begin(), bytes.begin() + used) ||
        again->size() != used)
        fail("writing the blocks back gives another file");
    return 0;
}
