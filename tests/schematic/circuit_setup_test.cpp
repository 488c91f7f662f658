#include "schematic/circuit_setup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "schematic/bus_range.h"
#include "schematic/lab_directives.h"
#include "sim/simulator.h"

namespace schematic {
namespace {

// A registered circuit made directly in the build tables: GND, VCC and NC are
// signals 0..2 (VCC also carries the name CK), then one live net per entry of
// `nets` from signal 3 (names separated by ";"), and ICs U5..U8 numbered 10..13.
struct Circuit {
    CircuitBuild b;
    sim::Simulator s;

    explicit Circuit(const std::vector<std::string>& nets) {
        for (const char* d : {"U5", "U6", "U7", "U8"}) {
            CircuitIc ic;
            ic.designator = d;
            ic.icNumber = 10 + static_cast<int32_t>(b.circuitIcs.size());
            b.circuitIcs.push_back(ic);
        }
        addNet({"GND"}, 0);
        addNet({"VCC", "HighVol", "CK"}, 1);
        addNet({"NC"}, 2);
        b.gndNet = 0;
        b.vccNet = 1;
        b.ncNet = 2;
        for (const std::string& names : nets) {
            std::vector<std::string> split;
            std::stringstream in(names);
            for (std::string name; std::getline(in, name, ';');) split.push_back(name);
            if (split.empty()) split.push_back("");
            addNet(split, static_cast<int32_t>(b.circuitNets.size()));
        }
    }

    void addNet(const std::vector<std::string>& names, int32_t signal) {
        NetNameGroup group;
        group.names = names;
        group.net = static_cast<int32_t>(b.circuitNets.size());
        b.netNameGroups.push_back(group);
        CircuitNet net;
        net.ics = {0};
        net.nameGroup = static_cast<int32_t>(b.netNameGroups.size() - 1);
        net.signalNumber = signal;
        b.circuitNets.push_back(net);
        std::string joined;
        for (std::size_t i = 0; i < names.size(); ++i) joined += (i ? ";" : "") + names[i];
        s.NetTable[signal].Name = joined;
    }

