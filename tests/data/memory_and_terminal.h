#pragma once
// The memory-data load button, through the circuit layer's load, and the 8251
// terminal output, as the terminal window takes it.

#include <cstdint>
#include <map>
#include <string>

#include "circuit/terminal_text.h"
#include "schematic/circuit_setup.h"
#include "sim/simulator.h"

namespace labtest {

// A load button whose file dialog picks the code file `path` and whose
// start-address prompt keeps its default; false when the file was refused.
bool loadCodeFile(sim::Simulator& simulator, const schematic::MemDataEntry& entry, const std::string& path);

// Passes the pending 8251 output on to its terminal's text, as a clock
// command does after its refresh.
void flush8251Output(sim::Simulator& simulator, std::map<int32_t, circuit::TerminalText>& terminals);

}  // namespace labtest
