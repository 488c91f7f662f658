#include "workbench/source_file.h"

#include "platform/codepage.h"
#include "platform/whole_file.h"

#include <QFile>

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
    const platform::WholeFileWrite written = platform::writeWholeFile(path, encodeFileText(text));
    return {written.ok, written.error};
}

}  // namespace workbench
