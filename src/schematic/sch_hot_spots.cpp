#include "schematic/sch_hot_spots.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "schematic/part_transform.h"
#include "schematic/utf8_text.h"
#include "schematic/wire_geometry.h"

namespace schematic {
namespace {

// Parameter positions of NetLabel and Label records.
namespace label_param {
constexpr int X = 0;
constexpr int Y = 1;
constexpr int Orientation = 2;
constexpr int FontId = 4;
}  // namespace label_param

// A measured width as a whole number, halves to the even one.
int64_t wholePixels(float width) {
    if (!std::isfinite(width)) return 0;
    constexpr double kLimit = 1e15;  // far beyond any text, and exact in 64 bits
    return static_cast<int64_t>(std::nearbyint(std::clamp<double>(width, -kLimit, kLimit)));
}

// The box of a label's text: height of "A", width of the text less two units
// per character, laid out by the label's orientation. The corners are not
// reordered.
HotElementBox labelBox(const SchElement& label, const SchSheet& sheet, TextMeasurer& picture) {
    picture.setFont(labelFont(sheet, label.param(label_param::FontId)));
    const int64_t h = wholePixels(picture.widthPx("A"));
    const std::string& text = label.text(0);
    const int64_t w = wholePixels(picture.widthPx(text)) - 2 * static_cast<int64_t>(charCount(text));
    const int64_t x = label.param(label_param::X);
    const int64_t y = label.param(label_param::Y);
    switch (label.param(label_param::Orientation) & 3) {
        case 0: return {x, y - h, x + w, y};
        case 1: return {x - h, y - w, x, y};
        case 2: return {x - w, y, x, y + h};
        default: return {x, y, x + h, y + w};
    }
}

// The bounding box of a library part's graphics, in library units.
struct Extent {
    bool any = false;
    int64_t minX = 0, minY = 0, maxX = 0, maxY = 0;

    void add(int64_t x, int64_t y) {
        if (!any) {
            any = true;
            minX = maxX = x;
            minY = maxY = y;
            return;
        }
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
};

// Adds the `stated` points that start at parameter `first` (as many as the
// record holds); a list of fewer than two points adds nothing.
void addPoints(Extent& e, const SchElement& el, int64_t stated, std::size_t first) {
    if (stated < 2) return;
    const int64_t stored = el.params.size() > first ? static_cast<int64_t>(el.params.size() - first) / 2 : 0;
    const int64_t count = std::min(stated, stored);
    for (int64_t s = 0; s < count; ++s) {
        const std::size_t at = first + 2 * static_cast<std::size_t>(s);
        e.add(el.params[at], el.params[at + 1]);
    }
}

Extent partExtent(const SchPartGraphics& graphics, const SchSheet& sheet, TextMeasurer& picture) {
    using K = SchElementKind;
    Extent e;
    for (const SchElement& el : graphics.elements) {
        const int64_t p0 = el.param(0), p1 = el.param(1), p2 = el.param(2), p3 = el.param(3);
        switch (el.kind) {
            case K::Polyline: addPoints(e, el, el.param(4), 5); break;
            case K::Bezier: addPoints(e, el, el.param(3), 4); break;
            case K::Polygon: addPoints(e, el, el.param(5), 6); break;
            case K::Arc:
            case K::Pie:
                e.add(p0 - p2, p1 - p2);
                e.add(p0 + p2, p1 + p2);
                break;
            case K::EllipticalArc:
            case K::Ellipse:
                e.add(p0 - p2, p1 - p3);
                e.add(p0 + p2, p1 + p3);
                break;
            case K::Rectangle:
            case K::RoundRectangle:
            case K::Image:
            case K::Line:
                e.add(p0, p1);
                e.add(p2, p3);
                break;
            case K::Label: {
                const HotElementBox box = labelBox(el, sheet, picture);
                e.add(box.X1, box.Y1);
                e.add(box.X2, box.Y2);
                break;
            }
            default: break;
        }
    }
    return e;
}

template <typename T>
const T* at(const std::vector<T>& v, int64_t i) {
    return i >= 0 && static_cast<uint64_t>(i) < v.size() ? &v[static_cast<std::size_t>(i)] : nullptr;
}

// Entries of `table` whose number lies in first..last, the first entry of
// each number only, by ascending number.
template <typename Number>
std::vector<int32_t> byAscendingNumber(std::size_t count, int32_t first, int32_t last, Number numberOf) {
    std::vector<std::pair<int32_t, int32_t>> found;  // number, index
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<int32_t> n = numberOf(i);
        if (n && *n >= first && *n <= last) found.emplace_back(*n, static_cast<int32_t>(i));
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int32_t> indexes;
    for (std::size_t k = 0; k < found.size(); ++k) {
        if (k == 0 || found[k].first != found[k - 1].first) indexes.push_back(found[k].second);
    }
    return indexes;
}

class HotSpotBuilder {
public:
    HotSpotBuilder(const SchSheet& sheet, const CircuitBuild& build, TextMeasurer& picture, HotElementLists& lists)
        : sheet_(sheet), b_(build), picture_(picture), out_(lists.Boxes) {}

    void signalSection(int32_t first, int32_t last) {
        const auto nets = byAscendingNumber(b_.circuitNets.size(), first, last, [&](std::size_t i) {
            const CircuitNet& n = b_.circuitNets[i];
            return n.merged == 0 ? std::optional<int32_t>(n.signalNumber) : std::nullopt;
        });
        for (int32_t n : nets) {
            const CircuitNet& net = b_.circuitNets[static_cast<std::size_t>(n)];
            wireSegments(net);
            labelBoxes(net);
            pinLines(n, net);
        }
    }

