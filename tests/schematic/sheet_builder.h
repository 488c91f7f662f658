#pragma once
// Builds small sheets in code for the circuit-builder tests.
//
// Library parts made here place their i-th pin (from 1) at local (10, -10 i),
// 10 units long and pointing left, so on a part at (x, y) with orientation 0
// that pin's outer end is (x, y + 10 i): pinEnd() gives it.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "schematic/part_transform.h"
#include "schematic/sch_model.h"

namespace schematic::schtest {

struct PinDef {
    std::string number;
    bool hidden = false;
};

struct PartDef {
    std::string designator;
    std::string type;
    int32_t x = 0;
    int32_t y = 0;
    int32_t comp = 0;
    int32_t partNo = 1;
    int32_t orientation = 0;
    int32_t mirror = 0;
    int32_t showHidden = 0;
    std::vector<std::string> descriptions{};
};

class SheetBuilder {
public:
    // A library component with one part per entry of `parts`; returns its index.
    int32_t component(const std::vector<std::vector<PinDef>>& parts) {
        SchComponent c;
        for (const auto& pins : parts) {
            SchPartGraphics g;
            g.elements.push_back(element(SchElementKind::Rectangle, {0, 0, 10, -10 * int32_t(pins.size() + 1), 1, 0, 0, 0, 1}));
            for (std::size_t i = 0; i < pins.size(); ++i) {
                std::vector<int32_t> p(pin_param::Count, 0);
                p[pin_param::Hidden] = pins[i].hidden ? 1 : 0;
                p[pin_param::Length] = 10;
                p[pin_param::X] = 10;
                p[pin_param::Y] = -10 * static_cast<int32_t>(i + 1);
                p[pin_param::Direction] = direction::Left;
                g.elements.push_back(element(SchElementKind::Pin, std::move(p), {"P", pins[i].number}));
            }
            c.parts.push_back(std::move(g));
        }
        sheet_.comps.push_back(std::move(c));
        return static_cast<int32_t>(sheet_.comps.size() - 1);
    }

    // A one-part component with pins "1".."count".
    int32_t numberedComponent(int count) {
        std::vector<PinDef> pins;
        for (int i = 1; i <= count; ++i) pins.push_back({std::to_string(i)});
        return component({pins});
    }

    int32_t part(const PartDef& s) {
        std::vector<int32_t> p(part_param::Count, 0);
        p[part_param::X] = s.x;
        p[part_param::Y] = s.y;
        p[part_param::Mirror] = s.mirror;
        p[part_param::Orientation] = s.orientation;
        p[part_param::PartNo] = s.partNo;
        p[part_param::CompIndex] = s.comp;
        p[part_param::ShowHidden] = s.showHidden;
        std::vector<std::string> texts = {"*", "LIB", s.designator, s.type};
        texts.insert(texts.end(), s.descriptions.begin(), s.descriptions.end());
        return add(element(SchElementKind::Part, std::move(p), std::move(texts)));
    }

    int32_t wire(const std::vector<std::pair<int32_t, int32_t>>& points) {
        std::vector<int32_t> p = {0, 0, 1, static_cast<int32_t>(points.size())};
        for (const auto& [x, y] : points) {
            p.push_back(x);
            p.push_back(y);
        }
        return add(element(SchElementKind::Wire, std::move(p)));
    }

    int32_t junction(int32_t x, int32_t y) { return add(element(SchElementKind::Junction, {x, y, 0, 0, 0, 0})); }

    int32_t label(int32_t x, int32_t y, const std::string& text) {
        return add(element(SchElementKind::NetLabel, {x, y, 0, 0, 1, 0}, {text}));
    }

    int32_t directive(SchElementKind kind, const std::string& text) {
        return add(element(kind, {0, 0, 0, 0}, {text}));
    }

    // Outer end of the i-th pin (from 1) of a part placed with orientation 0.
    SheetPoint pinEnd(int32_t partElement, int i) const {
        const SchElement& e = sheet_.elements[static_cast<std::size_t>(partElement)];
        return {e.params[part_param::X], e.params[part_param::Y] + 10 * i};
    }

    const SchSheet& sheet() const { return sheet_; }
    SchSheet& sheet() { return sheet_; }

private:
    static SchElement element(SchElementKind kind, std::vector<int32_t> params, std::vector<std::string> texts = {}) {
        return SchElement{kind, std::move(params), 0, std::move(texts)};
    }
    int32_t add(SchElement e) {
        sheet_.elements.push_back(std::move(e));
        return static_cast<int32_t>(sheet_.elements.size() - 1);
    }

    SchSheet sheet_;
};

}  // namespace schematic::schtest
