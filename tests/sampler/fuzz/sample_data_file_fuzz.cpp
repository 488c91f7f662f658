// Feeds arbitrary bytes to the sampling data file reader; a file it accepts must
// also be taken into the state and written back without trouble.
#include "sampler/sample_data_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parsed = sampler::parseSampleDataFile(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (parsed.error == sampler::SampleFileError::None) {
        sampler::SamplerState state;
        sampler::commitSampleFile(state, parsed.content);
        const QByteArray again = sampler::writeSampleDataFile(state);
        if (sampler::parseSampleDataFile(again).error != sampler::SampleFileError::None) __builtin_trap();
    }
    return 0;
}
