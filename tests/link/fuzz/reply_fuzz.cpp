// Feeds arbitrary bytes to the monitor reply fills and to the completion
// check. The first byte picks the reply layout and where the reply is cut
// into reads; the rest is the reply. The fills must stay inside the reply
// and their row counts; the check, fed the reads one after the other, must
// find the first prompt of the whole reply.
#include "link/reply_completion.h"
#include "link/reply_fills.h"
#include "link/fuzz/checked_reply_lists.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "reply: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto layout = (data[0] & 1) ? editions::ReplyLayout::Eight : editions::ReplyLayout::Sixteen;
    const QByteArrayView reply(data + 1, static_cast<qsizetype>(size - 1));

    linkfuzz::CheckedReplyLists lists(fail);
    devlink::fillMemoryList(reply, layout, lists);
    devlink::fillRegisterList(reply, layout, lists);
    devlink::fillUnasmList(reply, layout, lists);
    if (lists.unasmRows > 16) fail("more than 15 unassembly lines");

    // Reads of a length from 1 to 32, from the first byte on.
    const qsizetype step = 1 + (data[0] >> 3);
    devlink::ReplyCompletion check;
    for (qsizetype at = 0; at < reply.size(); at += step) check.take(reply.sliced(at, std::min(step, reply.size() - at)));
    const qsizetype first = reply.indexOf(devlink::kMonitorPrompt);
    if (check.received() != reply.size()) fail("bytes miscounted");
    if (check.firstPrompt() != first) fail("the reads found another first prompt than the whole reply");
    if (check.isComplete(0) != devlink::isReplyComplete(reply, 0)) fail("reads and whole reply disagree");
    return 0;
}
