#pragma once
// The schematic subsystem's run-time state.

#include "schematic/circuit_build.h"
#include "schematic/sch_model.h"

namespace schematic {

struct SchematicState {
    // The one schematic record the reader fills. The circuit builder reads it,
    // then a hot-spot builder moves it into its view and leaves it empty, so
    // each read is consumed before the next (and every read starts empty).
    SchSheet currentSheet;
    // The build tables of the circuit built last. The hot-spot builders of
    // its schematic and board views read them; the next build replaces them.
    CircuitBuild circuitBuild;
};

// The program's instance. Code under test takes its own SchematicState or
// SchSheet instead of reaching for this one.
SchematicState& schematicState();

}  // namespace schematic
