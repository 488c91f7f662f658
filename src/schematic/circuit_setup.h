#pragma once
// The circuit window's experiment settings, resolved from the directives the
// schematic carries: clock and reset nets, input switches and buses, the rows
// of the probe list, memory-data groups, experiments and the board drawing.
// Signal and IC numbers are the global numbers registration gave the circuit.
//
// Names are compared exactly. A name, range element or designator that finds
// nothing is skipped, and an entry left without items is not kept.

#include <cstdint>
#include <string>
#include <vector>

#include "schematic/circuit_build.h"

namespace sim {
class Simulator;
}

namespace schematic {

// An input switch: one net and its initial level.
struct InSignalEntry {
    std::string Name;  // the net's registered name
    std::vector<int32_t> Nets;
    std::vector<int32_t> Values;  // 0 or 1

    int32_t Count() const { return static_cast<int32_t>(Nets.size()); }
};

// An input bus: the nets of a range that exist, the first element of the
// range first, which holds the highest bit of the initial value.
struct InBusEntry {
    std::string Name;  // the stimulus text, such as "D7..0"
    std::vector<int32_t> Nets;
    std::vector<int32_t> Values;

    int32_t Width() const { return static_cast<int32_t>(Nets.size()); }
};

// Separator after a net in a probe row.
namespace separator {
constexpr int32_t None = 0;   // nothing, or the next net of the same range
constexpr int32_t Comma = 1;
constexpr int32_t Space = 2;
}  // namespace separator

// A row of the probe list that shows nets.
struct OutBusEntry {
    std::string Name;
    std::vector<int32_t> Nets;
    std::vector<int32_t> Separators;

    int32_t Count() const { return static_cast<int32_t>(Nets.size()); }
};

// A group of memory chips whose data is loaded from or saved to a file.
struct MemDataEntry {
    std::string Name;
    std::vector<int32_t> Chips;           // IC numbers in list order
    std::vector<std::string> ChipFlags;   // the text after each "."; "U" takes part

    int32_t ChipCount() const { return static_cast<int32_t>(Chips.size()); }
};

// A row of the probe list that shows IC registers.
struct IcOutEntry {
    std::string Name;
    std::vector<int32_t> Ics;
    std::vector<std::string> RegNames;
    std::vector<int32_t> CommaFlags;  // 1 when the item ended at a comma, else 2

    int32_t Count() const { return static_cast<int32_t>(Ics.size()); }
};

// An experiment: its texts (a band title, possibly empty, and a file each)
// and its block diagram.
struct LabEntry {
    std::string Name;
    std::vector<std::string> TextTitles;
    std::vector<std::string> TextFiles;
    std::string DiagramFile;  // empty: none

    int32_t TextCount() const { return static_cast<int32_t>(TextFiles.size()); }
};

struct CircuitSetup {
    int32_t ClockNet = -1;
    int32_t ClockLevel = 0;
    int32_t ClockMode = 0;  // 1: the clock offers continuous running
    int32_t ResetNet = -1;
    int32_t ResetLevel = 0;  // the idle level; the window drives the other one to reset
    std::vector<MemDataEntry> LoadMems;
    std::vector<MemDataEntry> SaveMems;
    std::vector<LabEntry> Labs;
    std::vector<InSignalEntry> InSignals;
    std::vector<InBusEntry> InBuses;
    std::vector<OutBusEntry> OutBuses;
    std::vector<IcOutEntry> IcOuts;
    std::string BoardFile;  // empty: none

    int32_t LoadMemCount() const { return static_cast<int32_t>(LoadMems.size()); }
    int32_t SaveMemCount() const { return static_cast<int32_t>(SaveMems.size()); }
    int32_t LabCount() const { return static_cast<int32_t>(Labs.size()); }
    int32_t InSignalCount() const { return static_cast<int32_t>(InSignals.size()); }
    int32_t InBusCount() const { return static_cast<int32_t>(InBuses.size()); }
    int32_t OutBusCount() const { return static_cast<int32_t>(OutBuses.size()); }
    int32_t IcOutCount() const { return static_cast<int32_t>(IcOuts.size()); }
};

// Fills `setup` (replacing what it held) from the directives of a registered
// circuit, and writes the initial levels of the clock, reset and input nets
// into the simulator's net table.
void BuildCircuitSetup(const CircuitBuild& build, sim::Simulator& simulator, CircuitSetup& setup);

}  // namespace schematic
