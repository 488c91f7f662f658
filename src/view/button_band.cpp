#include "view/button_band.h"

#include <algorithm>

namespace view {
namespace {

// The design: a 28-pixel band, the title 70 wide, buttons 57 wide 64 apart from x = 80.
constexpr int kTitleTop = 7;
constexpr int kTitleHeight = 17;
constexpr int kButtonTop = 4;
constexpr int kButtonHeight = 20;
constexpr int kDesignBandHeight = 28;
constexpr int kDesignTitleWidth = 70;
constexpr int kDesignButtonWidth = 57;
constexpr int kDesignButtonStep = 64;
constexpr int kDesignFirstButton = 80;
constexpr int kDesignBandWidth = kDesignFirstButton + 3 * kDesignButtonStep + kDesignButtonWidth;
constexpr int kGap = 4;
constexpr int kRowStep = kButtonHeight + kGap;

ButtonBand designBand() {
    ButtonBand band;
    band.title = {0, kTitleTop, kDesignTitleWidth, kTitleHeight};
    for (int i = 0; i < 4; ++i)
        band.buttons[static_cast<std::size_t>(i)] = {kDesignFirstButton + i * kDesignButtonStep, kButtonTop,
                                                     kDesignButtonWidth, kButtonHeight};
    band.height = kDesignBandHeight;
    return band;
}

}  // namespace

ButtonBand layoutButtonBand(int width, int titleWidth, int buttonWidth) {
    width = std::max(width, 1);
    buttonWidth = std::max(buttonWidth, 1);
    titleWidth = std::max(titleWidth, 0);
    // The design's places as long as the captions fit them.
    if (width >= kDesignBandWidth && titleWidth <= kDesignTitleWidth && buttonWidth <= kDesignButtonWidth)
        return designBand();

    ButtonBand band;
    // One row: the buttons share what the title leaves, up to their design width.
    const int shared = (width - titleWidth - 4 * kGap) / 4;
    if (shared >= buttonWidth) {
        const int b = std::min(shared, std::max(kDesignButtonWidth, buttonWidth));
        const int title = std::min(width - 4 * (b + kGap), std::max(titleWidth, kDesignTitleWidth));
        band.title = {0, kTitleTop, title, kTitleHeight};
        for (int i = 0; i < 4; ++i)
            band.buttons[static_cast<std::size_t>(i)] = {title + kGap + i * (b + kGap), kButtonTop, b, kButtonHeight};
        band.height = kDesignBandHeight;
        return band;
    }

    // Rows: the title first, then as many buttons to a row as fit, each as
    // wide as its caption needs (a button wider than the view takes the
    // view's width).
    const int b = std::min(buttonWidth, width);
    band.title = {0, kTitleTop, std::min(titleWidth, width), kTitleHeight};
    int x = band.title.width + kGap;
    int row = 0;
    for (BandRect& r : band.buttons) {
        if (x + b > width) {
            ++row;
            x = 0;
        }
        r = {x, kButtonTop + row * kRowStep, b, kButtonHeight};
        x += b + kGap;
    }
    band.height = kDesignBandHeight + row * kRowStep;
    return band;
}

}  // namespace view
