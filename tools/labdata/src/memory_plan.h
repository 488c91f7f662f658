#pragma once
// Start contents of memory chips and the memory-data files (memory.txt).
//
//   image FILE SIZE           a raw image of SIZE bytes, zero unless given
//   cod FILE START CHIPS      a memory-data file of one segment from START,
//                             CHIPS bytes a location
//   data ADDR BYTE ...        bytes from ADDR on (hexadecimal), into the file above
//   squares N                 bytes 0..N-1 := n * n (its low byte)

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace labdata {

struct MemoryFilePlan {
    std::string file;
    bool isCod = false;
    int32_t start = 0;  // memory-data files: the first location
    int32_t chips = 1;  // memory-data files: bytes a location
    // An image's bytes, or a memory-data file's locations x chips bytes.
    std::vector<uint8_t> bytes;
};

std::vector<MemoryFilePlan> parseMemoryPlan(std::string_view text);

// A memory-data file as the circuit window reads it: one segment whose start
// word is the memory address + 2048, then the bytes.
std::vector<uint8_t> memoryDataFile(int32_t start, int32_t chips, const std::vector<uint8_t>& bytes);

}  // namespace labdata
