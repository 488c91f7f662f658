#include "platform/whole_file.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// A write that got only part of the way (a full disk) leaves Qt without a
// reason of its own; the system's is in errno right after the call.
QString reasonOf(const QFileDevice& file, int systemError) {
    if (systemError != 0) return QString::fromLocal8Bit(std::strerror(systemError));
    return file.errorString();
}

}  // namespace

WholeFileWrite writeWholeFile(const QString& path, const QByteArray& bytes) {
    // No direct-write fallback: where no temporary file can be made beside the
    // target, failing is better than truncating the user's only copy.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {false, false, file.errorString()};
    errno = 0;
    // The explicit flush matters: a commit does not notice that the bytes
    // still held back could not all be written.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = reasonOf(file, errno);
        file.cancelWriting();
        return {false, true, error};
    }
    if (!file.commit()) return {false, true, file.errorString()};
    return {true, true, {}};
}

}  // namespace platform
