#pragma once
// A built circuit written down so that a redrawn sheet can be held to it: its
// ICs with their types, each net as the pins it joins with the names it
// carries, and the experiment settings, one line each. Drawing choices (wire
// routes, label positions, the order of elements) leave no trace in it.
//
// The text form (tests/data/fixtures/default_circuit.txt):
//   ic DESIGNATOR TYPE
//   net NAMES PIN PIN ...        NAMES joined by ";", a pin as U7.19
//   clock|reset|switch|bus|probe|show|load|save|lab|board FIELD | FIELD ...
// Lines starting with "#" are comments.

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "schematic/circuit_build.h"
#include "schematic/circuit_setup.h"
#include "sim/simulator.h"

namespace labtest {

using PinSet = std::set<std::string>;

struct CircuitRecord {
    std::set<std::string> ics;                       // "U1 74LS14"
    std::map<PinSet, std::vector<std::string>> nets;  // the pins a net joins, and its names
    std::vector<std::string> settings;               // in the setup's order

    friend bool operator==(const CircuitRecord&, const CircuitRecord&) = default;
};

// The record of a circuit registered in `simulator` from `build` and `setup`.
// Supply pins take no part: the simulation never reads them.
CircuitRecord recordCircuit(const schematic::CircuitBuild& build, const schematic::CircuitSetup& setup,
                            const sim::Simulator& simulator);

std::string recordText(const CircuitRecord& record);
// Throws std::runtime_error naming a line it cannot take.
CircuitRecord parseRecord(std::string_view text);

// How `built` differs from `recorded`, one line per difference. Net names
// count only where something refers to the net by name: a recorded net whose
// names all lie outside `referredNames` may carry any name in `built`.
std::vector<std::string> recordDifferences(const CircuitRecord& recorded, const CircuitRecord& built,
                                           const std::set<std::string>& referredNames);

}  // namespace labtest
