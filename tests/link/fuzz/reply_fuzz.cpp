// Feeds arbitrary bytes to the monitor reply fills and to the completion
// check. The first byte picks the reply layout and where the reply is cut
// into reads; the rest is the reply. The fills must stay inside the reply
// and their row counts; the check, fed the reads one after the other, must
// find the first prompt of the whole reply.
#include "link/reply_completion.h"
#include "link/reply_fills.h"

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

struct CountingLists : devlink::ReplyLists {
    int unasmRows = 0;
    void setMemoryRow(const devlink::MemoryRow& row) override {
        if (row.row < 1 || row.row > 128 || row.display.size() > 2) fail("a memory row out of its list");
    }
    QString registerValue(int) const override { return {}; }
    void setRegisterValue(int row, const QString&) override {
        if (row < 1 || row > 17) fail("a register row out of its list");
    }
    void markRegister(int, bool) override {}
    int appendUnasmRow(const devlink::UnasmRow&) override { return ++unasmRows; }
    void selectUnasmRow(int) override {}
    void scrollToUnasmRow(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto layout = (data[0] & 1) ? editions::ReplyLayout::Eight : editions::ReplyLayout::Sixteen;
    const QByteArrayView reply(data + 1, static_cast<qsizetype>(size - 1));

    CountingLists lists;
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
