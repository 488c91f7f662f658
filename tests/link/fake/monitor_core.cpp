#include "link/fake/monitor_core.h"

#include "link/fake/monitor_machine.h"

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

MonitorCore::MonitorCore(Options options)
    : options_(std::move(options)), repliesMuted_(options_.muteReplies),
      machine_(std::make_unique<MonitorMachine>(options_.edition)) {}

MonitorCore::~MonitorCore() = default;

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
    if (options_.muteAfter >= 0 && ++bytesSeen_ > options_.muteAfter) return;
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
    answerCommand(line, out);
}

void MonitorCore::answerCommand(const std::string& line, Output& out) {
    MonitorMachine& m = *machine_;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
    bool malformed = false;
    const auto address = m.parseAddress(line.substr(1), malformed);
    std::string body = "ERROR\r\n";
    int delayMs = 0;
    if (!malformed) {
        switch (letter) {
            case 'D': body = m.dump(address); break;
            case 'U': body = m.unassemble(address); break;
            case 'R':
                if (line.size() == 1) body = m.registers();
                break;
            case 'T':
            case 'P':
                body = m.step(address);
                delayMs = options_.stepDelayMs;
                break;
            case 'G':
                body = m.run(address);
                delayMs = options_.runDelayMs;
                break;
            default: break;
        }
    }
    const std::string output = leadIn() + body + ">";
    if (repliesMuted_ != 0) {
        if (repliesMuted_ > 0) --repliesMuted_;
        out.send(crEcho());
        return;
    }
    if (options_.outputWithEcho) {
        out.send(crEcho() + output);
        return;
    }
    // The echo first, then the output as a write of its own (or several).
    out.send(crEcho());
    const int chunks = std::max(1, std::min<int>(options_.replyChunks, static_cast<int>(output.size())));
    const std::size_t size = output.size() / static_cast<std::size_t>(chunks);
    std::size_t at = 0;
    for (int c = 0; c < chunks; ++c) {
        const std::size_t n = c + 1 == chunks ? output.size() - at : size;
        out.sendAfter(c == 0 ? delayMs : options_.chunkGapMs, std::string_view(output).substr(at, n));
        at += n;
    }
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
