#include "diagram_texts.h"

#include <algorithm>

#include "schgen/text_extent.h"

namespace labtest {
namespace {

using schematic::SchElement;
using schematic::SchElementKind;

// The view writes a box's lines this far inside its frame; the same margin
// keeps the other texts off the drawing's edge.
constexpr int32_t kMargin = 5;

int32_t fontSize(const schematic::SchSheet& sheet, int32_t fontId) {
    const schematic::SchFont* f = sheet.fontById(fontId);
    return f && f->size > 0 ? f->size : 10;
}

std::string point(int64_t x, int64_t y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

void boxFaults(const schematic::SchSheet& sheet, const SchElement& e, std::vector<std::string>& faults) {
    const int64_t x1 = std::min(e.param(0), e.param(2)), x2 = std::max(e.param(0), e.param(2));
    const int64_t top = std::min(e.param(1), e.param(3)), bottom = std::max(e.param(1), e.param(3));
    const std::string box = "the box at " + point(x1, top);
    const int32_t size = fontSize(sheet, e.param(8));
    const int64_t room = x2 - x1 - 2 * kMargin;
    const std::size_t lines = std::min(static_cast<std::size_t>(std::max(0, e.textCount)), e.texts.size());
    for (std::size_t i = 0; i < lines; ++i) {
        const int32_t width = schgen::textWidth(e.texts[i], size);
        if (width > room)
            faults.push_back(box + ": \"" + e.texts[i] + "\" is " + std::to_string(width) + " wide, the box has room for " +
                             std::to_string(room));
    }
    const int64_t height = static_cast<int64_t>(lines) * size, roomDown = bottom - top - 2 * kMargin;
    if (height > roomDown)
        faults.push_back(box + ": " + std::to_string(lines) + " lines are " + std::to_string(height) +
                         " tall, the box has room for " + std::to_string(roomDown));
}

// A text stands on its anchor, as tall as its font.
void labelFaults(const schematic::SchSheet& sheet, const SchElement& e, std::vector<std::string>& faults) {
    const int64_t x = e.param(0), y = e.param(1);
    const int32_t size = fontSize(sheet, e.param(4));
    const int64_t right = x + schgen::textWidth(e.text(0), size);
    if (x < kMargin || y - size < kMargin || right > sheet.sheetWidth() - kMargin || y > sheet.sheetHeight() - kMargin)
        faults.push_back("\"" + e.text(0) + "\" at " + point(x, y) + " reaches " + point(right, y - size) +
                         ", past the drawing's edge");
}

}  // namespace

std::vector<std::string> textsPastTheirBoxes(const schematic::SchSheet& diagram) {
    std::vector<std::string> faults;
    for (const SchElement& e : diagram.elements) {
        if (e.kind == SchElementKind::TextFrame) boxFaults(diagram, e, faults);
        if (e.kind == SchElementKind::Label) labelFaults(diagram, e, faults);
    }
    return faults;
}

}  // namespace labtest
