#pragma once
// Sheets of any size made from a seed, for comparing circuit builders and for
// timing them. Two kinds:
// - a lab circuit: ICs in rows, each IC's outputs wired to inputs of its left
//   neighbour (or its own, at the row's start) through routed wires drawn as
//   many short wires or as polylines, branches tied to their trunk by
//   junctions, by meeting ends or by labels; data buses made of labels
//   between the bidirectional ports; a clock and a reset label on many inputs;
//   supply labels; a few directives;
// - a soup: wires (some slanted or of zero length), labels, junctions and
//   parts thrown at random on a small grid, so that nets meet in every way.
// Elements stand in a random file order unless asked otherwise. The same
// shape always gives the same sheet.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "schematic/sheet_builder.h"
#include "sim/ic_type.h"
#include "sim/pin_table.h"

namespace schematic::schtest {

struct LabSheetShape {
    int ics = 20;
    uint32_t seed = 1;
    int maxPieces = 4;  // a straight run becomes up to this many wires
    bool scramble = true;
};

struct SoupShape {
    int size = 40;  // about this many wires; parts, labels and junctions in proportion
    uint32_t seed = 1;
};

namespace generated {

class Random {
public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    // 0 .. n - 1 (n > 0); plain modulo keeps the sequence the same on every library.
    int32_t below(int32_t n) { return static_cast<int32_t>(engine_() % static_cast<uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    void shuffle(std::vector<T>& v) {
        for (std::size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[static_cast<std::size_t>(below(int32_t(i)))]);
    }

private:
    std::mt19937 engine_;
};

inline bool isKind(int32_t type, int32_t pin, std::initializer_list<sim::PinKind> kinds) {
    const sim::PinKind k = sim::pinTable(type).kinds[static_cast<std::size_t>(pin)];
    return std::find(kinds.begin(), kinds.end(), k) != kinds.end();
}

// The four gates of a 74LS00 as parts A to D, the supply pins hidden in each.
inline const std::vector<std::vector<std::string>>& gateParts() {
    static const std::vector<std::vector<std::string>> parts = {
        {"1", "2", "3", "7", "14"}, {"4", "5", "6", "7", "14"}, {"9", "10", "8", "7", "14"}, {"12", "13", "11", "7", "14"}};
    return parts;
}

inline int32_t gateComponent(SheetBuilder& b) {
    std::vector<std::vector<PinDef>> parts;
    for (const auto& numbers : gateParts()) {
        std::vector<PinDef> pins;
        for (std::size_t i = 0; i < numbers.size(); ++i) pins.push_back({numbers[i], i >= 3});
        parts.push_back(pins);
    }
    return b.component(parts);
}

class LabSheet {
public:
    explicit LabSheet(const LabSheetShape& shape) : shape_(shape), rnd_(shape.seed) {}

    SchSheet make() {
        columns_ = 1;
        while (columns_ * columns_ < shape_.ics) ++columns_;
        for (int k = 0; k < shape_.ics; ++k) placeIc(k);
        for (int k = 0; k < shape_.ics; ++k) chainNets(k);
        for (int k = 0; k < shape_.ics; ++k) busPorts(k);
        for (int k = 0; k < shape_.ics; ++k) controlAndSupplyLabels(k);
        directives();
        SchSheet sheet = b_.sheet();
        if (shape_.scramble) {
            rnd_.shuffle(sheet.elements);
            // Copied in their new order, as a reader would have made them.
            sheet.elements = std::vector<SchElement>(sheet.elements.begin(), sheet.elements.end());
        }
        return sheet;
    }

private:
    struct Ic {
        int32_t type = 0;
        int32_t x = 0, y = 0;
        std::vector<std::optional<SheetPoint>> ends;  // by pin number
        std::vector<bool> used;
        int slot = 0;
    };

    using Point = std::pair<int32_t, int32_t>;

    static Point at(SheetPoint p) { return {static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)}; }

    int32_t numbered(int32_t type) {
        const auto found = components_.find(type);
        if (found != components_.end()) return found->second;
        return components_[type] = b_.numberedComponent(sim::pinTable(type).pinCount);
    }

    void placeIc(int k) {
        static const char* const kTypes[] = {"74LS00", "74LS04", "74LS08", "74LS32",  "74LS138", "74LS244", "74LS245",
                                             "74LS273", "74LS374", "6116",  "2732",   "74LS125", "74LS257", "74LS245"};
        const std::string typeName = kTypes[rnd_.below(int32_t(std::size(kTypes)))];
        Ic ic;
        ic.type = sim::icTypeFromName(typeName);
        ic.x = 1000 + 1000 * (k % columns_);
        ic.y = 400 * (k / columns_);
        const int32_t pins = sim::pinTable(ic.type).pinCount;
        ic.ends.resize(static_cast<std::size_t>(pins) + 1);
        ic.used.assign(static_cast<std::size_t>(pins) + 1, false);
        const std::string designator = "U" + std::to_string(k + 1);
        if (typeName == "74LS00") {
            if (gates_ < 0) gates_ = gateComponent(b_);
            const int parts = rnd_.chance(20) ? 3 : 4;  // a gate left out gets its pins appended
            const int showing = rnd_.chance(50) ? rnd_.below(parts) : -1;
            for (int j = 0; j < parts; ++j) {
                const int32_t py = ic.y + 60 * j;
                b_.part({.designator = designator, .type = typeName, .x = ic.x, .y = py, .comp = gates_, .partNo = j + 1,
                         .showHidden = j == showing ? 1 : 0});
                const auto& numbers = gateParts()[static_cast<std::size_t>(j)];
                for (std::size_t i = 0; i < numbers.size(); ++i) {
                    if (i >= 3 && j != showing) continue;
                    ic.ends[static_cast<std::size_t>(std::stoi(numbers[i]))] = SheetPoint{ic.x, py + 10 * int32_t(i + 1)};
                }
            }
        } else {
            std::vector<std::string> descriptions;
            if ((typeName == "6116" || typeName == "2732") && rnd_.chance(50)) descriptions = {"mem" + designator + ".bin"};
            b_.part({.designator = designator, .type = typeName, .x = ic.x, .y = ic.y, .comp = numbered(ic.type),
                     .descriptions = descriptions});
            for (int32_t p = 1; p <= pins; ++p) ic.ends[static_cast<std::size_t>(p)] = SheetPoint{ic.x, ic.y + 10 * p};
        }
        ics_.push_back(std::move(ic));
    }

    // Pins of `ic` of the given kinds that have an end and are still free, in pin order.
    std::vector<int32_t> freePins(const Ic& ic, std::initializer_list<sim::PinKind> kinds) const {
        std::vector<int32_t> pins;
        for (int32_t p = 1; p < int32_t(ic.ends.size()); ++p) {
            if (ic.ends[std::size_t(p)] && !ic.used[std::size_t(p)] && isKind(ic.type, p, kinds)) pins.push_back(p);
        }
        return pins;
    }

    // The wires of a straight run from `a` to `b`: split at `cuts` (which
    // become wire ends) and at random points, each wire one to three pieces
    // long, each drawn either way round.
    void run(Point a, Point b, std::vector<int32_t> cuts = {}) {
        const bool vertical = a.first == b.first;
        const int32_t from = vertical ? a.second : a.first;
        const int32_t to = vertical ? b.second : b.first;
        const int32_t lo = std::min(from, to), hi = std::max(from, to);
        std::vector<std::pair<int32_t, bool>> stops = {{lo, true}, {hi, true}};  // (position, is a wire end)
        for (int32_t c : cuts) {
            if (c > lo && c < hi) stops.push_back({c, true});
        }
        const int extra = rnd_.below(shape_.maxPieces);
        for (int i = 0; i < extra && hi - lo > 1; ++i) stops.push_back({lo + 1 + rnd_.below(hi - lo - 1), false});
        std::sort(stops.begin(), stops.end());
        // Equal positions keep their strongest kind.
        std::vector<std::pair<int32_t, bool>> merged;
        for (const auto& s : stops) {
            if (!merged.empty() && merged.back().first == s.first) {
                merged.back().second = merged.back().second || s.second;
            } else {
                merged.push_back(s);
            }
        }
        auto point = [&](int32_t v) { return vertical ? Point{a.first, v} : Point{v, a.second}; };
        std::size_t i = 0;
        while (i + 1 < merged.size()) {
            std::vector<Point> wire = {point(merged[i].first)};
            int pieces = 1 + rnd_.below(3);
            std::size_t j = i + 1;
            for (;; ++j) {
                wire.push_back(point(merged[j].first));
                if (j + 1 >= merged.size() || merged[j].second || --pieces == 0) break;
            }
            if (lo == hi) wire = {point(lo), point(lo)};
            if (rnd_.chance(50)) std::reverse(wire.begin(), wire.end());
            b_.wire(wire);
            i = j;
        }
    }

    // A net from `source` to `targets` through a vertical trunk in the
    // owner's channel, left of its pins.
    void route(Ic& owner, SheetPoint sourceEnd, const std::vector<SheetPoint>& targetEnds, const std::string& name) {
        const int32_t c = owner.x - 40 - 9 * (owner.slot++ % 100);
        const Point s = at(sourceEnd);
        std::vector<Point> targets;
        for (SheetPoint t : targetEnds) targets.push_back(at(t));
        int32_t lo = s.second, hi = s.second;
        for (const Point& t : targets) {
            lo = std::min(lo, t.second);
            hi = std::max(hi, t.second);
        }

        if (targets.size() == 1 && rnd_.chance(25)) {  // one polyline
            b_.wire({s, {c, s.second}, {c, targets[0].second}, targets[0]});
        } else {
            std::vector<int32_t> cuts;
            auto attach = [&](int32_t y) {
                if (y == lo || y == hi) {
                    if (rnd_.chance(10)) b_.junction(c, y);
                    return;
                }
                const int mode = rnd_.below(100);
                if (mode < 50) {
                    b_.junction(c, y);
                    if (rnd_.chance(10)) b_.junction(c, y);
                } else if (mode < 85) {
                    cuts.push_back(y);
                } else {
                    b_.label(c, y, name);
                }
            };
            attach(s.second);
            for (const Point& t : targets) attach(t.second);
            if (lo < hi) run({c, lo}, {c, hi}, cuts);
            run(s, {c, s.second});
            for (const Point& t : targets) run({c, t.second}, t);
        }
        if (rnd_.chance(20)) b_.label((c + s.first) / 2, s.second, "S" + name);  // a second name on the stub
        if (rnd_.chance(40)) {
            if (hi - lo > 10) {
                b_.label(c, lo + 5, name);
            } else {
                b_.label(c + 3, s.second, name);
            }
        }
    }

    void chainNets(int k) {
        Ic& owner = ics_[std::size_t(k)];
        Ic& target = ics_[std::size_t(k % columns_ > 0 ? k - 1 : k)];
        const std::vector<int32_t> outputs = freePins(owner, {sim::PinKind::Output, sim::PinKind::OpenCollector});
        std::vector<int32_t> inputs = freePins(target, {sim::PinKind::Input});
        rnd_.shuffle(inputs);
        std::size_t next = 0;
        for (int32_t o : outputs) {
            if (rnd_.chance(15)) continue;
            const int fan = 1 + (rnd_.chance(30) ? 1 : 0) + (rnd_.chance(10) ? 1 : 0);
            std::vector<SheetPoint> ends;
            for (int i = 0; i < fan && next < inputs.size(); ++i, ++next) {
                const int32_t p = inputs[next];
                target.used[std::size_t(p)] = true;
                ends.push_back(*target.ends[std::size_t(p)]);
            }
            if (ends.empty()) break;
            owner.used[std::size_t(o)] = true;
            route(owner, *owner.ends[std::size_t(o)], ends, "N" + std::to_string(k + 1) + "_" + std::to_string(o));
        }
    }

    // A label at a pin end, or on a short stub from it.
    void labelPin(const Ic& ic, int32_t pin, const std::string& text) {
        const Point end = at(*ic.ends[std::size_t(pin)]);
        const int mode = rnd_.below(100);
        if (mode < 50) {
            b_.label(end.first, end.second, text);
            return;
        }
        const int32_t length = 20 + rnd_.below(15);
        const Point far = {end.first - length, end.second};
        run(end, far);
        if (mode < 80) {
            b_.label(end.first - length / 2, end.second, text);
        } else {
            b_.label(far.first, far.second, text);
            if (rnd_.chance(50)) b_.junction(far.first, far.second);
        }
    }

    // Blocks of eight bidirectional pins; three ports share one bus of labels.
    void busPorts(int k) {
        Ic& ic = ics_[std::size_t(k)];
        const std::vector<int32_t> bidirs = freePins(ic, {sim::PinKind::Bidirectional});
        for (std::size_t first = 0; first + 8 <= bidirs.size(); first += 8) {
            const int bus = ports_++ / 3;
            for (int bit = 0; bit < 8; ++bit) {
                const int32_t pin = bidirs[first + std::size_t(bit)];
                ic.used[std::size_t(pin)] = true;
                labelPin(ic, pin, "B" + std::to_string(bus) + "D" + std::to_string(bit));
            }
        }
    }

    void controlAndSupplyLabels(int k) {
        Ic& ic = ics_[std::size_t(k)];
        std::vector<int32_t> inputs = freePins(ic, {sim::PinKind::Input});
        if (!inputs.empty() && rnd_.chance(35)) {
            ic.used[std::size_t(inputs.front())] = true;
            labelPin(ic, inputs.front(), "CLK");
        }
        if (inputs.size() > 1 && rnd_.chance(20)) {
            ic.used[std::size_t(inputs.back())] = true;
            labelPin(ic, inputs.back(), "RST");
        }
        static const char* const kHigh[] = {"VCC", "VCC", "HighVol"};
        static const char* const kLow[] = {"GND", "GND", "VSS", "LowVol"};
        for (int32_t p : freePins(ic, {sim::PinKind::Vcc})) {
            if (rnd_.chance(30)) b_.label(int32_t(ic.ends[std::size_t(p)]->x), int32_t(ic.ends[std::size_t(p)]->y), kHigh[rnd_.below(3)]);
        }
        for (int32_t p : freePins(ic, {sim::PinKind::Gnd})) {
            if (rnd_.chance(30)) b_.label(int32_t(ic.ends[std::size_t(p)]->x), int32_t(ic.ends[std::size_t(p)]->y), kLow[rnd_.below(4)]);
        }
    }

    void directives() {
        b_.directive(SchElementKind::SimStimulus, "CLK(S/C):CLK 0");
        b_.directive(SchElementKind::SimStimulus, "RESET:RST 1");
        b_.directive(SchElementKind::SimStimulus, "B0D7..0 165");
        b_.directive(SchElementKind::SimStimulus, "N2_3 1");
        b_.directive(SchElementKind::SimProbe, "(Bus) B1D7..0 CLK,RST");
        b_.directive(SchElementKind::SimProbe, "IC:(Regs) U1.Q U3.Q,U5.Q");
        b_.directive(SchElementKind::SimVector, "LoadMemData:(Memory) U2.U U4.U");
    }

    LabSheetShape shape_;
    Random rnd_;
    SheetBuilder b_;
    int columns_ = 1;
    int32_t gates_ = -1;
    int ports_ = 0;
    std::map<int32_t, int32_t> components_;
    std::vector<Ic> ics_;
};

}  // namespace generated

inline SchSheet generatedLabSheet(const LabSheetShape& shape) { return generated::LabSheet(shape).make(); }

inline SchSheet generatedSoupSheet(const SoupShape& shape) {
    generated::Random rnd(shape.seed);
    SheetBuilder b;
    const int32_t span = 8 + shape.size / 4;  // grid lines 0 .. span, 10 units apart
    auto coordinate = [&] { return 10 * rnd.below(span + 1); };
    const int32_t gates = generated::gateComponent(b);
    const int32_t numbered20 = b.numberedComponent(20);
    const int32_t numbered24 = b.numberedComponent(24);
    static const char* const kTexts[] = {"A", "B", "C", "a", "D0", "D1", "VCC", "GND", "NC", "X", "HighVol", "VSS"};
    std::vector<std::function<void()>> adds;
    for (int i = 0; i < shape.size / 4 + 1; ++i) {
        adds.push_back([&] {
            const int kind = rnd.below(4);
            const std::string designator = "U" + std::to_string(rnd.below(shape.size / 6 + 2));
            PartDef def;
            def.designator = designator;
            def.x = coordinate();
            def.y = coordinate();
            if (kind == 0) {
                def.type = "74LS00", def.comp = gates, def.partNo = 1 + rnd.below(4), def.showHidden = rnd.below(2);
            } else if (kind == 1) {
                def.type = "74LS245", def.comp = numbered20;
            } else if (kind == 2) {
                def.type = "6116", def.comp = numbered24;
            } else {
                def.type = "74LS374", def.comp = numbered20, def.orientation = rnd.below(4), def.mirror = rnd.below(2);
            }
            b.part(def);
        });
    }
    for (int i = 0; i < shape.size; ++i) {
        adds.push_back([&] {
            std::vector<std::pair<int32_t, int32_t>> points = {{coordinate(), coordinate()}};
            const int count = 1 + rnd.below(3);
            for (int k = 0; k < count; ++k) {
                auto [x, y] = points.back();
                const int32_t step = 10 * (1 + rnd.below(span / 2 + 1));
                switch (rnd.below(10)) {
                    case 0: x += step, y += step; break;     // slanted
                    case 1: x += 2 * step, y -= step; break;  // slanted, steeper
                    case 2: break;                            // zero length
                    case 3: case 4: case 5: y += rnd.chance(50) ? step : -step; break;
                    default: x += rnd.chance(50) ? step : -step; break;
                }
                points.push_back({x, y});
            }
            b.wire(points);
        });
    }
    for (int i = 0; i < shape.size / 2; ++i) {
        adds.push_back([&] { b.label(coordinate(), coordinate(), kTexts[rnd.below(int32_t(std::size(kTexts)))]); });
    }
    for (int i = 0; i < shape.size / 3; ++i) adds.push_back([&] { b.junction(coordinate(), coordinate()); });
    rnd.shuffle(adds);
    for (auto& add : adds) add();
    return b.sheet();
}

}  // namespace schematic::schtest
