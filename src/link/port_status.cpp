#include "link/port_status.h"

namespace devlink {

QString PortStatusText(const LinkState& link) {
    if (!link.PortReady) return QStringLiteral("设备未发现或端口被占用！！");
    const PortSettings& s = link.settings;
    return QStringLiteral("端口号：%1，波特率：%2BPS，校验：%3，字长：%4BITS，停止位：%5BITS")
        .arg(s.CommPortNumber)
        .arg(s.CommBaudRate)
        .arg(s.CommParity)
        .arg(s.CommDataBits)
        .arg(stopBitsText(s.CommStopBits));
}

void ShowPortStatus(const LinkState& link) { link.showStatusText(PortStatusText(link)); }

}  // namespace devlink
