#pragma once
// A program folder of the test's own: CORVANE_HOME points at a fresh
// temporary folder while the object lives, and files can be laid out in it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace testsupport {

class ProgramFolder {
public:
    ProgramFolder() : previous_(qgetenv("CORVANE_HOME")) { qputenv("CORVANE_HOME", dir_.path().toUtf8()); }
    ~ProgramFolder() {
        if (previous_.isEmpty()) qunsetenv("CORVANE_HOME");
        else qputenv("CORVANE_HOME", previous_);
    }
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
    QByteArray previous_;
};

}  // namespace testsupport
