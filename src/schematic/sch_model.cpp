#include "schematic/sch_model.h"

namespace schematic {

const char* kindKeyword(SchElementKind kind) {
    switch (kind) {
        case SchElementKind::Part: return "Part";
        case SchElementKind::Wire: return "Wire";
        case SchElementKind::Bus: return "Bus";
        case SchElementKind::BusEntry: return "BusEntry";
        case SchElementKind::Junction: return "Junction";
        case SchElementKind::PowerObject: return "PowerObject";
        case SchElementKind::Port: return "Port";
        case SchElementKind::NetLabel: return "NetLabel";
        case SchElementKind::SimProbe: return "SimProbe";
        case SchElementKind::SimVector: return "SimVector";
        case SchElementKind::SimStimulus: return "SimStimulus";
        case SchElementKind::TextFrame: return "TextFrame";
        case SchElementKind::Polyline: return "Polyline";
        case SchElementKind::Bezier: return "Bezier";
        case SchElementKind::Arc: return "Arc";
        case SchElementKind::EllipticalArc: return "EllipticalArc";
        case SchElementKind::Polygon: return "Polygon";
        case SchElementKind::Rectangle: return "Rectangle";
        case SchElementKind::RoundRectangle: return "RoundRectangle";
        case SchElementKind::Ellipse: return "Ellipse";
        case SchElementKind::Pie: return "Pie";
        case SchElementKind::Image: return "Image";
        case SchElementKind::Label: return "Label";
        case SchElementKind::Line: return "Line";
        case SchElementKind::Pin: return "Pin";
    }
    return "";
}

const std::string& SchElement::text(std::size_t i) const {
    static const std::string none;
    return i < texts.size() ? texts[i] : none;
}

bool SchSheet::empty() const { return *this == SchSheet{}; }

const SchPartGraphics* SchSheet::partGraphics(const SchElement& part) const {
    if (part.kind != SchElementKind::Part) return nullptr;
    const int64_t comp = part.param(part_param::CompIndex);
    const int64_t partNo = part.param(part_param::PartNo);
    if (comp < 0 || comp >= static_cast<int64_t>(comps.size())) return nullptr;
    const auto& parts = comps[static_cast<std::size_t>(comp)].parts;
    if (partNo < 1 || partNo > static_cast<int64_t>(parts.size())) return nullptr;
    return &parts[static_cast<std::size_t>(partNo - 1)];
}

const SchFont* SchSheet::fontById(int32_t id) const {
    const int64_t slot = static_cast<int64_t>(id) + 2;
    if (slot < 0 || slot >= static_cast<int64_t>(fonts.size())) return nullptr;
    return &fonts[static_cast<std::size_t>(slot)];
}

}  // namespace schematic
