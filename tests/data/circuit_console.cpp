#include "circuit_console.h"

#include "circuit/register_texts.h"
#include "memory_and_terminal.h"
#include "sim/ic_type.h"

namespace labtest {

CircuitConsole::CircuitConsole(const std::string& schematicPath, const std::string& programFolder)
    : home_(QString::fromStdString(programFolder)) {
    std::optional<circuit::LoadedCircuit> loaded = circuit::readAndBuildCircuit(*env_, QString::fromStdString(schematicPath));
    if (!loaded) {
        error_ = "cannot load " + schematicPath;
        return;
    }
    circuit_ = std::move(*loaded);
    circuit::powerOn(*env_, circuit_);
    probes_.fill(circuit_.Setup);
    for (const platform::MessageRequest& m : prompter_.messages()) error_ += m.title.toStdString() + ": " + m.text.toStdString() + "\n";
}

void CircuitConsole::clickSwitch(int index) { actions_.toggleSwitch(index); }

void CircuitConsole::enterBusValue(int index, const std::string& text) {
    actions_.commitBus(index, QString::fromStdString(text));
}

void CircuitConsole::clockEdge() {
    actions_.clockEdge();
    flush8251Output(env_->simulator, terminals_);
}

void CircuitConsole::clockPulses(const std::string& count) {
    actions_.clockPulses(circuit::pulseCount(QString::fromStdString(count)),
                         [this] { flush8251Output(env_->simulator, terminals_); });
}

void CircuitConsole::pressReset() { actions_.pressReset(); }
void CircuitConsole::releaseReset() { actions_.releaseReset(); }

bool CircuitConsole::loadMemoryData(int index, const std::string& path) {
    return loadCodeFile(env_->simulator, circuit_.Setup.LoadMems[static_cast<std::size_t>(index)], path);
}

int32_t CircuitConsole::netValue(int32_t net) const { return env_->simulator.NetTable[static_cast<std::size_t>(net)].Value; }

std::string CircuitConsole::netName(int32_t net) const { return env_->simulator.NetTable[static_cast<std::size_t>(net)].Name; }

std::optional<std::string> CircuitConsole::busDriver(int32_t net) const {
    const sim::NetRecord& n = env_->simulator.NetTable[static_cast<std::size_t>(net)];
    if (n.DriverCount < 2) return std::nullopt;
    if (n.ActiveDrivers < 0 || n.DriverPairs.empty()) return std::string();
    return env_->simulator.IcDesignators[static_cast<std::size_t>(n.DriverPairs[0])];
}

std::optional<std::string> CircuitConsole::probeRow(const std::string& title) const {
    probes_.refresh();
    const int32_t row = probes_.rowOf(QString::fromStdString(title));
    if (row < 0) return std::nullopt;
    return probes_.row(row).value.toStdString();
}

int32_t CircuitConsole::icByDesignator(const std::string& designator) const {
    for (int32_t ic = circuit_.StartIcNumber; ic <= circuit_.EndIcNumber; ++ic)
        if (env_->simulator.IcDesignators[static_cast<std::size_t>(ic)] == designator) return ic;
    return -1;
}

std::optional<int32_t> CircuitConsole::registerValue(const std::string& designator, const std::string& reg) const {
    const int32_t ic = icByDesignator(designator);
    if (ic < 0) return std::nullopt;
    return circuit::icOutRegister(env_->simulator.IcTable[static_cast<std::size_t>(ic)], QString::fromStdString(reg));
}

std::optional<int32_t> CircuitConsole::memoryCell(const std::string& designator, int32_t address) const {
    const int32_t ic = icByDesignator(designator);
    if (ic < 0) return std::nullopt;
    const sim::IcRecord& r = env_->simulator.IcTable[static_cast<std::size_t>(ic)];
    const bool memory = r.Type == static_cast<int32_t>(sim::IcType::Eprom2732) || r.Type == static_cast<int32_t>(sim::IcType::Ram6116);
    if (!memory || address < 0 || static_cast<std::size_t>(address) >= r.Memory.size()) return std::nullopt;
    return r.Memory[static_cast<std::size_t>(address)];
}

std::string CircuitConsole::terminalText(const std::string& designator) const {
    const auto t = terminals_.find(icByDesignator(designator));
    return t == terminals_.end() ? std::string() : t->second.text().toStdString();
}

}  // namespace labtest
