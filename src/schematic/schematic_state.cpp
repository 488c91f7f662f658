#include "schematic/schematic_state.h"

namespace schematic {

SchematicState& schematicState() {
    static SchematicState state;
    return state;
}

}  // namespace schematic
