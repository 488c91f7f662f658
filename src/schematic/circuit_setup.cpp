#include "schematic/circuit_setup.h"

#include <unordered_map>

#include "schematic/bus_range.h"
#include "schematic/utf8_text.h"
#include "sim/simulator.h"

namespace schematic {
namespace {

// After the first separator a list keeps at most this many characters.
constexpr std::size_t kListChars = 200;

constexpr std::size_t npos = std::string_view::npos;

// 1-based position of the first `c` in `t`, 0 when absent.
std::size_t positionOf(std::string_view t, char c) {
    const std::size_t at = t.find(c);
    return at == npos ? 0 : at + 1;
}

std::size_t firstSpace(std::string_view t) { return positionOf(t, ' '); }

std::size_t firstSpaceOrComma(std::string_view t) {
    const std::size_t at = t.find_first_of(" ,");
    return at == npos ? 0 : at + 1;
}

// A comma splits an IC-output list only when a space follows it somewhere.
std::size_t icOutputSeparator(std::string_view t) {
    const std::size_t space = positionOf(t, ' ');
    const std::size_t comma = positionOf(t, ',');
    return comma > 0 && space > 0 && comma < space ? comma : space;
}

// Takes a list apart item by item: `item(item, from, separator)` gets each
// item, the text it was taken from and the 1-based position of the separator
// that ended it (0 when the item is the whole rest).
template <typename FindSeparator, typename Item>
void forEachItem(std::string_view list, FindSeparator findSeparator, Item item) {
    std::string_view rest = list;
    while (!rest.empty()) {
        const std::size_t s = findSeparator(rest);
        if (s <= 1) {
            item(rest, rest, std::size_t{0});
            return;
        }
        item(rest.substr(0, s - 1), rest, s);
        rest = leftChars(rest.substr(s), kListChars);
    }
}

class SetupBuilder {
public:
    SetupBuilder(const CircuitBuild& build, sim::Simulator& simulator, CircuitSetup& setup)
        : b_(build), sim_(simulator), setup_(setup) {
        for (std::size_t n = 0; n < b_.circuitNets.size(); ++n) {
            const auto net = static_cast<int32_t>(n);
            if (!b_.isLiveNet(net)) continue;
            liveNets_.push_back(net);
            for (const std::string& name : namesOf(net)) netByName_.try_emplace(name, b_.circuitNets[n].signalNumber);
        }
    }

    void run() {
        setup_ = CircuitSetup{};
        clockAndReset();
        inputs();
        outputBuses();
        icOutputs();
        setup_.LoadMems = memoryData(b_.labDirectives.loadMems);
        setup_.SaveMems = memoryData(b_.labDirectives.saveMems);
        labs();
        if (!b_.labDirectives.vrPcbFile.empty()) setup_.BoardFile = b_.labDirectives.vrPcbFile;
    }

private:
    const std::vector<std::string>& namesOf(int32_t net) const {
        static const std::vector<std::string> none;
        const int32_t group = b_.circuitNets[static_cast<std::size_t>(net)].nameGroup;
        if (group < 0 || static_cast<std::size_t>(group) >= b_.netNameGroups.size()) return none;
        return b_.netNameGroups[static_cast<std::size_t>(group)].names;
    }

    // The signal of the first live net carrying `name`; an empty name names nothing.
    std::optional<int32_t> findNet(std::string_view name) const {
        if (name.empty()) return std::nullopt;
        const auto it = netByName_.find(std::string(name));
        if (it == netByName_.end()) return std::nullopt;
        return it->second;
    }

    std::optional<int32_t> findIc(std::string_view designator) const {
        for (const CircuitIc& ic : b_.circuitIcs) {
            if (ic.designator == designator) return ic.icNumber;
        }
        return std::nullopt;
    }

    void setLevel(int32_t signal, int32_t value) {
        if (sim::Simulator::isNet(signal)) sim_.NetTable[static_cast<std::size_t>(signal)].Value = value;
    }

    // Until both are found a later net carrying the clock (or reset) name
    // replaces an earlier one; the walk stops as soon as both are set.
    void clockAndReset() {
        const LabDirectives& d = b_.labDirectives;
        for (int32_t net : liveNets_) {
            const int32_t signal = b_.circuitNets[static_cast<std::size_t>(net)].signalNumber;
            for (const std::string& name : namesOf(net)) {
                if (!d.clkName.empty() && name == d.clkName) {
                    setup_.ClockMode = d.clkMode;
                    setup_.ClockNet = signal;
                    setup_.ClockLevel = d.clkValue;
                    setLevel(signal, d.clkValue);
                }
                if (!d.resetName.empty() && name == d.resetName) {
                    setup_.ResetNet = signal;
                    setup_.ResetLevel = d.resetValue;
                    setLevel(signal, d.resetValue);
                }
                if (setup_.ClockNet != -1 && setup_.ResetNet != -1) return;
            }
        }
    }

    // Bit `bit` of a stimulus value; a bus of 32 or more nets gets 0 for the
    // bits a 32-bit value does not have.
    static int32_t bitOf(int32_t value, int32_t bit) {
        if (bit > 31) return 0;
        return static_cast<int32_t>((static_cast<int64_t>(value) >> bit) & 1);
    }

