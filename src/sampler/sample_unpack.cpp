#include "sampler/sample_unpack.h"

namespace sampler {

void UnpackSampleBytes(QByteArrayView raw, int sampleBytes, int width, std::vector<SampleRow>& data) {
    if (width != 2 && width != 4 && width != 8) return;
    const int perByte = 8 / width;
    const qsizetype lastByte = std::min<qsizetype>(sampleBytes, raw.size() - 1);
    for (qsizetype i = 0; i <= lastByte; ++i) {
        const auto byte = static_cast<uint8_t>(raw[i]);
        for (int j = 0; j < perByte; ++j) {
            const qsizetype index = i * perByte + j;
            if (index >= static_cast<qsizetype>(data.size())) return;
            for (int k = 0; k < width; ++k) data[index][k] = (byte >> (7 - width * j - k)) & 1;
        }
    }
}

}  // namespace sampler
