#include "schgen/sheet_draft.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "schgen/ic_pin_names.h"
#include "schgen/text_extent.h"
#include "schematic/text_scan.h"
#include "schematic/wire_geometry.h"
#include "sim/ic_type.h"
#include "sim/pin_table.h"

namespace schgen {
namespace {

using schematic::SchElement;
using schematic::SchElementKind;
using schematic::SheetPoint;
namespace pp = schematic::part_param;
namespace pinp = schematic::pin_param;
namespace dir = schematic::direction;

constexpr int32_t kPinLength = 20;

// Colours as the files store them (0x00BBGGRR).
constexpr int32_t kDarkRed = 128;
constexpr int32_t kNavy = 0x800000;
constexpr int32_t kCream = 14741759;
constexpr int32_t kPaleYellow = 12648447;
constexpr int32_t kSheetColour = 15269887;
constexpr int32_t kWhite = 0xFFFFFF;

int32_t roundUp(int32_t v, int32_t step) { return (v + step - 1) / step * step; }

// Pin names in natural order ("D2" before "D10"), blind to the active-low
// mark, with numbered names (the data lines) above the controls.
bool pinNameBefore(const std::string& a, const std::string& b) {
    auto numbered = [](const std::string& s) { return !s.empty() && std::isdigit(static_cast<unsigned char>(s.back())); };
    if (numbered(a) != numbered(b)) return numbered(a);
    std::string_view x = a, y = b;
    if (!x.empty() && x.front() == '/') x.remove_prefix(1);
    if (!y.empty() && y.front() == '/') y.remove_prefix(1);
    std::size_t i = 0, j = 0;
    while (i < x.size() && j < y.size()) {
        const bool dx = std::isdigit(static_cast<unsigned char>(x[i])), dy = std::isdigit(static_cast<unsigned char>(y[j]));
        if (dx && dy) {
            std::size_t ei = i, ej = j;
            while (ei < x.size() && std::isdigit(static_cast<unsigned char>(x[ei]))) ++ei;
            while (ej < y.size() && std::isdigit(static_cast<unsigned char>(y[ej]))) ++ej;
            const long nx = std::stol(std::string(x.substr(i, ei - i))), ny = std::stol(std::string(y.substr(j, ej - j)));
            if (nx != ny) return nx < ny;
            i = ei;
            j = ej;
        } else {
            if (x[i] != y[j]) return x[i] < y[j];
            ++i;
            ++j;
        }
    }
    return x.size() - i < y.size() - j;
}

SchElement element(SchElementKind kind, std::vector<int32_t> params, std::vector<std::string> texts = {}) {
    SchElement e;
    e.kind = kind;
    e.params = std::move(params);
    e.texts = std::move(texts);
    return e;
}

SchElement pinElement(const std::string& name, int32_t number, int32_t x, int32_t y, int32_t direction) {
    std::vector<int32_t> p(pinp::Count, 0);
    p[1] = name == "CLK" || name == "CP" ? 1 : 0;  // the clock wedge
    p[4] = 1;                                       // name shown
    p[5] = 1;                                       // number shown
    p[pinp::Length] = kPinLength;
    p[pinp::X] = x;
    p[pinp::Y] = y;
    p[pinp::Direction] = direction;
    p[10] = kDarkRed;
    return element(SchElementKind::Pin, std::move(p), {name, std::to_string(number)});
}

// A placed part's parameters: the part at `at`, its designator and part type
// standing on their own points.
std::vector<int32_t> partParams(int32_t comp, SheetPoint at, SheetPoint designator, SheetPoint partType,
                                int32_t partTypeColour) {
    std::vector<int32_t> p(pp::Count, 0);
    p[pp::X] = static_cast<int32_t>(at.x);
    p[pp::Y] = static_cast<int32_t>(at.y);
    p[pp::PartNo] = 1;
    p[pp::CompIndex] = comp;
    p[pp::DesignatorX] = static_cast<int32_t>(designator.x);
    p[pp::DesignatorY] = static_cast<int32_t>(designator.y);
    p[pp::DesignatorColor] = kNavy;
    p[pp::DesignatorFont] = SheetDraft::kLatinFont;
    p[pp::DesignatorHidden - 1] = 1;  // as the files carry it
    p[pp::PartTypeX] = static_cast<int32_t>(partType.x);
    p[pp::PartTypeY] = static_cast<int32_t>(partType.y);
    p[pp::PartTypeColor] = partTypeColour;
    p[pp::PartTypeFont] = SheetDraft::kLatinFont;
    p[pp::PartTypeHidden - 1] = 1;  // as the files carry it
    p[pp::FillColor] = kWhite;
    return p;
}

std::vector<int32_t> pointParams(std::vector<int32_t> head, const std::vector<SheetPoint>& points) {
    if (points.size() < 2) throw std::invalid_argument("a line needs two points or more");
    head.push_back(static_cast<int32_t>(points.size()));
    for (const SheetPoint& pt : points) {
        head.push_back(static_cast<int32_t>(pt.x));
        head.push_back(static_cast<int32_t>(pt.y));
    }
    return head;
}

}  // namespace

SheetDraft::SheetDraft(int32_t width, int32_t height) {
    sheet_.fontSlotMax = 5;
    sheet_.fonts.resize(6);
    sheet_.fonts[kLatinFont + 2] = schematic::SchFont{10, 0, 0, 0, 0, 0, "Arial"};
    sheet_.fonts[kSongFont + 2] = schematic::SchFont{10, 0, 0, 0, 0, 0, "宋体"};
    sheet_.sheetColor = kSheetColour;
    sheet_.sheetParam10 = 1;
    sheet_.sheetParam11 = 10;
    sheet_.sheetSizeA = width;
    sheet_.sheetSizeB = height;
}

int32_t SheetDraft::component(int32_t type) {
    if (const auto known = compOfType_.find(type); known != compOfType_.end()) return known->second;
    const sim::PinTable& t = sim::pinTable(type);
    const std::vector<std::string> names = icPinNames(type);

    std::vector<int32_t> left, right, top, bottom;
    for (int32_t pin = 1; pin <= t.pinCount; ++pin) {
        switch (t.kinds[static_cast<std::size_t>(pin)]) {
            case sim::PinKind::Vcc: top.push_back(pin); break;
            case sim::PinKind::Gnd: bottom.push_back(pin); break;
            case sim::PinKind::Input: left.push_back(pin); break;
            case sim::PinKind::Bidirectional: {
                // The transceiver's two ports face each other, and so do
                // cascaded bit slices: a slice's shift ports for bit 0 on the
                // left meet the bit 3 ports of the slice before it.
                const std::string& name = names[static_cast<std::size_t>(pin)];
                if ((type == static_cast<int32_t>(sim::IcType::Ls245) && name[0] == 'A') ||
                    (type == static_cast<int32_t>(sim::IcType::Am2901) && name.back() == '0'))
                    left.push_back(pin);
                else
                    right.push_back(pin);
                break;
            }
            default: right.push_back(pin); break;
        }
    }
    auto byName = [&](int32_t a, int32_t b) {
        return pinNameBefore(names[static_cast<std::size_t>(a)], names[static_cast<std::size_t>(b)]);
    };
    std::stable_sort(left.begin(), left.end(), byName);
    std::stable_sort(right.begin(), right.end(), byName);
    auto widest = [&](const std::vector<int32_t>& pins) {
        int32_t w = 0;
        for (int32_t pin : pins) w = std::max(w, textWidth(names[static_cast<std::size_t>(pin)]));
        return w;
    };

    const auto rows = static_cast<int32_t>(std::max(left.size(), right.size()));
    const int32_t height = kGrid * (rows + 1);
    // The supply pins stand in the middle, their names reading down into the
    // box between the two columns of names.
    const int32_t width = std::max(80, roundUp(2 * std::max(widest(left), widest(right)) + 40, 2 * kGrid));
    const int32_t middle = width / 2;

    schematic::SchPartGraphics g;
    g.elements.push_back(element(SchElementKind::Rectangle, {0, 0, width, -height, 1, kDarkRed, kCream, 0, 1}));
    for (std::size_t i = 0; i < left.size(); ++i) {
        const int32_t pin = left[i];
        g.elements.push_back(pinElement(names[static_cast<std::size_t>(pin)], pin, 0,
                                        -kGrid * static_cast<int32_t>(i + 1), dir::Left));
    }
    for (std::size_t i = 0; i < right.size(); ++i) {
        const int32_t pin = right[i];
        g.elements.push_back(pinElement(names[static_cast<std::size_t>(pin)], pin, width,
                                        -kGrid * static_cast<int32_t>(i + 1), dir::Right));
    }
    for (std::size_t i = 0; i < top.size(); ++i) {
        const int32_t pin = top[i];
        g.elements.push_back(pinElement(names[static_cast<std::size_t>(pin)], pin,
                                        middle + 2 * kGrid * static_cast<int32_t>(i), 0, dir::Up));
    }
    for (std::size_t i = 0; i < bottom.size(); ++i) {
        const int32_t pin = bottom[i];
        g.elements.push_back(pinElement(names[static_cast<std::size_t>(pin)], pin,
                                        middle + 2 * kGrid * static_cast<int32_t>(i), -height, dir::Down));
    }

    return addComponent(type, type, std::move(g));
}

int32_t SheetDraft::addComponent(int32_t cacheKey, int32_t type, schematic::SchPartGraphics graphics) {
    schematic::SchComponent c;
    c.parts.push_back(std::move(graphics));
    c.names = {"'" + std::string(sim::icTypeName(type)) + "'"};
    c.libText1 = "DIP" + std::to_string(sim::pinTable(type).pinCount);
    c.libText5 = "'U?'";
    sheet_.comps.push_back(std::move(c));
    const auto index = static_cast<int32_t>(sheet_.comps.size() - 1);
    compOfType_[cacheKey] = index;
    return index;
}

int SheetDraft::ic(const std::string& designator, const std::string& type, int32_t x, int32_t y,
                   const std::vector<std::string>& descriptions) {
    const int32_t typeNo = sim::icTypeFromName(type);
    if (typeNo < 0) throw std::invalid_argument("no simulated IC type is named \"" + type + "\"");
    const int32_t comp = component(typeNo);
    int32_t boxHeight = 0;
    for (const SchElement& e : sheet_.comps[static_cast<std::size_t>(comp)].parts[0].elements)
        if (e.kind == SchElementKind::Rectangle) boxHeight = -e.param(3);

    // Texts stand on their anchor: the designator just above the box, the part type below it.
    std::vector<int32_t> p = partParams(comp, {x, y}, {x, y - 3}, {x, y + boxHeight + 12}, kNavy);
    std::vector<std::string> texts = {"*", type, designator, type};
    for (const std::string& d : descriptions) {
        const std::string_view kept = schematic::trimBlanks(d);
        if (!kept.empty() && kept != "*") texts.emplace_back(kept);
    }
    SchElement e = element(SchElementKind::Part, std::move(p), std::move(texts));
    std::vector<SheetPoint> ends;
    const schematic::PartTransform placement = schematic::PartTransform::of(e);
    for (const SchElement& g : sheet_.comps[static_cast<std::size_t>(comp)].parts[0].elements)
        if (g.kind == SchElementKind::Pin) ends.push_back(placement.pinOuterEnd(g));
    std::vector<const SchElement*> wires;
    for (const SchElement& w : sheet_.elements)
        if (w.kind == SchElementKind::Wire) wires.push_back(&w);
    refuseRunThrough(ends, wires);
    return add(std::move(e));
}

std::vector<SheetPoint> SheetDraft::pinEnds() const {
    std::vector<SheetPoint> ends;
    for (const SchElement& p : sheet_.elements) {
        if (p.kind != SchElementKind::Part) continue;
        const schematic::SchPartGraphics* g = sheet_.partGraphics(p);
        if (!g) continue;
        const schematic::PartTransform placement = schematic::PartTransform::of(p);
        for (const SchElement& e : g->elements)
            if (e.kind == SchElementKind::Pin) ends.push_back(placement.pinOuterEnd(e));
    }
    return ends;
}

void SheetDraft::refuseRunThrough(const std::vector<SheetPoint>& ends, const std::vector<const SchElement*>& wires) {
    for (const SchElement* w : wires) {
        const std::vector<SheetPoint> points = schematic::wirePoints(*w);
        for (const SheetPoint& end : ends) {
            if (std::find(points.begin(), points.end(), end) != points.end()) continue;
            for (std::size_t k = 0; k + 1 < points.size(); ++k) {
                if (schematic::pointOnSegment(end, points[k], points[k + 1]))
                    throw std::invalid_argument("a wire runs through the pin end at (" + std::to_string(end.x) + ", " +
                                                std::to_string(end.y) + ") without ending there");
            }
        }
    }
}

const SchElement& SheetDraft::part(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= sheet_.elements.size() ||
        sheet_.elements[static_cast<std::size_t>(index)].kind != SchElementKind::Part)
        throw std::invalid_argument("element " + std::to_string(index) + " is no IC");
    return sheet_.elements[static_cast<std::size_t>(index)];
}

