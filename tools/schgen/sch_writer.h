#pragma once
// Writes a SchSheet as the Protel ASCII schematic file the reader takes, so
// that reading the result gives back the same sheet. The model holds the
// sheet's own Y values flipped against the sheet height and library Y values
// of some kinds negated; writing undoes exactly what reading does.
//
// What the reader itself cannot produce cannot come back either: texts with
// line breaks, frame lines with blanks at their ends, descriptions that are
// empty or "*", a Part's or Pin's first text holding all of ' ) ] > } (its
// quotes are dropped then), fonts outside slots 3..fontSlotMax - 1, a font
// without a face name.

#include <string>

#include "schematic/sch_model.h"

namespace schgen {

// The file's text in UTF-8, lines ending in CR LF.
std::string writeSchText(const schematic::SchSheet& sheet);
// The same in code page 936, as files are stored.
std::string writeSchBytes(const schematic::SchSheet& sheet);
// Writes the bytes to `path` (UTF-8 on this system); false when the file
// cannot be written completely.
bool writeSchFile(const schematic::SchSheet& sheet, const std::string& path);

}  // namespace schgen
