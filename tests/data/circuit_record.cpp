#include "circuit_record.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "labdata/src/plan_text.h"
#include "sim/ic_type.h"

namespace labtest {
namespace {

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    std::istringstream in{std::string(text)};
    for (std::string w; in >> w;) out.push_back(std::move(w));
    return out;
}

template <class T, class F>
std::string joined(const std::vector<T>& items, F text) {
    std::string out;
    for (const T& item : items) out += (out.empty() ? "" : " ") + text(item);
    return out;
}

std::string numbers(const std::vector<int32_t>& values) {
    return joined(values, [](int32_t v) { return std::to_string(v); });
}

std::string pinsText(const PinSet& pins) {
    std::string out;
    for (const std::string& p : pins) out += (out.empty() ? "" : " ") + p;
    return out;
}

std::string namesText(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : ";") + n;
    return out;
}

std::vector<std::string> settingLines(const schematic::CircuitSetup& s, const sim::Simulator& sim) {
    auto net = [&](int32_t n) { return n < 0 ? std::string("-") : sim.NetTable[static_cast<std::size_t>(n)].Name; };
    auto nets = [&](const std::vector<int32_t>& list) { return joined(list, net); };
    auto chip = [&](int32_t ic) { return sim.IcDesignators[static_cast<std::size_t>(ic)]; };
    std::vector<std::string> out;
    out.push_back("clock | " + net(s.ClockNet) + " | " + std::to_string(s.ClockLevel) + " " + std::to_string(s.ClockMode));
    out.push_back("reset | " + net(s.ResetNet) + " | " + std::to_string(s.ResetLevel));
    for (const auto& e : s.InSignals) out.push_back("switch | " + e.Name + " | " + nets(e.Nets) + " | " + numbers(e.Values));
    for (const auto& e : s.InBuses) out.push_back("bus | " + e.Name + " | " + nets(e.Nets) + " | " + numbers(e.Values));
    for (const auto& e : s.OutBuses) out.push_back("probe | " + e.Name + " | " + nets(e.Nets) + " | " + numbers(e.Separators));
    for (const auto& e : s.IcOuts) {
        std::vector<std::string> items;
        for (std::size_t i = 0; i < e.Ics.size(); ++i) items.push_back(chip(e.Ics[i]) + "." + e.RegNames[i]);
        out.push_back("show | " + e.Name + " | " + joined(items, [](const std::string& x) { return x; }) + " | " +
                      numbers(e.CommaFlags));
    }
    for (const auto& [kind, entries] : {std::pair{"load", &s.LoadMems}, std::pair{"save", &s.SaveMems}}) {
        for (const auto& e : *entries) {
            std::vector<std::string> items;
            for (std::size_t i = 0; i < e.Chips.size(); ++i) items.push_back(chip(e.Chips[i]) + "." + e.ChipFlags[i]);
            out.push_back(std::string(kind) + " | " + e.Name + " | " + joined(items, [](const std::string& x) { return x; }));
        }
    }
    for (const auto& e : s.Labs) {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < e.TextFiles.size(); ++i) texts.push_back(e.TextTitles[i] + "=" + e.TextFiles[i]);
        out.push_back("lab | " + e.Name + " | " + e.DiagramFile + " | " + joined(texts, [](const std::string& x) { return x; }));
    }
    out.push_back("board | " + s.BoardFile);
    return out;
}

}  // namespace

CircuitRecord recordCircuit(const schematic::CircuitBuild& build, const schematic::CircuitSetup& setup,
                            const sim::Simulator& simulator) {
    CircuitRecord r;
    std::map<int32_t, PinSet> pinsOfSignal;
    for (const schematic::CircuitIc& ic : build.circuitIcs) {
        r.ics.insert(ic.designator + " " + std::string(sim::icTypeName(ic.type)));
        for (const schematic::ListedPin& pin : ic.pins) {
            const sim::PinKind kind = ic.kindOf(pin.pinNumber);
            if (pin.net < 0 || kind == sim::PinKind::Vcc || kind == sim::PinKind::Gnd) continue;
            const int32_t signal = build.circuitNets[static_cast<std::size_t>(pin.net)].signalNumber;
            pinsOfSignal[signal].insert(ic.designator + "." + std::to_string(pin.pinNumber));
        }
    }
    for (const auto& [signal, pins] : pinsOfSignal)
        r.nets[pins] = labdata::separated(simulator.NetTable[static_cast<std::size_t>(signal)].Name, ';');
    r.settings = settingLines(setup, simulator);
    return r;
}

