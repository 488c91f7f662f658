#pragma once
// Opening, switching and closing the device port as the port commands do it.

#include "link/link_state.h"

#include <QString>

namespace devlink {

class DevicePort;

// Opens the port; a port that reports itself open is closed and opened again.
int openDevicePort(DevicePort& port, int portNumber, const QString& settings);

// Switches the device port to `wanted`, rolling back on failure:
// an open port is closed (PortReady false), 0.4 s pass, the wanted port opens.
// Success: `wanted` becomes the settings, PortReady true, the status is shown.
// Failure: the failure is reported for the wanted port; a port that was open is
// reopened with the previous settings after 0.4 s (PortReady true again), and if
// that fails too it is reported and the status shows that no port is ready.
// Returns whether the wanted port is now open.
bool switchDevicePort(LinkState& link, const PortSettings& wanted);

// "关闭端口": closes an open port; PortReady false; the status is shown. LinkMode stays.
void closeDevicePort(LinkState& link);

// From now on, when the device port closes itself because the device went
// away, PortReady becomes false, the status shows that no port is ready, and
// the failure is reported once (writes to the lost port report nothing more).
// The port search sees such failures itself and writes them into its lines, so
// nothing is done while it runs.
void watchForPortLoss(LinkState& link);

}  // namespace devlink
