#include "kernel_console.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "probe_texts.h"
#include "schematic/sch_reader.h"
#include "sim/ic_type.h"

namespace labtest {
namespace {

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t memorySize(const sim::IcRecord& ic) {
    switch (static_cast<sim::IcType>(ic.Type)) {
    case sim::IcType::Eprom2732: return sim::kEpromSize;
    case sim::IcType::Ram6116: return sim::kRamSize;
    default: return 0;
    }
}

}  // namespace

KernelConsole::KernelConsole(const std::string& schematicPath, const std::string& dataDir) : dataDir_(dataDir) {
    schematic::SchSheet sheet;
    schematic::SilentSchNotifier notifier;
    const std::vector<uint8_t> bytes = fileBytes(schematicPath);
    if (bytes.empty() ||
        schematic::ReadSchBytes(sheet, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), notifier) != 1) {
        error_ = "cannot read " + schematicPath;
        return;
    }
    firstIc_ = sim_->LastIcNumber + 1;
    firstSignal_ = sim_->LastSignalNumber + 1;
    const schematic::CircuitBuildResult r = schematic::BuildCircuit(*sim_, sheet, setup_, build_);
    if (!r.built) {
        error_ = "the circuit was not built";
        return;
    }
    lastIc_ = sim_->LastIcNumber;
    lastFanout_ = sim_->LastFanoutNumber;
    powerOn();
}

void KernelConsole::settleEveryIc() {
    // The circuit's last fanout records list one IC each, in IC order.
    for (int32_t k = lastFanout_ + firstIc_ - lastIc_; k <= lastFanout_; ++k) {
        sim_->replaceQueue(k);
        sim_->ToggleNetAndSettle(0, sim::kSpareNet);
    }
}

void KernelConsole::powerOn() {
    sim::Simulator& s = *sim_;
    if (setup_.ResetNet != -1) s.NetTable[static_cast<std::size_t>(setup_.ResetNet)].Value = setup_.ResetLevel ^ 1;
    settleEveryIc();
    for (const schematic::MemImageEntry& m : build_.memImageEntries) {
        const sim::IcRecord& ic = s.IcTable[static_cast<std::size_t>(m.icNumber)];
        const int32_t size = memorySize(ic);
        if (size == 0) continue;
        const std::vector<uint8_t> image = fileBytes(dataDir_ + "/" + m.fileName);
        if (image.empty()) {
            error_ = "memory image missing: " + m.fileName;
            return;
        }
        for (int32_t a = 0; a < size && a < static_cast<int32_t>(image.size()); ++a) s.WriteIcMemory(a, image[static_cast<std::size_t>(a)], m.icNumber);
    }
    if (setup_.ResetNet != -1) s.NetTable[static_cast<std::size_t>(setup_.ResetNet)].Value = setup_.ResetLevel;
    settleEveryIc();
    s.NetTable[static_cast<std::size_t>(firstSignal_ + 2)].Value = 0;
    s.resetConflictCounters();
}

void KernelConsole::clickSwitch(int index) {
    const int32_t net = setup_.InSignals[static_cast<std::size_t>(index)].Nets[0];
    sim_->SetNetValue(netValue(net) ^ 1, net);
    sim_->ToggleNetAndSettle(0, sim::kSpareNet);
}

void KernelConsole::enterBusValue(int index, const std::string& text) {
    const schematic::InBusEntry& bus = setup_.InBuses[static_cast<std::size_t>(index)];
    const int width = bus.Width();
    const int64_t value = busBoxValue(text, width);
    for (int c = 0; c < width; ++c)
        sim_->SetNetValue(static_cast<int32_t>((value >> c) & 1), bus.Nets[static_cast<std::size_t>(width - 1 - c)]);
    sim_->ToggleNetAndSettle(0, sim::kSpareNet);
}

void KernelConsole::clockEdge() {
    sim_->ToggleNetAndSettle(0, setup_.ClockNet);
    flush8251Output();
}

void KernelConsole::clockPulses(const std::string& count) {
    int64_t p = 0;
    for (std::size_t i = 0; i < count.size() && std::isdigit(static_cast<unsigned char>(count[i])); ++i) p = 10 * p + (count[i] - '0');
    sim_->ToggleNetAndSettle(static_cast<int32_t>(2 * p - 1), setup_.ClockNet);
    flush8251Output();
}

void KernelConsole::pressReset() {
    sim_->discardQueue();
    sim_->ConflictCandidateCount = -1;
    sim_->ToggleNetAndSettle(0, setup_.ResetNet);
}

