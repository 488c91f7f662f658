#pragma once
// Draws a whole sheet at one zoom level: the sheet area, then every element
// with the font slots made for that zoom.
//
// The origin is where the sheet's top-left corner lands on the canvas, in
// twips; it may be anywhere, so a view can draw just the part of the sheet
// its viewport shows (the canvas clips, e.g. a painter with a clip rect).

#include <cstdint>

#include "schematic/sch_model.h"
#include "view/draw_elements.h"
#include "view/sch_canvas.h"

namespace view {

class PictureSource;

// The drawing's size in sheet units, each side clamped into 10..6500. The
// height is SheetSizeB when the sheet's orientation is 0, SheetSizeA otherwise.
struct SheetExtent {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const SheetExtent&, const SheetExtent&) = default;
};
SheetExtent sheetExtent(const schematic::SchSheet& sheet);

// The drawing's size on the canvas at a zoom level, in twips.
struct ImageSize {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const ImageSize&, const ImageSize&) = default;
};
ImageSize imageSize(const schematic::SchSheet& sheet, int zoomLevel);

// The level a fit-all shows the sheet at in a viewport of the given size
// (twips), starting from `currentLevel`: the highest of 3 down to -5 at which
// the drawing and the fit-all margin on each side of it fit the viewport both
// ways, else -5. The drawing's size at a level is its size at zoom 1 (reduced
// from the current level's) scaled by the level's zoom, as the view lays it
// out.
int fitAllZoomLevel(const schematic::SchSheet& sheet, double viewportWidth, double viewportHeight, int currentLevel);

struct SheetDrawParams {
    int zoomLevel = 0;
    int32_t originX = 0;
    int32_t originY = 0;
    PictureSource* pictures = nullptr;
};

struct SheetDrawResult {
    ImageSize image;
    DrawOutcome outcome = DrawOutcome::Complete;
};

// Draws `sheet` onto `canvas`. The canvas starts in the state a drawing
// expects (solid one-pixel lines, no fill, the first sheet font); an element
// that ends the drawing leaves what was drawn so far.
SheetDrawResult DrawSchSheet(const schematic::SchSheet& sheet, SchCanvas& canvas, const SheetDrawParams& params);

}  // namespace view
