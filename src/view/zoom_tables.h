#pragma once
// The view's fixed zoom steps and the line widths that go with them.
//
// Levels run from -5 to 5; the view's zoom commands use -5..3 only. Line
// widths are in pixels for the widths 1..7 of the drawing codes; the table is
// the constant the view was built with (the larger of 1 and k x zoom, rounded
// half up), not recomputed, so its values are exactly what drawings rely on.

namespace view {

inline constexpr int kMinZoomLevel = -5;
inline constexpr int kMaxZoomLevel = 5;
// The highest level the zoom commands and fit-all choose.
inline constexpr int kMaxViewZoomLevel = 3;

// The least margin a fit-all leaves between each edge of the viewport and
// the drawing (the top-left one only for a drawing too large to fit even at
// the lowest level): 20 pixels, in twips.
inline constexpr int kFitAllMarginTwips = 20 * 15;

// Pixels per sheet unit at `level` (clamped into -5..5), single precision.
float zoomFactor(int level);

// Width in pixels of line width `k` (clamped into 1..7) at `level` (clamped
// into -5..5).
int lineWidthPx(int k, int level);

}  // namespace view
