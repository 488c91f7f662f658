#pragma once
// Where the view's title and its four buttons (fit all, zoom in, zoom out,
// redraw) stand in the band above the viewport, for the view's width. A band
// wide enough keeps the design's places; a narrower one packs title and
// buttons into one row, the buttons no narrower than their captions; one
// narrower still wraps them into further rows and grows the band, so that no
// button is ever cut off. Lengths in pixels.

#include <array>

namespace view {

struct BandRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const BandRect&, const BandRect&) = default;
};

struct ButtonBand {
    BandRect title;
    // In the design's order: fit all, zoom in, zoom out, redraw.
    std::array<BandRect, 4> buttons;
    // Where the viewport starts.
    int height = 0;
};

// `titleWidth` and `buttonWidth` are the least widths that show the title
// and the widest caption a button takes.
ButtonBand layoutButtonBand(int width, int titleWidth, int buttonWidth);

}  // namespace view
