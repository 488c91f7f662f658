#pragma once
// Writing a whole file so that a failure never costs the old one: the bytes go
// into a temporary file beside the target, which replaces it only once every
// byte is on the disk.

#include <QByteArray>
#include <QString>

namespace platform {

struct WholeFileWrite {
    bool ok = false;
    // The file could be made and written to: a failure came later, while the
    // bytes went out or the file took the target's place.
    bool opened = false;
    QString error;  // the system's description of the failure ("No space left on device")
};

WholeFileWrite writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace platform
