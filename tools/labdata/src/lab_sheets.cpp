#include "lab_sheets.h"

#include "plan_text.h"
#include "schematic/wire_geometry.h"
#include "schgen/sheet_draft.h"

namespace labdata {
namespace {

using schematic::SchElementKind;
using schematic::SheetPoint;

int32_t boxHeight(const schematic::SchSheet& sheet, int part) {
    const schematic::SchElement& p = sheet.elements[static_cast<std::size_t>(part)];
    for (const schematic::SchElement& e : sheet.partGraphics(p)->elements)
        if (e.kind == SchElementKind::Rectangle) return -e.param(3);
    return 0;
}

// A pin of the circuit sheet where it ends, with the net it was given
// (empty for a pin left open) and the stub drawn from it, if any.
struct DrawnPin {
    const IcPlan* ic = nullptr;
    int32_t pin = 0;
    SheetPoint end;
    std::string net;
    int stub = -1;  // element index of the wire; its label follows it
};

std::string pinText(const DrawnPin& p) {
    return p.ic->designator + " pin " + std::to_string(p.pin) + (p.net.empty() ? "" : " (" + p.net + ")");
}

std::string pointText(SheetPoint p) { return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")"; }

// The builder joins two wires where an end of one, a pin end or a label lies
// on the other, so a stub placed close to a neighbour's would merge two nets
// without a sign on the sheet. Every stub end, label point and pin end must
// therefore stay off every stub of another net.
void checkStubsApart(const schematic::SchSheet& sheet, const std::vector<DrawnPin>& pins) {
    struct Stub {
        const DrawnPin* from;
        SheetPoint a, b, label;
    };
    std::vector<Stub> stubs;
    for (const DrawnPin& p : pins) {
        if (p.stub < 0) continue;
        const std::vector<SheetPoint> ends = schematic::wirePoints(sheet.elements[static_cast<std::size_t>(p.stub)]);
        const schematic::SchElement& label = sheet.elements[static_cast<std::size_t>(p.stub) + 1];
        stubs.push_back({&p, ends.front(), ends.back(), {label.param(0), label.param(1)}});
    }
    auto clash = [](const DrawnPin& a, const DrawnPin& b, SheetPoint at) {
        const DrawnPin& first = a.ic->line <= b.ic->line ? a : b;
        const DrawnPin& second = &first == &a ? b : a;
        throw PlanError(second.ic->line, pinText(second) + " and " + pinText(first) + " would join at " + pointText(at) +
                                             ": place " + second.ic->designator + " further from " + first.ic->designator);
    };
    for (const Stub& s : stubs) {
        for (const Stub& t : stubs) {
            if (s.from->net == t.from->net) continue;
            for (const SheetPoint q : {s.a, s.b, s.label})
                if (schematic::pointOnSegment(q, t.a, t.b)) clash(*s.from, *t.from, q);
        }
        for (const DrawnPin& p : pins)
            if (p.net != s.from->net && schematic::pointOnSegment(p.end, s.a, s.b)) clash(p, *s.from, p.end);
    }
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
    std::vector<DrawnPin> pins;
    for (const IcPlan& ic : plan.ics) {
        std::vector<std::string> descriptions;
        if (!ic.image.empty()) descriptions.push_back(ic.image);
        const int part = d.ic(ic.designator, ic.type, ic.x, ic.y, descriptions);
        // The caption goes under the part type and the GND pin, clear of the pins.
        if (!ic.caption.empty()) d.label(ic.x, ic.y + boxHeight(d.sheet(), part) + 45, ic.caption, schgen::SheetDraft::kSongFont);
        const std::size_t first = pins.size();
        for (int32_t pin = 1; pin <= sim::pinTable(sim::icTypeFromName(ic.type)).pinCount; ++pin)
            pins.push_back({&ic, pin, d.pinEnd(part, pin), {}, -1});
        for (const PinConnection& c : ic.connections) {
            DrawnPin& p = pins[first + static_cast<std::size_t>(c.pin) - 1];
            p.net = c.net;
            p.stub = d.net(part, c.pin, c.net);
        }
    }
    checkStubsApart(d.sheet(), pins);
    for (const std::string& t : plan.stimuli) d.directive(SchElementKind::SimStimulus, t);
    for (const std::string& t : plan.probes) d.directive(SchElementKind::SimProbe, t);
    for (const std::string& t : plan.vectors) d.directive(SchElementKind::SimVector, t);
    return d.sheet();
}

}  // namespace labdata
