#pragma once
// The plot as a list of lines in twips and texts in pixels, so that what is
// drawn can be checked without looking at pixels.

#include "sampler/sampler_state.h"

#include <QString>

#include <vector>

namespace sampler {

struct PlotLine {
    double x1, y1, x2, y2;  // twips
    int colour;             // index into SamplerColours
    bool operator==(const PlotLine&) const = default;
};

struct PlotText {
    int x, y;       // pixels, top-left of the text
    QString text;
    uint32_t rgb;   // 0xRRGGBB
};

struct PlotPicture {
    std::vector<PlotLine> lines;
    std::vector<PlotText> texts;
};

inline double columnWidth(const SamplerState& s) {
    return double(s.PlotRight - s.PlotLeft) / s.SamplesPerScreen;
}
inline double halfBandHeight(const SamplerState& s) {
    return double(s.PlotBottom - s.PlotTop) / (2.0 * s.SampleWidth);
}

// Highest scroll position: the first column may show any sample from which a
// whole screen of samples still follows, and never less than 0.
int scrollMaximum(const SamplerState& state);

// The plot at scroll position `scroll`: band separators, top axis, the left
// axis at position 0, waveforms with their edges, ticks and time labels.
// Columns past the last sample held stay empty. `TimeAxis` must be built.
PlotPicture renderPlot(const SamplerState& state, int scroll, int twipsPerPixel);

// The status-bar readout for the pointer at x twips.
struct Readout {
    QString time;
    QString sample;
};
Readout readoutAt(const SamplerState& state, double x);

}  // namespace sampler
