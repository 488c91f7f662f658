#include "circuit_sheet.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <string>

#include "plan_text.h"
#include "schematic/bus_range.h"
#include "schematic/lab_directives.h"
#include "schematic/net_building.h"
#include "schgen/sheet_draft.h"
#include "schgen/text_extent.h"
#include "schgen/wire_router.h"
#include "sim/ic_type.h"
#include "sim/pin_table.h"

namespace labdata {
namespace {

using schematic::SchElementKind;
using schematic::SheetPoint;
using schgen::SheetDraft;
using schgen::WireRouter;
namespace dir = schematic::direction;

constexpr int32_t kGrid = WireRouter::kGrid;
// From a pin end to its bus entry: room for a label such as "DB7".
constexpr int32_t kBusStub = 40;
// Bus lines run this far above a chip's supply pin or below its caption.
constexpr int32_t kBusClearance = 30;
constexpr int32_t kTrunkMargin = 10;
constexpr int32_t kTrunkPitch = 20;

const std::set<std::string> kPowerNets = {"GND", "VCC"};

int32_t i32(int64_t v) { return static_cast<int32_t>(v); }

void addNames(const std::string& item, std::set<std::string>& names) {
    if (item.empty()) return;
    if (!schematic::isBusRange(item)) {
        names.insert(item);
    } else if (const auto range = schematic::busRangeNames(item)) {
        names.insert(range->begin(), range->end());
    }
}

// The nets the console drives: clock, reset, switches and input buses.
std::set<std::string> consoleNets(const CircuitPlan& plan) {
    schematic::LabDirectives d;
    for (const std::string& t : plan.stimuli) schematic::applyDirective(d, SchElementKind::SimStimulus, t);
    std::set<std::string> names;
    addNames(d.clkName, names);
    addNames(d.resetName, names);
    for (const schematic::Stimulus& s : d.stimuli) addNames(s.name, names);
    return names;
}

struct PlacedIc {
    const IcPlan* plan = nullptr;
    int part = 0;
    int block = 0;
    int32_t top = 0;     // the body's top edge
    int32_t bottom = 0;  // below the part type and the caption
};

struct PlacedPin {
    int ic = 0;  // in the placed ICs
    int32_t pin = 0;
    SheetPoint end;
    int32_t dir = 0;
    sim::PinKind kind = sim::PinKind::Input;
    std::string net;
};

class CircuitDrawing {
public:
    explicit CircuitDrawing(const CircuitPlan& plan) : plan_(plan), d_(plan.width, plan.height) {}

    schematic::SchSheet draw() {
        frames();
        parts();
        classify();
        for (int b = 0; b <= static_cast<int>(plan_.frames.size()); ++b) {
            const std::vector<std::vector<const PlacedPin*>> runs = tieRuns(b);
            stubs(b);
            for (std::size_t bus = 0; bus < plan_.buses.size(); ++bus) buses(b, bus);
            busNames(b);
            for (const auto& run : runs) connect(b, run);
            wires(b);
        }
        trunks();
        notesAndTitle();
        for (const std::string& t : plan_.stimuli) d_.directive(SchElementKind::SimStimulus, t);
        for (const std::string& t : plan_.probes) d_.directive(SchElementKind::SimProbe, t);
        for (const std::string& t : plan_.vectors) d_.directive(SchElementKind::SimVector, t);
        verify();
        return d_.sheet();
    }

private:
    void frames() {
        const int32_t titleFont = d_.font(28, "宋体", true);
        for (const FramePlan& f : plan_.frames) {
            d_.rectangle(f.x1, f.y1, f.x2, f.y2);
            d_.label(f.x1 + 12, f.y1 + 38, f.title, titleFont);
        }
    }

