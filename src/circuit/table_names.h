#pragma once
// The names the simulator's tables hold, as the circuit layer's texts show them.

#include <QString>

#include <cstdint>

namespace sim {
class Simulator;
}

namespace circuit {

// The net's name; empty for a number outside the table.
QString netName(const sim::Simulator& simulator, int32_t net);
// The IC's designator ("U4"); empty for a number outside the table.
QString icDesignator(const sim::Simulator& simulator, int32_t ic);
// The name of an IC type ("74LS244").
QString icTypeText(int32_t type);

}  // namespace circuit
