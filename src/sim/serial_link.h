#pragma once
// The circuit environment's own serial port as the 8251 model sees it: a count of
// waiting input bytes and a one-byte read. The environment plugs its port in; the
// model only polls, so an implementation must answer from what it already has
// (no waiting, no window events, no message boxes).
//
// Failures come back as the serial control's error number in `error` (8012 for a
// port that is not open, 8020 for a read error, ...); 0 means success.

#include <cstdint>

namespace sim {

class SerialLink {
public:
    virtual ~SerialLink() = default;
    // Number of input bytes waiting. On failure `error` is set and the result is ignored.
    virtual int32_t bytesWaiting(int32_t& error) = 0;
    // Takes one waiting byte. On failure `error` is set and the result is ignored.
    virtual int32_t readByte(int32_t& error) = 0;
};

}  // namespace sim
