// The circuit builder as it stood before its lookups were indexed, copied
// once and kept unchanged: plain nested scans over the build tables. It is
// the reference whose results the indexed builder must reproduce exactly
// (tables, numbers, names, order); do not improve it.

#include "reference_circuit_builder.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "schematic/part_transform.h"
#include "schematic/sch_numbers.h"
#include "schematic/text_scan.h"
#include "schematic/wire_geometry.h"
#include "sim/simulator.h"

namespace schematic::reference {

void referenceFindPowerNets(CircuitBuild& build);

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

SchFailure referenceScan(const SchSheet& sheet, CircuitBuild& build) {
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

namespace {

constexpr std::array<std::string_view, 2> kVccNames = {"VCC", "HighVol"};
constexpr std::array<std::string_view, 3> kGndNames = {"GND", "LowVol", "VSS"};
constexpr std::array<std::string_view, 4> kNcNames = {"NC", "N.C.", "Null", "X"};

template <typename Names>
bool isOneOf(const Names& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

template <typename T>
void appendOnce(std::vector<T>& list, const T& value) {
    if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

// Every loop below walks the tables by index and re-reads their sizes: merges
// and new nets append to the lists being walked.
class NetBuilder {
public:
    NetBuilder(const SchSheet& sheet, CircuitBuild& build) : sheet_(sheet), b_(build) {}

    void run() {
        joinWiresMeetingEndToEnd();
        joinAtJunctions();
        while (connectPass()) {
        }
        giveWirelessLabelsNets();
        enterPinNets();
        referenceFindPowerNets(b_);
        createMissingSupplyNets();
        appendUnlistedPins();
        tieUnreachedPins();
        nameUnlabelledNets();
        listReaders();
        groupReaders();
    }

private:
    std::size_t netCount() const { return b_.circuitNets.size(); }
    std::size_t groupCount() const { return b_.netNameGroups.size(); }
    CircuitNet& net(int32_t i) { return b_.circuitNets[static_cast<std::size_t>(i)]; }
    NetNameGroup& group(int32_t i) { return b_.netNameGroups[static_cast<std::size_t>(i)]; }

    // The vertices of the wire at an element index (empty for anything else).
    const std::vector<SheetPoint>& wire(int32_t elementIndex) {
        static const std::vector<SheetPoint> none;
        if (elementIndex < 0 || static_cast<std::size_t>(elementIndex) >= sheet_.elements.size()) return none;
        if (points_.empty()) points_.resize(sheet_.elements.size());
        auto& cached = points_[static_cast<std::size_t>(elementIndex)];
        if (!cached) cached = wirePoints(sheet_.elements[static_cast<std::size_t>(elementIndex)]);
        return *cached;
    }

    // Whether any segment of any wire of net `n` holds `p`.
    bool netHolds(int32_t n, SheetPoint p) {
        for (std::size_t w = 0; w < net(n).wires.size(); ++w) {
            const std::vector<SheetPoint>& points = wire(net(n).wires[w]);
            for (std::size_t k = 0; k + 1 < points.size(); ++k) {
                if (pointOnSegment(p, points[k], points[k + 1])) return true;
            }
        }
        return false;
    }

    void mergeNet(int32_t from, int32_t into) {
        const std::vector<int32_t> wires = net(from).wires;
        for (int32_t w : wires) appendOnce(net(into).wires, w);
        net(from).merged = 1;
        merges_ = true;
    }

    void mergeGroup(int32_t from, int32_t into) {
        const NetNameGroup source = group(from);
        NetNameGroup& target = group(into);
        for (const LabelPoint& point : source.labelPoints) {
            const bool known = std::any_of(target.labelPoints.begin(), target.labelPoints.end(),
                                           [&](const LabelPoint& q) { return q.x == point.x && q.y == point.y; });
            if (!known) target.labelPoints.push_back(point);
        }
        for (const std::string& name : source.names) appendOnce(target.names, name);
        group(from).merged = 1;
        merges_ = true;
    }

    // `current` takes `found` when it has nothing yet; otherwise `found` is
    // folded into it.
    template <typename Merge>
    void joinInto(int32_t& current, int32_t found, Merge merge) {
        if (current == -1) {
            current = found;
        } else if (current != found) {
            merge(found, current);
        }
    }

    // Wires meet where their end points are equal, whatever order the file
    // lists them in; the scan alone joins a wire only to the first net it
    // touches, so nets bridged by a later wire are joined here.
    void joinWiresMeetingEndToEnd() {
        std::vector<std::vector<WireEnds>> ends(netCount());
        for (std::size_t n = 0; n < netCount(); ++n) {
            for (int32_t w : b_.circuitNets[n].wires) {
                const std::vector<SheetPoint>& points = wire(w);
                if (!points.empty()) ends[n].push_back(WireEnds{points.front(), points.back()});
            }
        }
        auto meet = [&](std::size_t a, std::size_t c) {
            for (const WireEnds& x : ends[a]) {
                for (const WireEnds& y : ends[c]) {
                    if (x.meets(y)) return true;
                }
            }
            return false;
        };
        bool joined = true;
        while (joined) {
            joined = false;
            for (std::size_t a = 0; a < netCount(); ++a) {
                if (b_.circuitNets[a].merged != 0) continue;
                for (std::size_t c = a + 1; c < netCount(); ++c) {
                    if (b_.circuitNets[c].merged != 0 || !meet(a, c)) continue;
                    mergeNet(static_cast<int32_t>(c), static_cast<int32_t>(a));
                    ends[a].insert(ends[a].end(), ends[c].begin(), ends[c].end());
                    joined = true;
                }
            }
        }
    }

    void joinAtJunctions() {
        for (JunctionPoint& j : b_.junctionPoints) j.net = -1;
        for (std::size_t i = 0; i < b_.junctionPoints.size(); ++i) {
            const SheetPoint at{b_.junctionPoints[i].x, b_.junctionPoints[i].y};
            for (std::size_t n = 0; n < netCount(); ++n) {
                const auto ni = static_cast<int32_t>(n);
                if (net(ni).merged != 0 || !netHolds(ni, at)) continue;
                joinInto(b_.junctionPoints[i].net, ni, [&](int32_t from, int32_t into) { mergeNet(from, into); });
            }
        }
    }

    // One round of joining through pins and labels; true when it merged anything.
    bool connectPass() {
        merges_ = false;
        for (CircuitIc& ic : b_.circuitIcs) {
            for (ListedPin& pin : ic.pins) {
                pin.net = -1;
                pin.nameGroup = -1;
            }
        }

        // Pins on wires.
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            for (std::size_t k = 0; k < b_.circuitIcs[i].pins.size(); ++k) {
                ListedPin& pin = b_.circuitIcs[i].pins[k];
                if (!pin.hasEnd) continue;
                for (std::size_t n = 0; n < netCount(); ++n) {
                    const auto ni = static_cast<int32_t>(n);
                    if (net(ni).merged != 0 || !netHolds(ni, pin.end)) continue;
                    joinInto(pin.net, ni, [&](int32_t from, int32_t into) { mergeNet(from, into); });
                }
            }
        }

        // Labels on pin ends.
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            for (std::size_t k = 0; k < b_.circuitIcs[i].pins.size(); ++k) {
                ListedPin& pin = b_.circuitIcs[i].pins[k];
                if (!pin.hasEnd) continue;
                for (std::size_t g = 0; g < groupCount(); ++g) {
                    const auto gi = static_cast<int32_t>(g);
                    if (group(gi).merged != 0) continue;
                    const auto& points = group(gi).labelPoints;
                    const bool onPin = std::any_of(points.begin(), points.end(), [&](const LabelPoint& q) {
                        return q.x == pin.end.x && q.y == pin.end.y;
                    });
                    if (onPin) joinInto(pin.nameGroup, gi, [&](int32_t from, int32_t into) { mergeGroup(from, into); });
                }
            }
        }

        // Labels on nets: segment by segment, each segment against every group,
        // so the group a net keeps is the first one its first labelled segment holds.
        for (CircuitNet& n : b_.circuitNets) n.nameGroup = -1;
        for (std::size_t n = 0; n < netCount(); ++n) {
            const auto ni = static_cast<int32_t>(n);
            if (net(ni).merged != 0) continue;
            for (std::size_t w = 0; w < net(ni).wires.size(); ++w) {
                const std::vector<SheetPoint>& points = wire(net(ni).wires[w]);
                for (std::size_t s = 0; s + 1 < points.size(); ++s) {
                    for (std::size_t g = 0; g < groupCount(); ++g) {
                        const auto gi = static_cast<int32_t>(g);
                        if (group(gi).merged != 0) continue;
                        const auto& labels = group(gi).labelPoints;
                        const bool held = std::any_of(labels.begin(), labels.end(), [&](const LabelPoint& q) {
                            return pointOnSegment({q.x, q.y}, points[s], points[s + 1]);
                        });
                        if (held) {
                            joinInto(net(ni).nameGroup, gi, [&](int32_t from, int32_t into) { mergeGroup(from, into); });
                        }
                    }
                }
            }
        }

        // Nets under labels.
        for (NetNameGroup& g : b_.netNameGroups) g.net = -1;
        for (std::size_t g = 0; g < groupCount(); ++g) {
            const auto gi = static_cast<int32_t>(g);
            if (group(gi).merged != 0) continue;
            for (std::size_t p = 0; p < group(gi).labelPoints.size(); ++p) {
                const SheetPoint at{group(gi).labelPoints[p].x, group(gi).labelPoints[p].y};
                for (std::size_t n = 0; n < netCount(); ++n) {
                    const auto ni = static_cast<int32_t>(n);
                    if (net(ni).merged != 0 || !netHolds(ni, at)) continue;
                    joinInto(group(gi).net, ni, [&](int32_t from, int32_t into) { mergeNet(from, into); });
                }
            }
        }
        return merges_;
    }

    int32_t appendNet(int32_t nameGroup) {
        CircuitNet n;
        n.nameGroup = nameGroup;
        n.readerGroup = -1;
        b_.circuitNets.push_back(std::move(n));
        return static_cast<int32_t>(netCount() - 1);
    }

    void giveWirelessLabelsNets() {
        for (std::size_t g = 0; g < groupCount(); ++g) {
            const auto gi = static_cast<int32_t>(g);
            if (group(gi).merged != 0 || group(gi).net != -1) continue;
            const int32_t n = appendNet(gi);
            group(gi).net = n;
        }
    }

    void enterPinNets() {
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            for (ListedPin& pin : b_.circuitIcs[i].pins) {
                if (pin.nameGroup != -1) pin.net = group(pin.nameGroup).net;
                if (pin.net != -1) appendOnce(net(pin.net).ics, static_cast<int32_t>(i));
            }
        }
    }

    template <typename Names>
    void createSupplyNet(int32_t& index, const Names& names) {
        if (index != -1) return;
        NetNameGroup g;
        for (std::string_view name : names) g.names.emplace_back(name);
        b_.netNameGroups.push_back(std::move(g));
        const auto gi = static_cast<int32_t>(groupCount() - 1);
        const int32_t n = appendNet(gi);
        group(gi).net = n;
        index = n;
    }

    void createMissingSupplyNets() {
        createSupplyNet(b_.vccNet, kVccNames);
        createSupplyNet(b_.gndNet, kGndNames);
        createSupplyNet(b_.ncNet, kNcNames);
    }

    // Pins of parts the sheet does not place, and hidden pins no part shows.
    void appendUnlistedPins() {
        for (CircuitIc& ic : b_.circuitIcs) {
            if (ic.pinCount <= ic.pinsPlaced()) continue;
            for (int32_t number = 1; number <= ic.pinCount; ++number) {
                if (ic.lists(number)) continue;
                ListedPin pin;
                pin.pinNumber = number;
                ic.pins.push_back(pin);
            }
        }
    }

    // An input nothing drives reads high; an output or a pin the model ignores
    // goes to the shared NC net; supply pins stay unconnected.
    void tieUnreachedPins() {
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            CircuitIc& ic = b_.circuitIcs[i];
            for (ListedPin& pin : ic.pins) {
                if (pin.net != -1) continue;
                switch (ic.kindOf(pin.pinNumber)) {
                    case sim::PinKind::Input: pin.net = b_.vccNet; break;
                    case sim::PinKind::Output:
                    case sim::PinKind::Bidirectional:
                    case sim::PinKind::OpenCollector:
                    case sim::PinKind::NotSimulated: pin.net = b_.ncNet; break;
                    case sim::PinKind::Vcc:
                    case sim::PinKind::Gnd: break;
                }
                if (pin.net != -1) appendOnce(net(pin.net).ics, static_cast<int32_t>(i));
            }
        }
    }

    // "<designator>_<pin>_<IC count>" from the net's first IC and that IC's
    // first pin on the net.
    void nameUnlabelledNets() {
        for (std::size_t n = 0; n < netCount(); ++n) {
            const auto ni = static_cast<int32_t>(n);
            if (!net(ni).live() || net(ni).nameGroup != -1) continue;
            const CircuitIc& first = b_.circuitIcs[static_cast<std::size_t>(net(ni).ics.front())];
            int32_t pinNumber = 0;
            for (const ListedPin& pin : first.pins) {
                if (pin.net == ni) {
                    pinNumber = pin.pinNumber;
                    break;
                }
            }
            NetNameGroup g;
            g.names.push_back(first.designator + "_" + std::to_string(pinNumber) + "_" +
                              std::to_string(net(ni).ics.size()));
            g.net = ni;
            b_.netNameGroups.push_back(std::move(g));
            net(ni).nameGroup = static_cast<int32_t>(groupCount() - 1);
        }
    }

    // The VCC and GND nets are constant: nobody needs to hear of them changing.
    bool takesReaderLists(int32_t n) {
        return n != b_.vccNet && n != b_.gndNet && net(n).merged == 0;
    }

    void listReaders() {
        for (CircuitNet& n : b_.circuitNets) n.readerGroup = -1;
        for (std::size_t n = 0; n < netCount(); ++n) {
            const auto ni = static_cast<int32_t>(n);
            if (!takesReaderLists(ni) || net(ni).ics.empty()) continue;
            CircuitNet& target = net(ni);
            for (int32_t icIndex : target.ics) {
                const CircuitIc& ic = b_.circuitIcs[static_cast<std::size_t>(icIndex)];
                for (const ListedPin& pin : ic.pins) {
                    if (pin.net != ni) continue;
                    switch (ic.kindOf(pin.pinNumber)) {
                        case sim::PinKind::Input:
                            appendOnce(target.readers, icIndex);
                            appendOnce(target.inputIcs, icIndex);
                            break;
                        case sim::PinKind::Bidirectional:
                            appendOnce(target.readers, icIndex);
                            appendOnce(target.bidirIcs, icIndex);
                            break;
                        case sim::PinKind::Output:
                        case sim::PinKind::OpenCollector: appendOnce(target.outputIcs, icIndex); break;
                        default: break;
                    }
                }
            }
        }
    }

    void groupReaders() {
        for (std::size_t n = 0; n < netCount(); ++n) {
            const auto ni = static_cast<int32_t>(n);
            if (!takesReaderLists(ni) || net(ni).readers.empty() || net(ni).readerGroup != -1) continue;
            const auto groupIndex = static_cast<int32_t>(b_.netReaderGroups.size());
            b_.netReaderGroups.push_back(NetReaderGroup{-1, -1, ni});
            net(ni).readerGroup = groupIndex;
            for (std::size_t later = n + 1; later < netCount(); ++later) {
                const auto li = static_cast<int32_t>(later);
                if (takesReaderLists(li) && net(li).readers == net(ni).readers) net(li).readerGroup = groupIndex;
            }
        }
    }

    const SchSheet& sheet_;
    CircuitBuild& b_;
    std::vector<std::optional<std::vector<SheetPoint>>> points_;
    bool merges_ = false;
};

}  // namespace

