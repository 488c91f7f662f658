#include "link/reply_completion.h"

#include <QByteArray>

#include <gtest/gtest.h>

using namespace devlink;

namespace {

// n bytes of reply text ending in the prompt.
QByteArray replyOf(int n) { return QByteArray(n - 3, 'x') + "\r\n>"; }

}  // namespace

TEST(ReplyCompletion, PromptAtTheEndAndMoreThanSeventyPercent) {
    EXPECT_FALSE(isReplyComplete(replyOf(147), 210));  // 0.7 x 210 = 147 is not exceeded
    EXPECT_TRUE(isReplyComplete(replyOf(148), 210));
    EXPECT_TRUE(isReplyComplete(replyOf(785), 1120));
    EXPECT_FALSE(isReplyComplete(replyOf(302), 432));  // Corvane8 U: 302.4
    EXPECT_TRUE(isReplyComplete(replyOf(303), 432));
    EXPECT_TRUE(isReplyComplete(replyOf(139), 198));   // Corvane R: 138.6

    // A byte after the prompt: the first prompt is no longer at the end, for good.
    EXPECT_FALSE(isReplyComplete(replyOf(147) + "x", 210));
    EXPECT_FALSE(isReplyComplete(replyOf(147) + "x\r\n>", 210));
    // A prompt in the middle and another at the end.
    QByteArray twice = replyOf(200);
    twice.replace(50, 3, "\r\n>");
    EXPECT_FALSE(isReplyComplete(twice, 210));
    // No prompt, too short, nothing.
    EXPECT_FALSE(isReplyComplete(QByteArray(300, 'x'), 210));
    EXPECT_FALSE(isReplyComplete("", 0));
}

TEST(ReplyCompletion, ReadsBrokenAnywhereFindTheFirstPromptOfTheWholeReply) {
    const QByteArray replies[] = {
        replyOf(150),
        "\r\n>",
        "\r\r\n>",              // the prompt begins after a lone carriage return
        "ab\r\n>cd\r\n>",       // a second prompt is no first prompt
        "\r\n\r\n>x",           // bytes after the prompt
        "\n>\r\n>",             // half a prompt first
        QByteArray(40, 'x'),    // none at all
    };
    for (const QByteArray& reply : replies) {
        const qint64 first = reply.indexOf(kMonitorPrompt);
        const bool complete = isReplyComplete(reply, 0);
        EXPECT_EQ(complete, first >= 0 && first + 3 == reply.size()) << reply.toStdString();
        // Every way to cut the reply into up to three reads.
        for (qsizetype i = 0; i <= reply.size(); ++i) {
            for (qsizetype j = i; j <= reply.size(); ++j) {
                ReplyCompletion check;
                check.take(QByteArrayView(reply).first(i));
                check.take(QByteArrayView(reply).sliced(i, j - i));
                check.take(QByteArrayView(reply).sliced(j));
                ASSERT_EQ(check.firstPrompt(), first) << reply.toStdString() << " cut at " << i << ", " << j;
                ASSERT_EQ(check.received(), reply.size());
                ASSERT_EQ(check.isComplete(0), complete);
                ASSERT_EQ(check.cannotComplete(), first >= 0 && !complete);
            }
        }
        // One byte per read.
        ReplyCompletion bytewise;
        for (char c : reply) bytewise.take(QByteArrayView(&c, 1));
        EXPECT_EQ(bytewise.firstPrompt(), first) << reply.toStdString();
    }
}
