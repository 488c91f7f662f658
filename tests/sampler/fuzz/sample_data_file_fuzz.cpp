// Feeds arbitrary bytes to the sampling data file reader. A file it accepts
// must read back as it was taken: written from the state and read again, it
// gives the same width, divisor (to the bit), byte count and sample lines,
// and writing that once more gives the same bytes.
#include "sampler/sample_data_file.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parsed = sampler::parseSampleDataFile(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (parsed.error != sampler::SampleFileError::None) return 0;
    sampler::SamplerState state;
    sampler::commitSampleFile(state, parsed.content);
    const QByteArray written = sampler::writeSampleDataFile(state);
    const auto again = sampler::parseSampleDataFile(written);
    if (again.error != sampler::SampleFileError::None) __builtin_trap();
    const sampler::SampleFileContent& a = parsed.content;
    const sampler::SampleFileContent& b = again.content;
    if (b.width != a.width || !sameBits(b.rateDivisor, a.rateDivisor) || b.sampleBytes != a.sampleBytes) __builtin_trap();
    // The state holds no more lines than it has slots; a file may hold fewer
    // than a full capture, and the rest is written from the state's own.
    const size_t kept = a.rows.size() < state.SampleData.size() ? a.rows.size() : state.SampleData.size();
    if (b.rows.size() < kept) __builtin_trap();
    for (size_t i = 0; i < kept; ++i)
        if (b.rows[i] != a.rows[i]) __builtin_trap();
    sampler::SamplerState back;
    sampler::commitSampleFile(back, b);
    if (sampler::writeSampleDataFile(back) != written) __builtin_trap();
    return 0;
}