void referenceFindPowerNets(CircuitBuild& build) {
    for (std::size_t n = 0; n < build.circuitNets.size(); ++n) {
        const CircuitNet& net = build.circuitNets[n];
        if (net.merged != 0 || net.nameGroup < 0 || static_cast<std::size_t>(net.nameGroup) >= build.netNameGroups.size())
            continue;
        for (const std::string& name : build.netNameGroups[static_cast<std::size_t>(net.nameGroup)].names) {
            const auto index = static_cast<int32_t>(n);
            if (isOneOf(kVccNames, name)) build.vccNet = index;
            if (isOneOf(kGndNames, name)) build.gndNet = index;
            if (isOneOf(kNcNames, name)) build.ncNet = index;
        }
    }
}

SchFailure referenceBuildNets(const SchSheet& sheet, CircuitBuild& build) {
    const SchFailure failure = referenceScan(sheet, build);
    if (failure != SchFailure::None) return failure;
    NetBuilder(sheet, build).run();
    return SchFailure::None;
}

CircuitExtraction ExtractCircuit(const SchSheet& sheet) {
    CircuitExtraction result;
    result.failure = referenceBuildNets(sheet, result.build);
    return result;
}

namespace {

std::string joinedNames(const CircuitBuild& b, int32_t net) {
    if (net < 0 || static_cast<std::size_t>(net) >= b.circuitNets.size()) return {};
    const int32_t group = b.circuitNets[static_cast<std::size_t>(net)].nameGroup;
    if (group < 0 || static_cast<std::size_t>(group) >= b.netNameGroups.size()) return {};
    const std::vector<std::string>& names = b.netNameGroups[static_cast<std::size_t>(group)].names;
    std::string name;
    for (std::size_t i = 0; i < names.size(); ++i) name += (i ? ";" : "") + names[i];
    return name;
}

// The circuit's records, numbered from its first free number, before any of
// them is written.
class Staging {
public:
    Staging(const sim::Simulator& simulator, CircuitBuild& build)
        : b_(build),
          firstIc_(simulator.LastIcNumber + 1),
          firstSignal_(simulator.LastSignalNumber + 1),
          firstFanout_(simulator.LastFanoutNumber + 1) {}

