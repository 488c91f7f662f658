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
    if (!heldTail_.empty()) {
        out.send(heldTail_);
        heldTail_.clear();
        return;
    }
    if (routine_ == Routine::Sending) {
        takeSendEcho(byte, out);
        return;
    }
    if (routine_ == Routine::Receiving) {
        takeReceived(byte, out);
        return;
    }
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
    if (letter == 'G' && !malformed && address && (*address == receiveRoutine() || *address == sendRoutine())) {
        out.send(crEcho());
        if (*address == sendRoutine()) {
            startSending(out);
        } else {
            routine_ = Routine::Receiving;
            stream_.clear();
        }
        return;
    }
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
    std::string output = leadIn() + body + ">";
    if (repliesMuted_ != 0) {
        if (repliesMuted_ > 0) --repliesMuted_;
        out.send(crEcho());
        return;
    }
    if (options_.floodReply > 0 && !flooded_) {
        flooded_ = true;
        out.send(crEcho());
        static constexpr std::string_view kLine = "0123456789ABCDEF\r\n";
        std::string piece;
        for (std::size_t left = options_.floodReply; left > 0; left -= piece.size()) {
            piece.clear();
            while (piece.size() < std::min<std::size_t>(left, 4096))
                piece.push_back(kLine[piece.size() % kLine.size()]);
            out.send(piece);
        }
        return;
    }
    if (options_.holdReplyTail > 0) {
        const std::size_t held = std::min(output.size(), static_cast<std::size_t>(options_.holdReplyTail));
        heldTail_ = output.substr(output.size() - held);
        output.resize(output.size() - held);
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

std::uint16_t MonitorCore::receiveRoutine() const {
    switch (options_.edition) {
        case Edition::Corvane16: return 0x078B;
        case Edition::Corvane: return 0x033E;
        case Edition::Corvane8: return 0x1F00;
    }
    return 0;
}

std::uint16_t MonitorCore::sendRoutine() const {
    switch (options_.edition) {
        case Edition::Corvane16: return 0x0769;
        case Edition::Corvane: return 0x0322;
        case Edition::Corvane8: return 0x1F57;
    }
    return 0;
}

std::size_t MonitorCore::bytesPerLocation() const { return machine_->eightBit() ? 1 : 2; }

void MonitorCore::startSending(Output& out) {
    const std::uint16_t a = options_.sendBlockAddress;
    const std::uint16_t c = options_.sendBlockCount;
    stream_ = {static_cast<char>(a >> 8), static_cast<char>(a & 0xFF), static_cast<char>(c >> 8),
               static_cast<char>(c & 0xFF)};
    const std::uint32_t n = locations(c);
    for (std::uint32_t i = 0; i < n; ++i) {
        const unsigned value = machine_->memory(static_cast<std::uint16_t>(a + i));
        if (bytesPerLocation() == 2) stream_.push_back(static_cast<char>(value >> 8));
        stream_.push_back(static_cast<char>(value & 0xFF));
    }
    block_ = {a, n, stream_.substr(4)};
    streamAt_ = 0;
    awaited_.clear();
    routine_ = Routine::Sending;
    sendNext(out);
}

void MonitorCore::sendNext(Output& out) {
    if (streamAt_ >= stream_.size()) {
        routine_ = Routine::None;
        out.blockSent(block_);
        if (!options_.trailer.empty()) out.sendAfter(options_.trailerDelayMs, options_.trailer);
        return;
    }
    std::size_t n = 1;
    const std::size_t dataIndex = streamAt_ >= 4 ? streamAt_ - 4 + 1 : 0;  // 1-based
    if (options_.doubleByteAt > 0 && dataIndex == static_cast<std::size_t>(options_.doubleByteAt) &&
        streamAt_ + 1 < stream_.size())
        n = 2;
    const std::string bytes = stream_.substr(streamAt_, n);
    streamAt_ += n;
    awaited_ += bytes;
    out.send(bytes);
}

void MonitorCore::takeSendEcho(std::uint8_t byte, Output& out) {
    const auto expected = static_cast<std::uint8_t>(awaited_.front());
    if (byte != expected) {
        // Position counted over header and data from 0.
        const std::size_t position = streamAt_ - awaited_.size();
        char what[64];
        std::snprintf(what, sizeof what, "echo_mismatch %zu %02X %02X", position, expected, byte);
        out.error(what);
        routine_ = Routine::None;
        out.send("\r\nERR\r\n>");
        return;
    }
    awaited_.erase(0, 1);
    if (awaited_.empty()) sendNext(out);
}

void MonitorCore::takeReceived(std::uint8_t byte, Output& out) {
    stream_.push_back(static_cast<char>(byte));
    const std::size_t at = stream_.size();  // 1-based position over header and data
    std::string echo(1, static_cast<char>(byte));
    if (at > 4 && options_.doubleByteAt > 0 && at - 4 == static_cast<std::size_t>(options_.doubleByteAt)) echo += echo;
    if (at > 4) {
        const auto address = static_cast<std::uint16_t>((static_cast<std::uint8_t>(stream_[0]) << 8) |
                                                        static_cast<std::uint8_t>(stream_[1]));
        const std::size_t i = at - 5;  // data index
        const auto location = static_cast<std::uint16_t>(address + i / bytesPerLocation());
        unsigned value = machine_->memory(location);
        if (bytesPerLocation() == 1) value = byte;
        else if (i % 2 == 0) value = (value & 0x00FF) | (static_cast<unsigned>(byte) << 8);
        else value = (value & 0xFF00) | byte;
        machine_->setMemory(location, value);
    }
    out.send(echo);
    if (at < 4) return;
    const auto count = static_cast<std::uint16_t>((static_cast<std::uint8_t>(stream_[2]) << 8) |
                                                  static_cast<std::uint8_t>(stream_[3]));
    const std::size_t total = 4 + locations(count) * bytesPerLocation();
    if (at < total) return;
    const auto address = static_cast<std::uint16_t>((static_cast<std::uint8_t>(stream_[0]) << 8) |
                                                    static_cast<std::uint8_t>(stream_[1]));
    routine_ = Routine::None;
    out.blockReceived({address, locations(count), stream_.substr(4)});
    if (!options_.trailer.empty()) out.sendAfter(options_.trailerDelayMs, options_.trailer);
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
