#include "diagram_connections.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>

#include "labdata/src/diagram_sheet.h"
#include "schgen/ic_pin_names.h"
#include "sim/ic_type.h"

namespace labtest {
namespace {

using labdata::DiagramItem;
using schematic::CircuitBuild;
using schematic::CircuitIc;
using ItemKind = DiagramItem::Kind;

// How near a line's end must come to the edge of what it joins.
constexpr double kTolerance = 2;

struct Point {
    double x = 0, y = 0;
};

bool isGlue(int32_t type) {
    using sim::IcType;
    for (IcType t : {IcType::Ls00, IcType::Ls04, IcType::Ls08, IcType::Ls14, IcType::Ls32})
        if (type == static_cast<int32_t>(t)) return true;
    return false;
}

bool drives(sim::PinKind k) {
    return k == sim::PinKind::Output || k == sim::PinKind::Bidirectional || k == sim::PinKind::OpenCollector;
}
bool reads(sim::PinKind k) { return k == sim::PinKind::Input || k == sim::PinKind::Bidirectional; }

bool isClockPin(const CircuitIc& ic, int32_t pin) {
    const std::vector<std::string> names = schgen::icPinNames(ic.type);
    const std::string& name = names.at(static_cast<std::size_t>(pin));
    return name == "CLK" || name == "CP";
}

bool onSegment(Point a, Point b, Point p) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy)) <= kTolerance;
}

// On the frame of a box, or on a bus.
bool touches(const DiagramItem& item, Point p) {
    const std::vector<int32_t>& c = item.coords;
    const double x1 = std::min(c[0], c[2]), x2 = std::max(c[0], c[2]);
    const double y1 = std::min(c[1], c[3]), y2 = std::max(c[1], c[3]);
    if (item.kind == ItemKind::Bus) {
        if (y1 == y2) return std::abs(p.y - y1) <= labdata::kDiagramBusHalfWidth + kTolerance && p.x >= x1 - kTolerance && p.x <= x2 + kTolerance;
        return std::abs(p.x - x1) <= labdata::kDiagramBusHalfWidth + kTolerance && p.y >= y1 - kTolerance && p.y <= y2 + kTolerance;
    }
    const bool inside = p.x >= x1 - kTolerance && p.x <= x2 + kTolerance && p.y >= y1 - kTolerance && p.y <= y2 + kTolerance;
    const bool onEdge = std::abs(p.x - x1) <= kTolerance || std::abs(p.x - x2) <= kTolerance ||
                        std::abs(p.y - y1) <= kTolerance || std::abs(p.y - y2) <= kTolerance;
    return inside && onEdge;
}

std::vector<Point> linePoints(const DiagramItem& item) {
    std::vector<Point> points;
    for (std::size_t i = 0; i + 1 < item.coords.size(); i += 2) points.push_back({double(item.coords[i]), double(item.coords[i + 1])});
    return points;
}

std::string at(Point p) { return "(" + std::to_string(std::lround(p.x)) + ", " + std::to_string(std::lround(p.y)) + ")"; }

class DiagramCheck {
public:
    DiagramCheck(const labdata::DiagramPlan& plan, const CircuitBuild& circuit) : plan_(plan), circuit_(circuit) {}

    std::vector<std::string> run() {
        standsFor();
        lines();
        connections();
        return std::move(faults_);
    }

private:
    const DiagramItem& item(std::size_t i) const { return plan_.items[i]; }
    bool isNode(std::size_t i) const { return item(i).kind == ItemKind::Box || item(i).kind == ItemKind::Bus; }
    bool standsForSomething(std::size_t i) const { return !item(i).ics.empty() || !item(i).nets.empty(); }

    void fault(const DiagramItem& where, const std::string& what) {
        faults_.push_back(plan_.file + " line " + std::to_string(where.line) + ": " + what);
    }

    std::string nameOf(std::size_t node) const {
        const DiagramItem& i = item(node);
        if (i.kind == ItemKind::Box) return "\"" + i.lines.front() + "\"";
        return "the bus of line " + std::to_string(i.line);
    }

    const std::string& netName(int32_t net) const {
        static const std::string unnamed = "(unnamed)";
        const int32_t group = circuit_.circuitNets[static_cast<std::size_t>(net)].nameGroup;
        if (group < 0 || static_cast<std::size_t>(group) >= circuit_.netNameGroups.size()) return unnamed;
        const std::vector<std::string>& names = circuit_.netNameGroups[static_cast<std::size_t>(group)].names;
        return names.empty() ? unnamed : names.front();
    }

    bool counts(int32_t net) const { return net >= 0 && circuit_.isLiveNet(net); }

