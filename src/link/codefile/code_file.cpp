#include "link/codefile/code_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace codefile {
namespace {

std::uint16_t word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

}  // namespace

std::size_t dataSize(const CodeSegment& segment, int bytesPerLocation) {
    return static_cast<std::size_t>(segment.count) * static_cast<std::size_t>(std::max(bytesPerLocation, 0));
}

std::size_t fileSize(std::span<const CodeSegment> segments, int bytesPerLocation) {
    std::size_t size = 1 + kHeaderBytes * segments.size();
    for (const CodeSegment& s : segments) size += dataSize(s, bytesPerLocation);
    return size;
}

std::array<std::uint8_t, kHeaderBytes> headerBytes(const CodeSegment& s) {
    return {static_cast<std::uint8_t>(s.address & 0xFF), static_cast<std::uint8_t>(s.address >> 8),
            static_cast<std::uint8_t>(s.count & 0xFF), static_cast<std::uint8_t>(s.count >> 8)};
}

CodeFile parseCodeFile(std::span<const std::uint8_t> bytes, int bytesPerLocation) {
    CodeFile file;
    if (bytes.empty()) return file;
    file.blockCount = bytes[0];
    const std::size_t n = bytes[0];
    for (std::size_t k = 0; k < n && 1 + kHeaderBytes * (k + 1) <= bytes.size(); ++k) {
        const std::size_t at = 1 + kHeaderBytes * k;
        file.blocks.push_back({{word(bytes, at), word(bytes, at + 2)}, {}});
    }
    // The data begins behind all N headers, also when the file ends among them.
    std::size_t at = 1 + kHeaderBytes * n;
    for (CodeBlock& block : file.blocks) {
        const std::size_t wanted = dataSize(block.segment, bytesPerLocation);
        const std::size_t from = std::min(at, bytes.size());
        const std::size_t held = std::min(wanted, bytes.size() - from);
        block.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                          bytes.begin() + static_cast<std::ptrdiff_t>(from + held));
        at += wanted;
    }
    const bool headersComplete = file.blocks.size() == n;
    file.complete = headersComplete && at <= bytes.size();
    return file;
}

std::optional<std::vector<std::uint8_t>> encodeCodeFile(std::span<const CodeBlock> blocks) {
    if (blocks.size() > kMaxBlocks) return std::nullopt;
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(blocks.size())};
    for (const CodeBlock& b : blocks) {
        const auto header = headerBytes(b.segment);
        bytes.insert(bytes.end(), header.begin(), header.end());
    }
    for (const CodeBlock& b : blocks) bytes.insert(bytes.end(), b.data.begin(), b.data.end());
    return bytes;
}

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::optional<CodeFile> readCodeFile(const std::string& path, int bytesPerLocation) {
    const auto bytes = readFileBytes(path);
    if (!bytes) return std::nullopt;
    return parseCodeFile(*bytes, bytesPerLocation);
}

bool writeCodeFile(const std::string& path, std::span<const CodeBlock> blocks) {
    const auto bytes = encodeCodeFile(blocks);
    if (!bytes) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    out.close();
    return !out.fail();
}

}  // namespace codefile