    void parts() {
        for (const IcPlan& ic : plan_.ics) {
            // An IC in no frame is in the sheet's own block, after the frames.
            int block = static_cast<int>(plan_.frames.size());
            for (std::size_t f = 0; f < plan_.frames.size(); ++f)
                if (plan_.frames[f].holds(ic)) block = static_cast<int>(f);
            std::vector<std::string> descriptions;
            if (!ic.image.empty()) descriptions.push_back(ic.image);
            const int part = d_.ic(ic.designator, ic.type, ic.x, ic.y, descriptions);
            int32_t height = 0;
            for (const schematic::SchElement& e : d_.sheet().partGraphics(d_.sheet().elements[static_cast<std::size_t>(part)])->elements)
                if (e.kind == SchElementKind::Rectangle) height = -e.param(3);
            // The caption goes under the part type and the GND pin's label, clear of the pins.
            if (!ic.caption.empty()) d_.label(ic.x, ic.y + height + 50, ic.caption, SheetDraft::kSongFont);
            const int index = static_cast<int>(ics_.size());
            ics_.push_back({&ic, part, block, ic.y, ic.y + height + 60});
            const sim::PinTable& table = sim::pinTable(sim::icTypeFromName(ic.type));
            auto place = [&](int32_t pin, const std::string& net) {
                pins_.push_back({index, pin, d_.pinEnd(part, pin), d_.pinDirection(part, pin),
                                 table.kinds[static_cast<std::size_t>(pin)], net});
            };
            for (const PinConnection& c : ic.connections) place(c.pin, c.net);
            // A chip is drawn with its power: its supply pins on the supplies' nets.
            for (int32_t pin = 1; pin <= table.pinCount; ++pin) {
                const sim::PinKind kind = table.kinds[static_cast<std::size_t>(pin)];
                if (kind == sim::PinKind::Vcc) place(pin, "VCC");
                if (kind == sim::PinKind::Gnd) place(pin, "GND");
            }
        }
    }

    int blockOf(const PlacedPin& p) const { return ics_[static_cast<std::size_t>(p.ic)].block; }

    // How each net is drawn: a bus's with entries; a supply's and a console
    // signal's with a label at every pin; a net that comes into a block from
    // another one with a label at each of its pins there, as does a pin alone
    // with its net in a block; inside the block that drives it, a net as
    // wires between its pins with its label, the name the description gives it.
    void classify() {
        for (std::size_t b = 0; b < plan_.buses.size(); ++b)
            for (const std::string& n : plan_.buses[b].nets) busOf_[n] = static_cast<int>(b);
        const std::set<std::string> console = consoleNets(plan_);
        std::set<std::pair<std::string, int>> drivenIn;  // a net and a block where a pin drives it
        std::map<std::pair<std::string, int>, int> inBlock;  // pins of a net in a block
        for (const PlacedPin& p : pins_) {
            if (p.kind != sim::PinKind::Input) drivenIn.insert({p.net, blockOf(p)});
            ++inBlock[{p.net, blockOf(p)}];
        }
        for (const PlacedPin& p : pins_) {
            if (busOf_.contains(p.net)) continue;
            if (kPowerNets.contains(p.net) || console.contains(p.net) || inBlock[{p.net, blockOf(p)}] == 1 ||
                !drivenIn.contains({p.net, blockOf(p)}))
                stubbed_.insert(&p);
        }
    }

    schgen::SheetBox area(int block) const {
        if (static_cast<std::size_t>(block) == plan_.frames.size()) return {kGrid, kGrid, plan_.width - kGrid, plan_.height - kGrid};
        const FramePlan& f = plan_.frames[static_cast<std::size_t>(block)];
        return {f.x1 + kGrid, f.y1 + kGrid, f.x2 - kGrid, f.y2 - kGrid};
    }

    // A bus's pins on one side of one chip.
    struct BusGroup {
        std::vector<const PlacedPin*> pins;
        int ic = 0;
        int32_t side = 0;
        bool down = false;  // the line leaves the pins downwards
        int64_t dropX = 0;  // where the bus line runs beside the pins
    };

