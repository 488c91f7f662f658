#include "workbench/work_names.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSet>

namespace workbench {
namespace {

const char* const kTExtensions[] = {".ASM", ".TXT", ".BAT", ".TMP", ".LST", ".COD"};

}  // namespace

QStringList WorkNames::workFiles() const {
    QStringList files;
    for (const char* ext : kTExtensions) files << t + QLatin1String(ext);
    if (!i.isEmpty()) files << i;
    return files;
}

NameSource randomNameSource() {
    return [] {
        static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        QString name;
        for (int k = 0; k < 8; ++k) name += QLatin1Char(alphabet[QRandomGenerator::global()->bounded(36)]);
        return name;
    };
}

std::optional<WorkNames> pickWorkNames(const QString& folder, const QString& assemblerExt, bool withIns,
                                       const NameSource& source) {
    QSet<QString> taken;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries) taken.insert(e.toUpper());

    auto nextFree = [&](const QStringList& extensions, QSet<QString>& bases) -> std::optional<QString> {
        for (int attempt = 0; attempt < 1000; ++attempt) {
            const QString base = source().toUpper();
            if (base.isEmpty() || bases.contains(base)) continue;
            bool clash = false;
            for (const QString& ext : extensions) clash = clash || taken.contains(base + ext);
            if (clash) continue;
            bases.insert(base);
            return base;
        }
        return std::nullopt;
    };

    QSet<QString> bases;
    QStringList tExts;
    for (const char* ext : kTExtensions) tExts << QLatin1String(ext);
    const auto t = nextFree(tExts, bases);
    if (!t) return std::nullopt;
    const auto e = nextFree({assemblerExt.toUpper()}, bases);
    if (!e) return std::nullopt;
    WorkNames names{*t, *e + assemblerExt.toUpper(), {}};
    if (withIns) {
        const auto i = nextFree({QStringLiteral(".INS")}, bases);
        if (!i) return std::nullopt;
        names.i = *i + QStringLiteral(".INS");
    }
    return names;
}

}  // namespace workbench
