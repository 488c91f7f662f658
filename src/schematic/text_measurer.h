#pragma once
// Measures label texts for the hot-element boxes, in the fonts of the sheet.
// The program measures with Qt's font metrics (QtTextMeasurer); tests use a
// fixed width per character.

#include <string_view>

#include "schematic/sch_model.h"

namespace schematic {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Takes the face name, size in points, underline, italic, bold and
    // strike-out of `font` (its rotation plays no part in a width).
    virtual void setFont(const SchFont& font) = 0;
    // The width of a UTF-8 text in the current font, in pixels.
    virtual float widthPx(std::string_view text) = 0;
};

// The font a label is measured in when its font id names no font of the
// sheet: the sheet's first font, or the drawing's own face when the sheet
// has none.
SchFont defaultLabelFont(const SchSheet& sheet);

// The font of a label's font id (slot id + 2): that slot's font when the slot
// exists and holds a font, otherwise the default label font.
SchFont labelFont(const SchSheet& sheet, int32_t fontId);

}  // namespace schematic