    // Each pin of a bus gets a labelled stub and a bus entry onto a line
    // beside its chip, which rises above the chip (or drops below it); chips
    // that face each other across the bus share that line. The lines of a
    // block are joined by bus lines found like wires but crossing nothing,
    // and run on to the bus's trunk at the sheet's edge.
    void buses(int block, std::size_t bus) {
        const BusPlan& plan = plan_.buses[bus];
        std::map<std::pair<int, int32_t>, BusGroup> bySide;
        for (const PlacedPin& p : pins_) {
            if (blockOf(p) != block || !busOf_.contains(p.net) || busOf_.at(p.net) != static_cast<int>(bus)) continue;
            if (p.dir != dir::Left && p.dir != dir::Right) throw PlanError(lineOf(p), pinText(p) + ": a bus pin must point left or right");
            BusGroup& g = bySide[{p.ic, p.dir}];
            g.pins.push_back(&p);
            g.ic = p.ic;
            g.side = p.dir;
        }
        if (bySide.empty()) return;
        std::vector<BusGroup> groups;
        for (auto& [key, g] : bySide) {
            std::sort(g.pins.begin(), g.pins.end(), [](const PlacedPin* a, const PlacedPin* c) { return a->end.y < c->end.y; });
            placeGroup(g, plan.below);
            groups.push_back(std::move(g));
        }
        std::sort(groups.begin(), groups.end(), [](const BusGroup& a, const BusGroup& c) { return a.dropX < c.dropX; });
        // Chips side by side whose lines would run close together share one.
        std::vector<std::vector<const BusGroup*>> lines;
        for (const BusGroup& g : groups) {
            const BusGroup* last = lines.empty() ? nullptr : lines.back().back();
            if (last && lines.back().size() == 1 && last->side == dir::Right && g.side == dir::Left &&
                g.dropX - last->dropX <= 3 * kGrid && g.down == last->down &&
                g.pins.front()->end.y <= last->pins.back()->end.y && last->pins.front()->end.y <= g.pins.back()->end.y) {
                lines.back().push_back(&g);
            } else {
                lines.push_back({&g});
            }
        }

        // Each line: its pins' stubs and entries, and the line from the
        // farthest entry to its end above (or below) the chips.
        struct Drop {
            SheetPoint from, to;
            bool down;
        };
        std::vector<Drop> drops;
        for (const std::vector<const BusGroup*>& line : lines) {
            const int64_t x = line.size() > 1 ? (line.front()->dropX + line.back()->dropX) / 2 / kGrid * kGrid : line.front()->dropX;
            const bool down = line.front()->down;
            // From the entry farthest from the line's end, past the chips' supply pin or caption.
            int64_t from = down ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
            int64_t to = down ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
            for (const BusGroup* g : line) {
                const PlacedIc& ic = ics_[static_cast<std::size_t>(g->ic)];
                to = down ? std::max<int64_t>(to, ic.bottom + kGrid) : std::min<int64_t>(to, ic.top - 2 * kGrid - kBusClearance);
                for (const PlacedPin* p : g->pins) from = down ? std::min(from, p->end.y + kGrid) : std::max(from, p->end.y - kGrid);
            }
            const PlacedPin& firstPin = *line.front()->pins.front();
            if (!WireRouter(d_.sheet(), area(block)).clear({x, from}, {x, to}))
                throw PlanError(lineOf(firstPin), pinText(firstPin) + ": no room for its bus line");
            for (const BusGroup* g : line) {
                for (const PlacedPin* p : g->pins) {
                    const int64_t length = std::abs(x - p->end.x) - kGrid;
                    const SheetPoint end = schematic::stepTowards(p->end, g->side, length);
                    if (length < busStub(*g) || !WireRouter(d_.sheet(), area(block)).clear(schematic::stepTowards(p->end, g->side, kGrid), end))
                        throw PlanError(lineOf(*p), pinText(*p) + ": no room for its bus stub");
                    d_.labelledStub(p->end, g->side, end, p->net);
                    d_.busEntry(end, {x, end.y + (down ? kGrid : -kGrid)});
                }
            }
            drops.push_back({{x, from}, {x, to}, down});
        }

        // The lines are joined into one tree; with a trunk, the lines above
        // the chips and those below them each join it on their own.
        const schgen::SheetBox box = area(block);
        const bool left = plan.trunk == BusPlan::Trunk::Left;
        std::vector<std::vector<WireRouter::Terminal>> trees(plan.trunk == BusPlan::Trunk::None ? 1 : 2);
        std::pair<SheetPoint, SheetPoint> longest;  // the longest level line drawn
        for (const Drop& drop : drops) trees[trees.size() == 1 || !drop.down ? 0 : 1].push_back({drop.to, drop.down ? dir::Down : dir::Up});
        for (std::size_t t = 0; t < trees.size(); ++t) {
            std::vector<WireRouter::Terminal>& terminals = trees[t];
            if (terminals.empty()) continue;
            if (plan.trunk != BusPlan::Trunk::None) {
                // A step beyond the highest end above the chips, or the lowest below them.
                int64_t y = terminals.front().at.y;
                for (const WireRouter::Terminal& e : terminals) y = t == 0 ? std::min(y, e.at.y) : std::max(y, e.at.y);
                y += t == 0 ? -kGrid : kGrid;
                const SheetPoint edge{left ? box.x1 : box.x2, y};
                terminals.push_back({edge, left ? dir::Right : dir::Left});
            }
            if (terminals.size() > 1) {
                WireRouter router(d_.sheet(), box);
                for (const Drop& drop : drops) router.keepOut(drop.from, schematic::stepTowards(drop.to, drop.down ? dir::Up : dir::Down, kGrid));
                const std::optional<schgen::RoutedNet> tree = router.route(terminals, false);
                if (!tree) throw PlanError(lineOf(*groups.front().pins.front()), "no way for the lines of bus " + plan.name);
                for (const auto& w : tree->wires) {
                    d_.bus(w);
                    for (std::size_t k = 0; k + 1 < w.size(); ++k)
                        if (w[k].y == w[k + 1].y && std::abs(w[k + 1].x - w[k].x) > longest.second.x - longest.first.x)
                            longest = std::minmax(w[k], w[k + 1], [](const SheetPoint& a, const SheetPoint& c) { return a.x < c.x; });
                }
            }
            if (plan.trunk != BusPlan::Trunk::None) {
                const SheetPoint edge = terminals.back().at;
                d_.bus({{trunkX(bus), edge.y}, edge});
                trunkYs_[bus].push_back(edge.y);
            }
        }
        for (const Drop& drop : drops) d_.bus({drop.from, drop.to});
        names_.push_back({plan.name, longest, drops.front().to});
    }

