#include "link/fake/monitor_core.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace fakevaz {
namespace {

constexpr std::size_t kLineMax = 80;

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

}  // namespace

MonitorCore::MonitorCore(Options options) : options_(std::move(options)) {}

std::string MonitorCore::crEcho() const { return options_.edition == Edition::Corvane8 ? "\r" : "\r\n"; }

std::string MonitorCore::leadIn() const { return options_.edition == Edition::Corvane8 ? "\n" : ""; }

std::size_t sampleBlockSize(std::uint8_t c) {
    if ((c & 0xF0) != 0xA0) return 0;
    static const int widths[] = {2, 4, 0, 8};
    const int width = widths[c & 3];
    const std::size_t samples = 4096u >> ((c >> 2) & 3);
    return samples * static_cast<std::size_t>(width) / 8;
}

void MonitorCore::receive(std::uint8_t byte, Output& out) {
    if (options_.silent || deaf_) return;
    if (byte >= 0x30 && byte <= 0x37 && options_.sampleResetReply) {
        out.send(std::string(1, static_cast<char>(*options_.sampleResetReply)));
        return;
    }
    if (const std::size_t block = sampleBlockSize(byte)) {
        // The sampler's bytes are no command line.
        line_.clear();
        std::string reply(1, static_cast<char>(options_.sampleTransferReply ? *options_.sampleTransferReply : byte));
        const std::size_t count =
            options_.sampleDataLimit >= 0 ? std::min(block, static_cast<std::size_t>(options_.sampleDataLimit)) : block;
        for (std::size_t i = 0; i < count; ++i) reply.push_back(static_cast<char>(samplePattern(i)));
        out.send(reply);
        return;
    }
    if (byte == '\r') {
        if (options_.answerCrs >= 0 && crsSeen_ >= options_.answerCrs) {
            deaf_ = true;
            return;
        }
        ++crsSeen_;
        const std::string line = line_;
        line_.clear();
        runLine(line, out);
        return;
    }
    if (byte == '\n') return;
    if (byte == 0x7F || byte == 0x08) {
        if (!line_.empty()) {
            line_.pop_back();
            out.send("\b \b");
        }
        return;
    }
    if (byte >= 0x20 && byte <= 0x7E && line_.size() < kLineMax) line_.push_back(static_cast<char>(byte));
    out.send(std::string(1, static_cast<char>(byte)));
}

void MonitorCore::runLine(const std::string& raw, Output& out) {
    const std::string line = trimmed(raw);
    out.executed(raw);
    if (line.empty()) {
        out.send(options_.emptyLineReply ? *options_.emptyLineReply : crEcho() + leadIn() + ">");
        return;
    }
    // Commands answer with their echo first and their output as a second write.
    out.send(crEcho());
    out.send(leadIn() + "ERROR\r\n>");
}

std::optional<Edition> editionFromName(std::string_view name) {
    std::string n(name);
    std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return std::tolower(c); });
    if (n == "16" || n == "corvane16") return Edition::Corvane16;
    if (n == "base" || n == "corvane") return Edition::Corvane;
    if (n == "8" || n == "corvane8") return Edition::Corvane8;
    return std::nullopt;
}

std::optional<std::string> bytesFromHex(std::string_view hex) {
    std::string digits;
    for (char c : hex) {
        if (c == ' ' || c == ',' || c == ':') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits.push_back(c);
    }
    if (digits.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string hexOf(std::string_view bytes) {
    std::string s;
    char buf[4];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, s.empty() ? "%02X" : " %02X", c);
        s += buf;
    }
    return s;
}

}  // namespace fakevaz
