#include "view/font_slots.h"

#include <algorithm>
#include <cmath>

namespace view {

int32_t fontCellHeight(float zoom, int32_t size) {
    const float h = zoom * static_cast<float>(size);
    const double r = std::nearbyint(static_cast<double>(h));
    if (!(r >= 1)) return 1;
    return r > kMaxCellHeight ? kMaxCellHeight : static_cast<int32_t>(r);
}

FontSlots FontSlots::build(const schematic::SchSheet& sheet, float zoom) {
    FontSlots s;
    // The table always ends with the canvas's own slot; the reader leaves it
    // as the last entry (fontSlotMax).
    const std::size_t count = std::max<std::size_t>(sheet.fonts.size(), 4);
    s.slots_.resize(count);

    FontAttributes own;
    own.face = QString::fromLatin1(kCanvasFontFace);
    own.height = fontCellHeight(zoom, 10);
    s.slots_[count - 1] = own;

    for (std::size_t i = 3; i + 1 < count; ++i) {
        const schematic::SchFont& f = sheet.fonts[i];
        FontAttributes attrs;
        attrs.face = QString::fromStdString(f.faceName);
        attrs.height = fontCellHeight(zoom, f.size);
        attrs.escapement = static_cast<int32_t>(static_cast<int64_t>(f.rotation) * 10 % 3600);
        attrs.underline = f.underline != 0;
        attrs.italic = f.italic != 0;
        attrs.bold = f.bold != 0;
        attrs.strikeOut = f.strikeOut != 0;
        s.slots_[i] = attrs;
    }

    const FontAttributes first = s.slots_[3];
    for (int k = 0; k < 3; ++k) {
        s.slots_[static_cast<std::size_t>(k)] = first;
        s.slots_[static_cast<std::size_t>(k)].escapement = 900 * (k + 1);
    }
    return s;
}

const FontAttributes* FontSlots::slot(int64_t slot) const {
    if (slot < 0 || slot >= static_cast<int64_t>(slots_.size())) return nullptr;
    return &slots_[static_cast<std::size_t>(slot)];
}

}  // namespace view
