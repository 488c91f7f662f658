#pragma once
// When a D, R or U reply of the monitor is complete.

#include <QByteArrayView>

namespace devlink {

// Carriage return, line feed, ">": the monitor ends every reply with it.
inline constexpr QByteArrayView kMonitorPrompt("\r\n>", 3);

// Complete when the first prompt in the reply is its last three bytes and the
// reply is longer than 70% of `expectedBytes`. A reply whose first prompt is
// not at its end can never become complete.
bool isReplyComplete(QByteArrayView reply, int expectedBytes);

}  // namespace devlink