    void run() {
        numberIcs();
        supplyNets();
        for (NetReaderGroup& group : b_.netReaderGroups) {
            group.fanout = -1;
            group.firstSignal = -1;
        }
        for (std::size_t n = 0; n < b_.circuitNets.size(); ++n) {
            if (!b_.isSupplyNet(static_cast<int32_t>(n))) ordinaryNet(static_cast<int32_t>(n));
        }
        icPinNets();
        supplyDriverTables();
        for (const CircuitIc& ic : b_.circuitIcs) appendRecord({ic.icNumber});
        for (MemImageEntry& image : b_.memImageEntries) {
            if (image.icIndex >= 0 && static_cast<std::size_t>(image.icIndex) < b_.circuitIcs.size()) {
                image.icNumber = b_.circuitIcs[static_cast<std::size_t>(image.icIndex)].icNumber;
            }
        }
    }

    TableRoom needed() const {
        return TableRoom{static_cast<int32_t>(ics_.size()), static_cast<int32_t>(nets_.size()),
                         static_cast<int32_t>(records_.size())};
    }

    void commit(sim::Simulator& simulator) && {
        for (std::size_t i = 0; i < ics_.size(); ++i) {
            const std::size_t g = static_cast<std::size_t>(firstIc_) + i;
            simulator.IcTable[g] = std::move(ics_[i]);
            simulator.IcDesignators[g] = std::move(designators_[i]);
        }
        for (std::size_t i = 0; i < nets_.size(); ++i) {
            simulator.NetTable[static_cast<std::size_t>(firstSignal_) + i] = std::move(nets_[i]);
        }
        for (std::size_t i = 0; i < records_.size(); ++i) {
            simulator.FanoutTable[static_cast<std::size_t>(firstFanout_) + i] = std::move(records_[i]);
        }
        simulator.LastIcNumber = firstIc_ + static_cast<int32_t>(ics_.size()) - 1;
        simulator.LastSignalNumber = firstSignal_ + static_cast<int32_t>(nets_.size()) - 1;
        simulator.LastFanoutNumber = firstFanout_ + static_cast<int32_t>(records_.size()) - 1;
    }

