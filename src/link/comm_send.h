#pragma once
// The two ways bytes go to the device. Failures are reported in a message box
// and the caller goes on; neither looks at PortReady (callers do).

#include "link/link_state.h"

#include <QByteArray>

namespace devlink {

// The pause before each single byte; the only pacing of characters sent one by one.
inline constexpr float kSendCommBytePause = 0.02f;

// Waits 0.02 s (handling events, so echoes and timers are served meanwhile),
// then writes the byte. This pause is the only pacing of characters sent one by one.
void SendCommByte(LinkState& link, quint8 byte);

// Writes the bytes at once.
void SendCommBytes(LinkState& link, const QByteArray& bytes);

}  // namespace devlink
