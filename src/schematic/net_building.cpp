#include "schematic/net_building.h"

#include <algorithm>
#include <array>
#include <functional>
#include <queue>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "schematic/element_scan.h"
#include "schematic/flat_ids.h"
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

// Appends `ic` unless it is the list's last entry: for lists filled IC by IC.
void appendNew(std::vector<int32_t>& list, int32_t ic) {
    if (list.empty() || list.back() != ic) list.push_back(ic);
}

// Points in the order of x, then y: the order the probes are kept in.
bool pointBefore(const SheetPoint& l, const SheetPoint& r) { return l.x != r.x ? l.x < r.x : l.y < r.y; }

void sortUnique(std::vector<int32_t>& v) {
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
}

// Every loop below walks the tables by index and re-reads their sizes: merges
// and new nets append to the lists being walked.
//
// The joining passes test points against segments and labels against pins.
// Candidates come from indexes built once, since the sheet's geometry never
// changes: the segments holding each junction, pin end and label point, the
// labels at each such point and the labels on each segment. Which net (group)
// a wire (label) counts for after merges is found through the merge links: a
// merged net or group points at the one it was folded into. The nets (groups)
// holding a point are visited in index order, as a scan of the whole table
// would meet them; while they are visited only the net (group) taking the
// merges gains anything, and meeting that one again changes nothing.
class NetBuilder {
public:
    NetBuilder(const SchSheet& sheet, CircuitBuild& build) : sheet_(sheet), b_(build) {}