    // The ICs and nets of each box and bus.
    void standsFor() {
        std::map<std::string, int32_t> netByName;
        for (std::size_t n = 0; n < circuit_.circuitNets.size(); ++n) {
            const auto net = static_cast<int32_t>(n);
            if (!counts(net)) continue;
            const int32_t group = circuit_.circuitNets[n].nameGroup;
            if (group < 0 || static_cast<std::size_t>(group) >= circuit_.netNameGroups.size()) continue;
            for (const std::string& name : circuit_.netNameGroups[static_cast<std::size_t>(group)].names) netByName.try_emplace(name, net);
        }
        icNode_.assign(circuit_.circuitIcs.size(), -1);
        for (std::size_t i = 0; i < plan_.items.size(); ++i) {
            for (const std::string& designator : item(i).ics) {
                const auto ic = std::find_if(circuit_.circuitIcs.begin(), circuit_.circuitIcs.end(),
                                             [&](const CircuitIc& c) { return c.designator == designator; });
                if (ic == circuit_.circuitIcs.end()) {
                    fault(item(i), "the circuit has no IC " + designator);
                    continue;
                }
                int32_t& node = icNode_[static_cast<std::size_t>(ic - circuit_.circuitIcs.begin())];
                if (node != -1) fault(item(i), designator + " stands in two places");
                node = static_cast<int32_t>(i);
            }
            for (const std::string& name : item(i).nets) {
                const auto net = netByName.find(name);
                if (net == netByName.end()) {
                    fault(item(i), "the circuit has no signal " + name);
                    continue;
                }
                carriers_[net->second].insert(static_cast<int32_t>(i));
            }
        }
    }

    std::optional<int32_t> nodeAt(Point p) const {
        for (std::size_t i = 0; i < plan_.items.size(); ++i)
            if (isNode(i) && touches(item(i), p)) return static_cast<int32_t>(i);
        return std::nullopt;
    }

    // Where an arrow's signal comes from: the item its start touches, or, for a
    // branch starting on another arrow, where that arrow's comes from.
    std::optional<int32_t> sourceOf(std::size_t line, int depth = 0) {
        const Point start = linePoints(item(line)).front();
        if (const std::optional<int32_t> node = nodeAt(start)) return node;
        if (depth > static_cast<int>(plan_.items.size())) return std::nullopt;
        for (std::size_t other = 0; other < plan_.items.size(); ++other) {
            if (other == line || item(other).kind != ItemKind::Arrow) continue;
            const std::vector<Point> path = linePoints(item(other));
            for (std::size_t k = 0; k + 1 < path.size(); ++k)
                if (onSegment(path[k], path[k + 1], start)) return sourceOf(other, depth + 1);
        }
        return std::nullopt;
    }

    void lines() {
        for (std::size_t i = 0; i < plan_.items.size(); ++i) {
            const DiagramItem& line = item(i);
            if (line.kind != ItemKind::Arrow && line.kind != ItemKind::TwoWay) continue;
            const std::vector<Point> path = linePoints(line);
            const std::optional<int32_t> to = nodeAt(path.back());
            const std::optional<int32_t> from = line.kind == ItemKind::Arrow ? sourceOf(i) : nodeAt(path.front());
            if (!from) fault(line, "the line starts on nothing at " + at(path.front()));
            if (!to) fault(line, "the line ends on nothing at " + at(path.back()));
            if (!from || !to) continue;
            edges_.try_emplace({*from, *to}, line.line);
            if (line.kind == ItemKind::TwoWay) edges_.try_emplace({*to, *from}, line.line);
        }
    }

    bool carried(int32_t net) const { return carriers_.count(net) != 0; }

    // A clock input reads every net from which left-out gates derive its clock,
    // up to nets the diagram stands for.
    void clockSources(std::size_t icIndex, int32_t clockNet, std::map<int32_t, std::set<int32_t>>& readers,
                      const std::map<int32_t, std::set<int32_t>>& drivers) {
        const int32_t node = icNode_[icIndex];
        std::set<int32_t> seen{clockNet};
        std::vector<int32_t> todo{clockNet};
        bool fromDrawn = false;
        while (!todo.empty()) {
            const int32_t net = todo.back();
            todo.pop_back();
            readers[net].insert(node);
            if (carried(net) || drivers.count(net) != 0) {
                fromDrawn = true;
                continue;
            }
            for (std::size_t g = 0; g < circuit_.circuitIcs.size(); ++g) {
                const CircuitIc& gate = circuit_.circuitIcs[g];
                if (icNode_[g] != -1 || !isGlue(gate.type)) continue;
                const bool derives = std::any_of(gate.pins.begin(), gate.pins.end(), [&](const schematic::ListedPin& p) {
                    return p.net == net && gate.kindOf(p.pinNumber) == sim::PinKind::Output;
                });
                if (!derives) continue;
                for (const schematic::ListedPin& p : gate.pins)
                    if (gate.kindOf(p.pinNumber) == sim::PinKind::Input && counts(p.net) && seen.insert(p.net).second)
                        todo.push_back(p.net);
            }
        }
        if (!fromDrawn)
            fault(item(static_cast<std::size_t>(node)),
                  circuit_.circuitIcs[icIndex].designator + "'s clock " + netName(clockNet) + " comes from nothing the diagram draws");
    }

