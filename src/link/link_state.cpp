#include "link/link_state.h"

namespace devlink {

QString stopBitsText(float stopBits) { return QString::number(static_cast<double>(stopBits), 'g', 6); }

QString CommSettings(const PortSettings& s) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(s.CommBaudRate)
        .arg(s.CommParity)
        .arg(s.CommDataBits)
        .arg(stopBitsText(s.CommStopBits));
}

void LinkState::resetPortSettings() {
    settings = PortSettings{};
    PortReady = false;
}

void LinkState::showStatusText(const QString& text) const {
    if (host.showStatusText) host.showStatusText(text);
}

void LinkState::setMainWindowEnabled(bool enabled) const {
    if (host.setMainWindowEnabled) host.setMainWindowEnabled(enabled);
}

void LinkState::setMainWindowWaitCursor(bool on) const {
    if (host.setMainWindowWaitCursor) host.setMainWindowWaitCursor(on);
}

void LinkState::bringMainWindowToFront() const {
    if (host.bringMainWindowToFront) host.bringMainWindowToFront();
}

LinkState& linkState() {
    static LinkState state;
    return state;
}

}  // namespace devlink
