// The view's geometry: zoom steps, keeping the centre, fit-all placement,
// scroll-bar settings and the scroll handler, panning and the pointer.

#include <gtest/gtest.h>

#include <functional>

#include "schematic/sch_model.h"
#include "view/find_hot_element.h"
#include "view/view_geometry.h"

namespace {

using view::ScrollSetting;
using view::SheetPointF;
using view::ViewGeometry;

constexpr double kPx = 15;  // twips

schematic::SchSheet sizedSheet(int32_t sizeA, int32_t sizeB) {
    schematic::SchSheet s;
    s.sheetSizeA = sizeA;
    s.sheetSizeB = sizeB;
    return s;
}

// A view 800 x 600 pixels on a 1920 x 1080 screen.
ViewGeometry viewOf(double widthPx = 800, double heightPx = 600) {
    ViewGeometry g(1920 * 15, 1080 * 15);
    g.setViewportSize(widthPx * kPx, heightPx * kPx);
    return g;
}

TEST(ViewGeometry, ZoomStepsStayWithinTheNineLevels) {
    ViewGeometry g = viewOf();
    EXPECT_EQ(g.zoomLevel(), 0);
    EXPECT_FLOAT_EQ(g.twipsPerUnit(), 15);
    ASSERT_TRUE(g.stepZoom(+1));
    EXPECT_FLOAT_EQ(g.zoomRatio(), 1.5f);
    g.endZoomStep();
    EXPECT_EQ(g.zoomRatio(), 1);
    ASSERT_TRUE(g.stepZoom(+1));
    EXPECT_FLOAT_EQ(g.twipsPerUnit(), 34.5f);
    ASSERT_TRUE(g.stepZoom(+1));
    EXPECT_EQ(g.zoomLevel(), 3);
    EXPECT_FLOAT_EQ(g.zoom(), 3.51f);
    g.endZoomStep();
    EXPECT_FALSE(g.stepZoom(+1));
    EXPECT_EQ(g.zoomLevel(), 3);
    EXPECT_EQ(g.zoomRatio(), 1);
    for (int i = 0; i < 8; ++i) ASSERT_TRUE(g.stepZoom(-1));
    EXPECT_EQ(g.zoomLevel(), -5);
    EXPECT_FLOAT_EQ(g.zoomRatio(), 0.1f / 0.2f);
    EXPECT_FALSE(g.stepZoom(-1));
    EXPECT_EQ(g.zoomLevel(), -5);
}

TEST(ViewGeometry, AZoomStepKeepsTheSheetPointAtTheCentre) {
    ViewGeometry g = viewOf();
    const auto sheet = sizedSheet(2000, 1000);
    g.layoutDrawing(sheet, false);
    g.setCanvasPosition(-200 * kPx, -100 * kPx);
    g.stepZoom(+1);
    g.layoutDrawing(sheet, false);
    g.endZoomStep();
    EXPECT_DOUBLE_EQ(g.canvasTop(), -300 * kPx);  // 300 - (300 + 100) x 1.5
    EXPECT_DOUBLE_EQ(g.canvasLeft(), -500 * kPx);  // 400 - (400 + 200) x 1.5
    EXPECT_EQ(g.canvasWidth(), 45000);
    g.stepZoom(-1);
    g.layoutDrawing(sheet, false);
    EXPECT_NEAR(g.canvasTop(), -100 * kPx, kPx);
    EXPECT_NEAR(g.canvasLeft(), -200 * kPx, kPx);
    EXPECT_EQ(g.canvasWidth(), 30000);
    // A draw without a zoom step leaves the canvas where it is.
    g.endZoomStep();
    const double top = g.canvasTop();
    g.layoutDrawing(sheet, false);
    EXPECT_EQ(g.canvasTop(), top);
}

TEST(ViewGeometry, FitAllChoosesTheLevelAndPlacesTheCanvas) {
    ViewGeometry g = viewOf();
    g.layoutDrawing(sizedSheet(1150, 760), true);
    EXPECT_EQ(g.zoomLevel(), -2);  // r = 0.6957
    EXPECT_EQ(g.canvasWidth(), 8625);
    EXPECT_EQ(g.canvasHeight(), 5700);
    EXPECT_EQ(g.originX(), 0);
    g.placeForFitAll();
    EXPECT_EQ(g.canvasLeft(), 1687);  // (12000 - 8625) \ 2
    EXPECT_EQ(g.canvasTop(), 1650);

    // The same fit from another level.
    ViewGeometry h = viewOf();
    for (int i = 0; i < 3; ++i) h.stepZoom(+1);
    h.endZoomStep();
    h.layoutDrawing(sizedSheet(1150, 760), true);
    EXPECT_EQ(h.zoomLevel(), -2);
    EXPECT_EQ(h.canvasWidth(), 8625);

    // Too large even at the lowest level: 20 pixels in. Wide in a tall
    // viewport: in from the left, centred from the top.
    ViewGeometry big = viewOf(100, 100);
    big.layoutDrawing(sizedSheet(6500, 6500), true);
    big.placeForFitAll();
    EXPECT_EQ(big.zoomLevel(), -5);
    EXPECT_EQ(big.canvasLeft(), 300);
    EXPECT_EQ(big.canvasTop(), 300);
    ViewGeometry wide = viewOf(400, 800);
    wide.layoutDrawing(sizedSheet(6500, 10), true);
    wide.placeForFitAll();
    EXPECT_EQ(wide.canvasLeft(), 300);
    EXPECT_EQ(wide.canvasTop(), (12000 - wide.canvasHeight()) / 2);
    // At level -1 the drawing would be 8998 twips tall, which fits the
    // viewport's 9000 but not with the margin: one level lower, centred.
    ViewGeometry tight = viewOf(800, 600);
    tight.layoutDrawing(sizedSheet(500, 857), true);
    tight.placeForFitAll();
    EXPECT_EQ(tight.zoomLevel(), -2);
    EXPECT_EQ(tight.canvasHeight(), 6428);
    EXPECT_EQ(tight.canvasTop(), (9000 - 6428) / 2);
    EXPECT_EQ(tight.canvasLeft(), (12000 - 3750) / 2);
}

// What tells a view to fit again when its size changes: the drawing stands
// where a fit-all put it, as long as nothing but a draw or a new viewport
// size came since; whatever the user did to move it ends that.
TEST(ViewGeometry, AtFitAllUntilTheDrawingIsZoomedOrMoved) {
    const auto fitted = [] {
        ViewGeometry g = viewOf(100, 100);
        g.layoutDrawing(sizedSheet(6500, 6500), true);  // too large: the scroll bars have room
        g.placeForFitAll();
        g.setHScrollRange();
        g.setVScrollRange();
        return g;
    };
    EXPECT_FALSE(viewOf().atFitAll());
    ViewGeometry g = fitted();
    EXPECT_TRUE(g.atFitAll());
    g.layoutDrawing(sizedSheet(6500, 6500), false);
    g.setViewportSize(200 * kPx, 50 * kPx);
    EXPECT_FALSE(g.stepZoom(-1)) << "at the lowest level already";
    EXPECT_FALSE(g.hScrollChanged(g.lastHScroll()));
    g.beginPan(50 * kPx, 20 * kPx);
    g.panTo(50 * kPx, 20 * kPx);
    EXPECT_TRUE(g.atFitAll()) << "nothing moved";

    const struct Case {
        const char* name;
        std::function<void(ViewGeometry&)> move;
    } moves[] = {
        {"zoomed", [](ViewGeometry& v) { v.stepZoom(+1); }},
        {"scrolled", [](ViewGeometry& v) { v.vScrollChanged(v.lastVScroll() + 10); }},
        {"panned", [](ViewGeometry& v) { v.beginPan(50 * kPx, 20 * kPx); v.panTo(40 * kPx, 20 * kPx); }},
        {"put elsewhere", [](ViewGeometry& v) { v.setCanvasPosition(0, 0); }},
    };
    for (const Case& c : moves) {
        ViewGeometry m = fitted();
        c.move(m);
        EXPECT_FALSE(m.atFitAll()) << c.name;
        m.placeForFitAll();
        EXPECT_TRUE(m.atFitAll()) << c.name;
    }
}

// A canvas 2000 x 400 pixels (level 0) in the 800 x 600 viewport.
ViewGeometry scrolledTwips(double left, double top = 0) {
    ViewGeometry g = viewOf();
    g.layoutDrawing(sizedSheet(2000, 400), false);
    g.setCanvasPosition(left, top);
    return g;
}
ViewGeometry scrolled(double leftPx, double topPx = 0) { return scrolledTwips(leftPx * kPx, topPx * kPx); }

TEST(ViewGeometry, ScrollSettingsFollowTheCanvasPlace) {
    struct Case {
        double left;  // twips
        ScrollSetting expected;
    } cases[] = {
        {-4500, {1200 - 32768, 300 - 32768}},    // scrolled into the canvas
        {-25500, {1700 - 32768, 1700 - 32768}},  // its end left of the viewport's right edge
        {1500, {1300 - 32768, -32768}},          // starts inside, ends beyond
        {-1679.6, {1200 - 32768, 112 - 32768}},  // whole twips (1680), then pixels truncated
        {-1694.5, {1200 - 32768, 112 - 32768}},  // halves to even (1694)
    };
    for (const Case& c : cases) {
        ViewGeometry g = scrolledTwips(c.left);
        EXPECT_EQ(g.setHScrollRange(), c.expected) << c.left;
        EXPECT_EQ(g.lastHScroll(), c.expected.value) << c.left;
    }
    // 400 pixels high, 100 down: all of it in view.
    ViewGeometry g = scrolled(0, 100);
    EXPECT_EQ(g.setVScrollRange(), (ScrollSetting{-32768, -32768}));
}

TEST(ViewGeometry, AnArrowClickMovesTheCanvasTenPixels) {
    ViewGeometry g = scrolled(-300);
    g.setHScrollRange();
    const auto s = g.hScrollChanged(-32468 + 10);
    ASSERT_TRUE(s.has_value());
    EXPECT_DOUBLE_EQ(g.canvasLeft(), -310 * kPx);
    EXPECT_EQ(*s, (ScrollSetting{-31568, -32458}));  // the thumb stays where the click put it
    EXPECT_EQ(g.lastHScroll(), -32458);
    EXPECT_FALSE(g.hScrollChanged(-32458).has_value());
    // Back to the start.
    ASSERT_TRUE(g.hScrollChanged(-32768).has_value());
    EXPECT_DOUBLE_EQ(g.canvasLeft(), 0);
    // Vertically the same way.
    ViewGeometry v = scrolled(0, -50);
    EXPECT_EQ(v.setVScrollRange(), (ScrollSetting{50 - 32768, 50 - 32768}));
    ASSERT_TRUE(v.vScrollChanged(40 - 32768).has_value());
    EXPECT_DOUBLE_EQ(v.canvasTop(), -40 * kPx);
}

TEST(ViewGeometry, PanFollowsThePointerButKeepsTheDrawingInView) {
    ViewGeometry g = scrolled(-300, 50);
    EXPECT_FALSE(g.panMayStartAt(0));
    EXPECT_TRUE(g.panMayStartAt(1));
    EXPECT_FALSE(g.panMayStartAt(600 * kPx));
    g.beginPan(100 * kPx, 100 * kPx);
    auto step = g.panTo(150 * kPx, 100 * kPx);
    EXPECT_TRUE(step.horizontal);
    EXPECT_FALSE(step.vertical);
    EXPECT_DOUBLE_EQ(g.canvasLeft(), -250 * kPx);
    step = g.panTo(150 * kPx, 80 * kPx);
    EXPECT_DOUBLE_EQ(g.canvasTop(), 30 * kPx);
    EXPECT_TRUE(step.vertical);

    // Dragged far away either way: 20 pixels of the drawing stay in view and
    // the scroll bars stay within their limits.
    g.panTo(1e6 * kPx, 1e6 * kPx);
    EXPECT_DOUBLE_EQ(g.canvasLeft(), 780 * kPx);
    EXPECT_DOUBLE_EQ(g.canvasTop(), 580 * kPx);
    EXPECT_LE(g.setHScrollRange().max, view::kScrollMaxLimit);
    g.panTo(-1e6 * kPx, -1e6 * kPx);
    EXPECT_DOUBLE_EQ(g.canvasLeft(), (20 - 2000) * kPx);
    EXPECT_DOUBLE_EQ(g.canvasTop(), (20 - 400) * kPx);
    EXPECT_LE(g.setHScrollRange().max, view::kScrollMaxLimit);
    EXPECT_LE(g.setVScrollRange().value, view::kScrollMaxLimit);

    // A canvas already out of view comes back but goes no further out.
    ViewGeometry parked = scrolled(-5000);
    parked.beginPan(0, 100 * kPx);
    parked.panTo(-10 * kPx, 100 * kPx);
    EXPECT_DOUBLE_EQ(parked.canvasLeft(), -5000 * kPx);
    parked.panTo(10 * kPx, 100 * kPx);
    EXPECT_DOUBLE_EQ(parked.canvasLeft(), -4990 * kPx);
}

TEST(ViewGeometry, ThePointerMapsOntoTheDrawingOnly) {
    ViewGeometry g = viewOf();
    g.layoutDrawing(sizedSheet(1150, 760), true);  // level -2, 7.5 twips a unit
    g.placeForFitAll();                          // canvas at (1687, 1650)
    EXPECT_EQ(g.sheetPointAt(1687 + 75, 1650 + 150), (SheetPointF{10, 20}));
    EXPECT_EQ(g.sheetPointAt(1687 + 76, 1650 + 150), (SheetPointF{76 / 7.5f, 20}));
    EXPECT_FALSE(g.sheetPointAt(1687, 1650 + 150));          // on the canvas's edge
    EXPECT_FALSE(g.sheetPointAt(1687 + 8625, 1650 + 150));   // past its far edge
    EXPECT_FALSE(g.sheetPointAt(1000, 1000));                // beside it

    // Only what the viewport shows: not the part of the canvas hidden above it.
    g.setCanvasPosition(-3000, -3000);
    EXPECT_TRUE(g.sheetPointAt(0, 0));
    EXPECT_FALSE(g.sheetPointAt(100, -15));
    EXPECT_FALSE(g.sheetPointAt(-15, 100));
    EXPECT_FALSE(g.sheetPointAt(12000, 100));
}

TEST(ViewGeometry, WiresCanBeHoveredAtEveryZoom) {
    const int expected[] = {5, 3, 2, 1, 1, 1, 2, 2, 4};  // levels -5..3
    ViewGeometry g = viewOf();
    for (int i = 0; i < 5; ++i) g.stepZoom(-1);
    for (int level = -5; level <= 3; ++level) {
        EXPECT_EQ(g.hitTolerance(), expected[level + 5]) << level;
        g.stepZoom(+1);
    }

    // At level -5 a pixel is 10 units: a wire at Y = 33 lies between two
    // pixel rows, and the pointer still finds it on one of them.
    ViewGeometry low = viewOf();
    for (int i = 0; i < 5; ++i) low.stepZoom(-1);
    low.layoutDrawing(sizedSheet(1000, 1000), false);
    low.setCanvasPosition(0, 0);
    schematic::HotElementLists wire;
    wire.Boxes = {{100, 33, 500, 33, 42}};
    int rowsHit = 0;
    for (int row = 1; row < 100; ++row) {
        const auto at = low.sheetPointAt(300 * kPx / 10, row * kPx);
        ASSERT_TRUE(at);
        if (view::FindHotElement(at->x, at->y, wire, low.hitTolerance()) == 42) ++rowsHit;
    }
    EXPECT_EQ(rowsHit, 1);
}

}  // namespace