    std::vector<int32_t> usart8251Ics;

private:
    CircuitNet& net(int32_t n) { return b_.circuitNets[static_cast<std::size_t>(n)]; }
    int32_t icNumber(int32_t icIndex) const { return b_.circuitIcs[static_cast<std::size_t>(icIndex)].icNumber; }

    std::vector<int32_t> icNumbers(const std::vector<int32_t>& icIndexes) const {
        std::vector<int32_t> numbers;
        numbers.reserve(icIndexes.size());
        for (int32_t i : icIndexes) numbers.push_back(icNumber(i));
        return numbers;
    }

    int32_t nextSignal() const { return firstSignal_ + static_cast<int32_t>(nets_.size()); }

    void numberIcs() {
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            CircuitIc& ic = b_.circuitIcs[i];
            ic.icNumber = firstIc_ + static_cast<int32_t>(i);
            sim::IcRecord record;
            record.Number = ic.icNumber;
            record.Type = ic.type;
            sim::setStartValues(record);
            ics_.push_back(std::move(record));
            designators_.push_back(ic.designator);
            if (ic.type == static_cast<int32_t>(sim::IcType::Usart8251)) usart8251Ics.push_back(ic.icNumber);
        }
    }

    // GND, VCC and NC take the circuit's first three signals, in that order.
    void supplyNets() {
        const int32_t supplies[] = {b_.gndNet, b_.vccNet, b_.ncNet};
        const int32_t levels[] = {0, 1, 0};
        for (int k = 0; k < 3; ++k) {
            sim::NetRecord record;
            record.Value = levels[k];
            record.Number = nextSignal();
            record.Name = joinedNames(b_, supplies[k]);
            record.Fanout = 0;
            record.ActiveDrivers = -1;
            if (supplies[k] >= 0 && static_cast<std::size_t>(supplies[k]) < b_.circuitNets.size()) {
                net(supplies[k]).signalNumber = record.Number;
            }
            supplySignals_[k] = record.Number;
            nets_.push_back(std::move(record));
        }
    }

