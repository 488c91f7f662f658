#pragma once
// Checks a block diagram's lines against the circuit it draws.
//
// Each box or bus of a diagram stands for ICs and signals of the circuit (its
// "ics" and "nets" lines). The diagram must then draw every connection the
// circuit makes between them, in the direction the signals flow:
// - a signal an item stands for: an arrow from each item whose ICs drive it
//   to an item standing for it, and from an item standing for it to each item
//   whose ICs read it;
// - any other signal: an arrow from each item whose ICs drive it to each item
//   whose ICs read it.
// A clock input counts as reading a signal from which plain gates the diagram
// leaves out (inverters, AND, OR, NAND) derive its clock, and an IC whose
// clock comes from nothing the diagram stands for is a fault. Every arrow of
// an item that stands for something must carry such a connection, and every
// line must start and end on an item (a branch may start on another arrow).

#include <string>
#include <vector>

#include "labdata/src/diagram_plan.h"
#include "schematic/circuit_build.h"

namespace labtest {

// One text per fault, naming the description line; empty when the diagram
// and the circuit agree.
std::vector<std::string> diagramFaults(const labdata::DiagramPlan& plan, const schematic::CircuitBuild& circuit);

}  // namespace labtest
