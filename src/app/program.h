#pragma once
// The program as a whole: its module state, the main window (built on first
// use) and the start-up sequence `Main`.

#include "app/program_hooks.h"
#include "app/program_options.h"
#include "app/splash_window.h"
#include "editions/edition_profile.h"
#include "workbench/workbench_state.h"

#include <QPointer>

#include <memory>

namespace app {

class MainWindow;
class SplashWindow;

class Program {
public:
    // Wires the subsystems' hooks (link_wiring.cpp, workbench_wiring.cpp,
    // sampling_wiring.cpp); nothing is shown yet.
    explicit Program(const editions::EditionProfile& profile);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start-up sequence; returns once the main window is enabled.
    void Main();

    // The main window: the first use builds and loads it, hidden and disabled.
    MainWindow& frmmain();
    MainWindow* mainWindowIfLoaded() const;

    // ShowPortStatus through the link's hook (building the main window first).
    void ShowPortStatus();

    const editions::EditionProfile& profile() const { return profile_; }
    ProgramHooks& hooks() { return hooks_; }
    workbench::SourceState& sourceState() { return source_; }
    workbench::WorkbenchState& workbenchState() { return source_; }
    SplashWindow* splash() const { return splash_; }

    // The command-line switches, set before Main.
    ProgramOptions options;

    // Process-wide values fixed by the first steps of Main.
    int ScreenTwipsPerPixelY = 15;
    long MinusOne = -1;

    // Called after each numbered step of Main (1-15), for observers such as tests.
    std::function<void(int step)> afterStep;

private:
    void step(int n);

    const editions::EditionProfile& profile_;
    ProgramHooks hooks_;
    workbench::WorkbenchState source_;
    std::unique_ptr<MainWindow> mainWindow_;
    QPointer<SplashWindow> splash_;
};

// The subsystems' wiring, one function per subsystem (each in its own file).
void wireLink(Program& program);
void wireWorkbench(Program& program);
void wireSampling(Program& program);

// The status text while no port is ready.
inline const char16_t* const kNoPortText = u"设备未发现或端口被占用！！";

}  // namespace app
