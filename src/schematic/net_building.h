#pragma once
// Net building: decides which wires, pins and labels of a scanned sheet form
// one electrical net, ties the pins nothing reaches, names the nets no label
// names and lists, per net, the ICs that read and drive it.
//
// Connectivity comes only from geometry and names: wires meet where an end
// point of one equals an end point of the other, where a junction, a pin end
// or a net label lies on both, or where labels with equal text stand on them.
// Power symbols, ports and buses take no part; the supply nets come from
// labels (VCC/HighVol, GND/LowVol/VSS, NC/N.C./Null/X) or are created last.
//
// Afterwards circuitNets holds the scanned nets (in the order of their first
// wire), then one net per label group that lies on no wire, then the supply
// nets created here, in the order VCC, GND, NC.

#include "schematic/circuit_build.h"
#include "schematic/sch_model.h"
#include "schematic/sch_read_notifier.h"

namespace schematic {

// Scans `sheet` into `build` (which should be fresh) and builds its nets.
// Fails with NumberOutOfRange when a directive value does not fit 32 bits.
SchFailure BuildNets(const SchSheet& sheet, CircuitBuild& build);

// Sets the VCC, GND and NC net indexes from the names of the nets' label
// groups; the last net (and within it the last name) carrying a power name wins.
void FindPowerNets(CircuitBuild& build);

// A fresh build of `sheet`: the build tables and directives the registration
// into the simulator works from, or the failure that ends the build.
struct CircuitExtraction {
    SchFailure failure = SchFailure::None;
    CircuitBuild build;
};
CircuitExtraction ExtractCircuit(const SchSheet& sheet);

}  // namespace schematic
