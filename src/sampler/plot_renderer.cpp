#include "sampler/plot_renderer.h"

#include "sampler/time_axis.h"

#include <cmath>

namespace sampler {

int scrollMaximum(const SamplerState& state) {
    const long m = std::lround(double(samplesHeld(state.SampleBytes, state.SampleWidth)) - state.SamplesPerScreen);
    return m > 0 ? static_cast<int>(m) : 0;
}

PlotPicture renderPlot(const SamplerState& s, int scroll, int twipsPerPixel) {
    PlotPicture pic;
    const int sps = s.SamplesPerScreen;
    const double W = columnWidth(s);
    const double H = halfBandHeight(s);
    const double left = s.PlotLeft, top = s.PlotTop;
    const double bottom = top + s.SampleWidth * 2 * H;

    for (int i = 1; i <= s.SampleWidth; ++i) pic.lines.push_back({left, top + 2 * i * H, left + sps * W, top + 2 * i * H, 10});
    pic.lines.push_back({left, top, double(s.PlotRight), top, 8});
    if (scroll == 0) pic.lines.push_back({left, top, left, bottom, 8});

    const int first = firstSampleIndex(s.SampleWidth);
    const int last = std::min<int>(first + samplesHeld(s.SampleBytes, s.SampleWidth) - 1,
                                   static_cast<int>(s.SampleData.size()) - 1);
    for (int i = 0; i < s.SampleWidth; ++i) {
        const double high = top + (2 * i + 1) * H;
        const double low = top + (2 * i + 2) * H;
        for (int j = 0; j < sps; ++j) {
            const double x = left + j * W;
            const long sample = long(scroll) + j + first;
            if (sample >= 0 && sample <= last) {
                const int v = s.SampleData[static_cast<size_t>(sample)][i];
                pic.lines.push_back({x, v == 1 ? high : low, x + W, v == 1 ? high : low, i});
                if (sample + 1 <= last) {
                    const int next = s.SampleData[static_cast<size_t>(sample + 1)][i];
                    if ((v == 1 && next == 0) || (v != 1 && next == 1)) pic.lines.push_back({x + W, high, x + W, low, i});
                }
            }
            if (i == 0) pic.lines.push_back({x, top + 200, x, top, 8});
        }
    }

    const int held = samplesHeld(s.SampleBytes, s.SampleWidth);
    const int step = sps / 10;
    const int tpp = twipsPerPixel > 0 ? twipsPerPixel : 1;
    for (int t = 0; step > 0 && t <= sps - 1; t += step) {
        const long k = long(t) + scroll;
        if (k >= held || k >= static_cast<long>(s.TimeAxis.size())) break;
        pic.texts.push_back({static_cast<int>(std::lround(t * W / tpp)), static_cast<int>(std::lround(bottom / tpp)),
                             formatTimeLabel(s.TimeAxis[static_cast<size_t>(k)]), 0x00FF00});
    }
    return pic;
}

Readout readoutAt(const SamplerState& s, double x) {
    const int sps = s.SamplesPerScreen;
    const double S = s.RateDivisor / 50.0 * sps;
    if (x < s.PlotLeft) return {QStringLiteral("0.00微秒"), QStringLiteral("1")};
    if (x > s.PlotRight) return {formatReadoutTime(S) + QStringLiteral("微秒"), QString::number(sps)};
    const double f = (x - s.PlotLeft) / (sps * columnWidth(s));
    return {formatReadoutTime(f * S) + QStringLiteral("微秒"), QString::number(static_cast<long>(std::floor(f * sps)) + 1)};
}

}  // namespace sampler
