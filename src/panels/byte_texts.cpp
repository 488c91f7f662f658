#include "panels/byte_texts.h"

#include <cstdio>

namespace panels {
namespace {

std::string hex(int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<uint32_t>(value));
    return buffer;
}

}  // namespace

std::string registerText(int32_t value) {
    std::string text = value <= 15 ? "00" : "0";
    text += hex(value);
    text += "H/0'";
    for (int bit = 7; bit >= 0; --bit) {
        text += ((value >> bit) & 1) ? '1' : '0';
        if (bit == 4) text += '\'';
    }
    text += 'B';
    return text;
}

std::string cellText(int32_t value) { return std::to_string(value) + "/" + registerText(value); }

std::string rowText(int32_t address) { return hex(address) + "H:" + std::to_string(address); }

}  // namespace panels
