#include "link/fake/fake_vaz_monitor.h"

#include "link/fake/monitor_machine.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <deque>
#include <poll.h>
#include <unistd.h>

namespace fakevaz {

class FakeVazMonitor::Runner : public Output {
public:
    explicit Runner(FakeVazMonitor& fake) : fake_(fake) {}
    // Writes keep their order: while later writes wait, a write at once waits behind them.
    void send(std::string_view bytes) override {
        if (waiting_.empty()) fake_.writeAll(bytes);
        else waiting_.push_back({waiting_.back().due, std::string(bytes)});
    }
    void sendAfter(int delayMs, std::string_view bytes) override {
        const auto from = waiting_.empty() ? Clock::now() : std::max(Clock::now(), waiting_.back().due);
        waiting_.push_back({from + std::chrono::milliseconds(delayMs), std::string(bytes)});
    }
    // Sends what is due; the time until the next write is due, or `idle` when nothing waits.
    std::chrono::milliseconds sendDue(std::chrono::milliseconds idle) {
        while (!waiting_.empty() && waiting_.front().due <= Clock::now()) {
            const std::string bytes = std::move(waiting_.front().bytes);
            waiting_.pop_front();
            fake_.writeAll(bytes);
        }
        if (waiting_.empty()) return idle;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(waiting_.front().due - Clock::now());
        return std::clamp(left, std::chrono::milliseconds(0), idle);
    }
    void executed(const std::string& line) override {
        {
            std::lock_guard lock(fake_.mutex_);
            fake_.lines_.push_back(line);
        }
        fake_.trace("line \"" + line + "\"");
    }
    void blockReceived(const CodeBlock& block) override { record(fake_.blocksReceived_, "block_received", block); }
    void blockSent(const CodeBlock& block) override { record(fake_.blocksSent_, "block_sent", block); }
    void error(const std::string& what) override {
        {
            std::lock_guard lock(fake_.mutex_);
            fake_.errors_.push_back(what);
        }
        fake_.trace("error " + what);
    }

private:
    void record(std::vector<Block>& to, const char* what, const CodeBlock& block) {
        {
            std::lock_guard lock(fake_.mutex_);
            to.push_back({block, Clock::now()});
        }
        char head[64];
        std::snprintf(head, sizeof head, "%s %04X %u: ", what, block.address, static_cast<unsigned>(block.count));
        fake_.trace(head + hexOf(block.data));
    }

    struct Later {
        Clock::time_point due;
        std::string bytes;
    };
    FakeVazMonitor& fake_;
    std::deque<Later> waiting_;
};

FakeVazMonitor::FakeVazMonitor(Options options) : core_(std::move(options)) {}

FakeVazMonitor::~FakeVazMonitor() { stop(); }

bool FakeVazMonitor::start(const std::string& linkPath, std::string* error) {
    stop();
    if (!pty_.open(error)) return false;
    ::unlink(linkPath.c_str());
    if (::symlink(pty_.slavePath().c_str(), linkPath.c_str()) != 0) {
        if (error) *error = "symlink " + linkPath + ": " + std::strerror(errno);
        pty_.close();
        return false;
    }
    linkPath_ = linkPath;
    stopping_ = false;
    thread_ = std::thread([this] { loop(); });
    return true;
}

void FakeVazMonitor::stop() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    if (!linkPath_.empty()) {
        // Only our own link goes; a later fake may have taken the name over.
        char target[PATH_MAX];
        const ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == pty_.slavePath()) ::unlink(linkPath_.c_str());
        linkPath_.clear();
    }
    pty_.close();
}

void FakeVazMonitor::setTrace(std::function<void(const std::string&)> trace) {
    std::lock_guard lock(mutex_);
    trace_ = std::move(trace);
}

void FakeVazMonitor::trace(const std::string& text) {
    std::function<void(const std::string&)> t;
    {
        std::lock_guard lock(mutex_);
        t = trace_;
    }
    if (t) t(text);
}

void FakeVazMonitor::loop() {
    Runner runner(*this);
    const int master = pty_.master();
    unsigned char buf[512];
    while (!stopping_) {
        const auto wait = runner.sendDue(std::chrono::milliseconds(5));
        pollfd p{master, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(wait.count()));
        if (ready <= 0) continue;
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n <= 0) {
            // EAGAIN or EIO: nothing to read now; do not spin on a hang-up.
            if (p.revents & (POLLHUP | POLLERR)) ::usleep(5000);
            continue;
        }
        const auto now = Clock::now();
        {
            std::lock_guard lock(mutex_);
            for (ssize_t i = 0; i < n; ++i) received_.push_back({buf[i], now});
        }
        trace("rx " + hexOf(std::string_view(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n))));
        std::lock_guard core(coreMutex_);
        for (ssize_t i = 0; i < n; ++i) core_.receive(buf[i], runner);
    }
}

void FakeVazMonitor::writeAll(std::string_view bytes) {
    if (bytes.empty()) return;
    {
        std::lock_guard lock(mutex_);
        sent_.push_back({std::string(bytes), Clock::now()});
    }
    trace("tx " + hexOf(bytes));
    const int master = pty_.master();
    std::size_t done = 0;
    while (done < bytes.size() && !stopping_) {
        const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        pollfd p{master, POLLOUT, 0};
        ::poll(&p, 1, 5);
    }
}

std::vector<FakeVazMonitor::Received> FakeVazMonitor::received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::string FakeVazMonitor::receivedBytes() const {
    std::lock_guard lock(mutex_);
    std::string s;
    for (const auto& r : received_) s.push_back(static_cast<char>(r.byte));
    return s;
}

std::size_t FakeVazMonitor::receivedCount(std::uint8_t byte) const {
    std::lock_guard lock(mutex_);
    std::size_t count = 0;
    for (const auto& r : received_) count += r.byte == byte;
    return count;
}

std::vector<FakeVazMonitor::Sent> FakeVazMonitor::sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

std::vector<FakeVazMonitor::Block> FakeVazMonitor::blocksReceived() const {
    std::lock_guard lock(mutex_);
    return blocksReceived_;
}

std::vector<FakeVazMonitor::Block> FakeVazMonitor::blocksSent() const {
    std::lock_guard lock(mutex_);
    return blocksSent_;
}

std::vector<std::string> FakeVazMonitor::errors() const {
    std::lock_guard lock(mutex_);
    return errors_;
}

unsigned FakeVazMonitor::memory(std::uint16_t address) const {
    std::lock_guard core(coreMutex_);
    return core_.machine().memory(address);
}

void FakeVazMonitor::setMemory(std::uint16_t address, unsigned value) {
    std::lock_guard core(coreMutex_);
    core_.machine().setMemory(address, value);
}

std::vector<std::string> FakeVazMonitor::executedLines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

}  // namespace fakevaz