const SchElement& SheetDraft::pin(const SchElement& p, int pinNumber) const {
    const std::string number = std::to_string(pinNumber);
    if (const schematic::SchPartGraphics* g = sheet_.partGraphics(p)) {
        for (const SchElement& e : g->elements)
            if (e.kind == SchElementKind::Pin && e.text(schematic::pin_text::Number) == number) return e;
    }
    throw std::invalid_argument(p.text(schematic::part_text::Designator) + " has no pin " + number);
}

SheetPoint SheetDraft::pinEnd(int partIndex, int pinNumber) const {
    const SchElement& p = part(partIndex);
    return schematic::PartTransform::of(p).pinOuterEnd(pin(p, pinNumber));
}

int32_t SheetDraft::pinDirection(int partIndex, int pinNumber) const {
    const SchElement& p = part(partIndex);
    return schematic::PartTransform::of(p).pinDirection(pin(p, pinNumber));
}

int SheetDraft::net(int partIndex, int pinNumber, const std::string& name) {
    const SchElement& p = part(partIndex);
    const schematic::PartTransform placement = schematic::PartTransform::of(p);
    const SchElement& e = pin(p, pinNumber);
    const SheetPoint from = placement.pinOuterEnd(e);
    const int32_t d = placement.pinDirection(e);
    return labelledStub(from, d, schematic::stepTowards(from, d, labelStubLength(name)), name);
}

