#include "circuit/receive_fifo.h"

#include <algorithm>

namespace circuit {

std::size_t ReceiveFifo::put(const uint8_t* data, std::size_t size) {
    const std::size_t kept = std::min(size, bytes_.size() - count_);
    for (std::size_t i = 0; i < kept; ++i) bytes_[(head_ + count_ + i) % bytes_.size()] = data[i];
    count_ += kept;
    dropped_ += static_cast<int64_t>(size - kept);
    return kept;
}

uint8_t ReceiveFifo::take() {
    const uint8_t byte = bytes_[head_];
    head_ = (head_ + 1) % bytes_.size();
    --count_;
    return byte;
}

}  // namespace circuit
