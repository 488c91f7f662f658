#pragma once
// When a D, R or U reply of the monitor is complete.

#include <QByteArrayView>

namespace devlink {

// Carriage return, line feed, ">": the monitor ends every reply with it.
inline constexpr QByteArrayView kMonitorPrompt("\r\n>", 3);

// The most reply bytes an exchange keeps for the lists: far above any
// monitor's reply (1120 bytes at most), so only a device gone wrong reaches it.
inline constexpr qsizetype kReplyKeptBytes = 64 * 1024;

// The completion check of one reply, fed with the bytes of each read. A read
// is searched only together with the two bytes before it (a prompt may come
// split across reads), and the search ends at the first prompt, so the cost
// per byte stays the same however long the reply grows.
class ReplyCompletion {
public:
    void take(QByteArrayView bytes);

    // Reply bytes taken so far.
    qint64 received() const { return received_; }
    // Where the reply's first prompt begins; -1 while there is none.
    qint64 firstPrompt() const { return firstPrompt_; }
    // Complete when the first prompt is the reply's last three bytes and the
    // reply is longer than 70% of `expectedBytes`.
    bool isComplete(int expectedBytes) const;
    // Bytes followed the first prompt: no further byte can complete the reply.
    bool cannotComplete() const { return firstPrompt_ >= 0 && firstPrompt_ + kMonitorPrompt.size() != received_; }

private:
    qint64 received_ = 0;
    qint64 firstPrompt_ = -1;
    char last_[2] = {};  // the last two bytes taken, the latest second
};

// The same check on a whole reply at once.
bool isReplyComplete(QByteArrayView reply, int expectedBytes);

}  // namespace devlink
