#pragma once
// Readable names for the package pins of the simulated IC types, as the
// drafted library parts show them. "/" marks an active-low pin.

#include <cstdint>
#include <string>
#include <vector>

namespace schgen {

// Indexed by pin number 1..the type's pin count (entry 0 is empty); empty for
// a value that is no IC type. Callers index it by the pin table's numbers.
std::vector<std::string> icPinNames(int32_t type);

}  // namespace schgen