    void connections() {
        std::map<int32_t, std::set<int32_t>> drivers, readers;
        std::vector<std::pair<std::size_t, int32_t>> clocks;
        for (std::size_t i = 0; i < circuit_.circuitIcs.size(); ++i) {
            if (icNode_[i] == -1) continue;
            const CircuitIc& ic = circuit_.circuitIcs[i];
            for (const schematic::ListedPin& p : ic.pins) {
                if (!counts(p.net)) continue;
                const sim::PinKind kind = ic.kindOf(p.pinNumber);
                if (drives(kind)) drivers[p.net].insert(icNode_[i]);
                if (reads(kind)) readers[p.net].insert(icNode_[i]);
                if (kind == sim::PinKind::Input && isClockPin(ic, p.pinNumber)) clocks.emplace_back(i, p.net);
            }
        }
        for (const auto& [ic, net] : clocks) clockSources(ic, net, readers, drivers);

        std::set<int32_t> nets;
        for (const auto* m : {&drivers, &readers, &carriers_})
            for (const auto& entry : *m) nets.insert(entry.first);
        // (from, to) -> the nets it misses, and the pairs an arrow may join.
        std::map<std::pair<std::string, std::string>, std::vector<std::string>> missing;
        std::set<std::pair<int32_t, int32_t>> justified;
        const std::set<int32_t> none;
        auto of = [&](const std::map<int32_t, std::set<int32_t>>& m, int32_t net) -> const std::set<int32_t>& {
            const auto it = m.find(net);
            return it == m.end() ? none : it->second;
        };
        auto joined = [&](const std::set<int32_t>& from, const std::set<int32_t>& to) {
            for (int32_t f : from)
                for (int32_t t : to)
                    if (edges_.count({f, t})) return true;
            return false;
        };
        auto names = [&](const std::set<int32_t>& nodes) {
            std::string s;
            for (int32_t n : nodes) s += (s.empty() ? "" : " or ") + nameOf(static_cast<std::size_t>(n));
            return s;
        };
        for (int32_t net : nets) {
            const std::set<int32_t>& c = of(carriers_, net);
            const std::set<int32_t>& d = of(drivers, net);
            const std::set<int32_t>& r = of(readers, net);
            if (!c.empty()) {
                for (int32_t from : d) {
                    for (int32_t to : c) justified.insert({from, to});
                    if (!c.count(from) && !joined({from}, c)) missing[{nameOf(static_cast<std::size_t>(from)), names(c)}].push_back(netName(net));
                }
                for (int32_t to : r) {
                    for (int32_t from : c) justified.insert({from, to});
                    if (!c.count(to) && !joined(c, {to})) missing[{names(c), nameOf(static_cast<std::size_t>(to))}].push_back(netName(net));
                }
                for (int32_t a : c)
                    for (int32_t b : c) justified.insert({a, b});
                continue;
            }
            for (int32_t from : d) {
                for (int32_t to : r) {
                    if (from == to) continue;
                    justified.insert({from, to});
                    if (!joined({from}, {to}))
                        missing[{nameOf(static_cast<std::size_t>(from)), nameOf(static_cast<std::size_t>(to))}].push_back(netName(net));
                }
            }
        }
        for (auto& [pair, missed] : missing) {
            std::sort(missed.begin(), missed.end());
            std::string list;
            for (std::size_t k = 0; k < missed.size() && k < 4; ++k) list += (k ? ", " : "") + missed[k];
            if (missed.size() > 4) list += ", ...";
            faults_.push_back(plan_.file + ": no arrow from " + pair.first + " to " + pair.second + " (" + list + ")");
        }
        for (const auto& [edge, line] : edges_) {
            const auto [from, to] = edge;
            if (from == to || !standsForSomething(static_cast<std::size_t>(from)) || !standsForSomething(static_cast<std::size_t>(to)))
                continue;
            if (!justified.count(edge))
                faults_.push_back(plan_.file + " line " + std::to_string(line) + ": an arrow from " + nameOf(static_cast<std::size_t>(from)) +
                                  " to " + nameOf(static_cast<std::size_t>(to)) + ", which the circuit does not connect");
        }
    }

    const labdata::DiagramPlan& plan_;
    const CircuitBuild& circuit_;
    std::vector<int32_t> icNode_;                    // by circuit IC: the item standing for it, -1 none
    std::map<int32_t, std::set<int32_t>> carriers_;  // by net: the items standing for it
    std::map<std::pair<int32_t, int32_t>, int> edges_;  // (from, to) item -> the line drawing it first
    std::vector<std::string> faults_;
};

}  // namespace

std::vector<std::string> diagramFaults(const labdata::DiagramPlan& plan, const CircuitBuild& circuit) {
    return DiagramCheck(plan, circuit).run();
}

}  // namespace labtest
