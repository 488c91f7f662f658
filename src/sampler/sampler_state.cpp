#include "sampler/sampler_state.h"

#include <cmath>

namespace sampler {

SamplerState& samplerState() {
    static SamplerState state;
    return state;
}

void setSamplingStartValues(SamplerState& state) {
    const SamplerState start;
    state.SampleWidth = start.SampleWidth;
    state.SampleBytes = start.SampleBytes;
    state.SampleLength = start.SampleLength;
    state.RateDivisor = start.RateDivisor;
    state.SamplesPerScreen = start.SamplesPerScreen;
    state.PlotTop = start.PlotTop;
    state.PlotLeft = start.PlotLeft;
    state.RightMargin = start.RightMargin;
    state.BottomMargin = start.BottomMargin;
    state.SamplerColours = start.SamplerColours;
    state.RateCommand = start.RateCommand;
    state.TransferCommand = start.TransferCommand;
}

void setPlotLimits(SamplerState& state, double innerWidthTwips, double innerHeightTwips) {
    state.PlotRight = static_cast<int>(std::lround(innerWidthTwips - state.RightMargin));
    state.PlotBottom = static_cast<int>(std::lround(innerHeightTwips - state.BottomMargin));
}

uint32_t samplerColour(const SamplerState& state, int c) {
    if (c < 0 || c > 10) return 0;
    auto comp = [&](int k) { return static_cast<uint32_t>(state.SamplerColours[c + 11 * k] & 0xFF); };
    return comp(0) << 16 | comp(1) << 8 | comp(2);
}

int firstSampleIndex(int width) { return width == 2 || width == 4 || width == 8 ? 8 / width : 1; }

int samplesHeld(int sampleBytes, int width) {
    if (width != 2 && width != 4 && width != 8) return 0;
    return sampleBytes * 8 / width;
}

}  // namespace sampler
