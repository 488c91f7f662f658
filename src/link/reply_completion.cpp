#include "link/reply_completion.h"

#include <algorithm>

namespace devlink {

void ReplyCompletion::take(QByteArrayView bytes) {
    if (bytes.isEmpty()) return;
    if (firstPrompt_ < 0) {
        // A prompt that began in the last read: the two bytes kept from it and
        // the first two of this one.
        const qsizetype carried = static_cast<qsizetype>(std::min<qint64>(received_, 2));
        char edge[4];
        qsizetype edgeSize = 0;
        for (qsizetype i = 2 - carried; i < 2; ++i) edge[edgeSize++] = last_[i];
        for (qsizetype i = 0; i < std::min<qsizetype>(bytes.size(), 2); ++i) edge[edgeSize++] = bytes[i];
        const qsizetype atEdge = QByteArrayView(edge, edgeSize).indexOf(kMonitorPrompt);
        if (atEdge >= 0 && atEdge < carried) {
            firstPrompt_ = received_ - carried + atEdge;
        } else if (const qsizetype at = bytes.indexOf(kMonitorPrompt); at >= 0) {
            firstPrompt_ = received_ + at;
        }
    }
    if (bytes.size() >= 2) {
        last_[0] = bytes[bytes.size() - 2];
        last_[1] = bytes[bytes.size() - 1];
    } else {
        last_[0] = last_[1];
        last_[1] = bytes[0];
    }
    received_ += bytes.size();
}

bool ReplyCompletion::isComplete(int expectedBytes) const {
    if (firstPrompt_ < 0 || firstPrompt_ + kMonitorPrompt.size() != received_) return false;
    // n > 0.7 x expected, in whole numbers.
    return 10 * received_ > 7 * static_cast<qint64>(expectedBytes);
}

bool isReplyComplete(QByteArrayView reply, int expectedBytes) {
    ReplyCompletion check;
    check.take(reply);
    return check.isComplete(expectedBytes);
}

}  // namespace devlink
