// Unpacking received bytes, the custom dialog's choices and the channel labels.
#include "sampler/custom_sampling.h"
#include "sampler/sample_rate_table.h"
#include "sampler/sample_unpack.h"

#include "sampler/qt_print.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace sampler {
namespace {

std::vector<int> samplesOf(const std::vector<SampleRow>& data, int index, int width) {
    return {data[index].begin(), data[index].begin() + width};
}

TEST(UnpackSampleBytes, EachWidthSplitsBytesEarliestSampleHighest) {
    struct Case {
        int width;
        uint8_t byte;
        std::vector<std::vector<int>> samples;  // of data byte 1, in order
    } cases[] = {
        {8, 0x80, {{1, 0, 0, 0, 0, 0, 0, 0}}},
        {8, 0x9C, {{1, 0, 0, 1, 1, 1, 0, 0}}},
        {4, 0x9C, {{1, 0, 0, 1}, {1, 1, 0, 0}}},
        {2, 0x9C, {{1, 0}, {0, 1}, {1, 1}, {0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        std::vector<SampleRow> data(kSampleSlots, SampleRow{});
        const QByteArray raw = QByteArray("\xA3", 1) + QByteArray(1, char(c.byte));
        UnpackSampleBytes(raw, 1, c.width, data);
        const int perByte = 8 / c.width;
        for (int j = 0; j < perByte; ++j) EXPECT_EQ(samplesOf(data, perByte + j, c.width), c.samples[j]) << j;
        // The echo byte A3 (1010 0011) fills the indexes before the data.
        EXPECT_EQ(data[0][0], 1);
        EXPECT_EQ(data[0][1], 0);
    }
}

TEST(UnpackSampleBytes, FullCaptureAndOddWidthsAndShortReplies) {
    std::vector<SampleRow> data(kSampleSlots, SampleRow{});
    QByteArray raw(1, char(0xA0));
    for (int i = 0; i < 1024; ++i) raw += char(i & 0xFF);
    UnpackSampleBytes(raw, 1024, 2, data);
    // The last data byte (0xFF) ends at index 4 * 1024 + 3.
    EXPECT_EQ(samplesOf(data, 4099, 2), (std::vector<int>{1, 1}));
    EXPECT_EQ(samplesOf(data, 4 * 2, 2), (std::vector<int>{0, 0}));  // byte 1 holds 0x00

    std::vector<SampleRow> untouched(kSampleSlots, SampleRow{7, 7, 7, 7, 7, 7, 7, 7});
    auto copy = untouched;
    UnpackSampleBytes(raw, 1024, 3, copy);
    EXPECT_EQ(copy, untouched);
    // A reply shorter than the byte count leaves the indexes it does not reach.
    UnpackSampleBytes(QByteArray("\xA3\xFF", 2), 4096, 8, copy);
    EXPECT_EQ(copy[1][0], 1);
    EXPECT_EQ(copy[2][0], 7);
}

TEST(CustomSampling, ConfirmSetsCommandsCountsLabelsAndInfoStrip) {
    struct Case {
        CustomChoice choice;
        uint8_t transfer;
        int sampleBytes;
        int width;
        float divisor;
        uint8_t rateCommand;
        InfoStrip strip;
    } cases[] = {
        {{"50MHz", "4096字节", "八位"}, 0xA3, 4096, 8, 1, 0x30, {"自定义", "50000KHz", "4096", "8"}},
        {{"50MHz", "1024字节", "二位"}, 0xA8, 256, 2, 1, 0x30, {"自定义", "50000KHz", "1024", "2"}},
        {{"10MHz", "512字节", "四位"}, 0xAD, 256, 4, 5, 0x31, {"自定义", "10000KHz", "512", "4"}},
        {{"10KHz", "2048字节", "八位"}, 0xA7, 2048, 8, 5000, 0x37, {"自定义", "10KHz", "2048", "8"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.choice.length + c.choice.width));
        SamplerState s;
        applyCustomChoice(s, c.choice);
        EXPECT_EQ(s.TransferCommand, c.transfer);
        EXPECT_EQ(s.SampleBytes, c.sampleBytes);
        EXPECT_EQ(s.SampleWidth, c.width);
        EXPECT_EQ(s.RateDivisor, c.divisor);
        EXPECT_EQ(s.RateCommand, c.rateCommand);
        const auto strip = customInfoStrip(s);
        EXPECT_EQ(strip.experiment, c.strip.experiment);
        EXPECT_EQ(strip.rate, c.strip.rate);
        EXPECT_EQ(strip.length, c.strip.length);
        EXPECT_EQ(strip.width, c.strip.width);
    }
}

TEST(CustomSampling, TextsOutsideTheListsKeepTheirValues) {
    SamplerState s;
    applyCustomChoice(s, {"10KHz", "1024字节", "二位"});
    applyCustomChoice(s, {"7MHz", "999字节", "三位"});
    EXPECT_EQ(s.RateDivisor, 5000);
    EXPECT_EQ(s.RateCommand, 0x37);
    EXPECT_EQ(s.SampleLength, 1024);
    EXPECT_EQ(s.SampleWidth, 2);
    EXPECT_EQ(s.SampleBytes, 256);
    EXPECT_EQ(s.TransferCommand, 0xA0);  // both codes fall back to 0
}

TEST(CustomSampling, ChannelLabelSlots) {
    struct Case {
        int n;
        std::vector<std::pair<int, QString>> shown;
    } cases[] = {
        {2, {{3, "通道一"}, {7, "通道二"}}},
        {4, {{1, "通道一"}, {3, "通道二"}, {5, "通道三"}, {7, "通道四"}}},
        {8, {{0, "通道一"}, {1, "通道二"}, {2, "通道三"}, {3, "通道四"}, {4, "通道五"}, {5, "通道六"}, {6, "通道七"}, {7, "通道八"}}},
        {5, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        const auto labels = channelLabelsFor(c.n);
        std::vector<std::pair<int, QString>> shown;
        for (int i = 0; i < kChannels; ++i)
            if (labels.visible[i]) shown.emplace_back(i, labels.texts[i]);
        EXPECT_EQ(shown, c.shown);
    }
}

}  // namespace
}  // namespace sampler
