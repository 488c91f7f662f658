#include "link/comm_send.h"

#include "link/comm_errors.h"
#include "link/device_port.h"
#include "platform/wait_seconds.h"

namespace devlink {
namespace {

void writeReporting(LinkState& link, const QByteArray& bytes) {
    const int failure = link.port ? link.port->write(bytes) : CommOperationOnClosed;
    // A device that went away is reported once, as its loss.
    if (failure != CommOk && !(link.port && link.port->isLost()))
        ReportCommError(failure, link.settings.CommPortNumber);
}

}  // namespace

void SendCommByte(LinkState& link, quint8 byte) {
    platform::WaitSeconds(platform::Timer(), kSendCommBytePause);
    writeReporting(link, QByteArray(1, static_cast<char>(byte)));
}

void SendCommBytes(LinkState& link, const QByteArray& bytes) { writeReporting(link, bytes); }

}  // namespace devlink
