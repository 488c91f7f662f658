#pragma once
// The simulated IC types. The number is stored in an IC record's Type and selects
// the behaviour model; the name is the part-type text a schematic part must carry.

#include <array>
#include <cstdint>
#include <string_view>

namespace sim {

enum class IcType : int32_t {
    Usart8251 = 0,
    Eprom2732 = 1,
    Ram6116 = 2,
    Am2901 = 3,
    Am2910 = 4,
    Gal20V8_1 = 5,
    Gal20V8_2 = 6,
    Gal20V8_3 = 7,
    Gal20V8_4 = 8,
    Ls00 = 9,
    Ls04 = 10,
    Ls08 = 11,
    Ls125 = 12,
    Ls138 = 13,
    Ls139 = 14,
    Ls14 = 15,
    Ls244 = 16,
    Ls245 = 17,
    Ls257 = 18,
    Ls273 = 19,
    Ls32 = 20,
    Ls374 = 21,
    Ls377 = 22,
};

inline constexpr int kIcTypeCount = 23;

// Indexed by IcType; entry 23 is empty and stands for "no IC".
inline constexpr std::array<std::string_view, kIcTypeCount + 1> IcTypeNames = {
    "8251",      "2732",      "6116",      "AM2901",    "AM2910",  "GAL20V8_1", "GAL20V8_2", "GAL20V8_3",
    "GAL20V8_4", "74LS00",    "74LS04",    "74LS08",    "74LS125", "74LS138",   "74LS139",   "74LS14",
    "74LS244",   "74LS245",   "74LS257",   "74LS273",   "74LS32",  "74LS374",   "74LS377",   "",
};

constexpr bool isIcType(int32_t value) { return value >= 0 && value < kIcTypeCount; }

// The type whose name equals `partType` exactly (case and blanks count), or -1.
constexpr int32_t icTypeFromName(std::string_view partType) {
    for (int32_t t = 0; t < kIcTypeCount; ++t) {
        if (IcTypeNames[t] == partType) return t;
    }
    return -1;
}

constexpr std::string_view icTypeName(int32_t type) {
    return isIcType(type) ? IcTypeNames[type] : IcTypeNames[kIcTypeCount];
}

}  // namespace sim