    void inputs() {
        for (const Stimulus& stimulus : b_.labDirectives.stimuli) {
            if (!isBusRange(stimulus.name)) {
                const std::optional<int32_t> signal = findNet(stimulus.name);
                if (!signal) continue;
                InSignalEntry entry;
                entry.Name = sim_.NetTable[static_cast<std::size_t>(*signal)].Name;
                entry.Nets = {*signal};
                entry.Values = {stimulus.value & 1};
                setLevel(*signal, stimulus.value & 1);
                setup_.InSignals.push_back(std::move(entry));
                continue;
            }
            InBusEntry entry;
            entry.Name = stimulus.name;
            entry.Nets = rangeNets(stimulus.name);
            const int32_t width = entry.Width();
            for (int32_t j = 0; j < width; ++j) {
                const int32_t value = bitOf(stimulus.value, width - 1 - j);
                entry.Values.push_back(value);
                setLevel(entry.Nets[static_cast<std::size_t>(j)], value);
            }
            if (width > 0) setup_.InBuses.push_back(std::move(entry));
        }
    }

    // The signals of the range's elements that name a net, in range order.
    std::vector<int32_t> rangeNets(std::string_view range) const {
        std::vector<int32_t> nets;
        const auto names = busRangeNames(range);
        if (!names) return nets;
        for (const std::string& name : *names) {
            if (const auto signal = findNet(name)) nets.push_back(*signal);
        }
        return nets;
    }

    void outputBuses() {
        for (const TitledList& probe : b_.labDirectives.probes) {
            OutBusEntry entry;
            entry.Name = probe.title;
            forEachItem(probe.list, firstSpaceOrComma, [&](std::string_view item, std::string_view from, std::size_t) {
                std::vector<int32_t> nets;
                if (isBusRange(item)) {
                    nets = rangeNets(item);
                } else if (const auto signal = findNet(item)) {
                    nets.push_back(*signal);
                }
                for (int32_t net : nets) {
                    entry.Nets.push_back(net);
                    entry.Separators.push_back(separator::None);
                }
                // The separator that ended the item goes with the row's last net.
                const std::size_t s = from.find_first_of(" ,");
                if (!entry.Nets.empty() && s != npos) {
                    entry.Separators.back() = from[s] == ' ' ? separator::Space : separator::Comma;
                }
            });
            if (entry.Count() > 0) setup_.OutBuses.push_back(std::move(entry));
        }
    }

    void icOutputs() {
        for (const TitledList& probe : b_.labDirectives.icProbes) {
            IcOutEntry entry;
            entry.Name = probe.title;
            forEachItem(probe.list, icOutputSeparator,
                        [&](std::string_view item, std::string_view from, std::size_t s) {
                            const int32_t flag = s > 0 && from[s - 1] == ',' ? 1 : 2;
                            const std::size_t dot = item.find('.');
                            if (dot == npos) return;
                            const std::optional<int32_t> ic = findIc(item.substr(0, dot));
                            if (!ic) return;
                            entry.Ics.push_back(*ic);
                            entry.RegNames.emplace_back(leftChars(item.substr(dot + 1), kListChars));
                            entry.CommaFlags.push_back(flag);
                        });
            if (entry.Count() > 0) setup_.IcOuts.push_back(std::move(entry));
        }
    }

    std::vector<MemDataEntry> memoryData(const std::vector<TitledList>& directives) const {
        std::vector<MemDataEntry> entries;
        for (const TitledList& directive : directives) {
            MemDataEntry entry;
            entry.Name = directive.title;
            forEachItem(directive.list, firstSpace, [&](std::string_view item, std::string_view, std::size_t) {
                const std::size_t dot = item.find('.');
                if (dot == npos) return;
                const std::optional<int32_t> ic = findIc(item.substr(0, dot));
                if (!ic) return;
                entry.Chips.push_back(*ic);
                entry.ChipFlags.emplace_back(leftChars(item.substr(dot + 1), kListChars));
            });
            if (entry.ChipCount() > 0) entries.push_back(std::move(entry));
        }
        return entries;
    }

    // "(title)file", "(a(b))file" (the title's own parentheses balanced) or
    // "file"; an item without a file adds nothing.
    static void addLabText(LabEntry& lab, std::string_view item) {
        std::string_view title;
        std::size_t fileStart = 0;
        if (!item.empty() && item.front() == '(') {
            std::size_t close = item.find(')');
            if (close == npos) return;
            std::size_t nested = 0;
            for (std::size_t p = 1; p < close; ++p) {
                if (item[p] == '(') ++nested;
            }
            for (; nested > 0; --nested) {
                close = item.find(')', close + 1);
                if (close == npos) return;
            }
            title = item.substr(1, close - 1);
            fileStart = close + 1;
        }
        const std::string_view file = item.substr(fileStart);
        if (file.empty()) return;
        lab.TextTitles.emplace_back(title);
        lab.TextFiles.emplace_back(file);
    }

    void labs() {
        for (const LabHeadList& directive : b_.labDirectives.labs) {
            LabEntry lab;
            const std::string_view head = directive.head;
            const std::size_t close = head.find(')');
            if (!head.empty() && head.front() == '(' && close != npos) {
                lab.DiagramFile = std::string(head.substr(1, close - 1));
                lab.Name = std::string(head.substr(close + 1));
            } else {
                lab.Name = std::string(head);
            }
            forEachItem(directive.list, firstSpace,
                        [&](std::string_view item, std::string_view, std::size_t) { addLabText(lab, item); });
            if (lab.TextCount() > 0) setup_.Labs.push_back(std::move(lab));
        }
    }

    const CircuitBuild& b_;
    sim::Simulator& sim_;
    CircuitSetup& setup_;
    std::vector<int32_t> liveNets_;
    std::unordered_map<std::string, int32_t> netByName_;
};

}  // namespace

void BuildCircuitSetup(const CircuitBuild& build, sim::Simulator& simulator, CircuitSetup& setup) {
    SetupBuilder(build, simulator, setup).run();
}

}  // namespace schematic