int32_t SheetDraft::labelStubLength(std::string_view name) {
    return std::max(3 * kGrid, roundUp(textWidth(name) + 2 * kGrid, kGrid));
}

int SheetDraft::labelledStub(SheetPoint from, int32_t d, SheetPoint to, const std::string& name) {
    const int stub = wire({from, to});
    // Labels read rightwards from their anchor, so the anchor sits at the
    // stub's left end and the name stays over the stub, clear of the pin number.
    const SheetPoint anchor = d == dir::Right ? schematic::stepTowards(from, d, kGrid) : to;
    netLabel(static_cast<int32_t>(anchor.x), static_cast<int32_t>(anchor.y), name);
    return stub;
}

int SheetDraft::wire(const std::vector<SheetPoint>& points) {
    SchElement w = element(SchElementKind::Wire, pointParams({0, kNavy, 1}, points));
    refuseRunThrough(pinEnds(), {&w});
    return add(std::move(w));
}

int SheetDraft::bus(const std::vector<SheetPoint>& points) {
    return add(element(SchElementKind::Bus, pointParams({1, kNavy, 1}, points)));
}

int SheetDraft::busEntry(SheetPoint from, SheetPoint to) {
    return add(element(SchElementKind::BusEntry, {static_cast<int32_t>(from.x), static_cast<int32_t>(from.y),
                                                  static_cast<int32_t>(to.x), static_cast<int32_t>(to.y), 1, kNavy, 0}));
}

