#include "link/prompt_match.h"

#include <QByteArray>

namespace devlink {

bool hasMonitorPrompt(QByteArrayView bytesRead) {
    QByteArray b(bytesRead.data(), bytesRead.size());
    b.append('\0');
    for (qsizetype i = 0; i + 3 < b.size(); i += 2) {
        const bool crlf = b[i] == '\r' && b[i + 1] == '\n';
        const bool lfcr = b[i] == '\n' && b[i + 1] == '\r';
        if ((crlf || lfcr) && b[i + 2] == '>' && b[i + 3] == '\0') return true;
    }
    return false;
}

}  // namespace devlink
