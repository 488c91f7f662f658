#include "workbench/build_runner.h"

#include "platform/codepage.h"
#include "platform/program_folder.h"
#include "platform/prompter.h"
#include "platform/wait_seconds.h"
#include "platform/whole_file.h"
#include "workbench/build_command.h"
#include "workbench/source_file.h"
#include "workbench/workbench_texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include "workbench/utf8_text.h"

namespace workbench {
namespace {

// How long the build waits for the work files and for the output file to
// appear (eight half-second passes), and the grace after a time-out of these.
constexpr double kFileWaitSeconds = 4.0;
constexpr double kGraceSeconds = 1.0;
// The waits look again this often, so they end soon after what they wait for.
constexpr float kPollSeconds = 0.05f;

void info(const QString& text) { showFileMessage(text); }

bool isFile(const QString& path) {
    const QFileInfo fi(path);
    return fi.exists() && !fi.isDir();
}

bool samePath(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty()) return ca == cb;
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

// Replaces `target` by a copy of `source` in one step: a failed copy leaves
// either the complete new file or the old one, never a mix.
bool replaceWithCopy(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) return false;
    return platform::writeWholeFile(target, bytes).ok;
}

}  // namespace

QString entryIgnoringCase(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(name))) return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
    return dir.filePath(name);
}

BuildRunner::BuildRunner(WorkbenchState& state, const editions::EditionProfile& profile, BuildSurface& surface)
    : state_(state), profile_(profile), surface_(surface), nameSource_(randomNameSource()) {}

QString BuildRunner::workPath(const QString& name) const { return QDir(folder_).filePath(name); }

bool BuildRunner::waitFor(double seconds, const std::function<bool()>& done) {
    const platform::Deadline deadline(seconds);
    for (;;) {
        if (stopRequested_) return false;
        if (done()) return true;
        if (deadline.expired()) return false;
        platform::WaitSeconds(platform::Timer(), kPollSeconds);
    }
}

void BuildRunner::stop() {
    if (running_) stopRequested_ = true;
}

BuildResult BuildRunner::run() {
    if (running_) return BuildResult::NotStarted;
    if (!saveFirst()) return BuildResult::NotStarted;

    running_ = true;
    stopRequested_ = false;
    surface_.setBusy(true);
    surface_.showMessage(kBuildingText106);
    busyTextShowing_ = true;
    surface_.showListing(listingPlaceholder(profile_.listingPlaceholderId));
    surface_.setMessageTag(0);

    const BuildResult result = assemble();
    cleanUp();
    return result;
}

bool BuildRunner::saveFirst() {
    if (!state_.SourceHasName && !surface_.saveSourceFile()) return false;
    if (state_.SourceModified) {
        const auto answer = platform::MsgBox(kSaveQuestion, platform::MsgButtons::YesNoCancel, kSaveQuestionTitle,
                                             platform::MsgIcon::Question, 2);
        // Building the file as it is on disk is not what the user sees; No stops too.
        if (answer != platform::MsgResult::Yes) return false;
        if (!surface_.saveSourceFile()) return false;
    }
    return true;
}

BuildResult BuildRunner::assemble() {
    const auto& assembler = profile_.assembler;
    const QString programFolder = programFolder_.isEmpty() ? platform::programFolder() : programFolder_;
    const QString source = state_.SourcePath;

    if (!isFile(source)) {
        info(missingFileText(source));
        return BuildResult::Failed;
    }

    if (auto text = readTextFile(source)) surface_.reloadEditor(*text);

    folder_ = QFileInfo(source).absolutePath();
    const bool withIns = assembler.optionsPassed && !state_.ExtInstrFile.isEmpty();
    names_ = pickWorkNames(folder_, assemblerExtension(assembler), withIns, nameSource_);
    if (!names_) {
        info(unreadableFileText(source));
        return BuildResult::Failed;
    }
    const WorkNames& n = *names_;

    if (!QFile::copy(source, workPath(n.t + QStringLiteral(".ASM")))) {
        info(unreadableFileText(source));
        return BuildResult::Failed;
    }

    const QString assemblerPath =
        platform::resolveCaseInsensitive(programFolder, QStringLiteral("bin/") + fromView(assembler.program));
    if (!isFile(assemblerPath)) {
        info(missingFileText(assemblerPath));
        return BuildResult::Failed;
    }

    if (withIns) {
        if (!isFile(state_.ExtInstrFile)) {
            info(missingFileText(state_.ExtInstrFile));
            return BuildResult::Failed;
        }
        if (!QFile::copy(state_.ExtInstrFile, workPath(n.i))) {
            info(unreadableFileText(state_.ExtInstrFile));
            return BuildResult::Failed;
        }
    }

    const BuildCommand cmd =
        makeBuildCommand(assembler, n, AssemblerOptions{state_.GenerateLoadInfo, state_.UseDefaultExtSet});
    // The batch and response files are written as the assembler's record; a
    // write that fails shows up in the check for the work files below.
    QStringList expected{assemblerPath, workPath(n.t + QStringLiteral(".ASM"))};
    QStringList expectedNames{assemblerPath, n.t + QStringLiteral(".ASM")};
    if (assembler.responseFile) {
        QFile txt(workPath(cmd.stdinFile));
        if (txt.open(QIODevice::WriteOnly | QIODevice::Truncate)) txt.write(cmd.responseFile);
        expected << workPath(cmd.stdinFile);
        expectedNames << n.t + QStringLiteral(".TXT");
    }
    const QString batName = n.t + QStringLiteral(".BAT");
    {
        QFile bat(workPath(batName));
        if (bat.open(QIODevice::WriteOnly | QIODevice::Truncate)) bat.write(cmd.batchFile);
    }
    expected << workPath(batName);
    expectedNames << batName;

    auto allThere = [&] {
        for (const QString& p : expected)
            if (!isFile(p)) return false;
        return true;
    };
    if (!waitFor(kFileWaitSeconds, allThere) && !stopRequested_) info(QStringLiteral("文件编译超时！！"));
    if (!waitFor(kGraceSeconds, allThere)) {
        if (stopRequested_) return BuildResult::Failed;
        QStringList quoted;
        for (const QString& name : expectedNames) quoted << QLatin1Char('"') + name + QLatin1Char('"');
        info(QStringLiteral("文件 ") + quoted.join(QLatin1Char(',')) + QStringLiteral(" 不存在！！"));
        return BuildResult::Failed;
    }

    const QString outputPath = workPath(cmd.stdoutFile);
    LaunchRequest launch{assemblerPath, cmd.arguments, folder_,
                         cmd.stdinFile.isEmpty() ? QString() : workPath(cmd.stdinFile), outputPath};
    if (!process_.start(launch)) {
        info(unreadableFileText(assemblerPath));
        return BuildResult::Failed;
    }

    // From here on every wait also ends when the assembler has: its output is
    // then complete, however short it is.
    const auto ended = [&] { return !process_.running(); };
    const auto outputOrEnd = [&] { return isFile(outputPath) || ended(); };
    if (!waitFor(kFileWaitSeconds, outputOrEnd) && !stopRequested_) info(QStringLiteral("文件编译信息产生超时！！"));
    waitFor(kGraceSeconds, outputOrEnd);
    if (stopRequested_) return BuildResult::Failed;
    if (!isFile(outputPath)) {
        info(missingFileText(n.t + QStringLiteral(".TMP")));
        return BuildResult::Failed;
    }

    if (!waitFor(timeLimit_, ended)) {
        if (stopRequested_) return BuildResult::Failed;
        info(QStringLiteral("文件编译信息保存超时！！"));
        // A last second to write; then the assembler is ended, so that it cannot
        // write into the folder after the clean-up. What it wrote so far is read.
        waitFor(kGraceSeconds, ended);
        if (stopRequested_) return BuildResult::Failed;
        process_.kill();
    }

    QFile output(outputPath);
    if (!output.open(QIODevice::ReadOnly)) {
        info(unreadableFileText(n.t + QStringLiteral(".TMP")));
        return BuildResult::Failed;
    }
    const QString text = platform::fromCp936(output.readAll());
    output.close();

    const BuildOutput parsed{text, n.t, n.i, source, state_.ExtInstrFile, QFileInfo(source).completeBaseName()};
    return apply(parseBuildOutput(assembler, parsed));
}

