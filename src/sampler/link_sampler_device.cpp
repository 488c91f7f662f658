#include "sampler/link_sampler_device.h"

#include "link/comm_errors.h"
#include "link/comm_send.h"
#include "link/device_port.h"
#include "link/link_state.h"

namespace sampler {

bool LinkSamplerDevice::portReady() const { return link_.PortReady; }

bool LinkSamplerDevice::isOpen() const { return link_.port && link_.port->isOpen(); }

int LinkSamplerDevice::open() {
    if (!link_.port) return devlink::CommPortNotFound;
    return link_.port->open(link_.settings.CommPortNumber, devlink::CommSettings(link_.settings));
}

int LinkSamplerDevice::baudRate() const { return link_.settings.CommBaudRate; }

void LinkSamplerDevice::sendCommByte(uint8_t byte) { devlink::SendCommByte(link_, byte); }

void LinkSamplerDevice::reportCommError(int number) { devlink::ReportCommError(number, link_.settings.CommPortNumber); }

qint64 LinkSamplerDevice::bytesToWrite() { return link_.port ? link_.port->bytesToWrite() : 0; }

bool LinkSamplerDevice::waitForBytesWritten(int msecs) { return link_.port && link_.port->waitForBytesWritten(msecs); }

qint64 LinkSamplerDevice::bytesAvailable() { return link_.port ? link_.port->bytesAvailable() : 0; }

bool LinkSamplerDevice::waitForReadyRead(int msecs) { return link_.port && link_.port->waitForReadyRead(msecs); }

QByteArray LinkSamplerDevice::readAll() { return link_.port ? link_.port->readAll() : QByteArray(); }

void LinkSamplerDevice::holdLinkDispatch(bool hold) {
    if (!link_.port) return;
    if (hold) {
        heldNotification_ = link_.port->receiveNotification();
        link_.port->setReceiveNotification(false);
    } else {
        link_.port->setReceiveNotification(heldNotification_);
    }
}

}  // namespace sampler
