#pragma once
// The eight sampling rates and the two command bytes of the sampling exchange.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace sampler {

struct SampleRate {
    QString text;         // as the rate boxes list it
    float divisor;        // 50 MHz divided by the rate
    uint8_t command;      // the reset command that also selects the rate
};

// In the order of the rate boxes' lists: "50MHz" down to "10KHz".
const std::vector<SampleRate>& sampleRateTable();
QStringList sampleRateTexts();
// The row whose text is exactly `text`.
std::optional<SampleRate> findSampleRate(const QString& text);

// Length code of the transfer command for 512, 1024, 2048 or 4096 samples.
std::optional<int> lengthCode(int samplesPerChannel);
// Width code for 2, 4 or 8 bits per sample.
std::optional<int> widthCode(int bitsPerSample);
inline uint8_t transferCommandFor(int lengthCode, int widthCode) {
    return static_cast<uint8_t>(0xA0 + lengthCode + widthCode);
}

}  // namespace sampler
