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
//
// Code routines: G at the edition's routine addresses starts the device's code
// send or receive routine instead of a run. Both move a four-byte header
// (address high, address low, count high, count low) and the data byte by
// byte, each byte answered by its echo (16-bit editions: a location's high
// byte first), then send the trailer and return to line mode.

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
    // The output of the next command line is this many bytes of text without
    // a prompt, after the echo, in writes of 4 KiB: a device gone wrong. 0: off.
    std::size_t floodReply = 0;
    // The last N bytes of every command's output wait until the device
    // receives a further byte, which only releases them. 0: none wait.
    int holdReplyTail = 0;

    // Code routines.
    // The block the send routine sends: address and location count (0: 65536 locations).
    std::uint16_t sendBlockAddress = 0x1000;
    std::uint16_t sendBlockCount = 0x20;
    // What both routines send trailerDelayMs after their last echo; "" sends nothing.
    std::string trailer = "\r\n>";
    int trailerDelayMs = 20;
    // Data byte k (1-based) travels with a second byte in one write: the send
    // routine sends bytes k and k+1 together, the receive routine echoes byte k twice.
    int doubleByteAt = 0;
};

// A block a code routine moved.
struct CodeBlock {
    std::uint16_t address = 0;
    std::uint32_t count = 0;  // locations, 65536 for a header count of 0
    std::string data;         // as it travelled
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
    // A code routine's block, once its last byte was echoed.
    virtual void blockReceived(const CodeBlock& block) { (void)block; }
    virtual void blockSent(const CodeBlock& block) { (void)block; }
    // Something the other side got wrong, e.g. "echo_mismatch 12 41 42".
    virtual void error(const std::string& what) { (void)what; }
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
    const MonitorMachine& machine() const { return *machine_; }
    // The G addresses of the code routines: the one that receives a block (the
    // program sends) and the one that sends a block.
    std::uint16_t receiveRoutine() const;
    std::uint16_t sendRoutine() const;

private:
    enum class Routine { None, Sending, Receiving };

    void runLine(const std::string& line, Output& out);
    void answerCommand(const std::string& line, Output& out);
    void startSending(Output& out);
    void sendNext(Output& out);
    void takeSendEcho(std::uint8_t byte, Output& out);
    void takeReceived(std::uint8_t byte, Output& out);
    std::size_t bytesPerLocation() const;
    std::uint32_t locations(std::uint16_t count) const { return count == 0 ? 65536u : count; }

    Options options_;
    std::string line_;
    int crsSeen_ = 0;
    bool deaf_ = false;
    long long bytesSeen_ = 0;
    int repliesMuted_ = 0;
    bool flooded_ = false;
    std::string heldTail_;
    std::unique_ptr<MonitorMachine> machine_;
    Routine routine_ = Routine::None;
    std::string stream_;        // sending: header and data; receiving: what came so far
    std::size_t streamAt_ = 0;  // sending: the next byte to send
    std::string awaited_;       // sending: echoes still due, in order
    CodeBlock block_;
};

// "16", "base", "8" (also the program names); nullopt for anything else.
std::optional<Edition> editionFromName(std::string_view name);
// "0D 0A 3E" or "0d0a3e" to bytes; nullopt when malformed.
std::optional<std::string> bytesFromHex(std::string_view hex);
std::string hexOf(std::string_view bytes);

}  // namespace fakevaz