std::string recordText(const CircuitRecord& record) {
    std::string out;
    for (const std::string& ic : record.ics) out += "ic " + ic + "\n";
    // Nets by name, so that a rewritten record reads as a change of names or pins.
    std::vector<std::pair<std::string, std::string>> nets;
    for (const auto& [pins, names] : record.nets) nets.emplace_back(namesText(names), pinsText(pins));
    std::sort(nets.begin(), nets.end());
    for (const auto& [names, pins] : nets) out += "net " + names + " " + pins + "\n";
    for (const std::string& s : record.settings) out += s + "\n";
    return out;
}

CircuitRecord parseRecord(std::string_view text) {
    CircuitRecord r;
    int number = 0;
    for (const std::string& line : labdata::separated(text, '\n')) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> w = words(line);
        if (w[0] == "ic") {
            if (w.size() != 3) throw std::runtime_error("line " + std::to_string(number) + ": ic DESIGNATOR TYPE");
            r.ics.insert(w[1] + " " + w[2]);
        } else if (w[0] == "net") {
            if (w.size() < 3) throw std::runtime_error("line " + std::to_string(number) + ": net NAMES PIN ...");
            r.nets[PinSet(w.begin() + 2, w.end())] = labdata::separated(w[1], ';');
        } else {
            r.settings.push_back(line);
        }
    }
    return r;
}

std::vector<std::string> recordDifferences(const CircuitRecord& recorded, const CircuitRecord& built,
                                           const std::set<std::string>& referredNames) {
    std::vector<std::string> out;
    for (const std::string& ic : recorded.ics)
        if (!built.ics.count(ic)) out.push_back("IC " + ic + " is missing");
    for (const std::string& ic : built.ics)
        if (!recorded.ics.count(ic)) out.push_back("IC " + ic + " was not recorded");

    auto referred = [&](const std::vector<std::string>& names) {
        std::vector<std::string> kept;
        for (const std::string& n : names)
            if (referredNames.count(n)) kept.push_back(n);
        return kept;
    };
    for (const auto& [pins, names] : recorded.nets) {
        const auto b = built.nets.find(pins);
        if (b == built.nets.end()) {
            out.push_back("no net joins exactly the pins of " + namesText(names) + ": " + pinsText(pins));
            continue;
        }
        for (const std::string& n : referred(names))
            if (std::find(b->second.begin(), b->second.end(), n) == b->second.end())
                out.push_back("the net of " + pinsText(pins) + " is no longer named " + n + " (now " + namesText(b->second) + ")");
        for (const std::string& n : referred(b->second))
            if (std::find(names.begin(), names.end(), n) == names.end())
                out.push_back("the net of " + pinsText(pins) + " is now also named " + n);
    }
    for (const auto& [pins, names] : built.nets)
        if (!recorded.nets.count(pins)) out.push_back("net " + namesText(names) + " joins pins no recorded net joins: " + pinsText(pins));

    if (recorded.settings != built.settings) {
        const std::size_t before = out.size();
        for (const std::string& s : recorded.settings)
            if (std::find(built.settings.begin(), built.settings.end(), s) == built.settings.end())
                out.push_back("setting missing: " + s);
        for (const std::string& s : built.settings)
            if (std::find(recorded.settings.begin(), recorded.settings.end(), s) == recorded.settings.end())
                out.push_back("setting not recorded: " + s);
        if (out.size() == before) out.push_back("the settings are recorded in another order");
    }
    return out;
}

}  // namespace labtest
