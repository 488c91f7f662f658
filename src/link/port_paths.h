#pragma once
// The program speaks of serial ports by number, as users know them (COM1..COM4).
// A number becomes a device path only when the port is opened, and the
// environment is read again at every open:
//   1. CORVANE_COM<n>, when set and not empty (e.g. CORVANE_COM1=/dev/ttyUSB0);
//   2. $CORVANE_COM_DIR/COM<n>, when CORVANE_COM_DIR is set;
//   3. /dev/ttyS<n-1>.

#include <QString>

namespace devlink {

QString portPathFor(int portNumber);

}  // namespace devlink
