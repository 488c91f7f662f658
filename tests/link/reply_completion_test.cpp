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