void KernelConsole::releaseReset() { sim_->ToggleNetAndSettle(0, setup_.ResetNet); }

bool KernelConsole::loadMemoryData(int index, const std::string& path) {
    const schematic::MemDataEntry& entry = setup_.LoadMems[static_cast<std::size_t>(index)];
    auto takesPart = [&](int k) {
        return entry.ChipFlags[static_cast<std::size_t>(k)] == "U" &&
               memorySize(sim_->IcTable[static_cast<std::size_t>(entry.Chips[static_cast<std::size_t>(k)])]) > 0;
    };
    int32_t limit = 0;
    for (int k = 0; k < entry.ChipCount(); ++k) {
        if (!takesPart(k)) continue;
        const int32_t size = memorySize(sim_->IcTable[static_cast<std::size_t>(entry.Chips[static_cast<std::size_t>(k)])]);
        if (k == 0 || limit > size) limit = size;
    }
    const std::vector<uint8_t> bytes = fileBytes(path);
    if (bytes.size() < 5 || bytes[0] != 1) return false;
    int32_t start = static_cast<int16_t>(bytes[1] | bytes[2] << 8);
    if (start >= 2048) start -= 2048;
    if (start >= limit) start = 0;
    const int32_t count = bytes[3] | bytes[4] << 8;
    std::size_t at = 5;
    for (int32_t a = start; a < start + count; ++a) {
        for (int k = 0; k < entry.ChipCount(); ++k) {
            if (at >= bytes.size()) return true;
            const uint8_t byte = bytes[at++];
            if (!takesPart(k)) continue;
            const int32_t chip = entry.Chips[static_cast<std::size_t>(k)];
            if (a >= memorySize(sim_->IcTable[static_cast<std::size_t>(chip)])) return true;
            sim_->WriteIcMemory(a, byte, chip);
        }
    }
    return true;
}

void KernelConsole::flush8251Output() {
    sim::Simulator& s = *sim_;
    if (s.Pending8251Ic <= -1) return;
    sim::IcRecord& ic = s.IcTable[static_cast<std::size_t>(s.Pending8251Ic)];
    std::string& text = terminals_[s.Pending8251Ic];
    const int32_t last = ic.TxLast;
    for (int32_t i = 0; i <= last; ++i) {
        const int32_t c = ic.Memory[static_cast<std::size_t>(i)];
        if (c >= 32 && c <= 126) text += static_cast<char>(c);
        else if (c == 13) text += "\r\n";
        else if (c == 10 || c == 30) continue;
        else if (c == 8) { if (!text.empty()) text.pop_back(); }
        else if (c == 26) text.clear();
        else text += ' ';
    }
    ic.TxLast = -1;
    s.Pending8251Ic = -1;
}

int32_t KernelConsole::netValue(int32_t net) const { return sim_->NetTable[static_cast<std::size_t>(net)].Value; }

std::optional<std::string> KernelConsole::probeRow(const std::string& title) const {
    for (const schematic::OutBusEntry& e : setup_.OutBuses)
        if (e.Name == title) return outBusText(e, *sim_);
    for (const schematic::IcOutEntry& e : setup_.IcOuts)
        if (e.Name == title) return icOutText(e, *sim_);
    return std::nullopt;
}

int32_t KernelConsole::icByDesignator(const std::string& designator) const {
    for (int32_t ic = firstIc_; ic <= lastIc_; ++ic)
        if (sim_->IcDesignators[static_cast<std::size_t>(ic)] == designator) return ic;
    return -1;
}

std::optional<int32_t> KernelConsole::registerValue(const std::string& designator, const std::string& reg) const {
    const int32_t ic = icByDesignator(designator);
    if (ic < 0) return std::nullopt;
    return namedRegister(sim_->IcTable[static_cast<std::size_t>(ic)], reg);
}

std::optional<int32_t> KernelConsole::memoryCell(const std::string& designator, int32_t address) const {
    const int32_t ic = icByDesignator(designator);
    if (ic < 0) return std::nullopt;
    const sim::IcRecord& r = sim_->IcTable[static_cast<std::size_t>(ic)];
    if (address < 0 || address >= memorySize(r)) return std::nullopt;
    return r.Memory[static_cast<std::size_t>(address)];
}

std::string KernelConsole::terminalText(const std::string& designator) const {
    const auto t = terminals_.find(icByDesignator(designator));
    return t == terminals_.end() ? std::string() : t->second;
}

}  // namespace labtest
