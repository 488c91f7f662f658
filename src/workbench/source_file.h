#pragma once
// Source, listing and extension-instruction files: code page 936 on disk,
// CR LF line ends on disk, '\n' inside the program.

#include <QByteArray>
#include <QString>

#include <optional>

namespace workbench {

// Decodes file bytes for a pane: code page 936, any of CR LF, LF or CR as a line end.
QString decodeFileText(const QByteArray& bytes);

// Encodes pane text for the disk: code page 936 with CR LF line ends. Characters
// that code page 936 cannot hold are kept as GB18030 sequences, so nothing is lost.
QByteArray encodeFileText(const QString& text);

// Reads a whole file; nullopt when it cannot be opened for reading.
std::optional<QString> readTextFile(const QString& path);

struct WriteOutcome {
    bool ok = false;
    QString error;  // the system's description of the failure
};

// Writes `text` to `path` through a temporary file that replaces the target only
// once everything is written, so a failed write leaves the old file as it was.
WriteOutcome writeTextFile(const QString& path, const QString& text);

}  // namespace workbench
