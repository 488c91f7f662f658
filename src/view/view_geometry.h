#pragma once
// Where the schematic view's drawing stands: the zoom, the canvas that holds
// the drawing and its place under the viewport, the scroll bars' settings and
// the mapping from the pointer to the sheet. No widgets and no painting.
//
// Lengths are in twips (15 to a pixel), as the view's layout was designed;
// the canvas's left and top are relative to the viewport's top-left corner.
// The canvas is exactly as large as the drawing, with the drawing at its
// corner, for every drawing size. Nothing here allocates a picture of it:
// the view paints only what the viewport shows.
//
// Scroll bars count pixels offset by -32768: their minimum is -32768 and a
// value v stands for v + 32768 pixels of scrolling.

#include <cstdint>
#include <optional>

#include "schematic/sch_model.h"
#include "view/zoom_tables.h"

namespace view {

inline constexpr int kScrollMin = -32768;
inline constexpr int kScrollMaxLimit = 32767;

// The maximum and value a scroll bar is given (its minimum is kScrollMin).
struct ScrollSetting {
    int max = kScrollMin;
    int value = kScrollMin;
    friend bool operator==(const ScrollSetting&, const ScrollSetting&) = default;
};

// A point on the sheet, in sheet units.
struct SheetPointF {
    float x = 0;
    float y = 0;
    friend bool operator==(const SheetPointF&, const SheetPointF&) = default;
};

class ViewGeometry {
public:
    // A new view: zoom level 0, the canvas parked one screen up and to the
    // left of the viewport, with the drawing's origin 20 pixels into the
    // screen beyond it. Screen sizes in twips.
    ViewGeometry(int64_t screenWidth, int64_t screenHeight);

    // --- zoom ---
    int zoomLevel() const { return zoomLevel_; }
    float zoom() const { return zoom_; }
    float twipsPerUnit() const { return twipsPerUnit_; }
    // New zoom / old zoom while a zoom step draws, otherwise 1.
    float zoomRatio() const { return zoomRatio_; }
    // One level up (+1) or down (-1). Refused (false, nothing changes) at
    // level 3 going up and at -5 going down.
    bool stepZoom(int delta);
    // The zoom step is drawn: the ratio is 1 again.
    void endZoomStep() { zoomRatio_ = 1; }

    // --- viewport and canvas ---
    void setViewportSize(double width, double height);
    double viewportWidth() const { return viewportWidth_; }
    double viewportHeight() const { return viewportHeight_; }
    double canvasLeft() const { return canvasLeft_; }
    double canvasTop() const { return canvasTop_; }
    void setCanvasPosition(double left, double top);
    int32_t canvasWidth() const { return canvasWidth_; }
    int32_t canvasHeight() const { return canvasHeight_; }
    // Where the drawing starts on the canvas (0 once the sheet has been drawn).
    int32_t originX() const { return originX_; }
    int32_t originY() const { return originY_; }

    // The geometry of one draw of `sheet`: across a zoom step the sheet point
    // at the viewport's centre stays there; the canvas takes the drawing's
    // size at the zoom, after a fit-all has chosen the highest level (3 down
    // to -5) at which the drawing fits the viewport.
    void layoutDrawing(const schematic::SchSheet& sheet, bool fitAll);
    // After a fit-all: each way, a drawing smaller than the viewport is
    // centred; a larger one starts 20 pixels in.
    void placeForFitAll();
    // The drawing stands where the last fit-all put it: no zoom step, scroll,
    // pan or move of the canvas since. A view at fit-all fits again when its
    // viewport changes size; a draw at the same zoom keeps this.
    bool atFitAll() const { return atFitAll_; }

    // --- scroll bars ---
    // The settings that describe the canvas's place; each also notes the
    // value the scroll handler compares the next change with.
    ScrollSetting setHScrollRange();
    ScrollSetting setVScrollRange();
    int lastHScroll() const { return lastHScroll_; }
    int lastVScroll() const { return lastVScroll_; }
    // The user moved a scroll bar to `value`: the canvas moves by the
    // difference and the bar gets its new setting. Nothing when the value is
    // the one last handled.
    std::optional<ScrollSetting> hScrollChanged(int value);
    std::optional<ScrollSetting> vScrollChanged(int value);

    // --- panning (pointer positions in viewport twips) ---
    // Whether a press at viewport height `y` may start a pan: strictly inside
    // the viewport's band (the button band above it never does).
    bool panMayStartAt(double y) const;
    void beginPan(double x, double y);
    struct PanStep {
        bool horizontal = false;
        bool vertical = false;
    };
    // The canvas follows the pointer. It never leaves the viewport altogether:
    // at least 20 pixels of the drawing (all of it when smaller) stay in view,
    // so the scroll ranges stay within the scroll bars' limits.
    PanStep panTo(double x, double y);

    // --- the pointer ---
    // The sheet point under a viewport point, when it lies inside the
    // viewport and on the drawing.
    std::optional<SheetPointF> sheetPointAt(double x, double y) const;
    // The allowance around wires for the hit test, in sheet units: the thin
    // line's width at the zoom, but never less than half a pixel, so that a
    // wire can be hovered at every zoom.
    int32_t hitTolerance() const;

private:
    void setZoomLevel(int level);
    void keepZoomCentre();
    ScrollSetting scrollRange(double pos, double size, double viewport, int& last) const;
    std::optional<ScrollSetting> scrollChanged(int value, bool horizontal);
    double panBound(double pos, double wanted, double size, double viewport) const;

    int zoomLevel_ = 0;
    float zoom_ = 1;
    float twipsPerUnit_ = 15;
    float zoomRatio_ = 1;
    double viewportWidth_ = 0;
    double viewportHeight_ = 0;
    double canvasLeft_ = 0;
    double canvasTop_ = 0;
    int32_t canvasWidth_ = 0;
    int32_t canvasHeight_ = 0;
    int32_t originX_ = 0;
    int32_t originY_ = 0;
    int lastHScroll_ = kScrollMin;
    int lastVScroll_ = kScrollMin;
    int64_t panGrabX_ = 0;
    double panGrabY_ = 0;
    bool atFitAll_ = false;
};

}  // namespace view
