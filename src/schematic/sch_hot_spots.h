#pragma once
// The hot-element list of a schematic view, built from the circuit's build
// tables and the sheet they were built from, and the hand-over of that sheet
// to the view.
//
// Order of the list: every signal entry before every IC entry; signals by
// ascending number, each with its wire segments, then its label boxes, then
// its pin lines; ICs by ascending number, one body box per Part record that
// draws one of its pins. So a pin line or a label inside a body reports the
// signal, not the IC.

#include <cstdint>

#include "schematic/circuit_build.h"
#include "schematic/hot_elements.h"
#include "schematic/sch_model.h"
#include "schematic/schematic_state.h"
#include "schematic/text_measurer.h"

namespace schematic {

// Moves the schematic just read into a view's sheet and leaves the current
// sheet empty, so that the next read starts from nothing.
void HandOverSheet(SchSheet& sheet, SchSheet& currentSheet);

// Appends to `lists` the entries of signals StartSignalNumber..EndSignalNumber
// and ICs StartIcNumber..EndIcNumber (each range only when it is not empty and
// starts at 0 or above) that `build` describes in `currentSheet`, measuring
// label texts with `picture`. Then, always, moves `currentSheet` into `sheet`
// and leaves `currentSheet` empty.
void BuildSchHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                      int32_t EndSignalNumber, TextMeasurer& picture, HotElementLists& lists, SchSheet& sheet,
                      SchSheet& currentSheet, const CircuitBuild& build);

// The same for the schematic just built: the state's current sheet and build tables.
void BuildSchHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                      int32_t EndSignalNumber, TextMeasurer& picture, HotElementLists& lists, SchSheet& sheet,
                      SchematicState& state);

}  // namespace schematic