    void run() {
        indexSheet();
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
    // A wire the nets list: where its vertices and segments start, and the
    // net the scan put it in.
    struct Wire {
        int32_t firstVertex = 0;
        int32_t vertices = 0;
        int32_t firstSegment = -1;
        int32_t net = -1;
    };

    std::size_t netCount() const { return b_.circuitNets.size(); }
    std::size_t groupCount() const { return b_.netNameGroups.size(); }
    CircuitNet& net(int32_t i) { return b_.circuitNets[static_cast<std::size_t>(i)]; }
    NetNameGroup& group(int32_t i) { return b_.netNameGroups[static_cast<std::size_t>(i)]; }

    // The wire at an element index (no vertices for anything else).
    const Wire& wire(int32_t elementIndex) const {
        static const Wire none;
        if (elementIndex < 0 || static_cast<std::size_t>(elementIndex) >= wires_.size()) return none;
        return wires_[static_cast<std::size_t>(elementIndex)];
    }
    SheetPoint vertex(const Wire& w, int32_t k) const { return vertices_[static_cast<std::size_t>(w.firstVertex + k)]; }

    // Wires and segments, merge links, and the probes: every point where
    // something may join a wire (label points, pin ends, junctions) with the
    // segments holding it and the groups labelling it.
    void indexSheet() {
        wires_.assign(sheet_.elements.size(), Wire{});
        for (std::size_t n = 0; n < netCount(); ++n) {
            for (int32_t w : b_.circuitNets[n].wires) {
                if (w >= 0 && static_cast<std::size_t>(w) < wires_.size()) wires_[static_cast<std::size_t>(w)].net = static_cast<int32_t>(n);
            }
        }
        std::vector<SegmentIndex::Segment> segments;
        for (std::size_t e = 0; e < wires_.size(); ++e) {
            Wire& info = wires_[e];
            if (info.net < 0) continue;
            info.firstVertex = static_cast<int32_t>(vertices_.size());
            info.vertices = static_cast<int32_t>(appendWirePoints(sheet_.elements[e], vertices_));
            info.firstSegment = static_cast<int32_t>(segments.size());
            for (int32_t k = 0; k + 1 < info.vertices; ++k) {
                segments.push_back({vertex(info, k), vertex(info, k + 1)});
                segmentNet_.push_back(info.net);
            }
        }

        netLink_.resize(netCount());
        for (std::size_t n = 0; n < netCount(); ++n) netLink_[n] = static_cast<int32_t>(n);
        groupLink_.resize(groupCount());
        for (std::size_t g = 0; g < groupCount(); ++g) groupLink_[g] = static_cast<int32_t>(g);

        // Probes in the order of their points, so that neighbours on the sheet
        // are looked up one after the other.
        enum Kind : int32_t { Label, Pin, Junction };
        struct Probe {
            SheetPoint at;
            Kind kind;
            int32_t index;  // group, pin slot or junction
            int32_t element;
        };
        std::vector<Probe> probes;
        for (std::size_t g = 0; g < groupCount(); ++g) {
            for (const LabelPoint& p : b_.netNameGroups[g].labelPoints) {
                probes.push_back({{p.x, p.y}, Label, static_cast<int32_t>(g), p.elementIndex});
            }
        }
        int32_t slot = 0;
        for (const CircuitIc& ic : b_.circuitIcs) {
            pinSlots_.push_back(slot);
            for (const ListedPin& pin : ic.pins) {
                if (pin.hasEnd) probes.push_back({pin.end, Pin, slot, -1});
                ++slot;
            }
        }
        pinSlots_.push_back(slot);
        for (std::size_t j = 0; j < b_.junctionPoints.size(); ++j) {
            probes.push_back({{b_.junctionPoints[j].x, b_.junctionPoints[j].y}, Junction, static_cast<int32_t>(j), -1});
        }
        std::sort(probes.begin(), probes.end(), [](const Probe& l, const Probe& r) { return pointBefore(l.at, r.at); });

        pinProbes_.assign(static_cast<std::size_t>(slot), -1);
        junctionProbes_.assign(b_.junctionPoints.size(), -1);
        labelProbes_.assign(sheet_.elements.size(), -1);
        std::vector<std::pair<int32_t, int32_t>> labels;  // (probe, group)
        for (const Probe& p : probes) {
            if (probePoints_.empty() || !(probePoints_.back() == p.at)) probePoints_.push_back(p.at);
            const auto id = static_cast<int32_t>(probePoints_.size() - 1);
            switch (p.kind) {
                case Label:
                    labels.emplace_back(id, p.index);
                    if (p.element >= 0 && static_cast<std::size_t>(p.element) < labelProbes_.size()) {
                        labelProbes_[static_cast<std::size_t>(p.element)] = id;
                    }
                    break;
                case Pin: pinProbes_[static_cast<std::size_t>(p.index)] = id; break;
                case Junction: junctionProbes_[static_cast<std::size_t>(p.index)] = id; break;
            }
        }
        probeMark_.assign(probePoints_.size(), 0);

        const SegmentIndex index(segments);
        probeSegments_.first.push_back(0);
        for (const SheetPoint& at : probePoints_) {
            index.holding(at, probeSegments_.second);
            probeSegments_.first.push_back(static_cast<int32_t>(probeSegments_.second.size()));
        }
        probeGroups_ = grouped(labels, probePoints_.size());
        std::vector<std::pair<int32_t, int32_t>> onSegment;  // (segment, group)
        for (const auto& [probe, g] : labels) {
            for (int32_t s : range(probeSegments_, probe)) onSegment.emplace_back(s, g);
        }
        segmentGroups_ = grouped(onSegment, segmentNet_.size());
    }

    // Lists by index, each as a start per index (and one past the last) into one vector.
    using Lists = std::pair<std::vector<int32_t>, std::vector<int32_t>>;

    static Lists grouped(const std::vector<std::pair<int32_t, int32_t>>& pairs, std::size_t count) {
        Lists lists;
        lists.first.assign(count + 1, 0);
        for (const auto& pair : pairs) ++lists.first[static_cast<std::size_t>(pair.first) + 1];
        for (std::size_t i = 0; i < count; ++i) lists.first[i + 1] += lists.first[i];
        lists.second.resize(pairs.size());
        std::vector<int32_t> next(lists.first.begin(), lists.first.end() - 1);
        for (const auto& [i, value] : pairs) lists.second[static_cast<std::size_t>(next[static_cast<std::size_t>(i)]++)] = value;
        return lists;
    }

    struct Range {
        const int32_t* from;
        const int32_t* to;
        const int32_t* begin() const { return from; }
        const int32_t* end() const { return to; }
    };

    static Range range(const Lists& lists, int32_t i) {
        if (i < 0) return {nullptr, nullptr};
        const int32_t* data = lists.second.data();
        return {data + lists.first[static_cast<std::size_t>(i)], data + lists.first[static_cast<std::size_t>(i) + 1]};
    }

    // The end of the chain of merge links from `i`; links passed on the way
    // are shortened so that the next walk is short.
    static int32_t root(std::vector<int32_t>& links, int32_t i) {
        while (links[static_cast<std::size_t>(i)] != i) {
            const int32_t up = links[static_cast<std::size_t>(i)];
            links[static_cast<std::size_t>(i)] = links[static_cast<std::size_t>(up)];
            i = up;
        }
        return i;
    }
    int32_t netRoot(int32_t n) { return root(netLink_, n); }
    int32_t groupRoot(int32_t g) { return root(groupLink_, g); }

    // The probe at a label point: found through its label, or by its position.
    int32_t probeOf(const LabelPoint& p) const {
        const SheetPoint at{p.x, p.y};
        const int32_t e = p.elementIndex;
        if (e >= 0 && static_cast<std::size_t>(e) < labelProbes_.size()) {
            const int32_t probe = labelProbes_[static_cast<std::size_t>(e)];
            if (probe >= 0 && probePoints_[static_cast<std::size_t>(probe)] == at) return probe;
        }
        const auto found = std::lower_bound(probePoints_.begin(), probePoints_.end(), at, pointBefore);
        return found != probePoints_.end() && *found == at ? static_cast<int32_t>(found - probePoints_.begin()) : -1;
    }

    int32_t pinProbe(std::size_t ic, std::size_t k) const {
        return pinProbes_[static_cast<std::size_t>(pinSlots_[ic]) + k];
    }

    // The nets not merged that hold a probe: those whose wires have a segment holding it.
    const std::vector<int32_t>& netsHolding(int32_t probe) {
        foundNets_.clear();
        for (int32_t s : range(probeSegments_, probe)) {
            foundNets_.push_back(netRoot(segmentNet_[static_cast<std::size_t>(s)]));
        }
        sortUnique(foundNets_);
        return foundNets_;
    }

    // The groups not merged with a label point at a probe.
    const std::vector<int32_t>& groupsAt(int32_t probe) {
        foundGroups_.clear();
        for (int32_t g : range(probeGroups_, probe)) foundGroups_.push_back(groupRoot(g));
        sortUnique(foundGroups_);
        return foundGroups_;
    }

    // The groups not merged with a label point on segment `s`.
    const std::vector<int32_t>& groupsOn(int32_t s) {
        foundGroups_.clear();
        for (int32_t g : range(segmentGroups_, s)) foundGroups_.push_back(groupRoot(g));
        sortUnique(foundGroups_);
        return foundGroups_;
    }

    // The wire lists of nets not merged never share a wire (the scan files each
    // wire in one net), so the merged net's wires are appended as they are.
    void mergeNet(int32_t from, int32_t into) {
        std::vector<int32_t>& target = net(into).wires;
        const std::vector<int32_t>& source = net(from).wires;
        target.insert(target.end(), source.begin(), source.end());
        net(from).merged = 1;
        netLink_[static_cast<std::size_t>(from)] = into;
        merges_ = true;
    }

    // Whether group `g` (not merged) lists a label point at a probe: the
    // groups merged into it brought all their points' positions along.
    bool listsProbe(int32_t g, int32_t probe) {
        for (int32_t labelled : range(probeGroups_, probe)) {
            if (groupRoot(labelled) == g) return true;
        }
        return false;
    }

    // The groups' names never repeat either (the scan makes one group per
    // label text), so the merged group's names are appended as they are; its
    // label points are, unless `into` lists one at their position already.
    void mergeGroup(int32_t from, int32_t into) {
        NetNameGroup& target = group(into);
        const NetNameGroup& source = group(from);
        ++mergeToken_;
        for (const LabelPoint& point : source.labelPoints) {
            const int32_t probe = probeOf(point);
            if (listsProbe(into, probe) || probeMark_[static_cast<std::size_t>(probe)] == mergeToken_) continue;
            probeMark_[static_cast<std::size_t>(probe)] = mergeToken_;
            target.labelPoints.push_back(point);
        }
        target.names.insert(target.names.end(), source.names.begin(), source.names.end());
        group(from).merged = 1;
        groupLink_[static_cast<std::size_t>(from)] = into;
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
    //
    // Rounds over the nets in order; each net takes every later net that
    // shares an end point with it, in index order, its end points growing as
    // it takes them, and a round that joins anything is followed by another.
    // A later net can only come to share a point through the points just
    // taken, so the nets still to come are kept in a queue by index.
    void joinWiresMeetingEndToEnd() {
        const std::size_t count = netCount();
        FlatIds<SheetPoint, SheetPointHash> endIds(2 * segmentNet_.size());
        std::vector<std::pair<int32_t, int32_t>> netEnds;  // (net, end point), each point once per net
        std::vector<uint32_t> mark;                         // by end point
        uint32_t token = 0;
        for (std::size_t n = 0; n < count; ++n) {
            ++token;
            for (int32_t w : b_.circuitNets[n].wires) {
                const Wire& info = wire(w);
                if (info.vertices == 0) continue;
                for (const SheetPoint& p : {vertex(info, 0), vertex(info, info.vertices - 1)}) {
                    const auto [id, added] = endIds.insert(p);
                    if (added) mark.push_back(0);
                    if (mark[static_cast<std::size_t>(id)] == token) continue;
                    mark[static_cast<std::size_t>(id)] = token;
                    netEnds.emplace_back(static_cast<int32_t>(n), id);
                }
            }
        }
        const Lists scanEnds = grouped(netEnds, count);  // by net: its end points
        for (auto& [n, id] : netEnds) std::swap(n, id);
        const Lists netsAtEnd = grouped(netEnds, endIds.size());  // by end point: the nets ending there, ascending
        std::vector<std::vector<int32_t>> takenEnds(count);       // by net: end points of the nets it took

        std::priority_queue<int32_t, std::vector<int32_t>, std::greater<>> later;
        bool joined = true;
        while (joined) {
            joined = false;
            for (std::size_t a = 0; a < count; ++a) {
                const auto ai = static_cast<int32_t>(a);
                if (net(ai).merged != 0) continue;
                ++token;
                int32_t passed = ai;  // every net up to here has been looked at for `a`
                auto offer = [&](int32_t id) {
                    for (int32_t n : range(netsAtEnd, id)) {
                        const int32_t live = netRoot(n);
                        if (live > passed) later.push(live);
                    }
                };
                for (int32_t id : range(scanEnds, ai)) mark[static_cast<std::size_t>(id)] = token;
                for (int32_t id : takenEnds[a]) mark[static_cast<std::size_t>(id)] = token;
                for (int32_t id : range(scanEnds, ai)) offer(id);
                for (int32_t id : takenEnds[a]) offer(id);
                while (!later.empty()) {
                    const int32_t c = later.top();
                    later.pop();
                    if (c <= passed) continue;
                    passed = c;
                    mergeNet(c, ai);
                    joined = true;
                    auto take = [&](int32_t id) {
                        if (mark[static_cast<std::size_t>(id)] == token) return;
                        mark[static_cast<std::size_t>(id)] = token;
                        takenEnds[a].push_back(id);
                        offer(id);
                    };
                    for (int32_t id : range(scanEnds, c)) take(id);
                    for (std::size_t k = 0; k < takenEnds[static_cast<std::size_t>(c)].size(); ++k) {
                        take(takenEnds[static_cast<std::size_t>(c)][k]);
                    }
                }
            }
        }
    }

    void joinAtJunctions() {
        for (JunctionPoint& j : b_.junctionPoints) j.net = -1;
        for (std::size_t i = 0; i < b_.junctionPoints.size(); ++i) {
            for (int32_t n : netsHolding(junctionProbes_[i])) {
                joinInto(b_.junctionPoints[i].net, n, [&](int32_t from, int32_t into) { mergeNet(from, into); });
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
                for (int32_t n : netsHolding(pinProbe(i, k))) {
                    joinInto(pin.net, n, [&](int32_t from, int32_t into) { mergeNet(from, into); });
                }
            }
        }

        // Labels on pin ends.
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            for (std::size_t k = 0; k < b_.circuitIcs[i].pins.size(); ++k) {
                ListedPin& pin = b_.circuitIcs[i].pins[k];
                if (!pin.hasEnd) continue;
                for (int32_t g : groupsAt(pinProbe(i, k))) {
                    joinInto(pin.nameGroup, g, [&](int32_t from, int32_t into) { mergeGroup(from, into); });
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
                const Wire& info = wire(net(ni).wires[w]);
                for (int32_t s = 0; s + 1 < info.vertices; ++s) {
                    for (int32_t g : groupsOn(info.firstSegment + s)) {
                        joinInto(net(ni).nameGroup, g, [&](int32_t from, int32_t into) { mergeGroup(from, into); });
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
                for (int32_t n : netsHolding(probeOf(group(gi).labelPoints[p]))) {
                    joinInto(group(gi).net, n, [&](int32_t from, int32_t into) { mergeNet(from, into); });
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

    // The IC lists start empty and take the ICs in IC order, so an IC already
    // listed is the last entry.
    void enterPinNets() {
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            for (ListedPin& pin : b_.circuitIcs[i].pins) {
                if (pin.nameGroup != -1) pin.net = group(pin.nameGroup).net;
                if (pin.net != -1) appendNew(net(pin.net).ics, static_cast<int32_t>(i));
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
            // Listed pin numbers lie in 1..pinCount, at most 40.
            uint64_t listed = 0;
            for (const ListedPin& pin : ic.pins) listed |= uint64_t{1} << pin.pinNumber;
            for (int32_t number = 1; number <= ic.pinCount; ++number) {
                if ((listed >> number) & 1) continue;
                ListedPin pin;
                pin.pinNumber = number;
                ic.pins.push_back(pin);
            }
        }
    }

    // An input nothing drives reads high; an output or a pin the model ignores
    // goes to the shared NC net; supply pins stay unconnected.
    void tieUnreachedPins() {
        // Only the VCC and NC nets take pins here; which ICs they list already.
        std::vector<std::pair<int32_t, std::vector<bool>>> listed;
        for (int32_t n : {b_.vccNet, b_.ncNet}) {
            if (n == -1 || (!listed.empty() && listed.front().first == n)) continue;
            std::vector<bool> ics(b_.circuitIcs.size(), false);
            for (int32_t ic : net(n).ics) ics[static_cast<std::size_t>(ic)] = true;
            listed.emplace_back(n, std::move(ics));
        }
        auto addIc = [&](int32_t n, int32_t ic) {
            for (auto& [listing, ics] : listed) {
                if (listing != n || ics[static_cast<std::size_t>(ic)]) continue;
                ics[static_cast<std::size_t>(ic)] = true;
                net(n).ics.push_back(ic);
            }
        };
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
                if (pin.net != -1) addIc(pin.net, static_cast<int32_t>(i));
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

    // A net's IC list holds each IC once and the lists below start empty, so
    // an IC already added is the last entry.
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
                            appendNew(target.readers, icIndex);
                            appendNew(target.inputIcs, icIndex);
                            break;
                        case sim::PinKind::Bidirectional:
                            appendNew(target.readers, icIndex);
                            appendNew(target.bidirIcs, icIndex);
                            break;
                        case sim::PinKind::Output:
                        case sim::PinKind::OpenCollector: appendNew(target.outputIcs, icIndex); break;
                        default: break;
                    }
                }
            }
        }
    }

    // The first net with a reader list opens its group; later nets with an
    // equal list (same ICs, same order) join it.
    void groupReaders() {
        std::unordered_map<std::vector<int32_t>, int32_t, IcListHash> groupOf;
        for (std::size_t n = 0; n < netCount(); ++n) {
            const auto ni = static_cast<int32_t>(n);
            if (!takesReaderLists(ni) || net(ni).readers.empty()) continue;
            const auto [found, added] = groupOf.try_emplace(net(ni).readers, static_cast<int32_t>(b_.netReaderGroups.size()));
            if (added) b_.netReaderGroups.push_back(NetReaderGroup{-1, -1, ni});
            net(ni).readerGroup = found->second;
        }
    }

    const SchSheet& sheet_;
    CircuitBuild& b_;
    std::vector<Wire> wires_;           // by element index
    std::vector<SheetPoint> vertices_;  // the listed wires' vertices, wire after wire
    std::vector<int32_t> segmentNet_;   // by segment: the net the scan put its wire in
    std::vector<SheetPoint> probePoints_;  // by probe, in the order of (x, y)
    std::vector<int32_t> labelProbes_;     // by element index: a label's probe, -1 none
    std::vector<int32_t> pinSlots_;        // by IC: where its pins start in pinProbes_
    std::vector<int32_t> pinProbes_;       // by pin slot: the pin end's probe, -1 none
    std::vector<int32_t> junctionProbes_;  // by junction
    Lists probeSegments_;  // by probe: the segments holding it
    Lists probeGroups_;    // by probe: the groups with a label point there
    Lists segmentGroups_;  // by segment: the groups with a label point on it
    std::vector<int32_t> netLink_;    // by net: itself, or the net it was merged into
    std::vector<int32_t> groupLink_;  // by group: itself, or the group it was merged into
    std::vector<uint32_t> probeMark_;  // by probe: the last group merge that took a point there
    uint32_t mergeToken_ = 0;
    std::vector<int32_t> foundNets_, foundGroups_;
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
