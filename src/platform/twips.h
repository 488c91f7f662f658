#pragma once
// Layout code quotes lengths in twips; the screen works in pixels.

namespace platform {

// round(1440 / logical dpi) of the primary screen; 15 at 96 dpi, 15 without a screen.
int screenTwipsPerPixel();

// Whole-pixel conversions with the program's rule: one pixel is
// ScreenTwipsPerPixelY twips in both directions, divided with integer division.
int twipsToPx(int twips, int twipsPerPixel);
inline int pxToTwips(int px, int twipsPerPixel) { return px * twipsPerPixel; }
// A design size in twips on this screen.
inline int screenPx(int twips) { return twipsToPx(twips, screenTwipsPerPixel()); }

}  // namespace platform
