#include "sampler/custom_sampling.h"

#include "sampler/sample_rate_table.h"

#include <cmath>

namespace sampler {
namespace {

const QStringList& channelNames() {
    static const QStringList names{
        QStringLiteral("通道一"), QStringLiteral("通道二"), QStringLiteral("通道三"), QStringLiteral("通道四"),
        QStringLiteral("通道五"), QStringLiteral("通道六"), QStringLiteral("通道七"), QStringLiteral("通道八")};
    return names;
}

}  // namespace

QStringList customLengthTexts() {
    return {QStringLiteral("512字节"), QStringLiteral("1024字节"), QStringLiteral("2048字节"),
            QStringLiteral("4096字节")};
}

QStringList customWidthTexts() { return {QStringLiteral("二位"), QStringLiteral("四位"), QStringLiteral("八位")}; }

void applyCustomChoice(SamplerState& state, const CustomChoice& choice) {
    if (const auto rate = findSampleRate(choice.rate)) {
        state.RateDivisor = rate->divisor;
        state.RateCommand = rate->command;
    }

    int lengthBits = 0;
    static const int lengths[] = {512, 1024, 2048, 4096};
    const int li = customLengthTexts().indexOf(choice.length);
    if (li >= 0) {
        state.SampleLength = lengths[li];
        lengthBits = *lengthCode(state.SampleLength);
    }

    int widthBits = 0;
    static const int widths[] = {2, 4, 8};
    const int wi = customWidthTexts().indexOf(choice.width);
    if (wi >= 0) {
        state.SampleWidth = widths[wi];
        state.SampleBytes = state.SampleLength * state.SampleWidth / 8;
        widthBits = *widthCode(state.SampleWidth);
    }

    state.TransferCommand = transferCommandFor(lengthBits, widthBits);
}

InfoStrip customInfoStrip(const SamplerState& state) {
    InfoStrip strip;
    strip.experiment = QStringLiteral("自定义");
    const long khz = state.RateDivisor > 0 ? std::lround(50000.0 / state.RateDivisor) : 0;
    strip.rate = QString::number(khz) + QStringLiteral("KHz");
    strip.length = QString::number(state.SampleLength);
    strip.width = QString::number(state.SampleWidth);
    return strip;
}

ChannelLabels channelLabelsFor(int channelCount) {
    ChannelLabels labels;
    const auto& names = channelNames();
    // With fewer channels a band covers two or four slots; its label stands in
    // the band's lowest slot.
    if (channelCount == 2 || channelCount == 4 || channelCount == 8) {
        const int span = 8 / channelCount;
        for (int ch = 0; ch < channelCount; ++ch) {
            const int slot = ch * span + span - 1;
            labels.visible[slot] = true;
            labels.texts[slot] = names[ch];
        }
    }
    return labels;
}

}  // namespace sampler