int SheetDraft::netLabel(int32_t x, int32_t y, const std::string& name) {
    return add(element(SchElementKind::NetLabel, {x, y, 0, kDarkRed, kLatinFont, 0}, {name}));
}

int SheetDraft::junction(int32_t x, int32_t y) {
    return add(element(SchElementKind::Junction, {x, y, 1, kNavy, 0, 0}));
}

int SheetDraft::textFrame(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const std::vector<std::string>& lines,
                          int32_t font) {
    // P1 is the bottom edge and P3 the top one, as a file's frame reads.
    SchElement e = element(SchElementKind::TextFrame, {std::min(x1, x2), std::max(y1, y2), std::max(x1, x2),
                                                       std::min(y1, y2), 0, kDarkRed, kPaleYellow, 0, font, 0, 1, 0,
                                                       0, 1, 0});
    for (const std::string& l : lines) e.texts.emplace_back(schematic::trimBlanks(l));
    e.texts.emplace_back();
    e.textCount = static_cast<int32_t>(lines.size());
    return add(std::move(e));
}

void SheetDraft::titleBlock(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const std::vector<TitleField>& fields,
                            int32_t titleFont) {
    if (fields.empty() || x2 <= x1 || y2 <= y1) throw std::invalid_argument("a title block needs fields and room");
    int32_t captionWidth = 0;
    for (const TitleField& f : fields) captionWidth = std::max(captionWidth, textWidth(f.caption) + 20);
    const int32_t rows = static_cast<int32_t>(fields.size());
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t top = y1 + (y2 - y1) * r / rows, bottom = y1 + (y2 - y1) * (r + 1) / rows;
        const TitleField& f = fields[static_cast<std::size_t>(r)];
        textFrame(x1, top, x1 + captionWidth, bottom, {f.caption});
        const int value = textFrame(x1 + captionWidth, top, x2, bottom, {f.value}, r == 0 ? titleFont : kSongFont);
        sheet_.elements[static_cast<std::size_t>(value)].params[11] = 1;  // left aligned
    }
}

