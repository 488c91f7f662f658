#pragma once
// What an experiment script does to a circuit and reads back from it, in the
// terms of the circuit window's console and views. The scripts are played
// through this seam on the circuit environment's widget-free layer
// (CircuitConsole).

#include <cstdint>
#include <optional>
#include <string>

#include "schematic/circuit_setup.h"

namespace labtest {

class LabConsole {
public:
    virtual ~LabConsole() = default;

    // The circuit's setup: the console's switches, buses and load buttons.
    virtual const schematic::CircuitSetup& setup() const = 0;

    // ---- Console actions, by the index of their control in the setup ----
    virtual void clickSwitch(int index) = 0;
    // Types `text` into an input bus's box and commits it with Enter.
    virtual void enterBusValue(int index, const std::string& text) = 0;
    virtual void clockEdge() = 0;
    // Types `count` into the pulse-count box and presses the pulse button.
    virtual void clockPulses(const std::string& count) = 0;
    virtual void pressReset() = 0;
    virtual void releaseReset() = 0;
    // A memory-data load button whose file dialog picks `path` and whose
    // start-address prompt keeps its default; false when the file was refused.
    virtual bool loadMemoryData(int index, const std::string& path) = 0;

    // ---- What the windows show ----
    virtual int32_t netValue(int32_t net) const = 0;
    virtual std::string netName(int32_t net) const = 0;
    // The part a bus (a net with two or more driving pins) takes its value
    // from now: its designator, or empty when every driver has let it go.
    // nullopt for a net with one driving pin, which keeps no such record.
    virtual std::optional<std::string> busDriver(int32_t net) const = 0;
    // The value column of the probe list's row with this title.
    virtual std::optional<std::string> probeRow(const std::string& title) const = 0;
    virtual std::optional<int32_t> registerValue(const std::string& designator, const std::string& reg) const = 0;
    virtual std::optional<int32_t> memoryCell(const std::string& designator, int32_t address) const = 0;
    // The text of the IC's 8251 terminal window.
    virtual std::string terminalText(const std::string& designator) const = 0;
    // Bus conflict events recorded since power-on.
    virtual int32_t conflictEvents() const = 0;
};

}  // namespace labtest
