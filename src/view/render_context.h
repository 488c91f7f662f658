#pragma once
// What every element kind draws with: the element list, the sheet's library and
// font slots, the canvas, the zoom and the drawing origin, and the Part whose
// graphics are being drawn.
//
// Two coordinate mappings meet here. The canvas's own calls take twips:
// (TwipsPerUnit x v + origin), single precision. The pixel calls take whole
// pixels: (Zoom x v + origin \ 15), halves to even, with the pixel origin
// divided truncating toward zero. Coordinate sums are 64-bit, so no file value
// can overflow them.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "schematic/part_transform.h"
#include "schematic/sch_model.h"
#include "view/font_slots.h"
#include "view/sch_canvas.h"

namespace view {

class PictureSource;

struct RenderContext {
    std::span<const schematic::SchElement> elements;
    const std::vector<schematic::SchComponent>* comps = nullptr;
    const FontSlots* fonts = nullptr;
    SchCanvas* canvas = nullptr;
    // Pictures of Image elements; without a source, images show their border only.
    PictureSource* pictures = nullptr;
    // 1 while the graphics of a library part are drawn; only 1 selects the
    // in-part placement.
    int32_t inPart = 0;
    // The Part whose graphics are drawn (when inPart is 1).
    const schematic::SchElement* parent = nullptr;
    float zoom = 1;
    float twipsPerUnit = kTwipsPerPixel;
    int32_t originX = 0;
    int32_t originY = 0;
    int zoomLevel = 0;

    // Zoom and twips per unit of a zoom level.
    void setZoomLevel(int level);
};

// --- mappings ---
TwipsPoint twipsPoint(const RenderContext& ctx, int64_t x, int64_t y);
inline TwipsPoint twipsPoint(const RenderContext& ctx, schematic::SheetPoint p) { return twipsPoint(ctx, p.x, p.y); }
float twipsX(const RenderContext& ctx, double x);
float twipsY(const RenderContext& ctx, double y);
// A sheet length in twips (no origin).
float twipsLength(const RenderContext& ctx, double length);
// The pixel point of a sheet point, or nothing when it lies outside the 32-bit
// range of the pixel calls.
std::optional<PixelPoint> pixelPoint(const RenderContext& ctx, int64_t x, int64_t y);
inline std::optional<PixelPoint> pixelPoint(const RenderContext& ctx, schematic::SheetPoint p) {
    return pixelPoint(ctx, p.x, p.y);
}
int64_t pixelOriginX(const RenderContext& ctx);
int64_t pixelOriginY(const RenderContext& ctx);

// The nearest whole number, halves to even.
int64_t roundHalfEven(double v);

// --- parts ---
// Whether the in-part placement applies (in-part flag 1 with a parent).
bool drawsInPart(const RenderContext& ctx);
// Whether the parent's colour override is on (only meaningful in part).
bool colourOverride(const RenderContext& ctx);
// The parent's orientation is one of the four quarter turns.
bool parentOrientationValid(const RenderContext& ctx);
int32_t parentParam(const RenderContext& ctx, std::size_t i);
// The parent's placement.
schematic::PartTransform parentTransform(const RenderContext& ctx);
// A point of the element: placed by the parent in part, as it is otherwise.
schematic::SheetPoint placedPoint(const RenderContext& ctx, int64_t x, int64_t y);

// --- line widths ---
// The pixel width of width code `code` at the context's level: code 0 is one
// pixel, 1..3 are table widths 1, 3, 5 (a bus: 2, 3, 5, 7); other codes have
// no width.
std::optional<int> WidthClass(int64_t code, int zoomLevel, bool bus = false);
// Sets the canvas's line width from a width code; other codes leave it.
void applyWidthClass(const RenderContext& ctx, int64_t code, bool bus = false);

// Degrees to radians with the drawing's constant.
inline constexpr double kRadiansPerDegree = 0.01745;

}  // namespace view
