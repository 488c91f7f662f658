#pragma once
// Plays console actions on the simulation kernel directly, as the circuit
// window does them, on a circuit it reads, builds and powers on itself: reset
// active, every IC evaluated once, memory images loaded, reset released,
// settled again, the NC net cleared and the conflict counters reset.

#include <map>
#include <memory>
#include <string>

#include "lab_console.h"
#include "schematic/build_circuit.h"
#include "sim/simulator.h"

namespace labtest {

class KernelConsole : public LabConsole {
public:
    // Reads `schematicPath`, builds it as the simulator's first circuit and
    // powers it on, taking memory images from `dataDir`. loaded() tells
    // whether all of that worked; error() says what did not.
    KernelConsole(const std::string& schematicPath, const std::string& dataDir);

    bool loaded() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const sim::Simulator& simulator() const { return *sim_; }
    const schematic::CircuitBuild& build() const { return build_; }

    const schematic::CircuitSetup& setup() const override { return setup_; }
    void clickSwitch(int index) override;
    void enterBusValue(int index, const std::string& text) override;
    void clockEdge() override;
    void clockPulses(const std::string& count) override;
    void pressReset() override;
    void releaseReset() override;
    bool loadMemoryData(int index, const std::string& path) override;

    int32_t netValue(int32_t net) const override;
    std::optional<std::string> probeRow(const std::string& title) const override;
    std::optional<int32_t> registerValue(const std::string& designator, const std::string& reg) const override;
    std::optional<int32_t> memoryCell(const std::string& designator, int32_t address) const override;
    std::string terminalText(const std::string& designator) const override;
    int32_t conflictEvents() const override { return sim_->ConflictEventCount; }

private:
    void powerOn();
    void settleEveryIc();
    void flush8251Output();
    int32_t icByDesignator(const std::string& designator) const;

    std::unique_ptr<sim::Simulator> sim_ = std::make_unique<sim::Simulator>();
    std::string dataDir_;
    std::string error_;
    schematic::CircuitSetup setup_;
    schematic::CircuitBuild build_;
    int32_t firstIc_ = 0, lastIc_ = -1, firstSignal_ = 0, lastFanout_ = 0;
    std::map<int32_t, std::string> terminals_;
};

}  // namespace labtest
