#pragma once
// The sampling data file: a text file of comma-separated items, CR LF line
// ends, starting with the mark "zodud,2002.7" in double quotes, then the
// sample width, the rate divisor, the byte count and one line of eight values
// per sample index.

#include "sampler/sampler_state.h"

#include <QByteArray>
#include <QByteArrayView>

namespace sampler {

inline constexpr char kSampleFileMark[] = "zodud,2002.7";

// Sample lines a file holds for a capture: indexes 0 to SampleBytes + 1 as the
// format has always had them, and, with 2 or 4 bits per sample, enough more
// lines to keep every captured sample. Readers that stop after SampleBytes + 2
// lines read such files unchanged.
int sampleLineCount(int sampleBytes, int width);

QByteArray writeSampleDataFile(const SamplerState& state);

struct SampleFileContent {
    int width = 0;
    float rateDivisor = 0;
    int sampleBytes = 0;
    std::vector<SampleRow> rows;  // from sample index 0
};

enum class SampleFileError {
    None,
    WrongMark,   // the first item is not the format mark
    Malformed,   // the mark is right but the rest cannot be taken as it stands
};

struct SampleFileParse {
    SampleFileError error = SampleFileError::None;
    SampleFileContent content;
};

// Reads and checks the whole file without touching any state.
SampleFileParse parseSampleDataFile(QByteArrayView bytes);

// Takes a checked file into the state: width, rate divisor, byte count and the
// sample indexes the file covers; other indexes keep their values.
void commitSampleFile(SamplerState& state, const SampleFileContent& content);

}  // namespace sampler
