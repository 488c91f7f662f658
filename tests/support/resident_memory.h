#pragma once
// The process's resident memory, for checks that a flood of input costs no
// more than a bounded buffer. Under the sanitizers freed memory is held back
// on purpose, so there the figure says nothing about what the program keeps.

#include <cstdlib>
#include <fstream>
#include <string>

namespace testsupport {

// VmRSS in KiB; -1 where the system does not tell it.
inline long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kResidentMemoryTellsUse = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kResidentMemoryTellsUse = false;
#else
inline constexpr bool kResidentMemoryTellsUse = true;
#endif
#else
inline constexpr bool kResidentMemoryTellsUse = true;
#endif

}  // namespace testsupport