    // The record listing `ics`: an equal record of this circuit when there is
    // one, otherwise a new one.
    int32_t fanoutRecord(const std::vector<int32_t>& ics) {
        for (const sim::FanoutRecord& r : records_) {
            if (r.IcCount == static_cast<int32_t>(ics.size()) && std::equal(ics.begin(), ics.end(), r.Ics.begin())) {
                return r.Number;
            }
        }
        return appendRecord(ics);
    }

    int32_t appendRecord(const std::vector<int32_t>& ics) {
        sim::FanoutRecord r;
        r.Unqueued = -1;
        r.Number = firstFanout_ + static_cast<int32_t>(records_.size());
        r.IcCount = static_cast<int32_t>(ics.size());
        r.Ics = ics;
        // The list keeps at least one entry, also when it names no IC.
        if (r.Ics.empty()) r.Ics.push_back(0);
        records_.push_back(std::move(r));
        return records_.back().Number;
    }

    // Every net works out its own reader list and per-driver lists; equal
    // lists still end up in one record through the search for an equal one.
    void ordinaryNet(int32_t n) {
        net(n).signalNumber = -1;
        if (!net(n).live()) return;
        const CircuitNet& c = net(n);
        const int32_t s = nextSignal();

        sim::NetRecord record;
        record.Number = s;
        record.Name = joinedNames(b_, n);

        // Readers that are all bidirectional re-evaluate through their
        // per-driver lists only.
        const bool onlyBidirReaders = c.inputIcs.empty() && c.outputIcs.empty();
        record.Fanout = c.readers.empty() || onlyBidirReaders ? 0 : fanoutRecord(icNumbers(c.readers));

        NetReaderGroup* group = nullptr;
        if (c.readerGroup >= 0 && static_cast<std::size_t>(c.readerGroup) < b_.netReaderGroups.size()) {
            group = &b_.netReaderGroups[static_cast<std::size_t>(c.readerGroup)];
            if (group->fanout == -1) group->fanout = record.Fanout;
        }

        if (!c.bidirIcs.empty()) {
            int32_t highest = 0;
            for (int32_t i : c.bidirIcs) highest = std::max(highest, icNumber(i));
            for (int32_t i : c.outputIcs) highest = std::max(highest, icNumber(i));
            record.DriverFanout.assign(static_cast<std::size_t>(highest) + 1, -1);
            const std::vector<int32_t> readers = icNumbers(c.readers);
            for (int32_t b : c.bidirIcs) {
                std::vector<int32_t> others;
                for (int32_t r : readers) {
                    if (r != icNumber(b)) others.push_back(r);
                }
                record.DriverFanout[static_cast<std::size_t>(icNumber(b))] = fanoutRecord(others);
            }
            for (int32_t o : c.outputIcs) record.DriverFanout[static_cast<std::size_t>(icNumber(o))] = record.Fanout;
            if (group && group->firstSignal == -1) group->firstSignal = s;
        }

        record.DriverCount = static_cast<int32_t>(c.outputIcs.size() + c.bidirIcs.size());
        record.ActiveDrivers = -1;
        if (record.DriverCount > 1) {
            record.DriverPairs.assign(2 * static_cast<std::size_t>(record.DriverCount), 0);
            if (!c.outputIcs.empty() && drivesOpenCollector(c.outputIcs.front(), n)) {
                // An open-collector line starts with all its drivers present.
                record.ActiveDrivers = static_cast<int32_t>(c.outputIcs.size());
                for (std::size_t i = 0; i < c.outputIcs.size(); ++i) record.DriverPairs[2 * i] = icNumber(c.outputIcs[i]);
            }
        }

        net(n).signalNumber = s;
        nets_.push_back(std::move(record));
    }

