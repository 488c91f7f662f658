#pragma once
// An experiment's text as its pane shows it: a file of the data folder that
// is rich text or readable code page 936 text. Anything else (a name that
// leaves the folder, a missing or unreadable file, binary bytes) gets the
// pane's line for a text that cannot be shown.

#include <QByteArray>

#include <optional>
#include <string>

namespace circuit {

// The bytes of the text file `fileName`; nothing when it cannot be shown.
std::optional<QByteArray> readExperimentText(const std::string& fileName);

}  // namespace circuit
