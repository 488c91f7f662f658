#include "link/port_paths.h"

#include <QByteArray>
#include <QDir>

namespace devlink {

QString portPathFor(int portNumber) {
    const QString own = qEnvironmentVariable(QStringLiteral("CORVANE_COM%1").arg(portNumber).toLatin1().constData());
    if (!own.isEmpty()) return own;
    if (qEnvironmentVariableIsSet("CORVANE_COM_DIR")) {
        const QString dir = qEnvironmentVariable("CORVANE_COM_DIR");
        return QDir(dir).filePath(QStringLiteral("COM%1").arg(portNumber));
    }
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

}  // namespace devlink
