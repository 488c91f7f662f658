#include "view/view_geometry.h"

#include <algorithm>
#include <cmath>

#include "view/draw_sheet.h"
#include "view/render_context.h"
#include "view/sch_canvas.h"
#include "view/zoom_tables.h"

namespace view {
namespace {

// Whole twips, then whole pixels truncating toward zero.
int64_t pixelsOf(double twips) { return roundHalfEven(twips) / kTwipsPerPixel; }

int clampScroll(int64_t v, int64_t high = kScrollMaxLimit) {
    return static_cast<int>(std::clamp<int64_t>(v, kScrollMin, std::max<int64_t>(high, kScrollMin)));
}

}  // namespace

ViewGeometry::ViewGeometry(int64_t screenWidth, int64_t screenHeight) {
    setZoomLevel(0);
    originX_ = static_cast<int32_t>(roundHalfEven(static_cast<double>(screenWidth) + kFitAllMarginTwips));
    originY_ = static_cast<int32_t>(roundHalfEven(static_cast<double>(screenHeight) + kFitAllMarginTwips));
    canvasLeft_ = -static_cast<double>(screenWidth);
    canvasTop_ = -static_cast<double>(screenHeight);
}

void ViewGeometry::setZoomLevel(int level) {
    zoomLevel_ = level;
    zoom_ = zoomFactor(level);
    twipsPerUnit_ = static_cast<float>(static_cast<double>(zoom_) * kTwipsPerPixel);
}

bool ViewGeometry::stepZoom(int delta) {
    const int next = zoomLevel_ + delta;
    if (next > kMaxViewZoomLevel || next < kMinZoomLevel) return false;
    const int previous = zoomLevel_;
    setZoomLevel(next);
    zoomRatio_ = zoomFactor(next) / zoomFactor(previous);
    atFitAll_ = false;
    return true;
}

void ViewGeometry::setViewportSize(double width, double height) {
    viewportWidth_ = width;
    viewportHeight_ = height;
}

void ViewGeometry::setCanvasPosition(double left, double top) {
    canvasLeft_ = left;
    canvasTop_ = top;
    atFitAll_ = false;
}

void ViewGeometry::keepZoomCentre() {
    if (zoomRatio_ == 1) return;
    const double ratio = zoomRatio_;
    canvasTop_ = viewportHeight_ / 2 - (viewportHeight_ / 2 - canvasTop_) * ratio;
    canvasLeft_ = viewportWidth_ / 2 - (viewportWidth_ / 2 - canvasLeft_) * ratio;
}

void ViewGeometry::layoutDrawing(const schematic::SchSheet& sheet, bool fitAll) {
    keepZoomCentre();
    ImageSize image = imageSize(sheet, zoomLevel_);
    if (fitAll) {
        // The size at zoom 1 comes from the size at the current zoom, so the
        // chosen level's size is that one scaled, as the level choice saw it.
        const double atOneWidth = static_cast<double>(roundHalfEven(image.width / static_cast<double>(zoom_)));
        const double atOneHeight = static_cast<double>(roundHalfEven(image.height / static_cast<double>(zoom_)));
        setZoomLevel(fitAllZoomLevel(sheet, viewportWidth_, viewportHeight_, zoomLevel_));
        image.width = static_cast<int32_t>(roundHalfEven(static_cast<double>(zoom_) * atOneWidth));
        image.height = static_cast<int32_t>(roundHalfEven(static_cast<double>(zoom_) * atOneHeight));
    }
    canvasWidth_ = image.width;
    canvasHeight_ = image.height;
    originX_ = 0;
    originY_ = 0;
}

void ViewGeometry::placeForFitAll() {
    const auto place = [](double size, double viewport) {
        if (size + kFitAllMarginTwips >= viewport) return static_cast<double>(kFitAllMarginTwips);
        return static_cast<double>(roundHalfEven(viewport - size) / 2);
    };
    canvasTop_ = place(canvasHeight_, viewportHeight_);
    canvasLeft_ = place(canvasWidth_, viewportWidth_);
    atFitAll_ = true;
}

ScrollSetting ViewGeometry::scrollRange(double pos, double size, double viewport, int& last) const {
    int64_t max = 0;
    int64_t value = 0;
    if (pos <= 0) {
        if (pos + size < viewport) {
            // The canvas ends left of the viewport's far edge: the thumb sits at the end.
            max = pixelsOf(-pos) + kScrollMin;
            value = max;
        } else {
            max = pixelsOf(size - viewport) + kScrollMin;
            value = pixelsOf(-pos) + kScrollMin;
        }
    } else if (size + pos < viewport) {
        max = kScrollMin;  // all of it in view
        value = kScrollMin;
    } else {
        max = pixelsOf(pos + size - viewport) + kScrollMin;
        value = kScrollMin;
    }
    ScrollSetting s;
    s.max = clampScroll(max);
    s.value = clampScroll(value, s.max);
    last = s.value;
    return s;
}

ScrollSetting ViewGeometry::setHScrollRange() {
    return scrollRange(canvasLeft_, canvasWidth_, viewportWidth_, lastHScroll_);
}

ScrollSetting ViewGeometry::setVScrollRange() {
    return scrollRange(canvasTop_, canvasHeight_, viewportHeight_, lastVScroll_);
}

std::optional<ScrollSetting> ViewGeometry::scrollChanged(int value, bool horizontal) {
    int& last = horizontal ? lastHScroll_ : lastVScroll_;
    if (value == last) return std::nullopt;
    double& pos = horizontal ? canvasLeft_ : canvasTop_;
    pos += static_cast<double>(static_cast<int64_t>(last) - value) * kTwipsPerPixel;
    atFitAll_ = false;
    return horizontal ? setHScrollRange() : setVScrollRange();
}

std::optional<ScrollSetting> ViewGeometry::hScrollChanged(int value) { return scrollChanged(value, true); }
std::optional<ScrollSetting> ViewGeometry::vScrollChanged(int value) { return scrollChanged(value, false); }

bool ViewGeometry::panMayStartAt(double y) const { return y > 0 && y < viewportHeight_; }

void ViewGeometry::beginPan(double x, double y) {
    panGrabX_ = roundHalfEven(canvasLeft_ - x);
    panGrabY_ = canvasTop_ - y;
}

double ViewGeometry::panBound(double pos, double wanted, double size, double viewport) const {
    const double keep = std::max(0.0, std::min({static_cast<double>(kFitAllMarginTwips), size, viewport}));
    // A canvas already further out (parked, or pushed out by a zoom) may come
    // back but not go further.
    const double low = std::min(keep - size, pos);
    const double high = std::max(viewport - keep, pos);
    return std::clamp(wanted, low, high);
}

ViewGeometry::PanStep ViewGeometry::panTo(double x, double y) {
    PanStep step;
    const double left = panBound(canvasLeft_, static_cast<double>(roundHalfEven(x + static_cast<double>(panGrabX_))),
                                 canvasWidth_, viewportWidth_);
    if (left != canvasLeft_) {
        canvasLeft_ = left;
        step.horizontal = true;
    }
    const double top = panBound(canvasTop_, static_cast<double>(roundHalfEven(y + panGrabY_)), canvasHeight_, viewportHeight_);
    if (top != canvasTop_) {
        canvasTop_ = top;
        step.vertical = true;
    }
    if (step.horizontal || step.vertical) atFitAll_ = false;
    return step;
}

std::optional<SheetPointF> ViewGeometry::sheetPointAt(double x, double y) const {
    if (x < 0 || y < 0 || x >= viewportWidth_ || y >= viewportHeight_) return std::nullopt;
    const int64_t a = roundHalfEven(x - canvasLeft_);
    const int64_t b = roundHalfEven(y - canvasTop_);
    if (!(a > 0 && a < canvasWidth_ && b > 0 && b < canvasHeight_)) return std::nullopt;
    const double tpu = twipsPerUnit_;
    return SheetPointF{static_cast<float>(static_cast<double>(a) / tpu), static_cast<float>(static_cast<double>(b) / tpu)};
}

int32_t ViewGeometry::hitTolerance() const {
    const int halfPixel = static_cast<int>(std::ceil(0.5 / static_cast<double>(zoom_)));
    return std::max(lineWidthPx(1, zoomLevel_), halfPixel);
}

}  // namespace view
