#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

// As many links as a path may pass through before it is taken for a loop.
constexpr int kMaxLinkHops = 40;

// `path` with its links followed as far as it exists; what does not exist is
// appended as named, after the parent's links are followed. Empty for a loop.
QString followLinks(const QString& path, int hops) {
    const QFileInfo info(path);
    if (info.exists()) return info.canonicalFilePath();
    if (hops > kMaxLinkHops) return {};
    if (info.isSymLink()) return followLinks(info.symLinkTarget(), hops + 1);
    const QString parent = info.absolutePath();
    if (parent.size() >= QDir::cleanPath(info.absoluteFilePath()).size()) return {};  // nothing above it
    const QString followed = followLinks(parent, hops);
    return followed.isEmpty() ? followed : QDir::cleanPath(QDir(followed).filePath(info.fileName()));
}

}  // namespace

QString programFolder() {
    const QString home = qEnvironmentVariable("CORVANE_HOME");
    if (!home.isEmpty()) return QDir::cleanPath(home);
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString resolveCaseInsensitive(const QString& base, const QString& relative) {
    QString normalized = relative;
    normalized.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = normalized.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = base;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QDir dir(current);
        QString match;
        if (QFileInfo::exists(dir.filePath(part))) {
            match = part;
        } else {
            const QStringList entries =
                dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) { match = e; break; }
            }
        }
        if (match.isEmpty()) {
            QStringList rest = parts.mid(i);
            return QDir(current).filePath(rest.join(QLatin1Char('/')));
        }
        current = dir.filePath(match);
    }
    return current;
}

QString programFile(const QString& relative) { return resolveCaseInsensitive(programFolder(), relative); }

bool staysInFolder(const QString& name) {
    QString normalized = name;
    normalized.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (normalized.startsWith(QLatin1Char('/'))) return false;
    if (normalized.size() >= 2 && normalized[1] == QLatin1Char(':') && normalized[0].isLetter()) return false;
    const QStringList parts = normalized.split(QLatin1Char('/'));
    return !parts.contains(QStringLiteral(".."));
}

bool liesInFolder(const QString& path, const QString& folder) {
    const QString file = followLinks(path, 0);
    QString inside = followLinks(folder, 0);
    if (file.isEmpty() || inside.isEmpty()) return false;
    if (file == inside) return true;
    if (!inside.endsWith(QLatin1Char('/'))) inside += QLatin1Char('/');
    return file.startsWith(inside);
}

}  // namespace platform
