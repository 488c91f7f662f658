// fake_vaz: a fake VAZ device monitor on a pseudo-terminal, for trying the
// program by hand. See the README's section for developers.

#include "link/fake/fake_vaz_monitor.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace {

void usage(FILE* to) {
    std::fputs(
        "usage: fake_vaz --link PATH [--edition 16|base|8] [--silent] [--answer-crs K]\n"
        "                [--empty-line-reply HEX] [--sample-reset-reply HEX]\n"
        "                [--sample-transfer-reply HEX] [--mute-replies N] [--mute-after N]\n"
        "                [--reply-chunks K[:MS]] [--output-with-echo] [--step-delay MS]\n"
        "                [--run-delay MS] [--flood-reply N] [--hold-reply-tail N]\n"
        "                [--send-block ADDR:COUNT] [--trailer HEX]\n"
        "                [--trailer-delay MS] [--double-byte-at K] [--log FILE|-]\n"
        "  --link PATH             symlink to create for the port, e.g. /tmp/vaz/COM2\n"
        "  --edition 16|base|8     which monitor to play (default 16)\n"
        "  --silent                never answer (a port with nothing on it)\n"
        "  --answer-crs K          answer only the first K carriage returns, then nothing\n"
        "  --empty-line-reply HEX  reply to a carriage return on an empty line, e.g. \"0D 0D 0A 3E\"\n"
        "  --sample-reset-reply HEX     answer a sampler rate byte (30-37) with this byte, e.g. 61\n"
        "  --sample-transfer-reply HEX  answer a transfer byte (A0-AF) with this byte before the data\n"
        "  --mute-replies N        withhold the output of the next N commands (-1: all); echoes still come\n"
        "  --mute-after N          answer nothing at all after N received bytes\n"
        "  --reply-chunks K[:MS]   send a command's output in K writes, MS apart (default 10)\n"
        "  --output-with-echo      send a command's output with the echo of its carriage return\n"
        "  --step-delay MS         T and P print after MS (default 30)\n"
        "  --run-delay MS          G prints after MS (default 150)\n"
        "  --flood-reply N         the next command's output is N bytes of text without a prompt\n"
        "  --hold-reply-tail N     the last N bytes of a command's output wait for a further received byte\n"
        "  --send-block ADDR:COUNT block (hex) the code send routine sends (default 1000:20; count 0: 65536)\n"
        "  --trailer HEX           what the code routines send after the last echo (default \"0D 0A 3E\"; \"\" none)\n"
        "  --trailer-delay MS      how long after the last echo (default 20)\n"
        "  --double-byte-at K      code data byte K travels with a second byte in one write\n"
        "  --log FILE|-            write every byte received and sent (- for standard output)\n"
        "Runs until interrupted (Ctrl+C) and then removes the link.\n",
        to);
}

}  // namespace

int main(int argc, char** argv) {
    fakevaz::Options options;
    std::string link;
    std::string logPath;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "fake_vaz: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--link") link = value();
        else if (a == "--edition") {
            const auto e = fakevaz::editionFromName(value());
            if (!e) {
                std::fputs("fake_vaz: --edition takes 16, base or 8\n", stderr);
                return 2;
            }
            options.edition = *e;
        } else if (a == "--silent") options.silent = true;
        else if (a == "--answer-crs") options.answerCrs = std::atoi(value().c_str());
        else if (a == "--empty-line-reply") {
            const auto bytes = fakevaz::bytesFromHex(value());
            if (!bytes) {
                std::fputs("fake_vaz: --empty-line-reply takes hexadecimal bytes\n", stderr);
                return 2;
            }
            options.emptyLineReply = *bytes;
        } else if (a == "--sample-reset-reply" || a == "--sample-transfer-reply") {
            const auto bytes = fakevaz::bytesFromHex(value());
            if (!bytes || bytes->size() != 1) {
                std::fprintf(stderr, "fake_vaz: %s takes one hexadecimal byte\n", a.c_str());
                return 2;
            }
            (a == "--sample-reset-reply" ? options.sampleResetReply : options.sampleTransferReply) =
                static_cast<std::uint8_t>((*bytes)[0]);
        } else if (a == "--mute-replies") options.muteReplies = std::atoi(value().c_str());
        else if (a == "--mute-after") options.muteAfter = std::atoi(value().c_str());
        else if (a == "--reply-chunks") {
            const std::string v = value();
            options.replyChunks = std::atoi(v.c_str());
            if (const auto colon = v.find(':'); colon != std::string::npos)
                options.chunkGapMs = std::atoi(v.c_str() + colon + 1);
        } else if (a == "--output-with-echo") options.outputWithEcho = true;
        else if (a == "--step-delay") options.stepDelayMs = std::atoi(value().c_str());
        else if (a == "--run-delay") options.runDelayMs = std::atoi(value().c_str());
        else if (a == "--flood-reply") options.floodReply = std::strtoull(value().c_str(), nullptr, 10);
        else if (a == "--hold-reply-tail") options.holdReplyTail = std::atoi(value().c_str());
        else if (a == "--send-block") {
            const std::string v = value();
            const auto colon = v.find(':');
            if (colon == std::string::npos) {
                std::fputs("fake_vaz: --send-block takes ADDR:COUNT in hexadecimal\n", stderr);
                return 2;
            }
            const auto hex = [](const std::string& digits) {
                return static_cast<std::uint16_t>(std::strtoul(digits.c_str(), nullptr, 16));
            };
            options.sendBlockAddress = hex(v.substr(0, colon));
            options.sendBlockCount = hex(v.substr(colon + 1));
        } else if (a == "--trailer") {
            const auto bytes = fakevaz::bytesFromHex(value());
            if (!bytes) {
                std::fputs("fake_vaz: --trailer takes hexadecimal bytes\n", stderr);
                return 2;
            }
            options.trailer = *bytes;
        } else if (a == "--trailer-delay") options.trailerDelayMs = std::atoi(value().c_str());
        else if (a == "--double-byte-at") options.doubleByteAt = std::atoi(value().c_str());
        else if (a == "--log") logPath = value();
        else if (a == "-h" || a == "--help") {
            usage(stdout);
            return 0;
        } else {
            std::fprintf(stderr, "fake_vaz: unknown argument %s\n", a.c_str());
            usage(stderr);
            return 2;
        }
    }
    if (link.empty()) {
        usage(stderr);
        return 2;
    }

    // Signals are taken by sigwait below, never by the fake's thread.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    FILE* log = nullptr;
    if (logPath == "-") log = stdout;
    else if (!logPath.empty() && !(log = std::fopen(logPath.c_str(), "a"))) {
        std::fprintf(stderr, "fake_vaz: cannot open %s: %s\n", logPath.c_str(), std::strerror(errno));
        return 1;
    }

    fakevaz::FakeVazMonitor fake(options);
    const auto begin = std::chrono::steady_clock::now();
    std::mutex logMutex;
    if (log) {
        fake.setTrace([&](const std::string& event) {
            const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
            std::lock_guard lock(logMutex);
            std::fprintf(log, "%9.3f %s\n", t, event.c_str());
            std::fflush(log);
        });
    }
    std::string error;
    if (!fake.start(link, &error)) {
        std::fprintf(stderr, "fake_vaz: %s\n", error.c_str());
        return 1;
    }
    std::printf("fake_vaz: %s -> %s\n", link.c_str(), fake.slavePath().c_str());
    std::fflush(stdout);

    int sig = 0;
    sigwait(&signals, &sig);
    fake.stop();
    if (log && log != stdout) std::fclose(log);
    return 0;
}
