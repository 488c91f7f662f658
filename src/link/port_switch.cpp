#include "link/port_switch.h"

#include "link/comm_errors.h"
#include "link/device_port.h"
#include "link/port_status.h"
#include "platform/wait_seconds.h"

namespace devlink {

int openDevicePort(DevicePort& port, int portNumber, const QString& settings) {
    int failure = port.open(portNumber, settings);
    if (failure == CommPortAlreadyOpen) {
        port.close();
        failure = port.open(portNumber, settings);
    }
    return failure;
}

bool switchDevicePort(LinkState& link, const PortSettings& wanted) {
    DevicePort& port = *link.port;
    const bool wasOpen = port.isOpen();
    if (wasOpen) {
        port.close();
        link.PortReady = false;
    }
    platform::WaitSeconds(platform::Timer(), 0.4f);
    const int failure = openDevicePort(port, wanted.CommPortNumber, CommSettings(wanted));
    if (failure == CommOk) {
        link.settings = wanted;
        link.PortReady = true;
        ShowPortStatus(link);
        return true;
    }
    ReportCommError(failure, wanted.CommPortNumber);
    if (wasOpen) {
        platform::WaitSeconds(platform::Timer(), 0.4f);
        const int again = openDevicePort(port, link.settings.CommPortNumber, CommSettings(link.settings));
        if (again != CommOk) {
            ReportCommError(again, link.settings.CommPortNumber);
            ShowPortStatus(link);
        } else {
            link.PortReady = true;
        }
    }
    return false;
}

void watchForPortLoss(LinkState& link) {
    if (!link.port) return;
    // Queued: the report's message box must not open inside the serial port's
    // own error handling.
    QObject::connect(
        link.port, &DevicePort::deviceLost, link.port,
        [&link] {
            if (link.LinkMode == LinkModeScan) return;
            const int failure = link.port ? link.port->takeReceiveFailure() : CommOk;
            link.PortReady = false;
            ShowPortStatus(link);
            if (failure != CommOk) ReportCommError(failure, link.settings.CommPortNumber);
        },
        Qt::QueuedConnection);
}

void closeDevicePort(LinkState& link) {
    if (link.port && link.port->isOpen()) link.port->close();
    link.PortReady = false;
    ShowPortStatus(link);
}

}  // namespace devlink
