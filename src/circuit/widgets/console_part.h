#pragma once
// The circuit window's console and feedback: the operator console, the
// register tree and probe list, the conflict log and the views' tooltips and
// clicks, plugged into the frame's parts.

#include <cstdint>

namespace circuit::widgets {

struct CircuitParts;
class Form7;

void installConsoleParts(CircuitParts& parts);

// The tooltip over the hot element `value` of view `view`.
void UserControl11_HotElement(Form7& form, int view, int32_t value);
// A click on view `view`: a left click on a signal selects its row in the
// signal list; on an IC it selects the IC in the IC tree, flips its
// expansion, and does the same in the register tree when the IC has a node
// there. Anything else does nothing.
void UserControl11_HotElementClick(Form7& form, int view, int32_t button, int32_t value);

}  // namespace circuit::widgets
