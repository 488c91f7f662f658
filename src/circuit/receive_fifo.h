#pragma once
// A receive buffer of fixed size, as a UART's FIFO: bytes are taken out in the
// order they came in, and bytes that arrive while it is full are dropped and
// counted, the older ones kept.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace circuit {

class ReceiveFifo {
public:
    explicit ReceiveFifo(std::size_t capacity) : bytes_(capacity) {}

    // Keeps what fits of `data`; returns how many bytes were kept.
    std::size_t put(const uint8_t* data, std::size_t size);
    // The oldest byte; only while size() > 0.
    uint8_t take();
    void clear() { head_ = count_ = 0; }

    std::size_t size() const { return count_; }
    int64_t dropped() const { return dropped_; }

private:
    std::vector<uint8_t> bytes_;
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    int64_t dropped_ = 0;
};

}  // namespace circuit
