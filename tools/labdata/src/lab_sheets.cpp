#include "lab_sheets.h"

#include "schgen/sheet_draft.h"

namespace labdata {
namespace {

using schematic::SchElementKind;

int32_t boxHeight(const schematic::SchSheet& sheet, int part) {
    const schematic::SchElement& p = sheet.elements[static_cast<std::size_t>(part)];
    for (const schematic::SchElement& e : sheet.partGraphics(p)->elements)
        if (e.kind == SchElementKind::Rectangle) return -e.param(3);
    return 0;
}

}  // namespace

schematic::SchSheet circuitSheet(const CircuitPlan& plan) {
    schgen::SheetDraft d(plan.width, plan.height);
    const int32_t titleFont = d.font(18, "宋体", true);
    for (const FramePlan& f : plan.frames) {
        d.rectangle(f.x1, f.y1, f.x2, f.y2);
        d.label(f.x1 + 12, f.y1 + 28, f.title, titleFont);
    }
    for (const NotePlan& n : plan.notes) d.label(n.x, n.y, n.text, schgen::SheetDraft::kSongFont);
    for (const IcPlan& ic : plan.ics) {
        std::vector<std::string> descriptions;
        if (!ic.image.empty()) descriptions.push_back(ic.image);
        const int part = d.ic(ic.designator, ic.type, ic.x, ic.y, descriptions);
        // The caption goes under the part type and the GND pin, clear of the pins.
        if (!ic.caption.empty()) d.label(ic.x, ic.y + boxHeight(d.sheet(), part) + 45, ic.caption, schgen::SheetDraft::kSongFont);
        for (const PinConnection& c : ic.connections) d.net(part, c.pin, c.net);
    }
    for (const std::string& t : plan.stimuli) d.directive(SchElementKind::SimStimulus, t);
    for (const std::string& t : plan.probes) d.directive(SchElementKind::SimProbe, t);
    for (const std::string& t : plan.vectors) d.directive(SchElementKind::SimVector, t);
    return d.sheet();
}

}  // namespace labdata
