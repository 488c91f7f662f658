#pragma once
// The value texts of the probe list's rows and the value a register row
// shows, as the circuit window writes them.

#include <cstdint>
#include <optional>
#include <string>

#include "schematic/circuit_setup.h"
#include "sim/simulator.h"

namespace labtest {

// Upper-case hexadecimal without leading zeros.
std::string hexText(int64_t value);

// An output-bus row: a hexadecimal digit closes every four nets counted back
// from the last net of the row, and at every separator (a comma written only
// for a comma separator).
std::string outBusText(const schematic::OutBusEntry& entry, const sim::Simulator& sim);

// An IC-output row: each named register in its format, a comma after each
// item that ended at a comma in the directive.
std::string icOutText(const schematic::IcOutEntry& entry, const sim::Simulator& sim);

// The register of that name on an IC of that record, as the register tree
// names them ("Q", "U3", "uPC", "Con" ...); nullopt for a name the type lacks.
std::optional<int32_t> namedRegister(const sim::IcRecord& ic, const std::string& name);

// The value an input bus's box commits for `text` on a bus of `width` nets.
int64_t busBoxValue(const std::string& text, int width);

}  // namespace labtest
