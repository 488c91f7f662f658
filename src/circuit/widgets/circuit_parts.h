#pragma once
// Where the later parts of the circuit environment plug into the frame and
// its circuit windows. Each part fills its members in a file of its own and
// adds one call to installCircuitParts (circuit_parts.cpp); an empty member
// means the part is not there, and the window goes on without it.

#include <QString>

#include <cstdint>
#include <functional>

namespace circuit::widgets {

class Form7;
class MDIForm1;

struct CircuitParts {
    // ---- each circuit window ----

    // Once, when the window is made, before its load: widgets of a part's own
    // (the experiment texts in Picture3, say) and its layout handlers.
    std::function<void(Form7&)> attachWindow;
    // The operator console in Frame1 from the window's Setup (load step 13,
    // before the window registers its experiments in the frame's menu).
    std::function<void(Form7&)> buildConsole;
    // The register tree TreeView2 and the probe list ListView2 (load step 14,
    // after the IC tree and the signal list).
    std::function<void(Form7&)> fillStateViews;
    // RefreshAll after the IC tree: the probe list, then the register tree.
    std::function<void(Form7&)> refreshStateViews;
    // RefreshAll's last step: conflicts recorded since the last report into the log window.
    std::function<void(Form7&)> reportConflicts;
    // The views' hot elements: view k (0 board, 1 schematic, i+2 block diagram
    // of experiment i) reports the id under the pointer, and a click.
    std::function<void(Form7&, int view, int32_t value)> hotElement;
    std::function<void(Form7&, int view, int32_t button, int32_t value)> hotElementClick;
    // User_GetUse between the range check and the caption: the experiment's
    // texts and its block diagram.
    std::function<void(Form7&, int32_t labNumber)> showExperiment;
    // User_ChangeCurForm after the run's stop: the experiment texts removed.
    std::function<void(Form7&)> leaveExperiment;
    // The console's clock commands: the pending 8251 output into its terminal.
    std::function<void(Form7&)> flush8251Output;
    // The console's memory-data buttons: load entry `index` of LoadMems from a
    // code file, save entry `index` of SaveMems to one.
    std::function<void(Form7&, int index)> loadMemoryData;
    std::function<void(Form7&, int index)> saveMemoryData;
    // The run-mode toggle in single-step mode: StopFlag and RunClockNet are
    // set; the run starts once the toggle's handler has returned.
    std::function<void(Form7&)> startContinuousRun;

    // ---- the frame ----

    // Once, when the frame is made, after the parts are installed: what a part
    // keeps for the frame's whole life.
    std::function<void(MDIForm1&)> attachFrame;
    // "错误/警告提示": show the conflict log (the frame checks the item).
    std::function<void(MDIForm1&)> showConflictLog;
    // Quitting: the environment's serial port closed if it is open.
    std::function<void(MDIForm1&)> closeEnvironmentPort;
};

// Fills `parts` with every part the program has.
void installCircuitParts(CircuitParts& parts);

}  // namespace circuit::widgets
