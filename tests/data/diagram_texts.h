#pragma once
// Checks that a block diagram's texts stand where they can be read: each
// line of a box inside the box's frame, every other text inside the drawing,
// with a margin all round. Texts are measured as the drafts measure them
// (schgen::textWidth, a line as tall as its font), which is wider than the
// fonts the view draws with, so a text that passes stands clear of the
// border it is checked against.

#include <string>
#include <vector>

#include "schematic/sch_model.h"

namespace labtest {

// One text per text that reaches past its box or past the drawing, naming it;
// empty when every text fits.
std::vector<std::string> textsPastTheirBoxes(const schematic::SchSheet& diagram);

}  // namespace labtest
