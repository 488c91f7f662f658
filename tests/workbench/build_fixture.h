#pragma once
// A program folder whose bin/ holds a stand-in assembler, a source folder, and
// a clock that makes the build's half-second polls pass quickly.

#include "editions/edition_profile.h"
#include "platform/wait_seconds.h"
#include "support/source_tree.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>

#include <gtest/gtest.h>

namespace wbtest {

inline QString standinPath(const QString& name) {
    return QString::fromStdString(testsupport::sourceFile("tests/workbench/standins/" + name.toStdString()));
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

inline QStringList filesIn(const QString& folder) {
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
}

// Build waits run up to this many times faster than real time. The clock moves
// at most 5 ms per handled round of events, so on a busy machine, where rounds
// take longer, it slows down and the stand-ins keep enough real time to finish.
constexpr double kTimeScale = 5.0;

class FastClock {
public:
    FastClock()
        : scope_(platform::WaitHooks{[this] { return now(); }, {},
                                     [] {
                                         QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
                                         QThread::msleep(1);
                                     }}) {
        timer_.start();
    }

private:
    double now() {
        const qint64 real = timer_.elapsed();
        fake_ += std::min((real - lastReal_) / 1000.0 * kTimeScale, 0.005);
        lastReal_ = real;
        return fake_;
    }

    QElapsedTimer timer_;
    qint64 lastReal_ = 0;
    double fake_ = 0;
    platform::ScopedWaitHooks scope_;
};

// home/bin/<assembler> (under the name `installAs`, to exercise case-blind lookup)
// and a source folder src/.
class StandinHome {
public:
    explicit StandinHome(const editions::EditionProfile& profile, const QString& installAs = {},
                         const QString& sourceFolderName = QStringLiteral("src")) {
        home_ = dir_.filePath("home");
        src_ = dir_.filePath(sourceFolderName);
        QDir().mkpath(home_ + "/bin");
        QDir().mkpath(src_);
        const QString program = QString::fromUtf8(profile.assembler.program.data(), profile.assembler.program.size());
        if (installAs != QStringLiteral("-")) {
            const QString target = home_ + "/bin/" + (installAs.isEmpty() ? program : installAs);
            QFile::copy(standinPath(program), target);
            QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner | QFile::ReadOwner);
        }
    }
    QString home() const { return home_; }
    QString src() const { return src_; }
    QString srcFile(const QString& name) const { return src_ + "/" + name; }

private:
    QTemporaryDir dir_;
    QString home_, src_;
};

}  // namespace wbtest
