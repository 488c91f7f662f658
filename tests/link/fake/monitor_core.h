#pragma once
// What the fake VAZ monitor answers, byte by byte, without any I/O: the runner
// feeds it received bytes and writes out what it sends. One instance per port.
//
// Line mode: printable characters are echoed and collected; a carriage return
// is echoed (CR LF, or CR alone in the 8-bit edition) and runs the line. The
// reply to a line is lead-in ("" or LF in the 8-bit edition), body and ">"; an
// empty line therefore yields exactly CR LF ">" in every edition, in one write.
// Monitor commands (D, R, U, G, T, P) are dispatched by their letter in
// runLine() and answered from a MonitorMachine: the echo of the carriage return
// first, then the output as a write of its own (later for T, P and G).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace fakevaz {

enum class Edition { Corvane16, Corvane, Corvane8 };

struct Options {
    Edition edition = Edition::Corvane16;
    // Never sends anything: a port with nothing on it.
    bool silent = false;
    // Answers only the first k carriage returns, then ignores everything; -1 answers all.
    int answerCrs = -1;
    // The whole reply (echo included) to a carriage return on an empty line.
    std::optional<std::string> emptyLineReply;

    // The sampler. A rate byte 30-37 hex is answered with its echo, as any
    // printable byte, unless `sampleResetReply` names another answer. A transfer
    // byte A0-AF hex with a valid width code (not 2) is answered with its echo,
    // or `sampleTransferReply`, followed by the block it asks for: length x
    // width / 8 bytes of samplePattern(), or only the first `sampleDataLimit` of them.
    std::optional<std::uint8_t> sampleResetReply;
    std::optional<std::uint8_t> sampleTransferReply;
    int sampleDataLimit = -1;

    // Monitor commands; every knob is off by default.
    // The output of the next N command lines is withheld (their echo still comes); -1: of all.
    int muteReplies = 0;
    // Once N bytes have been received nothing more is answered; -1: never.
    int muteAfter = -1;
    // A command's output goes out in this many writes, this far apart.
    int replyChunks = 1;
    int chunkGapMs = 10;
    // A command's output goes out at once, in one write with the echo of its carriage return.
    bool outputWithEcho = false;
    // T and P print after stepDelayMs, G after runDelayMs.
    int stepDelayMs = 30;
    int runDelayMs = 150;
};

// The sampler's data byte at position i of a block (a binary counter, so every
// channel shows a square wave of its own period).
inline std::uint8_t samplePattern(std::size_t i) { return static_cast<std::uint8_t>(i & 0xFF); }
// Data bytes that a transfer byte asks for: 4096 >> length code samples of
// 2, 4 or 8 bits; 0 for a byte that is no transfer command.
std::size_t sampleBlockSize(std::uint8_t transferCommand);

// Where the monitor's bytes go. Every send() is one write on the line.
class Output {
public:
    virtual ~Output() = default;
    virtual void send(std::string_view bytes) = 0;
    // A write `delayMs` after the writes still waiting to go out (or after now,
    // when none wait). By default at once.
    virtual void sendAfter(int delayMs, std::string_view bytes) {
        (void)delayMs;
        send(bytes);
    }
    // A line the monitor ran (for assertions and the log).
    virtual void executed(const std::string& line) { (void)line; }
};

class MonitorMachine;

class MonitorCore {
public:
    explicit MonitorCore(Options options);
    ~MonitorCore();

    void receive(std::uint8_t byte, Output& out);

    const Options& options() const { return options_; }
    std::string crEcho() const;
    std::string leadIn() const;
    MonitorMachine& machine() { return *machine_; }

private:
    void runLine(const std::string& line, Output& out);
    void answerCommand(const std::string& line, Output& out);

    Options options_;
    std::string line_;
    int crsSeen_ = 0;
    bool deaf_ = false;
    long long bytesSeen_ = 0;
    int repliesMuted_ = 0;
    std::unique_ptr<MonitorMachine> machine_;
};

// "16", "base", "8" (also the program names); nullopt for anything else.
std::optional<Edition> editionFromName(std::string_view name);
// "0D 0A 3E" or "0d0a3e" to bytes; nullopt when malformed.
std::optional<std::string> bytesFromHex(std::string_view hex);
std::string hexOf(std::string_view bytes);

}  // namespace fakevaz
