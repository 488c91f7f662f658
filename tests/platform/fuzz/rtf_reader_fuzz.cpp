// Feeds arbitrary bytes to the rich-text parser: it must never crash, hang or
// read outside its input.
#include "platform/rtf_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto content = platform::parseRtf(bytes);
    if (content) (void)content->plainText();
    return 0;
}
