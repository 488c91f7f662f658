#pragma once
// The program's folder for a test: ProgramHome points CORVANE_HOME at a
// given folder while it lives; ProgramFolder does so for a fresh temporary
// folder of the test's own, in which files can be laid out.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace testsupport {

class ProgramHome {
public:
    explicit ProgramHome(const QString& folder) : previous_(qgetenv("CORVANE_HOME")) {
        qputenv("CORVANE_HOME", folder.toUtf8());
    }
    ~ProgramHome() {
        if (previous_.isEmpty()) qunsetenv("CORVANE_HOME");
        else qputenv("CORVANE_HOME", previous_);
    }
    ProgramHome(const ProgramHome&) = delete;
    ProgramHome& operator=(const ProgramHome&) = delete;

private:
    QByteArray previous_;
};

class ProgramFolder {
public:
    ProgramFolder() = default;
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    QString path() const { return dir_.path(); }
    // Writes `bytes` to `relative` (folders separated by '/'), making its folders; false when that fails.
    bool write(const QString& relative, const QByteArray& bytes) const {
        const QString file = QDir(dir_.path()).filePath(relative);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir dir_;
    ProgramHome home_{dir_.path()};
};

}  // namespace testsupport