    // Each bus's name over a stretch of its longest level line that nothing
    // crosses, or beside the end of its one line.
    void busNames(int block) {
        for (const BusName& n : names_) {
            const WireRouter router(d_.sheet(), area(block));
            const int32_t width = schgen::textWidth(n.name);
            bool placed = false;
            for (int64_t x = n.line.first.x + 2 * kGrid; !placed && x + width + 2 * kGrid <= n.line.second.x; x += kGrid) {
                if (!router.textFits({x, n.line.first.y}, n.name)) continue;
                d_.label(i32(x), i32(n.line.first.y) - kGrid / 2, n.name);
                placed = true;
            }
            if (!placed) d_.label(i32(n.end.x) + kGrid / 2, i32(n.end.y) + 2 * kGrid, n.name);
        }
        names_.clear();
    }

    int64_t trunkX(std::size_t bus) const {
        int index = 0;
        for (std::size_t b = 0; b < bus; ++b) index += plan_.buses[b].trunk == plan_.buses[bus].trunk;
        return plan_.buses[bus].trunk == BusPlan::Trunk::Left ? kTrunkMargin + kTrunkPitch * index
                                                              : plan_.width - kTrunkMargin - kTrunkPitch * index;
    }


    // Which way a group's line leaves its pins (past fewer other pins of that
    // side, a bus drawn below the chips preferring down) and how far out it
    // runs: beyond the label stubs of the other pins it passes.
    void placeGroup(BusGroup& g, bool preferBelow) const {
        const int64_t yTop = g.pins.front()->end.y, yBottom = g.pins.back()->end.y;
        int passUp = 0, passDown = 0;
        int32_t longestUp = 0, longestDown = 0, longestWithin = 0;
        for (const PlacedPin& p : pins_) {
            if (p.ic != g.ic || p.dir != g.side || std::find(g.pins.begin(), g.pins.end(), &p) != g.pins.end()) continue;
            const int32_t stub = stubbed_.contains(&p) ? SheetDraft::labelStubLength(p.net) : 0;
            if (p.end.y < yTop) {
                ++passUp;
                longestUp = std::max(longestUp, stub);
            } else if (p.end.y > yBottom) {
                ++passDown;
                longestDown = std::max(longestDown, stub);
            } else {
                longestWithin = std::max(longestWithin, stub);
            }
        }
        g.down = preferBelow ? passDown <= passUp : passDown < passUp;
        const int32_t stub = std::max({busStub(g), (g.down ? longestDown : longestUp) + kGrid, longestWithin + kGrid});
        g.dropX = g.pins.front()->end.x + (g.side == dir::Right ? 1 : -1) * (stub + kGrid);
    }

    // A stub long enough for its label: on the right the label starts a grid
    // step out, clear of the pin number, and the entry rises past its end; on
    // the left it ends a little short of the pin number reaching out.
    int32_t busStub(const BusGroup& g) const {
        if (g.side == dir::Right) return kBusStub;
        int32_t stub = 3 * kGrid;
        for (const PlacedPin* p : g.pins) {
            const int32_t reach = std::max(0, schgen::textWidth(std::to_string(p->pin)) - 5);
            stub = std::max(stub, (schgen::textWidth(p->net) + reach + 5 + kGrid - 1) / kGrid * kGrid);
        }
        return stub;
    }

