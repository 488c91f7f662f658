#include "script_player.h"

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
            if (*row != l.value) fail(l.line, l.name + " shows " + *row + ", expected " + l.value);
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
