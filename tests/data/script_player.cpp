#include "script_player.h"

#include <algorithm>
#include <set>

#include "circuit/register_texts.h"

namespace labtest {
namespace {

std::string hexText(int64_t value) { return circuit::hexText(value).toStdString(); }

using Kind = labdata::ScriptLine::Kind;

template <class Entries>
int indexByName(const Entries& entries, const std::string& name) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Name == name) return static_cast<int>(i);
    return -1;
}

class Player {
public:
    Player(LabConsole& console, const std::string& dataDir) : c_(console), dataDir_(dataDir) {}

    void play(const labdata::LabScript& script) {
        for (const labdata::ScriptStep& step : script.steps) {
            int lastLine = 0;
            for (const labdata::ScriptLine& line : step.lines) {
                lastLine = line.line;
                line.isCheck() ? check(line) : act(line);
            }
            if (c_.conflictEvents() != conflicts_)
                fail(lastLine, "conflicts recorded: " + std::to_string(c_.conflictEvents()) + ", expected " + std::to_string(conflicts_));
        }
    }

    std::vector<std::string> failures;

private:
    void fail(int line, const std::string& what) { failures.push_back("line " + std::to_string(line) + ": " + what); }

    void act(const labdata::ScriptLine& l) {
        const schematic::CircuitSetup& s = c_.setup();
        switch (l.kind) {
        case Kind::Bus: {
            const int i = indexByName(s.InBuses, l.name);
            if (i < 0) return fail(l.line, "no input bus " + l.name);
            c_.enterBusValue(i, l.value);
            break;
        }
        case Kind::Switch: {
            int i = -1;
            for (std::size_t k = 0; k < s.InSignals.size(); ++k)
                if (s.InSignals[k].Name == l.name) i = static_cast<int>(k);
            if (i < 0) return fail(l.line, "no input switch " + l.name);
            if (c_.netValue(s.InSignals[static_cast<std::size_t>(i)].Nets[0]) == l.number)
                return fail(l.line, l.name + " already is " + std::to_string(l.number));
            c_.clickSwitch(i);
            break;
        }
        case Kind::Pulse: c_.clockPulses(std::to_string(l.number)); break;
        case Kind::Edge: c_.clockEdge(); break;
        case Kind::Reset:
            c_.pressReset();
            c_.releaseReset();
            break;
        case Kind::Load: {
            const int i = indexByName(s.LoadMems, l.name);
            if (i < 0) return fail(l.line, "no load button " + l.name);
            if (!c_.loadMemoryData(i, dataDir_ + "/" + l.value)) fail(l.line, "load refused " + l.value);
            break;
        }
        default: break;
        }
    }

    void expectHex(int line, const std::string& what, std::optional<int32_t> got, const std::string& expected) {
        if (!got) return fail(line, "no " + what);
        if (hexText(*got) != hexText(std::stoll(expected, nullptr, 16)))
            fail(line, what + " is " + hexText(*got) + ", expected " + expected);
    }

    void check(const labdata::ScriptLine& l) {
        switch (l.kind) {
        case Kind::ExpectRow: {
            const std::optional<std::string> row = c_.probeRow(l.name);
            if (!row) return fail(l.line, "no probe row " + l.name);
            if (!sameDigits(*row, l.value)) fail(l.line, l.name + " shows " + *row + ", expected " + l.value);
            checkDrivers(l);
            break;
        }
        case Kind::ExpectRegister: expectHex(l.line, l.name + "." + l.reg, c_.registerValue(l.name, l.reg), l.value); break;
        case Kind::ExpectMemory:
            expectHex(l.line, l.name + "[" + hexText(l.number) + "]", c_.memoryCell(l.name, l.number), l.value);
            break;
        case Kind::ExpectTerminal: {
            const std::string text = c_.terminalText(l.name);
            if (text != l.value) fail(l.line, "terminal of " + l.name + " shows \"" + text + "\", expected \"" + l.value + "\"");
            break;
        }
        case Kind::ExpectConflicts:
            conflicts_ = l.number;
            if (c_.conflictEvents() != l.number)
                fail(l.line, "conflicts recorded: " + std::to_string(c_.conflictEvents()) + ", expected " + std::to_string(l.number));
            break;
        default: break;
        }
    }

    // "x" in an expected value takes any digit.
    static bool sameDigits(const std::string& shown, const std::string& expected) {
        if (shown.size() != expected.size()) return false;
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (expected[i] != 'x' && expected[i] != shown[i]) return false;
        return true;
    }

    // The nets a row's value is read from: all of them, less those under an
    // "x" digit. A row without separators shows four nets per digit, counted
    // from its last net.
    std::optional<std::vector<int32_t>> readNets(const schematic::OutBusEntry& row, const std::string& value) const {
        if (value.find('x') == std::string::npos) return row.Nets;
        for (int32_t sep : row.Separators)
            if (sep != schematic::separator::None) return std::nullopt;
        std::vector<int32_t> nets;
        const auto count = row.Nets.size();
        for (std::size_t j = 0; j < count; ++j) {
            const std::size_t fromEnd = count - 1 - j;
            const std::size_t digits = (count + 3) / 4;
            const std::size_t digit = digits - 1 - fromEnd / 4;
            if (digit >= value.size() || value[digit] != 'x') nets.push_back(row.Nets[j]);
        }
        return nets;
    }

    // A bus shows its last value after every driver has let it go, so a read
    // of it proves nothing unless the part the step names drives it now.
    void checkDrivers(const labdata::ScriptLine& l) {
        const schematic::CircuitSetup& s = c_.setup();
        const int i = indexByName(s.OutBuses, l.name);
        if (i < 0) {
            if (!l.drivers.empty()) fail(l.line, l.name + " shows no nets to be driven");
            return;
        }
        const std::optional<std::vector<int32_t>> nets = readNets(s.OutBuses[static_cast<std::size_t>(i)], l.value);
        if (!nets) return fail(l.line, l.name + " has separators: no digit of it can be left unread");
        std::set<std::string> owners;
        for (const int32_t net : *nets) {
            const std::optional<std::string> owner = c_.busDriver(net);
            if (!owner) continue;
            if (l.drivers.empty()) return fail(l.line, l.name + " reads the bus " + c_.netName(net) + ": name the part that drives it");
            if (owner->empty())
                return fail(l.line, c_.netName(net) + " is driven by no part: " + l.name + " shows what was left on it");
            if (std::find(l.drivers.begin(), l.drivers.end(), *owner) == l.drivers.end())
                return fail(l.line, c_.netName(net) + " is driven by " + *owner + ", not by the part the step names");
            owners.insert(*owner);
        }
        for (const std::string& d : l.drivers)
            if (!owners.count(d)) return fail(l.line, d + " drives none of the bus nets " + l.name + " reads");
    }

    LabConsole& c_;
    std::string dataDir_;
    int32_t conflicts_ = 0;
};

}  // namespace

std::vector<std::string> playScript(const labdata::LabScript& script, LabConsole& console, const std::string& dataDir) {
    Player p(console, dataDir);
    p.play(script);
    return p.failures;
}

}  // namespace labtest
