#include "circuit/experiment_text.h"

#include <QFile>

#include "circuit/loaded_circuit.h"
#include "platform/codepage.h"
#include "platform/rtf_reader.h"

namespace circuit {

std::optional<QByteArray> readExperimentText(const std::string& fileName) {
    if (fileName.empty()) return std::nullopt;
    const std::optional<QString> path = dataFile(QString::fromStdString(fileName));
    if (!path) return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    // Shown as text, binary bytes would only be a screen of odd characters.
    if (!platform::isRtf(bytes) && !platform::isReadableText(bytes)) return std::nullopt;
    return bytes;
}

}  // namespace circuit
