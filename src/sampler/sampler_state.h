#pragma once
// The sampling display's module state: what the display shows, how the next
// sampling exchange asks the device for data, and the plot's fixed geometry.

#include <QByteArray>

#include <array>
#include <cstdint>
#include <vector>

namespace sampler {

inline constexpr int kChannels = 8;
// SampleData holds sample indexes 0 to 4500.
inline constexpr int kSampleSlots = 4501;
// The device never sends more than 4096 samples per channel.
inline constexpr int kMaxSamples = 4096;

using SampleRow = std::array<int16_t, kChannels>;

struct SamplerState {
    // Bits per sample, which is also the number of channels shown: 2, 4 or 8.
    int SampleWidth = 8;
    // Data bytes of one transfer, after the echo byte.
    int SampleBytes = 4096;
    // Samples per channel chosen in the custom dialog.
    int SampleLength = 4096;
    // Sampling period in units of 0.02 microseconds.
    float RateDivisor = 1;
    int SamplesPerScreen = 20;

    int PlotTop = 50;
    int PlotLeft = 50;
    int RightMargin = 50;
    int BottomMargin = 280;
    // Derived once from the canvas's inner size (setPlotLimits).
    int PlotRight = 0;
    int PlotBottom = 0;

    // Colour c has red, green and blue at c, 11 + c and 22 + c.
    std::array<int16_t, 33> SamplerColours{
        128, 255, 255, 255, 0,   0,   255, 128, 255, 255, 0,   // red
        64,  0,   128, 255, 255, 0,   0,   128, 255, 255, 0,   // green
        64,  0,   0,   0,   0,   255, 255, 128, 255, 255, 0};  // blue

    uint8_t RateCommand = 0x30;
    uint8_t TransferCommand = 0xA3;

    std::vector<SampleRow> SampleData = std::vector<SampleRow>(kSampleSlots, SampleRow{});
    QByteArray RawBytes;
    std::vector<double> TimeAxis;
};

// The one sampling state of the run; start-up gives it its start values.
SamplerState& samplerState();

// Gives every module variable its start value; the plot limits, which depend on
// the canvas, and the sample data, which the display keeps, are left alone.
void setSamplingStartValues(SamplerState& state);

// PlotRight and PlotBottom from the canvas's inner size in twips.
void setPlotLimits(SamplerState& state, double innerWidthTwips, double innerHeightTwips);

// Colour c (0 to 10) as 0xRRGGBB.
uint32_t samplerColour(const SamplerState& state, int c);

// The echo byte's bits fill the first 8 / width indexes of SampleData; the
// captured samples follow them.
int firstSampleIndex(int width);
// Samples per channel that a capture of `sampleBytes` bytes holds.
int samplesHeld(int sampleBytes, int width);

}  // namespace sampler
