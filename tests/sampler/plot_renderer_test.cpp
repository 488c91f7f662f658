// The plot's display list, time labels, readout and scroll range.
#include "sampler/plot_renderer.h"
#include "sampler/time_axis.h"

#include "sampler/qt_print.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>

namespace sampler {
namespace {

// An 8-bit capture on a plot 3050 twips wide (columns of 150 twips at 20 per screen).
SamplerState fixture(int width = 8, int sampleBytes = 4096) {
    SamplerState s;
    s.SampleWidth = width;
    s.SampleBytes = sampleBytes;
    setPlotLimits(s, 3100, 2000);
    s.TimeAxis = buildTimeAxis(s.SampleBytes + 1, s.SampleWidth, s.RateDivisor);
    return s;
}

std::vector<PlotLine> linesOf(const PlotPicture& p, int colour) {
    std::vector<PlotLine> out;
    std::copy_if(p.lines.begin(), p.lines.end(), std::back_inserter(out), [&](const PlotLine& l) { return l.colour == colour; });
    return out;
}

bool isVertical(const PlotLine& l) { return l.x1 == l.x2; }

TEST(TimeAxis, LabelsAndReadoutAtFiftyMegahertz) {
    auto s = fixture();
    const auto pic = renderPlot(s, 0, 15);
    QStringList labels;
    for (const auto& t : pic.texts) labels << t.text;
    EXPECT_EQ(labels, QStringList({".00", ".04", ".08", ".12", ".16", ".20", ".24", ".28", ".32", ".36"}));
    EXPECT_EQ(pic.texts[1].x, 20);   // 2 columns of 150 twips at 15 twips per pixel
    EXPECT_EQ(pic.texts[1].y, 115);  // the plot bottom, 1720 twips
    EXPECT_EQ(pic.texts[1].rgb, 0x00FF00u);

    const auto right = readoutAt(s, s.PlotRight + 1);
    EXPECT_EQ(right.time, "0.40微秒");
    EXPECT_EQ(right.sample, "20");
    const auto left = readoutAt(s, s.PlotLeft - 1);
    EXPECT_EQ(left.time, "0.00微秒");
    EXPECT_EQ(left.sample, "1");
    const auto first = readoutAt(s, s.PlotLeft + 10);
    EXPECT_EQ(first.sample, "1");
    const auto sixth = readoutAt(s, s.PlotLeft + 5 * 150 + 1);
    EXPECT_EQ(sixth.sample, "6");
    EXPECT_EQ(sixth.time, "0.10微秒");
}

TEST(TimeAxis, SlowRatesAndFormats) {
    const auto axis = buildTimeAxis(257, 2, 5000);  // 10KHz, 2 bits: 100 microseconds a sample
    ASSERT_EQ(axis.size(), 1029u);
    EXPECT_EQ(axis[2], 200.0);
    EXPECT_EQ(axis[1028], 102800.0);
    EXPECT_EQ(formatTimeLabel(axis[2]), "200.00");
    EXPECT_EQ(formatTimeLabel(0.04), ".04");
    EXPECT_EQ(formatTimeLabel(0), ".00");
    EXPECT_EQ(formatReadoutTime(0.4), "0.40");
    const auto fine = buildTimeAxis(4097, 8, 1);
    EXPECT_DOUBLE_EQ(fine[4097], 81.94);
}

TEST(PlotRenderer, LevelsEdgesTicksAndLeftAxis) {
    auto s = fixture();
    for (auto& row : s.SampleData) row = SampleRow{1, 1, 0, 0, 0, 0, 0, 0};
    // Channel 1 falls from high to low between the samples shown in columns 4 and 5.
    for (int i = 6; i < kSampleSlots; ++i) s.SampleData[i][1] = 0;

    const auto pic = renderPlot(s, 0, 15);
    const double H = halfBandHeight(s), W = columnWidth(s);
    auto ch0 = linesOf(pic, 0);
    EXPECT_EQ(ch0.size(), 20u);
    EXPECT_TRUE(std::none_of(ch0.begin(), ch0.end(), isVertical));
    EXPECT_TRUE(std::all_of(ch0.begin(), ch0.end(), [&](const PlotLine& l) { return l.y1 == s.PlotTop + H; }));

    auto ch1 = linesOf(pic, 1);
    std::vector<PlotLine> edges;
    std::copy_if(ch1.begin(), ch1.end(), std::back_inserter(edges), isVertical);
    ASSERT_EQ(edges.size(), 1u);
    EXPECT_EQ(edges[0], (PlotLine{s.PlotLeft + 5 * W, s.PlotTop + 3 * H, s.PlotLeft + 5 * W, s.PlotTop + 4 * H, 1}));

    // Axes and ticks: top axis, left axis, 20 ticks.
    EXPECT_EQ(linesOf(pic, 8).size(), 22u);
    EXPECT_EQ(linesOf(pic, 10).size(), 8u);
    EXPECT_EQ(linesOf(renderPlot(s, 1, 15), 8).size(), 21u);
    // A value other than 0 or 1 draws low, with an edge only towards a 1.
    s.SampleData[1][0] = 5;
    const auto odd = linesOf(renderPlot(s, 0, 15), 0);
    EXPECT_EQ(odd[0].y1, s.PlotTop + 2 * H);
    EXPECT_TRUE(isVertical(odd[1]));
}

TEST(PlotRenderer, ShortCaptureAtWidestZoomStaysInsideTheSamples) {
    // 512 samples of 2 bits: 128 bytes; 800 samples per screen.
    auto s = fixture(2, 128);
    s.SamplesPerScreen = 800;
    s.TimeAxis = buildTimeAxis(s.SampleBytes + 1, s.SampleWidth, s.RateDivisor);
    EXPECT_EQ(scrollMaximum(s), 0);
    const auto pic = renderPlot(s, 0, 15);
    const auto ch0 = linesOf(pic, 0);
    // One level per sample held and no more.
    EXPECT_EQ(std::count_if(ch0.begin(), ch0.end(), [](const PlotLine& l) { return !isVertical(l); }), 512);
    // Labels every 80 columns only where samples exist: columns 0 .. 480.
    ASSERT_EQ(pic.texts.size(), 7u);
    EXPECT_EQ(pic.texts.back().text, "9.60");

    s.SamplesPerScreen = 20;
    EXPECT_EQ(scrollMaximum(s), 492);
    EXPECT_EQ(scrollMaximum(fixture()), 4076);
}

TEST(PlotRenderer, NarrowSamplesSkipTheEchoBitsAndDrawEdgesToTheLastSample) {
    // 2 bits per sample: the echo byte fills indexes 0..3, data starts at 4.
    auto s = fixture(2, 256);
    for (auto& row : s.SampleData) row = SampleRow{};
    s.SampleData[0][0] = 1;  // echo bit, must not show
    s.SampleData[4][0] = 1;  // first captured sample
    const int last = 4 + 1024 - 1;
    s.SampleData[last][0] = 1;  // a rise into the last sample, far beyond index SampleBytes

    auto ch0 = linesOf(renderPlot(s, 0, 15), 0);
    const double H = halfBandHeight(s);
    EXPECT_EQ(ch0[0].y1, s.PlotTop + H);  // column 0 shows the first captured sample high

    const int p = scrollMaximum(s);
    ASSERT_EQ(p, 1024 - 20);
    ch0 = linesOf(renderPlot(s, p, 15), 0);
    std::vector<PlotLine> edges;
    std::copy_if(ch0.begin(), ch0.end(), std::back_inserter(edges), isVertical);
    ASSERT_EQ(edges.size(), 1u);
    EXPECT_DOUBLE_EQ(edges[0].x1, s.PlotLeft + 19 * columnWidth(s));
}

}  // namespace
}  // namespace sampler
