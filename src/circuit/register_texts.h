#pragma once
// How the state views write what is inside ICs: the number formats, the
// probe list's output-bus and IC-output texts, and the register names an
// IC-output directive may use.

#include <QString>

#include <cstdint>
#include <optional>

#include "schematic/circuit_setup.h"

namespace sim {
class Simulator;
struct IcRecord;
}

namespace circuit {

// Upper-case hexadecimal without leading zeros (0 gives "0", 31 "1F"); a
// negative value shows its 32 bits.
QString hexText(int64_t value);
// The low byte in two hexadecimal digits (5 gives "05").
QString twoDigits(int32_t value);
// The low 12 bits in three hexadecimal digits (31 gives "01F").
QString threeDigits(int32_t value);

// An output-bus row: a hexadecimal digit closes every four nets counted back
// from the entry's last net, and at every separator (a comma written only for
// a comma separator). Eight nets 1 0 1 0 0 1 0 1 give "A5".
QString outBusText(const schematic::OutBusEntry& entry, const sim::Simulator& simulator);

// The register an IC-output item names on an IC of that record ("Q", "U3",
// "uPC", "Con", ...); nothing for a name the IC's type does not have.
std::optional<int32_t> icOutRegister(const sim::IcRecord& ic, const QString& name);

// An IC-output row: each named register in its type's format, and a comma
// after every item that ended at a comma in the directive, also after an item
// that shows nothing.
QString icOutText(const schematic::IcOutEntry& entry, const sim::Simulator& simulator);

}  // namespace circuit
