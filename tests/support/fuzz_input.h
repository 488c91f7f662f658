#pragma once
// A fuzz target's input read as a sequence of operands: bytes, little-endian
// words and runs of bytes. Past the end every read gives zeros or nothing, so
// a target never has to check before it reads.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace testsupport {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool more() const { return at_ < size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t word() {
        const uint8_t low = byte();
        return static_cast<uint16_t>(low | byte() << 8);
    }
    // Up to `n` bytes, fewer at the end.
    std::string_view bytes(size_t n) {
        n = std::min(n, size_ - at_);
        const std::string_view out(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return out;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace testsupport