BuildResult BuildRunner::apply(const BuildVerdict& v) {
    using Kind = BuildVerdict::Kind;
    switch (v.kind) {
        case Kind::Success:
            if (!copyResults()) return BuildResult::Failed;
            showResult(v.message);
            return BuildResult::Success;
        case Kind::SourceError:
            showResult(v.message);
            if (v.line > 0) {
                surface_.setMessageTag(v.line);
                surface_.markTaggedEditorLine();
            }
            return BuildResult::AssemblerMessage;
        case Kind::InsError:
            showResult(v.message);
            if (v.showIns) {
                if (auto ins = readTextFile(state_.ExtInstrFile)) {
                    surface_.showListing(*ins);
                    surface_.markListingLine(v.line);
                }
            }
            return BuildResult::AssemblerMessage;
        case Kind::RawOutput:
        case Kind::Other:
            showResult(v.message);
            return BuildResult::AssemblerMessage;
    }
    return BuildResult::AssemblerMessage;
}

bool BuildRunner::copyResults() {
    const WorkNames& n = *names_;
    const QString source = state_.SourcePath;
    const QString base = QFileInfo(source).completeBaseName();

    const QString listing = entryIgnoringCase(folder_, n.t + QStringLiteral(".lst"));
    if (isFile(listing)) {
        if (auto text = readTextFile(listing)) surface_.showListing(*text);
        // A source that is itself named B.LST is never overwritten by its listing.
        const QString target = entryIgnoringCase(folder_, base + QStringLiteral(".LST"));
        if (!samePath(target, source)) replaceWithCopy(listing, target);
    }

    // The success text is shown only when the code file beside the source is the
    // one just made; an older one of that name is removed rather than left to be
    // taken for it.
    const QString code = entryIgnoringCase(folder_, n.t + QStringLiteral(".cod"));
    const QString target = entryIgnoringCase(folder_, base + QStringLiteral(".cod"));
    const bool targetIsSource = samePath(target, source);
    if (isFile(code) && !targetIsSource && replaceWithCopy(code, target)) return true;

    if (!targetIsSource && isFile(target)) QFile::remove(target);
    info(isFile(code) ? unreadableFileText(target) : missingFileText(workPath(n.t + QStringLiteral(".COD"))));
    showResult(kBuildFailedText107);
    return false;
}

void BuildRunner::showResult(const QString& text) {
    busyTextShowing_ = false;
    surface_.showMessage(text);
}

void BuildRunner::cleanUp() {
    waitFor(kGraceSeconds, [&] { return !process_.running(); });
    process_.kill();
    if (names_) {
        QSet<QString> work;
        for (const QString& name : names_->workFiles()) work.insert(name.toUpper());
        // The names were chosen so that no file of the user's matches any of
        // them in any case; whatever matches now is the build's or the assembler's.
        const QDir dir(folder_);
        for (const QString& e : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (work.contains(e.toUpper())) QFile::remove(dir.filePath(e));
    }
    names_.reset();
    if (busyTextShowing_) showResult(kBuildFailedText107);
    surface_.setBusy(false);
    running_ = false;
}

}  // namespace workbench