    // Runs of neighbouring pins on one side of a chip tied to a supply, each
    // to be joined by a short bar with one label.
    std::vector<std::vector<const PlacedPin*>> tieRuns(int block) {
        std::map<std::tuple<int, int32_t, std::string>, std::vector<const PlacedPin*>> sides;
        for (const PlacedPin& p : pins_)
            if (blockOf(p) == block && kPowerNets.contains(p.net)) sides[{p.ic, p.dir, p.net}].push_back(&p);
        std::vector<std::vector<const PlacedPin*>> runs;
        for (auto& [key, group] : sides) {
            std::sort(group.begin(), group.end(), [](const PlacedPin* a, const PlacedPin* b) { return a->end.y < b->end.y; });
            std::size_t start = 0;
            for (std::size_t k = 1; k <= group.size(); ++k) {
                if (k < group.size() && group[k]->end.y == group[k - 1]->end.y + kGrid) continue;
                if (k - start >= 2) {
                    runs.emplace_back(group.begin() + static_cast<std::ptrdiff_t>(start), group.begin() + static_cast<std::ptrdiff_t>(k));
                    done_.insert(runs.back().begin(), runs.back().end());
                }
                start = k;
            }
        }
        return runs;
    }

    void stubs(int block) {
        for (const PlacedPin& p : pins_) {
            if (blockOf(p) != block || done_.contains(&p) || !stubbed_.contains(&p)) continue;
            const WireRouter router(d_.sheet(), area(block));
            if (p.dir == dir::Up || p.dir == dir::Down) {
                // A supply pin's stub turns right: at the pin end above the
                // chip, a step out below it, clear of the part type there.
                const auto stub = router.turnedStub(p.end, p.dir, p.dir == dir::Down ? 1 : 0, p.net);
                if (!stub) throw PlanError(lineOf(p), pinText(p) + ": no room for its label stub");
                d_.wire(*stub);
                const SheetPoint& corner = (*stub)[stub->size() - 2];
                d_.netLabel(i32(corner.x) + kGrid, i32(corner.y), p.net);
            } else {
                const auto to = router.stubEnd(p.end, p.dir, p.net);
                if (!to) throw PlanError(lineOf(p), pinText(p) + ": no room for its label stub");
                d_.labelledStub(p.end, p.dir, *to, p.net);
            }
            done_.insert(&p);
        }
    }

    // The block's other nets as wires between its chips, shortest first; a
    // net that finds no way goes first on the next try, until each has been
    // first once.
    void wires(int block) {
        std::map<std::string, std::vector<const PlacedPin*>> nets;
        for (const PlacedPin& p : pins_)
            if (blockOf(p) == block && !done_.contains(&p) && !busOf_.contains(p.net)) nets[p.net].push_back(&p);
        std::vector<std::pair<int64_t, std::string>> bySize;
        for (const auto& [net, group] : nets) {
            int64_t x1 = group[0]->end.x, x2 = x1, y1 = group[0]->end.y, y2 = y1;
            for (const PlacedPin* p : group) {
                x1 = std::min(x1, p->end.x);
                x2 = std::max(x2, p->end.x);
                y1 = std::min(y1, p->end.y);
                y2 = std::max(y2, p->end.y);
            }
            bySize.push_back({(x2 - x1) + (y2 - y1), net});
        }
        std::sort(bySize.begin(), bySize.end());
        std::vector<std::string> order;
        for (const auto& [size, net] : bySize) order.push_back(net);
        const std::size_t mark = d_.sheet().elements.size();
        for (std::size_t attempt = 0;; ++attempt) {
            std::size_t failed = order.size();
            for (std::size_t k = 0; k < order.size() && failed == order.size(); ++k) {
                try {
                    connect(block, nets[order[k]]);
                } catch (const PlanError&) {
                    if (attempt >= order.size()) throw;
                    failed = k;
                }
            }
            if (failed == order.size()) return;
            d_.truncate(mark);
            std::rotate(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(failed), order.begin() + static_cast<std::ptrdiff_t>(failed) + 1);
        }
    }

    // Wires between pins of one net in a block, with the net's label on them.
    void connect(int block, const std::vector<const PlacedPin*>& group) {
        const std::string& name = group[0]->net;
        std::vector<SheetPoint> ends;
        for (const PlacedPin* p : group) ends.push_back(p->end);
        const WireRouter router(d_.sheet(), area(block));
        const std::optional<schgen::RoutedNet> net = router.route(ends);
        if (!net) throw PlanError(lineOf(*group[0]), "no way for the wires of " + name + " from " + pinText(*group[0]));
        const std::optional<schgen::LabelPlace> place = router.labelPlace(*net, name);
        if (!place) throw PlanError(lineOf(*group[0]), "no room for the label of " + name + " near " + pinText(*group[0]));
        schgen::drawRoutedNet(d_, *net, place, name);
    }

