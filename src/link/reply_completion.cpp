#include "link/reply_completion.h"

namespace devlink {

bool isReplyComplete(QByteArrayView reply, int expectedBytes) {
    const qsizetype n = reply.size();
    if (n < kMonitorPrompt.size()) return false;
    if (reply.indexOf(kMonitorPrompt) != n - kMonitorPrompt.size()) return false;
    // n > 0.7 x expected, in whole numbers.
    return 10 * static_cast<long long>(n) > 7 * static_cast<long long>(expectedBytes);
}

}  // namespace devlink
