#include "schgen/text_extent.h"

namespace schgen {

int32_t textWidth(std::string_view utf8, int32_t size) {
    int32_t tenths = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) tenths += 7;
        else if ((c & 0xC0) != 0x80) tenths += 12;
    }
    return (tenths * size + 9) / 10;
}

}  // namespace schgen
