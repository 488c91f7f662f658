#pragma once
// One pass over a sheet's elements, in element order, collecting what matters
// electrically into the build tables:
// - a Part whose part type names a simulated IC type becomes an IC (or adds its
//   pins to the IC of the same designator and type), with the outer end of each
//   pin it draws, and for a 2732 or 6116 the memory image its first
//   description names;
// - a Wire joins the first net holding a wire with a common end point, or opens
//   a new net;
// - Junctions are collected once per position, NetLabels grouped by exact text;
// - the texts of SimProbe, SimVector and SimStimulus records go to the
//   experiment directives.
// The scan only appends; it resets nothing.
//
// Parts whose component or part index names no library part add no pins, and
// pin-number texts outside 1..the type's pin count are not listed: the pin
// tables are indexed by pin number.

#include "schematic/circuit_build.h"
#include "schematic/sch_model.h"
#include "schematic/sch_read_notifier.h"

namespace schematic {

// Fails with NumberOutOfRange when a directive value does not fit 32 bits; the
// tables then hold what was scanned before that record.
SchFailure ScanSchElements(const SchSheet& sheet, CircuitBuild& build);

// IC recognition alone: the Parts of `sheet` into circuitIcs (with the memory
// images they name), as the full scan takes them. Nothing here can fail.
void ScanSchParts(const SchSheet& sheet, CircuitBuild& build);

}  // namespace schematic
