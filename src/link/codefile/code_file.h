#pragma once
// Code files (".COD"): a block count N, N block headers (start address and
// location count, 16-bit little-endian each), then the data of all blocks one
// after the other, count x bytes-per-location bytes each, with no gaps.
// The device link moves such files to and from the device (two bytes per
// location in the 16-bit editions, one in the 8-bit one); the circuit window
// keeps memory data in them with one byte per chip of a location.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace codefile {

inline constexpr std::size_t kHeaderBytes = 4;
inline constexpr std::size_t kMaxBlocks = 255;  // N is one byte

// One block's header, a `CodeSegment`.
struct CodeSegment {
    std::uint16_t address = 0;  // in device memory locations
    // Locations. The device's 0 stands for 65536 locations; a file stores that
    // 0 as it is, and a block of count 0 holds no data here (it is never sent).
    std::uint16_t count = 0;

    bool operator==(const CodeSegment&) const = default;
};

struct CodeBlock {
    CodeSegment segment;
    std::vector<std::uint8_t> data;

    bool operator==(const CodeBlock&) const = default;
};

// What a file holds.
struct CodeFile {
    int blockCount = 0;  // N as stored; 0 for an empty file
    // The headers the file holds, in file order, each with the data the file
    // holds for it (all of it when `complete`).
    std::vector<CodeBlock> blocks;
    // False when the file ends before its headers or the data they announce do.
    // Bytes beyond the last block's data are no matter.
    bool complete = false;
};

// The bytes a block's data takes in a file: count x bytesPerLocation.
std::size_t dataSize(const CodeSegment& segment, int bytesPerLocation);
// 1 + 4N + the data of every block.
std::size_t fileSize(std::span<const CodeSegment> segments, int bytesPerLocation);

// A header as it is stored: address low, address high, count low, count high.
std::array<std::uint8_t, kHeaderBytes> headerBytes(const CodeSegment& segment);

CodeFile parseCodeFile(std::span<const std::uint8_t> bytes, int bytesPerLocation);
// The file for `blocks`, each block's data written as given. nullopt for more than 255 blocks.
std::optional<std::vector<std::uint8_t>> encodeCodeFile(std::span<const CodeBlock> blocks);

// The whole file at `path` (a local path); nullopt when it cannot be read.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path);
std::optional<CodeFile> readCodeFile(const std::string& path, int bytesPerLocation);
// False when the file cannot be written in full (or there are more than 255 blocks).
bool writeCodeFile(const std::string& path, std::span<const CodeBlock> blocks);

}  // namespace codefile
