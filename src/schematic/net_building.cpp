#include "schematic/net_building.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "schematic/element_scan.h"
#include "schematic/wire_geometry.h"

namespace schematic {
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
        FindPowerNets(b_);
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

void FindPowerNets(CircuitBuild& build) {
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

SchFailure BuildNets(const SchSheet& sheet, CircuitBuild& build) {
    const SchFailure failure = ScanSchElements(sheet, build);
    if (failure != SchFailure::None) return failure;
    NetBuilder(sheet, build).run();
    return SchFailure::None;
}

CircuitExtraction ExtractCircuit(const SchSheet& sheet) {
    CircuitExtraction result;
    result.failure = BuildNets(sheet, result.build);
    return result;
}

}  // namespace schematic
