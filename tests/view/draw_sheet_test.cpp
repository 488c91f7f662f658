// The sheet drawing: drawing size, fit-all level, the sheet area and the
// font slots around the element drawing.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "view/draw_sheet.h"
#include "view/zoom_tables.h"
#include "view_scene.h"

namespace {

using namespace viewtest;
using ::testing::ElementsAre;

schematic::SchSheet sheetOf(int32_t sizeA, int32_t sizeB, int32_t orientation = 0) {
    schematic::SchSheet s;
    s.sheetSizeA = sizeA;
    s.sheetSizeB = sizeB;
    s.orientation = orientation;
    s.borderColor = 0x000080;
    s.sheetColor = 0xE0FFFF;
    return s;
}

TEST(SheetExtent, ClampedAndTurnedByTheOrientation) {
    EXPECT_EQ(view::sheetExtent(sheetOf(4, 7000)), (view::SheetExtent{10, 6500}));
    EXPECT_EQ(view::sheetExtent(sheetOf(4, 7000, 1)), (view::SheetExtent{6500, 10}));
    EXPECT_EQ(view::sheetExtent(sheetOf(1500, 1000)), (view::SheetExtent{1500, 1000}));
    EXPECT_EQ(view::sheetExtent(sheetOf(-3, 10)), (view::SheetExtent{10, 10}));
    EXPECT_EQ(view::imageSize(sheetOf(1500, 1000), 0), (view::ImageSize{22500, 15000}));
    EXPECT_EQ(view::imageSize(sheetOf(1500, 1000), 3), (view::ImageSize{78975, 52650}));
    EXPECT_EQ(view::imageSize(sheetOf(6500, 6500), -5), (view::ImageSize{9750, 9750}));
}

TEST(FitAll, PicksTheHighestLevelAtWhichDrawingAndMarginFit) {
    const schematic::SchSheet sheet = sheetOf(1000, 1000);  // 15000 twips square at zoom 1
    const double margins = 2 * view::kFitAllMarginTwips;
    struct Case {
        double viewport;  // twips, the other way unlimited
        int level;
    } cases[] = {
        {3.51 * 15000 + margins, 3}, {10 * 15000, 3}, {3.5 * 15000 + margins, 2}, {0.6957 * 15000 + margins, -2},
        {0.7 * 15000 + margins, -1}, {0.1 * 15000 + margins, -5}, {0.05 * 15000, -5}, {0, -5},
        // At zoom 1 the drawing fills 15000 twips: with a margin on either
        // side it needs 15600; with one only it is a level lower.
        {15600, 0}, {15599, -1}, {15300, -1}, {15000, -1},
    };
    for (const Case& c : cases) {
        for (int from : {0, 3, -5}) {
            EXPECT_EQ(view::fitAllZoomLevel(sheet, 1e9, c.viewport, from), c.level) << c.viewport << " from " << from;
            EXPECT_EQ(view::fitAllZoomLevel(sheet, c.viewport, 1e9, from), c.level) << c.viewport << " wide, from " << from;
        }
    }
    // The narrower side decides.
    EXPECT_EQ(view::fitAllZoomLevel(sheet, 0.3 * 15000 + margins, 15600, 0), -3);
}

TEST(DrawSheet, AnEmptySheetIsOnlyItsArea) {
    const schematic::SchSheet sheet = sheetOf(100, 50);
    view::RecordingCanvas canvas;
    const view::FontAttributes before = canvas.state().font;
    const auto result = view::DrawSchSheet(sheet, canvas, {0, -300, 150, nullptr});
    EXPECT_EQ(result.image, (view::ImageSize{1500, 750}));
    EXPECT_EQ(result.outcome, view::DrawOutcome::Complete);
    EXPECT_THAT(canvas.log(), ElementsAre("box -300,150 1185,885"));
    const view::RecordedCall& box = canvas.calls()[0];
    EXPECT_EQ(box.extra, 0x000080u);
    EXPECT_EQ(box.state.fillStyle, view::FillStyle::Solid);
    EXPECT_EQ(box.state.fillColour, 0xE0FFFFu);
    EXPECT_EQ(box.state.drawWidth, 1);
    EXPECT_EQ(canvas.state().fillStyle, view::FillStyle::Transparent);
    EXPECT_EQ(canvas.state().font, before);  // no fonts made
}

TEST(DrawSheet, ElementsStartWithTheFirstSheetFontAtTheZoom) {
    Scene s;
    schematic::SchSheet sheet = s.sheet;
    sheet.sheetSizeA = 100;
    sheet.sheetSizeB = 100;
    sheet.elements = {element(K::Line, {10, 20, 30, 40, 0, 0, 0xFF, 0}),
                      element(K::NetLabel, {10, 20, 0, 0, 1, 0}, {"A"})};
    view::RecordingCanvas canvas;
    canvas.setDrawStyle(view::DrawStyle::Dash);
    const auto result = view::DrawSchSheet(sheet, canvas, {1, 1500, -1500, nullptr});
    EXPECT_EQ(result.image, (view::ImageSize{2250, 2250}));
    EXPECT_THAT(canvas.log(), ElementsAre("box 1500,-1500 3735,735", "line 1725,-1050 2175,-600",
                                          "print \"A\" 1725,-1050"));
    EXPECT_EQ(canvas.calls()[1].state.drawStyle, view::DrawStyle::Solid);
    EXPECT_EQ(canvas.calls()[1].state.font.height, 15);  // slot 3 at zoom 1.5
    EXPECT_EQ(canvas.calls()[1].state.fillStyle, view::FillStyle::Transparent);
}

TEST(DrawSheet, AnElementThatEndsTheDrawingIsReported) {
    Scene s;
    schematic::SchSheet sheet = s.sheet;
    sheet.elements = {element(K::Ellipse, {10, 20, 0, 5, 0, 0, 0, 0, 0}),
                      element(K::Line, {10, 20, 30, 40, 0, 0, 0xFF, 0})};
    view::RecordingCanvas canvas;
    const auto result = view::DrawSchSheet(sheet, canvas, {});
    EXPECT_EQ(result.outcome, view::DrawOutcome::Ended);
    EXPECT_EQ(canvas.calls().size(), 1u);  // the sheet area stays
}

}  // namespace
