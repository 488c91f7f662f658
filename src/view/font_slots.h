#pragma once
// The fonts a drawing selects by slot number, made from the sheet's font table
// for one zoom.
//
// Slot id + 2 holds file font id (ids count from 1, so slot 3 is the first
// file font); slots 0, 1 and 2 hold slot 3's font turned to 90, 180 and 270
// degrees (set, whatever slot 3's own rotation); the last slot is the
// canvas's own font. A sheet without fonts still has slots 0 to 3: the
// canvas's own font stands in for the first file font, so pins, ports and
// power objects keep a font to write with.

#include <cstdint>
#include <vector>

#include "schematic/sch_model.h"
#include "view/sch_canvas.h"

namespace view {

// The face of the canvas's own font.
inline constexpr const char* kCanvasFontFace = "Arial";

// Cell height in pixels of a font of `size` at `zoom`: the nearest whole
// number, halves to even, and never below 1 so that a tiny text stays tiny
// (nor above a size no screen shows).
inline constexpr int32_t kMaxCellHeight = 4000;
int32_t fontCellHeight(float zoom, int32_t size);

class FontSlots {
public:
    FontSlots() = default;
    static FontSlots build(const schematic::SchSheet& sheet, float zoom);

    // The font of slot `slot`, or nullptr when there is no such slot.
    const FontAttributes* slot(int64_t slot) const;
    // The font a record names by its font id (slot id + 2).
    const FontAttributes* byId(int64_t id) const { return slot(id + 2); }
    std::size_t size() const { return slots_.size(); }

private:
    std::vector<FontAttributes> slots_;
};

}  // namespace view
