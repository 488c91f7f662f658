#pragma once
// A fake VAZ device monitor on its own pseudo-terminal, answering on a thread of
// its own. Tests start one per port they need (a symlink COM<n> in a temporary
// folder named by CORVANE_COM_DIR) and assert on what it received and sent;
// the command-line tool fake_vaz runs one for trying the program by hand.

#include "link/fake/monitor_core.h"
#include "link/fake/pseudo_terminal.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fakevaz {

class FakeVazMonitor {
public:
    using Clock = std::chrono::steady_clock;
    struct Received {
        std::uint8_t byte;
        Clock::time_point at;
    };
    struct Sent {
        std::string bytes;
        Clock::time_point at;
    };
    struct Block : CodeBlock {
        Clock::time_point at;  // when its last byte was echoed
    };

    explicit FakeVazMonitor(Options options = {});
    ~FakeVazMonitor();
    FakeVazMonitor(const FakeVazMonitor&) = delete;
    FakeVazMonitor& operator=(const FakeVazMonitor&) = delete;

    // Creates the pseudo-terminal, points `linkPath` at its slave side (replacing
    // what was there) and starts answering.
    bool start(const std::string& linkPath, std::string* error = nullptr);
    // Stops answering, removes the link and the pseudo-terminal.
    void stop();

    const std::string& slavePath() const { return pty_.slavePath(); }
    const Options& options() const { return core_.options(); }

    // What happened so far; safe to call from any thread.
    std::vector<Received> received() const;
    std::string receivedBytes() const;
    std::size_t receivedCount(std::uint8_t byte) const;
    std::vector<Sent> sent() const;
    std::vector<std::string> executedLines() const;
    std::vector<Block> blocksReceived() const;
    std::vector<Block> blocksSent() const;
    std::vector<std::string> errors() const;

    // The device's memory (a word per location in the 16-bit editions); safe
    // from any thread, also while the fake answers.
    unsigned memory(std::uint16_t address) const;
    void setMemory(std::uint16_t address, unsigned value);

    // Called on the fake's thread for every event, as one line of text
    // ("rx 0D", "tx 0D 0A 3E", "line \"D1000\"").
    void setTrace(std::function<void(const std::string&)> trace);

private:
    class Runner;
    void loop();
    void writeAll(std::string_view bytes);
    void trace(const std::string& text);

    mutable std::mutex coreMutex_;  // held while the core works
    MonitorCore core_;
    PseudoTerminal pty_;
    std::string linkPath_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<Received> received_;
    std::vector<Sent> sent_;
    std::vector<std::string> lines_;
    std::vector<Block> blocksReceived_, blocksSent_;
    std::vector<std::string> errors_;
    std::function<void(const std::string&)> trace_;
};

}  // namespace fakevaz
