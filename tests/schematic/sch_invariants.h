#pragma once
// The shape every element of a read sheet must have, whatever the file held:
// exactly the Params and Texts entries of its kind.

#include "schematic/sch_model.h"

#include <string>

namespace schematic {

// Empty when `e` has its kind's shape; otherwise what is wrong.
inline std::string elementShapeError(const SchElement& e) {
    using K = SchElementKind;
    const std::size_t params = e.params.size();
    const std::size_t texts = e.texts.size();
    auto fixed = [&](std::size_t p, std::size_t t) -> std::string {
        if (params != p) return "params " + std::to_string(params) + " != " + std::to_string(p);
        if (texts != t) return "texts " + std::to_string(texts) + " != " + std::to_string(t);
        return {};
    };
    // Point lists: the count at `at`, two entries per point after it, at least two points.
    auto points = [&](std::size_t at) -> std::string {
        if (params <= at) return "no point count";
        const int64_t n = e.params[at];
        if (n < 2) return "fewer than two points";
        return fixed(at + 1 + 2 * static_cast<std::size_t>(n), 0);
    };
    if (e.kind != K::TextFrame && e.textCount != 0) return "text count on a non-frame";
    switch (e.kind) {
        case K::Part:
            if (params != 29) return "part params";
            return texts < 4 ? "part texts" : "";
        case K::Wire: case K::Bus: return points(3);
        case K::BusEntry: return fixed(7, 0);
        case K::Junction: return fixed(6, 0);
        case K::PowerObject: return fixed(6, 1);
        case K::Port: return fixed(10, 1);
        case K::NetLabel: return fixed(6, 1);
        case K::SimProbe: case K::SimVector: case K::SimStimulus: return fixed(4, 1);
        case K::TextFrame:
            if (e.textCount < 0) return "negative text count";
            return fixed(15, static_cast<std::size_t>(e.textCount) + 1);
        case K::Polyline: return points(4);
        case K::Bezier: return points(3);
        case K::Arc: return fixed(6, 2);
        case K::EllipticalArc: return fixed(7, 2);
        case K::Polygon: return points(5);
        case K::Rectangle: return fixed(9, 0);
        case K::RoundRectangle: return fixed(11, 0);
        case K::Ellipse: return fixed(9, 0);
        case K::Pie: return fixed(8, 2);
        case K::Image: return fixed(9, 1);
        case K::Label: return fixed(6, 1);
        case K::Line: return fixed(8, 0);
        case K::Pin: return fixed(11, 2);
    }
    return "unknown kind";
}

// Empty when a sheet that read with result 1 is well formed.
inline std::string sheetShapeError(const SchSheet& s) {
    if (s.fontSlotMax < 3 || s.fonts.size() != static_cast<std::size_t>(s.fontSlotMax) + 1) return "font slots";
    for (const auto& c : s.comps)
        for (const auto& p : c.parts)
            for (const auto& e : p.elements)
                if (auto err = elementShapeError(e); !err.empty()) return "library " + std::string(kindKeyword(e.kind)) + ": " + err;
    for (const auto& e : s.elements)
        if (auto err = elementShapeError(e); !err.empty()) return std::string(kindKeyword(e.kind)) + ": " + err;
    return {};
}

}  // namespace schematic
