#include "schematic/text_measurer.h"

namespace schematic {
namespace {

constexpr int32_t kFirstFileFontSlot = 3;

bool holdsFont(const SchFont* font) { return font && !(*font == SchFont{}); }

}  // namespace

SchFont defaultLabelFont(const SchSheet& sheet) {
    const SchFont* first = sheet.fontById(kFirstFileFontSlot - 2);
    if (holdsFont(first)) return *first;
    SchFont own;
    own.size = 10;
    own.faceName = "Arial";
    return own;
}

SchFont labelFont(const SchSheet& sheet, int32_t fontId) {
    const SchFont* font = sheet.fontById(fontId);
    return holdsFont(font) ? *font : defaultLabelFont(sheet);
}

}  // namespace schematic