    bool drivesOpenCollector(int32_t icIndex, int32_t n) const {
        const CircuitIc& ic = b_.circuitIcs[static_cast<std::size_t>(icIndex)];
        for (const ListedPin& pin : ic.pins) {
            if (pin.net == n && pin.pinNumber >= 1 && pin.pinNumber <= ic.pinCount &&
                ic.kindOf(pin.pinNumber) == sim::PinKind::OpenCollector) {
                return true;
            }
        }
        return false;
    }

    // Each pin with a role fills its entry of the IC's input, output or
    // bidirectional net array with its net's signal.
    void icPinNets() {
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            const CircuitIc& ic = b_.circuitIcs[i];
            sim::IcRecord& record = ics_[i];
            record.InputCount = ic.inputCount;
            record.OutputCount = ic.outputCount;
            record.BidirCount = ic.bidirCount;
            for (const ListedPin& pin : ic.pins) {
                if (pin.pinNumber < 1 || pin.pinNumber > ic.pinCount) continue;
                if (pin.net < 0 || static_cast<std::size_t>(pin.net) >= b_.circuitNets.size()) continue;
                const int32_t signal = net(pin.net).signalNumber;
                const int32_t role = ic.pinRoles[static_cast<std::size_t>(pin.pinNumber)];
                if (sim::isInputRole(role)) {
                    setEntry(record.InputNets, role, signal);
                } else if (sim::isOutputRole(role)) {
                    setEntry(record.OutputNets, role - sim::kOutputRoleBase, signal);
                } else if (sim::isBidirRole(role)) {
                    setEntry(record.BidirNets, role - sim::kBidirRoleBase, signal);
                }
            }
        }
    }

    template <typename Array>
    static void setEntry(Array& nets, int32_t k, int32_t signal) {
        if (k >= 0 && static_cast<std::size_t>(k) < nets.size()) nets[static_cast<std::size_t>(k)] = signal;
    }

    // A bidirectional pin that nothing else reaches sits on a supply net;
    // when its IC drives or releases it, the kernel looks up that IC's
    // per-driver record, which here is the empty list (supply nets have no readers).
    void supplyDriverTables() {
        const int32_t supplies[] = {b_.gndNet, b_.vccNet, b_.ncNet};
        for (int k = 0; k < 3; ++k) {
            std::vector<int32_t> drivers;
            for (const CircuitIc& ic : b_.circuitIcs) {
                for (const ListedPin& pin : ic.pins) {
                    if (pin.net != supplies[k] || supplies[k] < 0) continue;
                    if (pin.pinNumber < 1 || pin.pinNumber > ic.pinCount) continue;
                    if (sim::isBidirRole(ic.pinRoles[static_cast<std::size_t>(pin.pinNumber)])) {
                        drivers.push_back(ic.icNumber);
                        break;
                    }
                }
            }
            if (drivers.empty()) continue;
            sim::NetRecord& record = nets_[static_cast<std::size_t>(supplySignals_[k] - firstSignal_)];
            record.DriverFanout.assign(static_cast<std::size_t>(*std::max_element(drivers.begin(), drivers.end())) + 1,
                                       -1);
            for (int32_t d : drivers) record.DriverFanout[static_cast<std::size_t>(d)] = 0;
        }
    }

    CircuitBuild& b_;
    const int32_t firstIc_;
    const int32_t firstSignal_;
    const int32_t firstFanout_;
    int32_t supplySignals_[3] = {0, 0, 0};
    std::vector<sim::IcRecord> ics_;
    std::vector<std::string> designators_;
    std::vector<sim::NetRecord> nets_;
    std::vector<sim::FanoutRecord> records_;
};

}  // namespace

RegistrationResult RegisterCircuit(sim::Simulator& simulator, CircuitBuild& build) {
    RegistrationResult result;
    result.available = schematic::tableRoom(simulator);

    CircuitBuild staged = build;
    Staging staging(simulator, staged);
    staging.run();
    result.needed = staging.needed();
    if (!result.available.holds(result.needed)) return result;

    result.usart8251Ics = std::move(staging.usart8251Ics);
    std::move(staging).commit(simulator);
    build = std::move(staged);
    result.registered = true;
    return result;
}

CircuitBuildResult BuildCircuit(sim::Simulator& simulator, const SchSheet& sheet, CircuitSetup& setup,
                                CircuitBuild& build) {
    CircuitBuildResult result;
    CircuitExtraction extraction = reference::ExtractCircuit(sheet);
    build = std::move(extraction.build);
    if (extraction.failure != SchFailure::None) {
        result.failure = extraction.failure;
        return result;
    }
    result.registration = reference::RegisterCircuit(simulator, build);
    if (!result.registration.registered) return result;
    BuildCircuitSetup(build, simulator, setup);
    result.built = true;
    return result;
}

}  // namespace schematic::reference
