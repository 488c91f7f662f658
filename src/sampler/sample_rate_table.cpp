#include "sampler/sample_rate_table.h"

namespace sampler {

const std::vector<SampleRate>& sampleRateTable() {
    static const std::vector<SampleRate> table{
        {QStringLiteral("50MHz"), 1, 0x30},     {QStringLiteral("10MHz"), 5, 0x31},
        {QStringLiteral("5MHz"), 10, 0x32},     {QStringLiteral("1MHz"), 50, 0x33},
        {QStringLiteral("500KHz"), 100, 0x34},  {QStringLiteral("100KHz"), 500, 0x35},
        {QStringLiteral("50KHz"), 1000, 0x36},  {QStringLiteral("10KHz"), 5000, 0x37},
    };
    return table;
}

QStringList sampleRateTexts() {
    QStringList texts;
    for (const auto& r : sampleRateTable()) texts << r.text;
    return texts;
}

std::optional<SampleRate> findSampleRate(const QString& text) {
    for (const auto& r : sampleRateTable())
        if (r.text == text) return r;
    return std::nullopt;
}

std::optional<int> lengthCode(int samplesPerChannel) {
    switch (samplesPerChannel) {
        case 512: return 12;
        case 1024: return 8;
        case 2048: return 4;
        case 4096: return 0;
    }
    return std::nullopt;
}

std::optional<int> widthCode(int bitsPerSample) {
    switch (bitsPerSample) {
        case 2: return 0;
        case 4: return 1;
        case 8: return 3;
    }
    return std::nullopt;
}

}  // namespace sampler
