#pragma once
// The port text of the main window's status bar.

#include "link/link_state.h"

#include <QString>

namespace devlink {

// "端口号：1，波特率：9600BPS，校验：N，字长：8BITS，停止位：1BITS" while a port is
// ready, "设备未发现或端口被占用！！" otherwise.
QString PortStatusText(const LinkState& link);

// Puts PortStatusText into status bar panel 1.
void ShowPortStatus(const LinkState& link);

}  // namespace devlink
