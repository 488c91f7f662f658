#pragma once
// How much room a text takes on a drafted sheet, in sheet units, for laying
// texts out clear of wires and of each other. The view measures with real
// fonts; these are generous estimates of the fonts the drafts use.

#include <cstdint>
#include <string_view>

namespace schgen {

// The advance of a UTF-8 text in a font of `size` points: about 0.7 of the
// size per Latin character and 1.2 per Chinese one.
int32_t textWidth(std::string_view utf8, int32_t size = 10);

}  // namespace schgen
