#pragma once
// Where the subsystems plug into start-up, the main window's load, its layouts
// and its quit flow. Each subsystem fills its part in its own wiring file
// (link_wiring.cpp, workbench_wiring.cpp, sampling_wiring.cpp); an empty member
// means "nothing to do".

#include <functional>

namespace app {

class MainWindow;

struct LinkHooks {
    // Start values of the port settings and the link state (start-up step 5).
    std::function<void()> setStartValues;
    // Set-up of the device port when the main window loads (load step 3).
    std::function<void(MainWindow&)> setUpPort;
    // ShowPortStatus: the port text in status-bar panel 1.
    std::function<void(MainWindow&)> showPortStatus;
    // frmmain.Search_Click: the port search dialog, modal.
    std::function<void(MainWindow&)> searchPort;
    // frmmain.Ownset_Click: the manual port dialog, modal.
    std::function<void(MainWindow&)> manualPort;
    // frmmain.Closes_Click: closes the device port; no port is ready afterwards.
    std::function<void(MainWindow&)> closePort;
    // Quit flow step 3: closes the device port if it is open.
    std::function<void()> closePortIfOpen;
    // Once the main window is built: the monitor commands, the command-line
    // pane and the reply lists.
    std::function<void(MainWindow&)> attach;
    // The command-line pump run once (frmmain.Timer1_Timer), so that output
    // that waited meanwhile is shown.
    std::function<void()> runTerminalPump;
    // The command-line pane's caret put back where received text goes (PromptStart).
    std::function<void()> caretToPrompt;
};

struct WorkbenchHooks {
    // Start values of the editor, find and build besides the source state (step 4).
    std::function<void()> setStartValues;
    // Once the main window is built: attach to its editor, listing and message panes.
    std::function<void(MainWindow&)> attach;
    // frmmain.SaveSourceFile: true only when the source was written.
    std::function<bool()> saveSourceFile;
    // frmmain.FileNew_Click: a new untitled source with the panes' placeholders.
    std::function<void()> fileNew;
    // True while a build runs: the window closes only once it is over.
    std::function<bool()> buildRunning;
    // The user quits during a build: the build ends its wait at once, ends the
    // assembler and cleans up.
    std::function<void()> stopBuild;
};

struct SamplingHooks {
    // Start values of the sampling display (step 6).
    std::function<void()> setStartValues;
    // Load steps 13 and 15: the sampling controls' start state and the plot limits.
    std::function<void(MainWindow&)> onMainWindowLoad;
};

struct ProgramHooks {
    LinkHooks link;
    WorkbenchHooks workbench;
    SamplingHooks sampling;
};

}  // namespace app