int SheetDraft::label(int32_t x, int32_t y, const std::string& text, int32_t font) {
    return add(element(SchElementKind::Label, {x, y, 0, 0, font, 0}, {text}));
}

int SheetDraft::rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return add(element(SchElementKind::Rectangle, {x1, y1, x2, y2, 0, kDarkRed, kWhite, 0, 0}));
}

int SheetDraft::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return add(element(SchElementKind::Line, {x1, y1, x2, y2, 0, 0, kDarkRed, 0}));
}

int SheetDraft::polyline(const std::vector<SheetPoint>& points) {
    return add(element(SchElementKind::Polyline, pointParams({0, 0, kDarkRed, 0}, points)));
}

int32_t SheetDraft::font(int32_t size, const std::string& face, bool bold) {
    // The file's fonts fill slots 3 .. fontSlotMax - 1; the new one takes the
    // slot after the last.
    const int32_t slot = sheet_.fontSlotMax;
    sheet_.fontSlotMax = slot + 1;
    sheet_.fonts.resize(static_cast<std::size_t>(sheet_.fontSlotMax) + 1);
    sheet_.fonts[static_cast<std::size_t>(slot)] = schematic::SchFont{size, 0, 0, 0, bold ? 1 : 0, 0, face};
    return slot - 2;
}

int32_t SheetDraft::package(int32_t type) {
    constexpr int32_t kPackageKey = 1000;  // packages and symbols share the cache
    if (const auto known = compOfType_.find(type + kPackageKey); known != compOfType_.end()) return known->second;
    const int32_t pins = sim::pinTable(type).pinCount;
    const int32_t rows = pins / 2;
    const int32_t width = 60, height = kGrid * (rows + 1);
    constexpr int32_t kBody = 0x303030, kLeads = 0xC0C0C0;
    schematic::SchPartGraphics g;
    g.elements.push_back(element(SchElementKind::Rectangle, {0, 0, width, -height, 1, kBody, kBody, 0, 1}));
    g.elements.push_back(element(SchElementKind::Arc, {width / 2, 0, 6, 1, kLeads, 0}, {"180", "360"}));
    for (int32_t pin = 1; pin <= pins; ++pin) {
        const bool left = pin <= rows;
        const int32_t row = left ? pin : pins + 1 - pin;
        SchElement e = pinElement("", pin, left ? 0 : width, -kGrid * row, left ? dir::Left : dir::Right);
        e.params[1] = 0;
        e.params[4] = 0;  // no name
        e.params[5] = 0;  // no number
        e.params[pinp::Length] = 10;
        e.params[10] = kLeads;
        g.elements.push_back(std::move(e));
    }
    return addComponent(type + kPackageKey, type, std::move(g));
}

int SheetDraft::dip(const std::string& designator, const std::string& type, int32_t x, int32_t y,
                    int32_t designatorFont) {
    const int32_t typeNo = sim::icTypeFromName(type);
    if (typeNo < 0) throw std::invalid_argument("no simulated IC type is named \"" + type + "\"");
    const int32_t comp = package(typeNo);
    const int32_t height = kGrid * (sim::pinTable(typeNo).pinCount / 2 + 1);
    // The part type on the body, in white, the designator above it.
    std::vector<int32_t> p = partParams(comp, {x, y}, {x + 5, y - 4}, {x + 4, y + height / 2 + 4}, kWhite);
    p[pp::DesignatorFont] = designatorFont;
    return add(element(SchElementKind::Part, std::move(p), {"*", type, designator, type}));
}

int SheetDraft::directive(SchElementKind kind, const std::string& text) {
    if (kind != SchElementKind::SimStimulus && kind != SchElementKind::SimProbe && kind != SchElementKind::SimVector)
        throw std::invalid_argument("a directive is a SimStimulus, SimProbe or SimVector record");
    return add(element(kind, {0, 0, 0, 0}, {text}));
}

void SheetDraft::truncate(std::size_t count) {
    if (count < sheet_.elements.size()) sheet_.elements.resize(count);
}

int SheetDraft::add(SchElement e) {
    sheet_.elements.push_back(std::move(e));
    return static_cast<int>(sheet_.elements.size() - 1);
}

}  // namespace schgen
