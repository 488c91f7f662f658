#pragma once
// Whether what the device sent after a carriage return carries the monitor's prompt.

#include <QByteArrayView>

namespace devlink {

// The bytes read, with a zero byte appended, are taken as pairs from the first
// byte on; they match when two consecutive pairs are (CR, LF), (">", 0) or
// (LF, CR), (">", 0). For bytes without a zero: they end with CR LF ">" or
// LF CR ">" and are odd in number.
bool hasMonitorPrompt(QByteArrayView bytesRead);

}  // namespace devlink
