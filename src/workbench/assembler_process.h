#pragma once
// Runs the outside assembler: started directly by its path with an argument
// vector (never through a shell), in the source's folder, with its console
// output going into a file. It runs in a process group of its own, so a kill
// also ends whatever a wrapper script started.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace workbench {

struct LaunchRequest {
    QString program;     // absolute path
    QStringList arguments;
    QString workingFolder;
    QString stdinFile;   // absolute path, "" for none
    QString stdoutFile;  // absolute path, truncated
};

class AssemblerProcess {
public:
    AssemblerProcess();
    ~AssemblerProcess();  // kills a process that still runs
    AssemblerProcess(const AssemblerProcess&) = delete;
    AssemblerProcess& operator=(const AssemblerProcess&) = delete;

    // Starts without waiting for the end; false when the program could not be
    // started at all (missing, not executable).
    bool start(const LaunchRequest& request);
    bool running();
    // Kills the whole process group and reaps it (bounded).
    void kill();

private:
    std::unique_ptr<QProcess> process_;
};

}  // namespace workbench
