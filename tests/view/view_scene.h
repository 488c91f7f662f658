#pragma once
// A sheet, a recording canvas and the context to draw elements with, for
// placement tests. Sheet fonts: id 1 (slot 3) is 10 units, id 2 (slot 4) is
// 12 units turned 90 degrees, so at level 0 cells are 10 and 12 pixels high.

#include <string>
#include <vector>

#include "schematic/sch_model.h"
#include "view/draw_elements.h"
#include "view/font_slots.h"
#include "view/recording_canvas.h"
#include "view/render_context.h"
#include "view/zoom_tables.h"

namespace viewtest {

using schematic::SchElement;
using schematic::SchElementKind;
using K = schematic::SchElementKind;

inline SchElement element(K kind, std::vector<int32_t> params, std::vector<std::string> texts = {}) {
    SchElement e;
    e.kind = kind;
    e.params = std::move(params);
    e.texts = std::move(texts);
    return e;
}

// A Part at (x, y) showing part `partNo` of component `comp`; its designator
// and part type are hidden unless a test shows them.
inline SchElement partElement(int32_t x, int32_t y, int32_t orientation = 0, bool mirrored = false,
                              int32_t partNo = 1, int32_t comp = 0) {
    namespace pp = schematic::part_param;
    SchElement e = element(K::Part, std::vector<int32_t>(pp::Count, 0), {"", "", "U3", "74LS00"});
    e.params[pp::X] = x;
    e.params[pp::Y] = y;
    e.params[pp::Mirror] = mirrored ? 1 : 0;
    e.params[pp::Orientation] = orientation;
    e.params[pp::PartNo] = partNo;
    e.params[pp::CompIndex] = comp;
    e.params[pp::DesignatorFont] = 1;
    e.params[pp::PartTypeFont] = 1;
    e.params[pp::DesignatorHidden] = 1;
    e.params[pp::PartTypeHidden] = 1;
    return e;
}

struct Scene {
    schematic::SchSheet sheet;
    view::RecordingCanvas canvas;
    view::FontSlots fonts;
    view::PictureSource* pictures = nullptr;
    int level = 0;
    int32_t originX = 0;
    int32_t originY = 0;
    // Overrides the level's zoom when set (zoom values off the table).
    float zoom = 0;

    Scene() {
        sheet.fontSlotMax = 5;
        sheet.fonts.resize(6);
        sheet.fonts[3] = schematic::SchFont{10, 0, 0, 0, 0, 0, "Arial"};
        sheet.fonts[4] = schematic::SchFont{12, 90, 0, 0, 0, 0, "宋体"};
    }

    // Component `index` with its parts' graphics.
    void setComponent(std::vector<std::vector<SchElement>> parts, std::size_t index = 0) {
        if (sheet.comps.size() <= index) sheet.comps.resize(index + 1);
        sheet.comps[index].parts.clear();
        for (auto& g : parts) sheet.comps[index].parts.push_back(schematic::SchPartGraphics{std::move(g)});
    }

    view::RenderContext context() {
        view::RenderContext ctx;
        ctx.setZoomLevel(level);
        if (zoom != 0) {
            ctx.zoom = zoom;
            ctx.twipsPerUnit = zoom * view::kTwipsPerPixel;
        }
        fonts = view::FontSlots::build(sheet, ctx.zoom);
        ctx.elements = sheet.elements;
        ctx.comps = &sheet.comps;
        ctx.fonts = &fonts;
        ctx.canvas = &canvas;
        ctx.pictures = pictures;
        ctx.originX = originX;
        ctx.originY = originY;
        return ctx;
    }

    view::DrawOutcome draw(std::vector<SchElement> elements) {
        sheet.elements = std::move(elements);
        return view::DrawSchElements(context());
    }

    // Draws `graphics` as the graphics of a part placed by `part`.
    view::DrawOutcome drawInPart(const SchElement& part, std::vector<SchElement> graphics) {
        setComponent({std::move(graphics)});
        return draw({part});
    }

    std::vector<std::string> log() const { return canvas.log(); }
    const std::vector<view::RecordedCall>& calls() const { return canvas.calls(); }
};

}  // namespace viewtest
