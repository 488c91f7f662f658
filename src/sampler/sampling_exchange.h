#pragma once
// The command "采样": reset the sampler at the chosen rate, ask for the data,
// check the echoes and unpack the samples.

#include "sampler/sampler_device.h"
#include "sampler/sampler_state.h"

#include <QString>

namespace sampler {

// Time limits of the four waits, in milliseconds.
struct ExchangeLimits {
    int sendMs = 2000;         // each command byte leaving the port
    int resetReplyMs = 2000;   // the reset's echo
    int dataBaseMs = 2000;     // the data, plus the time its bytes take on the line
    double dataLineFactor = 1.5;

    // The whole reply of `bytes` bytes at `baud` baud (10 bits a byte) with room to spare.
    int dataMs(int bytes, int baud) const;
};

enum class ExchangeOutcome {
    NoPort,
    OpenFailed,
    ResetSendTimeout,
    ResetReplyTimeout,
    ResetRefused,
    TransferSendTimeout,
    DataTimeout,
    DataRefused,
    Received,   // SampleData holds the new samples; the caller shows them
};

// Sets RateDivisor and RateCommand from the rate box's text; a text outside
// the rate table changes neither.
void SelectSampleRate(SamplerState& state, const QString& rateBoxText);

// One exchange. Messages go through the prompter; on success RawBytes and
// SampleData hold the reply.
ExchangeOutcome runSamplingExchange(SamplerState& state, SamplerDevice& device, const QString& rateBoxText,
                                    const ExchangeLimits& limits = {});

}  // namespace sampler
