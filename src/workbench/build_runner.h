#pragma once
// The build command: saves the source, hands a copy to the edition's outside
// assembler under fresh work-file names in the source's folder, waits for it
// while window events go on, shows its verdict, leaves the listing and the code
// file beside the source and removes every work file again.

#include "editions/edition_profile.h"
#include "workbench/assembler_process.h"
#include "workbench/build_output_parser.h"
#include "workbench/build_surface.h"
#include "workbench/work_names.h"
#include "workbench/workbench_state.h"

#include <QString>

#include <functional>

namespace workbench {

enum class BuildResult {
    NotStarted,        // nothing saved, or the user declined: nothing changed
    Success,           // the code file now stands beside the source
    AssemblerMessage,  // the assembler's own message is shown (an error, or anything else)
    Failed             // a file or time-out problem, or stopped; the message pane says so
};

// The assembler is an outside program that may run under an emulator and take
// seconds to start: the build gives it this long to finish.
inline constexpr double kAssemblerTimeLimitSeconds = 60.0;

class BuildRunner {
public:
    BuildRunner(WorkbenchState& state, const editions::EditionProfile& profile, BuildSurface& surface);

    // The folder whose "bin" holds the assembler; the program's folder unless set.
    void setProgramFolder(const QString& folder) { programFolder_ = folder; }
    void setNameSource(NameSource source) { nameSource_ = std::move(source); }

    // How long the build waits for a running assembler (kAssemblerTimeLimitSeconds unless set).
    void setTimeLimit(double seconds) { timeLimit_ = seconds; }

    // FileDebugComplet_Click. Returns once the build is over; does nothing while
    // a build is already running.
    BuildResult run();
    bool running() const { return running_; }
    // Asked from inside one of the build's waits (the program is quitting): the
    // wait ends at once, the assembler is ended, nothing is copied beside the
    // source and the clean-up runs before run() returns.
    void stop();

private:
    bool saveFirst();
    BuildResult assemble();
    BuildResult apply(const BuildVerdict& verdict);
    bool copyResults();
    void showResult(const QString& text);
    void cleanUp();
    QString workPath(const QString& name) const;
    // Handles window events until `done` holds; false when `seconds` pass first
    // or the build is stopped. Asks `done` before waiting at all.
    bool waitFor(double seconds, const std::function<bool()>& done);

    WorkbenchState& state_;
    const editions::EditionProfile& profile_;
    BuildSurface& surface_;
    QString programFolder_;
    NameSource nameSource_;

    double timeLimit_ = kAssemblerTimeLimitSeconds;
    bool running_ = false;
    bool stopRequested_ = false;
    bool busyTextShowing_ = false;
    QString folder_;
    std::optional<WorkNames> names_;
    AssemblerProcess process_;
};

// The existing entry of `folder` whose name equals `name` in any letter case,
// or folder/name when there is none.
QString entryIgnoringCase(const QString& folder, const QString& name);

}  // namespace workbench
