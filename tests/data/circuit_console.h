#pragma once
// Plays console actions through the circuit environment's widget-free layer,
// as a circuit window's console does: the circuit read, built and powered on
// by the layer's load, then reset, clock, switches and buses through its
// console actions, and the probe rows as its probe list writes them. The
// memory-data load and the terminal output go to the simulator directly
// (memory_and_terminal.h).

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "circuit/console_actions.h"
#include "circuit/environment.h"
#include "circuit/loaded_circuit.h"
#include "circuit/probe_list.h"
#include "circuit/terminal_text.h"
#include "lab_console.h"
#include "support/program_folder.h"
#include "support/scripted_prompter.h"

namespace labtest {

class CircuitConsole : public LabConsole {
public:
    // Loads `schematicPath` as the environment's first circuit, taking its
    // data files from the program folder `programFolder` (the folder holding
    // data/). loaded() tells whether that worked without a message; error()
    // says what did not.
    CircuitConsole(const std::string& schematicPath, const std::string& programFolder);

    bool loaded() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const sim::Simulator& simulator() const { return env_->simulator; }
    const schematic::CircuitBuild& build() const { return env_->schematic.circuitBuild; }

    const schematic::CircuitSetup& setup() const override { return circuit_.Setup; }
    void clickSwitch(int index) override;
    void enterBusValue(int index, const std::string& text) override;
    void clockEdge() override;
    void clockPulses(const std::string& count) override;
    void pressReset() override;
    void releaseReset() override;
    bool loadMemoryData(int index, const std::string& path) override;

    int32_t netValue(int32_t net) const override;
    std::string netName(int32_t net) const override;
    std::optional<std::string> busDriver(int32_t net) const override;
    std::optional<std::string> probeRow(const std::string& title) const override;
    std::optional<int32_t> registerValue(const std::string& designator, const std::string& reg) const override;
    std::optional<int32_t> memoryCell(const std::string& designator, int32_t address) const override;
    std::string terminalText(const std::string& designator) const override;
    int32_t conflictEvents() const override { return env_->simulator.ConflictEventCount; }

private:
    int32_t icByDesignator(const std::string& designator) const;

    testsupport::ScriptedPrompter prompter_;
    testsupport::ProgramHome home_;
    std::unique_ptr<circuit::Environment> env_ = std::make_unique<circuit::Environment>();
    circuit::LoadedCircuit circuit_;
    circuit::ConsoleActions actions_{*env_, circuit_};
    mutable circuit::ProbeList probes_{env_->simulator};
    std::map<int32_t, circuit::TerminalText> terminals_;
    std::string error_;
};

}  // namespace labtest