    // Each bus with a trunk: one line down the sheet's edge past the blocks it joins.
    void trunks() {
        for (const auto& [bus, ys] : trunkYs_) {
            const int64_t x = trunkX(bus);
            const auto [y1, y2] = std::minmax_element(ys.begin(), ys.end());
            if (*y1 != *y2) d_.bus({{x, *y1}, {x, *y2}});
        }
    }

    void notesAndTitle() {
        for (const NotePlan& n : plan_.notes) d_.label(n.x, n.y, n.text, SheetDraft::kSongFont);
        if (plan_.title.empty()) return;
        schematic::LabDirectives d;
        for (const std::string& t : plan_.vectors) schematic::applyDirective(d, SchElementKind::SimVector, t);
        std::string labs;
        for (const schematic::LabHeadList& l : d.labs) {
            const std::size_t close = l.head.find(')');
            labs += (labs.empty() ? "" : "、") + (close == std::string::npos ? l.head : l.head.substr(close + 1));
        }
        const int32_t x2 = plan_.width - 20, y2 = plan_.height - 20;
        d_.titleBlock(x2 - 560, y2 - 180, x2, y2, {{"电路名称", plan_.title}, {"适用实验", labs}, {"图号", plan_.drawingNumber}},
                      d_.font(14, "宋体", true));
    }

    // The drawing must build the described circuit: every net of the
    // description one net of the circuit, no two of them joined, and a
    // labelled net under its own name alone.
    void verify() const {
        schematic::CircuitBuild build;
        schematic::BuildNets(d_.sheet(), build);
        std::map<std::string, int32_t> netOfName;
        std::map<int32_t, std::string> nameOfNet;
        for (const PlacedPin& p : pins_) {
            const std::string& designator = ics_[static_cast<std::size_t>(p.ic)].plan->designator;
            int32_t net = -1;
            for (const schematic::CircuitIc& ic : build.circuitIcs)
                if (ic.designator == designator)
                    for (const schematic::ListedPin& lp : ic.pins)
                        if (lp.pinNumber == p.pin) net = lp.net;
            if (net < 0) throw PlanError(lineOf(p), pinText(p) + " is on no net of the drawing");
            const auto [known, fresh] = netOfName.emplace(p.net, net);
            if (!fresh && known->second != net) throw PlanError(lineOf(p), p.net + " falls apart at " + pinText(p));
            const auto [other, first] = nameOfNet.emplace(net, p.net);
            if (!first && other->second != p.net) throw PlanError(lineOf(p), p.net + " and " + other->second + " are joined at " + pinText(p));
            const int32_t group = build.circuitNets[static_cast<std::size_t>(net)].nameGroup;
            if (group < 0 || build.netNameGroups[static_cast<std::size_t>(group)].names != std::vector<std::string>{p.net})
                throw PlanError(lineOf(p), p.net + " does not carry its name alone at " + pinText(p));
        }
    }

    int lineOf(const PlacedPin& p) const { return ics_[static_cast<std::size_t>(p.ic)].plan->line; }

    std::string pinText(const PlacedPin& p) const {
        return ics_[static_cast<std::size_t>(p.ic)].plan->designator + " pin " + std::to_string(p.pin) + " (" + p.net + ")";
    }

    const CircuitPlan& plan_;
    SheetDraft d_;
    std::vector<PlacedIc> ics_;
    std::vector<PlacedPin> pins_;
    std::map<std::string, int> busOf_;
    std::set<const PlacedPin*> stubbed_;              // pins drawn with a label stub of their own
    std::set<const PlacedPin*> done_;
    std::map<std::size_t, std::vector<int64_t>> trunkYs_;  // by bus: where its blocks' lines meet the trunk
    struct BusName {
        std::string name;
        std::pair<SheetPoint, SheetPoint> line;  // its longest level line, left end first
        SheetPoint end;                          // else the end of its first line
    };
    std::vector<BusName> names_;  // of the buses of the block being drawn
};

}  // namespace

schematic::SchSheet circuitSheet(const CircuitPlan& plan) { return CircuitDrawing(plan).draw(); }

}  // namespace labdata
