#pragma once
// The hot elements of the circuit window's board drawing, and the hand-over of
// block diagrams, which have none.
//
// The board drawing shows the circuit's ICs again, placed as on a board. Its
// hot elements report the circuit's own numbers: a board IC that matches a
// circuit IC by exact designator and type gets that IC's number for its body
// boxes, and each of its drawn pins a pin line with the signal of the circuit
// pin of the same number (a pin the circuit left without a net reports the
// VCC, GND or NC signal by its kind). Board ICs without a match, and the
// board's own wires and labels, report nothing.

#include <cstdint>

#include "schematic/circuit_build.h"
#include "schematic/hot_elements.h"
#include "schematic/sch_model.h"
#include "schematic/schematic_state.h"
#include "schematic/text_measurer.h"

namespace schematic {

// Builds the board's list from the board drawing in `currentSheet` and the
// circuit's build tables `circuit`, which stay as they are, then hands the
// drawing over to `sheet` as BuildSchHotSpots does. The four numbers are the
// circuit's ranges.
void BuildBoardHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                        int32_t EndSignalNumber, TextMeasurer& picture, HotElementLists& lists, SchSheet& sheet,
                        SchSheet& currentSheet, const CircuitBuild& circuit);

// The same with the state's current sheet and the build tables of the circuit built last.
void BuildBoardHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                        int32_t EndSignalNumber, TextMeasurer& picture, HotElementLists& lists, SchSheet& sheet,
                        SchematicState& state);

// The block-diagram view's DiagramData. Nothing fills or reads it.
struct DiagramModel {};

// Moves `currentSheet` into `sheet` and leaves `currentSheet` empty; the
// other arguments stay as they are (a block diagram has no hot elements).
void BuildDiagramHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                          int32_t EndSignalNumber, DiagramModel& diagram, HotElementLists& lists, SchSheet& sheet,
                          SchSheet& currentSheet);
void BuildDiagramHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                          int32_t EndSignalNumber, DiagramModel& diagram, HotElementLists& lists, SchSheet& sheet,
                          SchematicState& state);

}  // namespace schematic
