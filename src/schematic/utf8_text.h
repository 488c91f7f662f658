#pragma once
// Character counts and cuts of UTF-8 texts. The directive rules count
// characters, not bytes, so a cut never splits a Chinese character.

#include <cstddef>
#include <string_view>

namespace schematic {

// At most `chars` characters from the start of `s`.
inline std::string_view leftChars(std::string_view s, std::size_t chars) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto byte = static_cast<unsigned char>(s[i]);
        if ((byte & 0xC0) != 0x80) {
            if (seen == chars) return s.substr(0, i);
            ++seen;
        }
    }
    return s;
}

// The number of characters of `s`.
inline std::size_t charCount(std::string_view s) {
    std::size_t count = 0;
    for (char c : s) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

}  // namespace schematic
