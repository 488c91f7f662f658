#include "workbench/assembler_process.h"

#include <csignal>
#include <unistd.h>

namespace workbench {

AssemblerProcess::AssemblerProcess() = default;

AssemblerProcess::~AssemblerProcess() { kill(); }

bool AssemblerProcess::start(const LaunchRequest& r) {
    kill();
    process_ = std::make_unique<QProcess>();
    process_->setProgram(r.program);
    process_->setArguments(r.arguments);
    process_->setWorkingDirectory(r.workingFolder);
    if (!r.stdinFile.isEmpty()) process_->setStandardInputFile(r.stdinFile);
    else process_->setStandardInputFile(QProcess::nullDevice());
    process_->setStandardOutputFile(r.stdoutFile, QIODevice::Truncate);
    process_->setStandardErrorFile(QProcess::nullDevice());
    process_->setChildProcessModifier([] { ::setpgid(0, 0); });
    process_->start();
    if (!process_->waitForStarted(5000)) {
        process_.reset();
        return false;
    }
    return true;
}

bool AssemblerProcess::running() {
    if (!process_) return false;
    // Collects a pending exit even when no event loop has run since.
    process_->waitForFinished(0);
    return process_->state() != QProcess::NotRunning;
}

void AssemblerProcess::kill() {
    if (!process_) return;
    if (process_->state() != QProcess::NotRunning) {
        const qint64 pid = process_->processId();
        if (pid > 0) ::kill(-pid_t(pid), SIGKILL);
        process_->kill();
        process_->waitForFinished(3000);
    }
    process_.reset();
}

}  // namespace workbench
