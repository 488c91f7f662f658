// Plays a sampler that answers the "采样" exchange with arbitrary bytes, on
// the device link's port without a line. The first three bytes choose rate,
// length and width as the custom dialog offers them; then, for each command
// byte the program sends, the device takes a step from the input: echo it,
// echo it and add bytes, send bytes instead, or stay silent.
//
// The program sends the rate command and then, only after its echo, the
// transfer command; it takes a capture only when the reply starts with the
// transfer command's echo and holds the whole capture; the unpacked samples
// give back the captured bytes, and the data file written from them reads
// back to the same samples.
#include <QCoreApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "link/fuzz/fuzz_device.h"
#include "link/fuzz/memory_port.h"
#include "link/link_state.h"
#include "platform/wait_seconds.h"
#include "sampler/custom_sampling.h"
#include "sampler/link_sampler_device.h"
#include "sampler/sample_data_file.h"
#include "sampler/sample_rate_table.h"
#include "sampler/sampling_exchange.h"
#include "support/scripted_prompter.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "sampling exchange: %s\n", what);
    std::abort();
}

// The captured bytes again from the unpacked samples: byte i from indexes
// i * 8 / width onwards, the earliest sample in the highest bits.
uint8_t packedByte(const std::vector<sampler::SampleRow>& data, int i, int width) {
    const int perByte = 8 / width;
    int byte = 0;
    for (int j = 0; j < perByte; ++j)
        for (int k = 0; k < width; ++k) byte = byte << 1 | data[static_cast<std::size_t>(i * perByte + j)][k];
    return static_cast<uint8_t>(byte);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    testsupport::FuzzInput in(data, size);
    sampler::SamplerState state;
    const QStringList rates = sampler::sampleRateTexts();
    const QStringList lengths = sampler::customLengthTexts();
    const QStringList widths = sampler::customWidthTexts();
    const QString rate = rates[in.byte() % rates.size()];
    const QString length = lengths[in.byte() % lengths.size()];
    sampler::applyCustomChoice(state, {rate, length, widths[in.byte() % widths.size()]});

    testsupport::ScriptedPrompter prompter;
    linkfuzz::QuietLinkNotifier notifier;
    linkfuzz::MemoryPort port;
    platform::ScopedWaitHooks waits(linkfuzz::instantWaits([&port] { port.deliver(); }));

    devlink::LinkState link;
    link.port = &port;
    port.open(1, QStringLiteral("9600,N,8,1"));
    link.PortReady = true;
    std::vector<QByteArray> replies;
    port.device = [&](const QByteArray& written) {
        replies.push_back(linkfuzz::deviceReply(in, written));
        port.arrive(replies.back());
    };
    sampler::LinkSamplerDevice device(link);
    const sampler::ExchangeLimits instant{1, 1, 1, 0.0};
    const sampler::ExchangeOutcome outcome = sampler::runSamplingExchange(state, device, rate, instant);

    const QByteArray& sent = port.written;
    const QByteArray commands = QByteArray(1, static_cast<char>(state.RateCommand)) + static_cast<char>(state.TransferCommand);
    if (!commands.startsWith(sent)) fail("bytes sent other than the rate and the transfer commands");
    if (sent.size() == 2 && (replies.empty() || !replies.front().startsWith(commands.left(1))))
        fail("the transfer command sent without the reset's echo");
    if (outcome != sampler::ExchangeOutcome::Received) return 0;

    const QByteArray& raw = state.RawBytes;
    if (raw.size() < state.SampleBytes + 1 || static_cast<uint8_t>(raw[0]) != state.TransferCommand)
        fail("a capture taken without its echo and all its bytes");
    const int width = state.SampleWidth;
    const int perByte = 8 / width;
    for (int i = 0; i <= state.SampleBytes && (i + 1) * perByte <= static_cast<int>(state.SampleData.size()); ++i)
        if (packedByte(state.SampleData, i, width) != static_cast<uint8_t>(raw[i])) fail("samples other than the bytes captured");

    const sampler::SampleFileParse again = sampler::parseSampleDataFile(sampler::writeSampleDataFile(state));
    if (again.error != sampler::SampleFileError::None) fail("the data file of a capture not read back");
    for (std::size_t i = 0; i < again.content.rows.size(); ++i)
        if (again.content.rows[i] != state.SampleData[i]) fail("the data file reads back other samples");
    return 0;
}