    void directive(SchElementKind kind, const std::string& text) {
        ASSERT_EQ(applyDirective(b.labDirectives, kind, text), SchFailure::None) << text;
    }
};

template <typename List>
std::string joinedList(const List& list) {
    std::ostringstream out;
    for (std::size_t i = 0; i < list.size(); ++i) out << (i ? "," : "") << list[i];
    return out.str();
}

// The setup as lines, and the live nets (from 3) that start at level 1.
std::vector<std::string> describe(const CircuitSetup& c, const sim::Simulator& s) {
    std::vector<std::string> lines;
    auto line = [&](const std::ostringstream& out) { lines.push_back(out.str()); };
    std::ostringstream head;
    head << "clock " << c.ClockNet << " mode " << c.ClockMode << " level " << c.ClockLevel << " | reset "
         << c.ResetNet << " level " << c.ResetLevel;
    line(head);
    for (const InSignalEntry& e : c.InSignals) {
        std::ostringstream out;
        out << "in " << e.Name << " " << joinedList(e.Nets) << "=" << joinedList(e.Values);
        line(out);
    }
    for (const InBusEntry& e : c.InBuses) {
        std::ostringstream out;
        out << "bus " << e.Name << " " << joinedList(e.Nets) << "=" << joinedList(e.Values);
        line(out);
    }
    for (const OutBusEntry& e : c.OutBuses) {
        std::ostringstream out;
        out << "out " << e.Name;
        for (int i = 0; i < e.Count(); ++i) out << " " << e.Nets[i] << "/" << e.Separators[i];
        line(out);
    }
    for (const IcOutEntry& e : c.IcOuts) {
        std::ostringstream out;
        out << "icout " << e.Name;
        for (int i = 0; i < e.Count(); ++i) out << " " << e.Ics[i] << "." << e.RegNames[i] << "/" << e.CommaFlags[i];
        line(out);
    }
    for (const auto* group : {&c.LoadMems, &c.SaveMems}) {
        for (const MemDataEntry& e : *group) {
            std::ostringstream out;
            out << (group == &c.LoadMems ? "load " : "save ") << e.Name;
            for (int i = 0; i < e.ChipCount(); ++i) out << " " << e.Chips[i] << "." << e.ChipFlags[i];
            line(out);
        }
    }
    for (const LabEntry& e : c.Labs) {
        std::ostringstream out;
        out << "lab " << e.Name << " (" << e.DiagramFile << ")";
        for (int i = 0; i < e.TextCount(); ++i) out << " " << e.TextTitles[i] << ":" << e.TextFiles[i];
        line(out);
    }
    if (!c.BoardFile.empty()) lines.push_back("board " + c.BoardFile);
    std::ostringstream high;
    high << "high";
    for (int n = 3; n < 60; ++n) {
        if (s.NetTable[n].Value != 0) high << " " << n;
    }
    line(high);
    return lines;
}

std::vector<std::string> range(const char* prefix, int from, int to) {
    std::vector<std::string> names;
    for (int n = from;; n += from > to ? -1 : 1) {
        std::string name = prefix;
        name += std::to_string(n);
        names.push_back(name);
        if (n == to) break;
    }
    return names;
}

constexpr auto Stim = SchElementKind::SimStimulus;
constexpr auto Probe = SchElementKind::SimProbe;
constexpr auto Vector = SchElementKind::SimVector;
const char* const kNoClock = "clock -1 mode 0 level 0 | reset -1 level 0";

TEST(CircuitSetup, DirectivesResolveAgainstTheCircuit) {
    const std::string chinese195 = [] {
        std::string s;
        for (int i = 0; i < 195; ++i) s += "中";
        return s;
    }();
    struct Case {
        const char* what;
        std::vector<std::string> nets;
        std::vector<std::pair<SchElementKind, std::string>> directives;
        std::vector<std::string> setup;
    } cases[] = {
        {"clock and reset", {"CP", "RST"}, {{Stim, "CLK(S/C):CP 1"}, {Stim, "RESET:RST 0"}},
         {"clock 3 mode 1 level 1 | reset 4 level 0", "high 3"}},
        {"stepping clock at 0, reset idle high", {"CP", "RST"}, {{Stim, "CLK(NS/C):CP 0"}, {Stim, "RESET:RST 1"}},
         {"clock 3 mode 0 level 0 | reset 4 level 1", "high 4"}},
        {"no directives", {"CP"}, {}, {kNoClock, "high"}},
        {"a name only VCC carries is not found", {"CP"}, {{Stim, "CLK(S/C):CK 1"}}, {kNoClock, "high"}},
        {"an empty clock name matches no net, not even an unnamed one", {""}, {{Stim, "CLK(S/C): 1"}},
         {kNoClock, "high"}},
        {"clock takes the last net of its name, a switch the first", {"CP", "CP"},
         {{Stim, "CLK(S/C):CP 0"}, {Stim, "CP 1"}}, {"clock 4 mode 1 level 0 | reset -1 level 0", "in CP 3=1", "high 3"}},
        {"switch shows the net's registered name and keeps bit 0", {"SW1;SW1B"}, {{Stim, "SW1 3"}, {Stim, "SW2 1"}},
         {kNoClock, "in SW1;SW1B 3=1", "high 3"}},
        {"bus, first element the highest bit", range("D", 7, 0), {{Stim, "D7..0 5"}},
         {kNoClock, "bus D7..0 3,4,5,6,7,8,9,10=0,0,0,0,0,1,0,1", "high 8 10"}},
        {"bus of the elements that exist", range("D", 3, 0), {{Stim, "D7..0 5"}},
         {kNoClock, "bus D7..0 3,4,5,6=0,1,0,1", "high 4 6"}},
        {"bus of no existing net", {"A"}, {{Stim, "D7..0 5"}}, {kNoClock, "high"}},
        {"bus of 40 nets: no bits beyond the value's 32", range("D", 39, 0), {{Stim, "D39..0 -1"}},
         {kNoClock,
          "bus D39..0 3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37,"
          "38,39,40,41,42=0,0,0,0,0,0,0,0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1",
          "high 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 41 42"}},
        {"probe with range, space and comma", {"D7", "D6", "D5", "D4", "CLK", "RST"},
         {{Probe, "(Bus) D7..4 CLK,RST"}}, {kNoClock, "out Bus 3/0 4/0 5/0 6/2 7/1 8/0", "high"}},
        {"probe item naming nothing records no separator", {"D0"}, {{Probe, "(P) X1 D0"}},
         {kNoClock, "out P 3/0", "high"}},
        {"two blanks make the rest one item", {"D7", "D6"}, {{Probe, "(P) D7  D6"}}, {kNoClock, "out P 3/2", "high"}},
        {"probe of nothing is no row", {"A"}, {{Probe, "(P) B C"}}, {kNoClock, "high"}},
        {"IC outputs", {"A"}, {{Probe, "IC:(Regs) U5.A,U6.B U7.C"}}, {kNoClock, "icout Regs 10.A/1 11.B/2 12.C/2", "high"}},
        {"a comma without a later blank splits nothing", {"A"}, {{Probe, "IC:(R) U5.A,U6.B"}},
         {kNoClock, "icout R 10.A,U6.B/2", "high"}},
        {"IC item naming nothing passes its flag on", {"A"}, {{Probe, "IC:(R) U9.A,U6.B U7.C"}},
         {kNoClock, "icout R 11.B/2 12.C/2", "high"}},
        {"memory data", {"A"}, {{Vector, "LoadMemData:(Prog) U7.U U8.L U9"}, {Vector, "SaveMemData:(Out) U5.U"}},
         {kNoClock, "load Prog 12.U 13.L", "save Out 10.U", "high"}},
        {"memory data of unknown chips is no entry", {"A"}, {{Vector, "LoadMemData:(P) X.U"}}, {kNoClock, "high"}},
        {"lab with diagram and texts", {"A"}, {{Vector, "Lab:(add.sch)Adder (Intro)lab1.rtf lab2.rtf"}},
         {kNoClock, "lab Adder (add.sch) Intro:lab1.rtf :lab2.rtf", "high"}},
        {"lab title in nested parentheses; a title without a file adds nothing", {"A"},
         {{Vector, "Lab:Plain (a(b))x.rtf (Intro) (open"}}, {kNoClock, "lab Plain () a(b):x.rtf", "high"}},
        {"lab without texts is no entry", {"A"}, {{Vector, "Lab:(d.sch)Name (Intro)"}}, {kNoClock, "high"}},
        {"list keeps 200 characters after a separator", {"A"},
         {{Vector, "LoadMemData:(P) U5.U " + chinese195 + " U6.U"}}, {kNoClock, "load P 10.U 11.U", "high"}},
        {"list loses what lies beyond them", {"A"},
         {{Vector, "LoadMemData:(P) U5.U " + std::string(197, 'x') + " U6.U"}}, {kNoClock, "load P 10.U", "high"}},
        {"board drawing", {"A"}, {{Vector, "VrPcb:board.sch"}}, {kNoClock, "board board.sch", "high"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Circuit circuit(c.nets);
        for (const auto& [kind, text] : c.directives) circuit.directive(kind, text);
        CircuitSetup setup;
        BuildCircuitSetup(circuit.b, circuit.s, setup);
        EXPECT_EQ(describe(setup, circuit.s), c.setup);
    }
}

TEST(CircuitSetup, BusRangesNameTheirElementsInOrder) {
    struct Case {
        const char* text;
        std::vector<std::string> names;
    } cases[] = {
        {"D15..8", range("D", 15, 8)}, {"DB7..0", range("DB", 7, 0)}, {"D10..3", range("D", 10, 3)},
        {"D0..7", range("D", 0, 7)},   {"A7..A0", range("A", 7, 0)},  {"D..2", range("D", 0, 2)},
        {"D3..3", {"D3"}},             {"D1..-1", {"D1", "D0", "D-1"}}, {"X007..5", range("X", 7, 5)},
    };
    for (const Case& c : cases) {
        const auto names = busRangeNames(c.text);
        ASSERT_TRUE(names) << c.text;
        EXPECT_EQ(*names, c.names) << c.text;
    }
}

// Ranges no bus can have, or whose numbers leave 32 bits, name nothing, and at once.
TEST(CircuitSetup, UnboundedBusRangesAreRefused) {
    for (const char* text : {"D0..2000000000", "D2147483647..0", "D99999999999..0", "D0..9999999999", "D0..4096"}) {
        EXPECT_FALSE(busRangeNames(text)) << text;
    }
    EXPECT_EQ(busRangeNames("D0..4095")->size(), 4096u);

    Circuit circuit({"D0", "D1"});
    circuit.directive(Stim, "D0..2000000000 1");
    circuit.directive(Probe, "(P) D2147483647..0 D0..2000000000 D1");
    const auto start = std::chrono::steady_clock::now();
    CircuitSetup setup;
    BuildCircuitSetup(circuit.b, circuit.s, setup);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(describe(setup, circuit.s), (std::vector<std::string>{kNoClock, "out P 4/0", "high"}));
}

}  // namespace
}  // namespace schematic
