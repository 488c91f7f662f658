#include "schematic/element_scan.h"

#include <optional>

#include "schematic/part_transform.h"
#include "schematic/sch_numbers.h"
#include "schematic/wire_geometry.h"
#include "schematic/text_scan.h"

namespace schematic {
namespace {


int32_t findIc(const CircuitBuild& build, const std::string& designator, int32_t type) {
    for (std::size_t i = 0; i < build.circuitIcs.size(); ++i) {
        const CircuitIc& ic = build.circuitIcs[i];
        if (ic.type == type && ic.designator == designator) return static_cast<int32_t>(i);
    }
    return -1;
}

// The pin number a Pin record's number text gives, when it names a pin of the type.
std::optional<int32_t> pinNumberOf(const SchElement& pin, int32_t pinCount) {
    const std::optional<int32_t> number = roundToInt32(textNumberValue(pin.text(pin_text::Number)));
    if (!number || *number < 1 || *number > pinCount) return std::nullopt;
    return number;
}

void scanPart(const SchSheet& sheet, int32_t elementIndex, CircuitBuild& build) {
    const SchElement& part = sheet.elements[static_cast<std::size_t>(elementIndex)];
    const int32_t type = sim::icTypeFromName(part.text(part_text::PartType));
    if (type < 0) return;

    const std::string& designator = part.text(part_text::Designator);
    int32_t icIndex = findIc(build, designator, type);
    if (icIndex < 0) {
        icIndex = static_cast<int32_t>(build.circuitIcs.size());
        build.circuitIcs.push_back(makeCircuitIc(type, designator));
        const bool memory = type == static_cast<int32_t>(sim::IcType::Eprom2732) ||
                            type == static_cast<int32_t>(sim::IcType::Ram6116);
        const std::string& image = part.text(part_text::FirstDescription);
        if (memory && !trimBlanks(image).empty()) build.memImageEntries.push_back(MemImageEntry{icIndex, image, 0});
    }
    CircuitIc& ic = build.circuitIcs[static_cast<std::size_t>(icIndex)];

    const SchPartGraphics* graphics = sheet.partGraphics(part);
    if (!graphics) return;
    const PartTransform placement = PartTransform::of(part);
    const bool showHidden = part.param(part_param::ShowHidden) == 1;
    for (std::size_t g = 0; g < graphics->elements.size(); ++g) {
        const SchElement& pin = graphics->elements[g];
        if (pin.kind != SchElementKind::Pin) continue;
        if (pin.param(pin_param::Hidden) != 0 && !showHidden) continue;
        const std::optional<int32_t> number = pinNumberOf(pin, ic.pinCount);
        // Pins that several parts of one IC show (the supply pins) are listed once.
        if (!number || ic.lists(*number)) continue;
        ListedPin listed;
        listed.pinNumber = *number;
        listed.hasEnd = true;
        listed.end = placement.pinOuterEnd(pin);
        listed.partElement = elementIndex;
        listed.graphicIndex = static_cast<int32_t>(g);
        ic.pins.push_back(listed);
    }
}

void scanWire(const SchSheet& sheet, int32_t elementIndex, CircuitBuild& build) {
    const std::optional<WireEnds> ends = wireEnds(sheet.elements[static_cast<std::size_t>(elementIndex)]);
    if (!ends) return;
    for (CircuitNet& net : build.circuitNets) {
        for (int32_t wire : net.wires) {
            if (wire < 0 || static_cast<std::size_t>(wire) >= sheet.elements.size()) continue;
            const std::optional<WireEnds> other = wireEnds(sheet.elements[static_cast<std::size_t>(wire)]);
            if (other && ends->meets(*other)) {
                net.wires.push_back(elementIndex);
                return;
            }
        }
    }
    CircuitNet net;
    net.wires.push_back(elementIndex);
    build.circuitNets.push_back(std::move(net));
}

void scanJunction(const SchElement& junction, CircuitBuild& build) {
    const int64_t x = junction.param(0);
    const int64_t y = junction.param(1);
    for (const JunctionPoint& known : build.junctionPoints) {
        if (known.x == x && known.y == y) return;
    }
    build.junctionPoints.push_back(JunctionPoint{x, y, 0});
}

void scanNetLabel(const SchElement& label, int32_t elementIndex, CircuitBuild& build) {
    const std::string& text = label.text(0);
    NetNameGroup* group = nullptr;
    for (NetNameGroup& g : build.netNameGroups) {
        if (!g.names.empty() && g.names.front() == text) {
            group = &g;
            break;
        }
    }
    if (!group) {
        group = &build.netNameGroups.emplace_back();
        group->names.push_back(text);
    }
    group->labelPoints.push_back(LabelPoint{label.param(0), label.param(1), elementIndex});
}

}  // namespace

SchFailure ScanSchElements(const SchSheet& sheet, CircuitBuild& build) {
    for (std::size_t i = 0; i < sheet.elements.size(); ++i) {
        const SchElement& element = sheet.elements[i];
        const auto index = static_cast<int32_t>(i);
        switch (element.kind) {
            case SchElementKind::Part: scanPart(sheet, index, build); break;
            case SchElementKind::Wire: scanWire(sheet, index, build); break;
            case SchElementKind::Junction: scanJunction(element, build); break;
            case SchElementKind::NetLabel: scanNetLabel(element, index, build); break;
            case SchElementKind::SimProbe:
            case SchElementKind::SimVector:
            case SchElementKind::SimStimulus: {
                const SchFailure f = applyDirective(build.labDirectives, element.kind, element.text(0));
                if (f != SchFailure::None) return f;
                break;
            }
            default: break;
        }
    }
    return SchFailure::None;
}

void ScanSchParts(const SchSheet& sheet, CircuitBuild& build) {
    for (std::size_t i = 0; i < sheet.elements.size(); ++i) {
        if (sheet.elements[i].kind == SchElementKind::Part) scanPart(sheet, static_cast<int32_t>(i), build);
    }
}

}  // namespace schematic
