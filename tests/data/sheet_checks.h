#pragma once
// Electrical checks a lab would make on a drawn circuit, on the nets the
// program's own builder finds in a sheet. Each returns one line per fault,
// naming the net and the pins; none means the sheet passes.

#include <set>
#include <string>
#include <vector>

#include "schematic/circuit_build.h"

namespace labtest {

// Nets that carry the names of two or more labels: two named wires joined by
// accident. A join a drawing needs on purpose is listed in `deliberate` by
// the set of its names.
std::vector<std::string> netsWithSeveralNames(const schematic::CircuitBuild& build,
                                              const std::set<std::set<std::string>>& deliberate = {});

// Nets on which an output that always drives (a gate, a decoder, a register
// without output enable, the bit-slice and sequencer status outputs, a GAL
// output) meets any other output or bidirectional pin. Three-state outputs
// and bidirectional pins may share a net, open-collector outputs may be
// wired together. Pins nothing reaches (the builder's NC net) are not joined.
std::vector<std::string> fightingOutputs(const schematic::CircuitBuild& build);

// Clock and reset inputs of sequential parts that are open, on a supply net
// or on a net no label names.
std::vector<std::string> unnamedClocksAndResets(const schematic::CircuitBuild& build);

// VCC and GND pins a chip shows that are not on the VCC or GND net: a chip
// drawn without its power. A supply pin the part hides is taken as tied.
std::vector<std::string> unpoweredChips(const schematic::CircuitBuild& build);

}  // namespace labtest
