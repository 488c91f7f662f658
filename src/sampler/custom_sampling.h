#pragma once
// What the custom sampling dialog's "确定" does to the sampling state, apart
// from the window itself.

#include "sampler/sampler_state.h"

#include <QString>
#include <QStringList>

namespace sampler {

QStringList customLengthTexts();  // "512字节" ... "4096字节"
QStringList customWidthTexts();   // "二位", "四位", "八位"

struct CustomChoice {
    QString rate;
    QString length;
    QString width;
};

// Sets the rate, the length, the width and the transfer command from the
// three lists' texts; a text that is in no list keeps its values.
void applyCustomChoice(SamplerState& state, const CustomChoice& choice);

// The info strip "实验信息": experiment, rate, data length and bit count.
struct InfoStrip {
    QString experiment;
    QString rate;
    QString length;
    QString width;
};
InfoStrip customInfoStrip(const SamplerState& state);

// The channel labels beside the plot: slot i shows texts[i] when visible[i].
struct ChannelLabels {
    std::array<bool, kChannels> visible{};
    std::array<QString, kChannels> texts;
};
ChannelLabels channelLabelsFor(int channelCount);

}  // namespace sampler
