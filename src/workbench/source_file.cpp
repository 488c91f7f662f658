#include "workbench/source_file.h"

#include "platform/codepage.h"

#include <QFile>
#include <QSaveFile>

namespace workbench {

QString decodeFileText(const QByteArray& bytes) {
    QString text = platform::fromCp936(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QByteArray encodeFileText(const QString& text) {
    QString withCrLf = text;
    withCrLf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return platform::toCp936(withCrLf);
}

std::optional<QString> readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return decodeFileText(file.readAll());
}

WriteOutcome writeTextFile(const QString& path, const QString& text) {
    // No direct-write fallback: where no temporary file can be made beside the
    // target, failing is better than truncating the user's only copy.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString()};
    const QByteArray bytes = encodeFileText(text);
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit()) return {false, file.errorString()};
    return {true, {}};
}

}  // namespace workbench
