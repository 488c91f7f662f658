// The view's title and buttons in the band above the viewport, at widths
// from the design's down to less than one button.
#include <gtest/gtest.h>

#include "view/button_band.h"

namespace {

using view::BandRect;
using view::ButtonBand;

bool overlap(const BandRect& a, const BandRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(ButtonBand, NoButtonIsEverCutOffOrCovered) {
    const struct Case {
        int width;
        int title;
        int button;
        int rows;  // the title's row included
    } cases[] = {
        {392, 50, 48, 1}, {329, 50, 48, 1},  // the design
        {328, 50, 48, 1}, {258, 50, 48, 1},  // one row, the buttons narrower
        {257, 50, 48, 2}, {110, 50, 48, 3},  // wrapped
        {60, 50, 48, 5},  {48, 50, 48, 5},   // the title alone, then a button to a row
        {400, 90, 48, 1}, {400, 40, 70, 1},  // captions wider than the design's places
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " wide, title " << c.title << ", buttons " << c.button);
        const ButtonBand band = view::layoutButtonBand(c.width, c.title, c.button);
        int lastRow = 0;
        for (std::size_t i = 0; i < band.buttons.size(); ++i) {
            const BandRect& r = band.buttons[i];
            EXPECT_GE(r.x, 0);
            EXPECT_LE(r.x + r.width, c.width);
            EXPECT_GE(r.width, std::min(c.button, c.width)) << "button " << i;
            EXPECT_LE(r.y + r.height, band.height) << "button " << i;
            EXPECT_FALSE(overlap(r, band.title)) << "button " << i;
            for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(overlap(r, band.buttons[j])) << i << " and " << j;
            // In the design's order, row by row.
            if (i > 0) {
                EXPECT_TRUE(r.y > band.buttons[i - 1].y || r.x > band.buttons[i - 1].x) << "button " << i;
            }
            lastRow = std::max(lastRow, (r.y - 4) / 24);
        }
        EXPECT_EQ(lastRow + 1, c.rows);
        EXPECT_EQ(band.height, 28 + 24 * (c.rows - 1));
        EXPECT_GE(band.title.width, std::min(c.title, c.width));
    }
}

TEST(ButtonBand, AWideBandKeepsTheDesignsPlaces) {
    const ButtonBand band = view::layoutButtonBand(600, 60, 50);
    EXPECT_EQ(band.title, (BandRect{0, 7, 70, 17}));
    EXPECT_EQ(band.buttons[0], (BandRect{80, 4, 57, 20}));
    EXPECT_EQ(band.buttons[3], (BandRect{272, 4, 57, 20}));
    EXPECT_EQ(band.height, 28);
}

}  // namespace
