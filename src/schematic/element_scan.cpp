#include "schematic/element_scan.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>

#include "schematic/part_transform.h"
#include "schematic/sch_numbers.h"
#include "schematic/wire_geometry.h"
#include "schematic/text_scan.h"

namespace schematic {
namespace {

// The pin number a Pin record's number text gives, when it names a pin of the type.
std::optional<int32_t> pinNumberOf(const SchElement& pin, int32_t pinCount) {
    const std::optional<int32_t> number = roundToInt32(textNumberValue(pin.text(pin_text::Number)));
    if (!number || *number < 1 || *number > pinCount) return std::nullopt;
    return number;
}

struct IcKey {
    int32_t type;
    std::string designator;
    friend bool operator==(const IcKey&, const IcKey&) = default;
};

struct IcKeyHash {
    std::size_t operator()(const IcKey& k) const {
        return std::hash<std::string>{}(k.designator) ^ (static_cast<std::size_t>(k.type) * 0x9E3779B97F4A7C15ull);
    }
};

// The scan's lookups (IC by designator and type, net by wire end, junction by
// position, label group by text), each answering what a search of the table
// from its first entry would: the first entry that matches. Entries the
// tables held before the scan are indexed too.
class ElementScan {
public:
    ElementScan(const SchSheet& sheet, CircuitBuild& build)
        : sheet_(sheet), b_(build), wireEnds_(sheet.elements.size()) {
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            icByKey_.try_emplace(IcKey{b_.circuitIcs[i].type, b_.circuitIcs[i].designator}, static_cast<int32_t>(i));
        }
        for (std::size_t n = 0; n < b_.circuitNets.size(); ++n) {
            for (int32_t wire : b_.circuitNets[n].wires) {
                if (wire < 0 || static_cast<std::size_t>(wire) >= sheet_.elements.size()) continue;
                if (const std::optional<WireEnds> ends = wireEnds(sheet_.elements[static_cast<std::size_t>(wire)])) {
                    noteEnds(*ends, static_cast<int32_t>(n));
                }
            }
        }
        for (const JunctionPoint& j : b_.junctionPoints) junctions_.insert(SheetPoint{j.x, j.y});
        for (std::size_t g = 0; g < b_.netNameGroups.size(); ++g) {
            const NetNameGroup& group = b_.netNameGroups[g];
            if (!group.names.empty()) groupByText_.try_emplace(group.names.front(), static_cast<int32_t>(g));
        }
    }

    void part(int32_t elementIndex) {
        const SchElement& part = sheet_.elements[static_cast<std::size_t>(elementIndex)];
        const int32_t type = sim::icTypeFromName(part.text(part_text::PartType));
        if (type < 0) return;

        const std::string& designator = part.text(part_text::Designator);
        const auto [found, added] = icByKey_.try_emplace(IcKey{type, designator}, static_cast<int32_t>(b_.circuitIcs.size()));
        const int32_t icIndex = found->second;
        if (added) {
            b_.circuitIcs.push_back(makeCircuitIc(type, designator));
            const bool memory = sim::memoryCells(type) > 0;
            const std::string& image = part.text(part_text::FirstDescription);
            if (memory && !trimBlanks(image).empty()) b_.memImageEntries.push_back(MemImageEntry{icIndex, image, 0});
        }
        CircuitIc& ic = b_.circuitIcs[static_cast<std::size_t>(icIndex)];

        const SchPartGraphics* graphics = sheet_.partGraphics(part);
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

    // A wire joins the first net (by index) holding a wire with an end in
    // common; nets never merge during the scan, so that is the lowest net
    // noted at either of its ends.
    void wire(int32_t elementIndex) {
        const std::optional<WireEnds> ends = wireEnds(sheet_.elements[static_cast<std::size_t>(elementIndex)]);
        if (!ends) return;
        const std::size_t first = endId(ends->first), last = endId(ends->last);
        int32_t net = std::min(firstNetAt_[first], firstNetAt_[last]);
        if (net == kNoNet) {
            net = static_cast<int32_t>(b_.circuitNets.size());
            b_.circuitNets.emplace_back();
        }
        b_.circuitNets[static_cast<std::size_t>(net)].wires.push_back(elementIndex);
        firstNetAt_[first] = std::min(firstNetAt_[first], net);
        firstNetAt_[last] = std::min(firstNetAt_[last], net);
    }

    void junction(const SchElement& junction) {
        const SheetPoint at{junction.param(0), junction.param(1)};
        if (junctions_.insert(at).second) b_.junctionPoints.push_back(JunctionPoint{at.x, at.y, 0});
    }

    void netLabel(const SchElement& label, int32_t elementIndex) {
        const std::string& text = label.text(0);
        const auto [found, added] = groupByText_.try_emplace(text, static_cast<int32_t>(b_.netNameGroups.size()));
        if (added) b_.netNameGroups.emplace_back().names.push_back(text);
        b_.netNameGroups[static_cast<std::size_t>(found->second)].labelPoints.push_back(
            LabelPoint{label.param(0), label.param(1), elementIndex});
    }

private:
    static constexpr int32_t kNoNet = std::numeric_limits<int32_t>::max();

    std::size_t endId(const SheetPoint& end) {
        const auto [id, added] = wireEnds_.insert(end);
        if (added) firstNetAt_.push_back(kNoNet);
        return static_cast<std::size_t>(id);
    }

    void noteEnds(const WireEnds& ends, int32_t net) {
        for (const SheetPoint& end : {ends.first, ends.last}) {
            const std::size_t id = endId(end);
            firstNetAt_[id] = std::min(firstNetAt_[id], net);
        }
    }

    const SchSheet& sheet_;
    CircuitBuild& b_;
    std::unordered_map<IcKey, int32_t, IcKeyHash> icByKey_;
    FlatIds<SheetPoint, SheetPointHash> wireEnds_;
    std::vector<int32_t> firstNetAt_;  // by wire end: the lowest net with a wire ending there, kNoNet none
    FlatIds<SheetPoint, SheetPointHash> junctions_;
    std::unordered_map<std::string, int32_t> groupByText_;
};

}  // namespace

SchFailure ScanSchElements(const SchSheet& sheet, CircuitBuild& build) {
    ElementScan scan(sheet, build);
    for (std::size_t i = 0; i < sheet.elements.size(); ++i) {
        const SchElement& element = sheet.elements[i];
        const auto index = static_cast<int32_t>(i);
        switch (element.kind) {
            case SchElementKind::Part: scan.part(index); break;
            case SchElementKind::Wire: scan.wire(index); break;
            case SchElementKind::Junction: scan.junction(element); break;
            case SchElementKind::NetLabel: scan.netLabel(element, index); break;
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
    ElementScan scan(sheet, build);
    for (std::size_t i = 0; i < sheet.elements.size(); ++i) {
        if (sheet.elements[i].kind == SchElementKind::Part) scan.part(static_cast<int32_t>(i));
    }
}

}  // namespace schematic
