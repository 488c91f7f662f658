#pragma once
// Splits received bytes into per-channel samples.

#include "sampler/sampler_state.h"

#include <QByteArrayView>

namespace sampler {

// For every byte index i from 0 to sampleBytes (the echo byte included) stores
// the samples of raw[i] into `data`: each byte holds 8 / width consecutive
// samples, the earliest in the highest bits, channel 0 in a sample's highest
// bit. Widths other than 2, 4 and 8 store nothing; bytes missing from `raw`
// and indexes beyond `data` are left alone.
void UnpackSampleBytes(QByteArrayView raw, int sampleBytes, int width, std::vector<SampleRow>& data);

}  // namespace sampler