    void icSection(int32_t first, int32_t last) {
        const auto ics = byAscendingNumber(b_.circuitIcs.size(), first, last, [&](std::size_t i) {
            return std::optional<int32_t>(b_.circuitIcs[i].icNumber);
        });
        for (int32_t i : ics) bodyBoxes(b_.circuitIcs[static_cast<std::size_t>(i)]);
    }

private:
    void wireSegments(const CircuitNet& net) {
        for (int32_t w : net.wires) {
            const SchElement* wire = at(sheet_.elements, w);
            if (!wire) continue;
            const std::vector<SheetPoint> points = wirePoints(*wire);
            for (std::size_t j = 0; j + 1 < points.size(); ++j) {
                SheetPoint a = points[j];
                SheetPoint b = points[j + 1];
                if (a.x > b.x) std::swap(a, b);
                out_.push_back({a.x, a.y, b.x, b.y, wireId(net.signalNumber)});
            }
        }
    }

    void labelBoxes(const CircuitNet& net) {
        const NetNameGroup* group = at(b_.netNameGroups, net.nameGroup);
        if (!group || group->merged != 0) return;
        for (const LabelPoint& point : group->labelPoints) {
            const SchElement* label = at(sheet_.elements, point.elementIndex);
            if (!label || label->kind != SchElementKind::NetLabel) continue;
            HotElementBox box = labelBox(*label, sheet_, picture_);
            box.Id = labelBoxId(net.signalNumber);
            out_.push_back(box);
        }
    }

    // The drawn pins of the net's ICs, each a line over its length outwards.
    void pinLines(int32_t n, const CircuitNet& net) {
        for (int32_t icIndex : net.ics) {
            const CircuitIc* ic = at(b_.circuitIcs, icIndex);
            if (!ic) continue;
            for (const ListedPin& pin : ic->pins) {
                if (pin.net != n || pin.graphicIndex == -1) continue;
                const SchElement* part = at(sheet_.elements, pin.partElement);
                const SchPartGraphics* graphics = part ? sheet_.partGraphics(*part) : nullptr;
                const SchElement* drawn = graphics ? at(graphics->elements, pin.graphicIndex) : nullptr;
                if (!drawn || drawn->kind != SchElementKind::Pin) continue;
                const PartTransform placement = PartTransform::of(*part);
                SheetPoint a = placement.pinInnerEnd(*drawn);
                SheetPoint b = placement.pinOuterEnd(*drawn);
                if (a.x > b.x) std::swap(a, b);
                out_.push_back({a.x, a.y, b.x, b.y, wireId(net.signalNumber)});
            }
        }
    }

    // One box per Part record that draws a pin of the IC, around its library
    // part's graphics; a part without any extent gives none.
    void bodyBoxes(const CircuitIc& ic) {
        int32_t previousPart = -1;
        for (const ListedPin& pin : ic.pins) {
            if (pin.graphicIndex == -1 || pin.partElement == previousPart) continue;
            previousPart = pin.partElement;
            const SchElement* part = at(sheet_.elements, pin.partElement);
            const SchPartGraphics* graphics = part ? sheet_.partGraphics(*part) : nullptr;
            if (!graphics) continue;
            const Extent& e = extentOf(*graphics);
            if (!e.any) continue;
            const PartTransform placement = PartTransform::of(*part);
            const SheetPoint a = placement.place(e.minX, e.minY);
            const SheetPoint b = placement.place(e.maxX, e.maxY);
            out_.push_back({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y),
                            icBodyId(ic.icNumber)});
        }
    }

    const Extent& extentOf(const SchPartGraphics& graphics) {
        for (const auto& [g, e] : extents_) {
            if (g == &graphics) return e;
        }
        extents_.emplace_back(&graphics, partExtent(graphics, sheet_, picture_));
        return extents_.back().second;
    }

    const SchSheet& sheet_;
    const CircuitBuild& b_;
    TextMeasurer& picture_;
    std::vector<HotElementBox>& out_;
    std::vector<std::pair<const SchPartGraphics*, Extent>> extents_;
};

}  // namespace

void HandOverSheet(SchSheet& sheet, SchSheet& currentSheet) {
    if (&sheet == &currentSheet) return;
    sheet = std::move(currentSheet);
    currentSheet.clear();
}

void BuildSchHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                      int32_t EndSignalNumber, TextMeasurer& picture, HotElementLists& lists, SchSheet& sheet,
                      SchSheet& currentSheet, const CircuitBuild& build) {
    HotSpotBuilder builder(currentSheet, build, picture, lists);
    if (EndSignalNumber >= StartSignalNumber && StartSignalNumber >= 0) {
        builder.signalSection(StartSignalNumber, EndSignalNumber);
    }
    if (EndIcNumber >= StartIcNumber && StartIcNumber >= 0) builder.icSection(StartIcNumber, EndIcNumber);
    HandOverSheet(sheet, currentSheet);
}

void BuildSchHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                      int32_t EndSignalNumber, TextMeasurer& picture, HotElementLists& lists, SchSheet& sheet,
                      SchematicState& state) {
    BuildSchHotSpots(StartIcNumber, StartSignalNumber, EndIcNumber, EndSignalNumber, picture, lists, sheet,
                     state.currentSheet, state.circuitBuild);
}

}  // namespace schematic
