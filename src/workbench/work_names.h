#pragma once
// Names of one build's work files in the source's folder.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace workbench {

struct WorkNames {
    QString t;  // base of the copied source, batch, response, output, listing and code files
    QString e;  // assembler copy as named in the batch line: base + ".EXE" or ".COM"
    QString i;  // extension-instruction copy: base + ".INS"; "" when no such file is used

    // Every file the build creates or the assembler writes, for the clean-up.
    // The assembler is run from its own folder, so no copy named `e` is ever made.
    QStringList workFiles() const;
};

// Produces an 8-character candidate of upper-case letters and digits (a valid
// DOS name that upper-casing leaves unchanged).
using NameSource = std::function<QString()>;
NameSource randomNameSource();

// Picks names none of whose files exist in `folder` in any letter case, so the
// build can never overwrite or delete a file of the user's. `assemblerExt` is
// ".EXE" or ".COM". Gives up (nullopt) only after many colliding candidates.
std::optional<WorkNames> pickWorkNames(const QString& folder, const QString& assemblerExt, bool withIns,
                                       const NameSource& source = randomNameSource());

}  // namespace workbench
