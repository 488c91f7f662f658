// Polylines, lines, rectangles, rounded rectangles, polygons and Bezier curves
// on the recording canvas.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "view_scene.h"

namespace {

using namespace viewtest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using view::DrawStyle;
using view::FillStyle;
namespace pp = schematic::part_param;

SchElement polyline(int32_t width, int32_t style, std::vector<int32_t> points) {
    std::vector<int32_t> p{width, style, 0x0000FF, 0, static_cast<int32_t>(points.size() / 2)};
    p.insert(p.end(), points.begin(), points.end());
    return element(K::Polyline, p);
}

SchElement lineEl(int32_t width, int32_t style, int32_t x1 = 0, int32_t y1 = 0, int32_t x2 = 10, int32_t y2 = 0) {
    return element(K::Line, {x1, y1, x2, y2, width, style, 0x00FF00, 0});
}

SchElement polygon(int32_t fillFlag, std::vector<int32_t> points) {
    std::vector<int32_t> p{0, 0x0000FF, 0x00FFFF, fillFlag, 0, static_cast<int32_t>(points.size() / 2)};
    p.insert(p.end(), points.begin(), points.end());
    return element(K::Polygon, p);
}

SchElement bezier(int n) {
    std::vector<int32_t> p{0, 0xFF0000, 0, n};
    for (int k = 0; k < n; ++k) {
        p.push_back(10 * k);
        p.push_back(k % 2 ? 10 : 0);
    }
    return element(K::Bezier, p);
}

SchElement overridingPart(int orientation = 0, bool mirrored = false) {
    SchElement part = partElement(100, 200, orientation, mirrored);
    part.params[pp::ColorOverride] = 1;
    part.params[pp::FillColor] = 0x111111;
    part.params[pp::LineColor] = 0x222222;
    return part;
}

TEST(Polyline, SegmentsAndTheDrawStyleAlwaysEndsSolid) {
    Scene s;
    s.canvas.setDrawStyle(DrawStyle::Dot);
    s.draw({polyline(0, 1, {0, 0}), polyline(0, 0, {0, 0, 10, 0}), polyline(2, 0, {0, 0, 10, 0, 10, 10})});
    EXPECT_THAT(s.log(), ElementsAre("line 0,0 150,0", "line 0,0 150,0", "line 150,0 150,150"));
    EXPECT_EQ(s.calls()[0].state.drawStyle, DrawStyle::Solid);  // the one-point polyline reset it
    EXPECT_EQ(s.calls()[2].state.drawWidth, 3);
    EXPECT_EQ(s.canvas.state().drawStyle, DrawStyle::Solid);
}

TEST(Polyline, DashedAndDottedAreOnePixelAndTheWidthStays) {
    Scene s;
    s.draw({polyline(3, 1, {0, 0, 10, 0}), polyline(9, 2, {0, 0, 10, 0}), polyline(7, 7, {0, 0, 10, 0})});
    EXPECT_EQ(s.calls()[0].state.drawWidth, 1);
    EXPECT_EQ(s.calls()[0].state.drawStyle, DrawStyle::Dash);
    EXPECT_EQ(s.calls()[1].state.drawWidth, 1);
    EXPECT_EQ(s.calls()[1].state.drawStyle, DrawStyle::Dot);
    EXPECT_EQ(s.calls()[2].state.drawWidth, 1);  // width code and style 7 change nothing
    EXPECT_EQ(s.calls()[2].state.drawStyle, DrawStyle::Solid);
}

TEST(Line, KeepsItsWidthWhenDashed) {
    for (const auto& [level, width] : {std::pair{0, 5}, std::pair{-5, 1}}) {
        Scene s;
        s.level = level;
        s.draw({lineEl(3, 1), lineEl(0, 7)});
        EXPECT_EQ(s.calls()[0].state.drawWidth, width) << level;
        EXPECT_EQ(s.calls()[0].state.drawStyle, DrawStyle::Dash);
        EXPECT_EQ(s.calls()[1].state.drawStyle, DrawStyle::Solid);
        EXPECT_EQ(s.canvas.state().drawStyle, DrawStyle::Solid);
    }
}

TEST(Polygon, VerticesInPixelsRoundedHalfToEven) {
    Scene s;
    s.zoom = 1.5f;
    s.draw({polygon(1, {10, 10, 20, 10, 15, 20})});
    EXPECT_THAT(s.log(), ElementsAre("polygon 15,15 30,15 22,30"));
    EXPECT_EQ(s.calls()[0].state.fillStyle, FillStyle::Solid);
    EXPECT_EQ(s.calls()[0].state.fillColour, 0x00FFFFu);
}

TEST(Polygon, ASinglePointTouchesNothingTwoStillDraw) {
    Scene s;
    s.canvas.setDrawWidth(7);
    s.canvas.setForeColour(0x123456);
    const view::CanvasState before = s.canvas.state();
    s.draw({polygon(1, {10, 10})});
    EXPECT_THAT(s.log(), IsEmpty());
    EXPECT_EQ(s.canvas.state(), before);
    s.draw({polygon(0, {10, 10, 20, 20})});
    EXPECT_THAT(s.log(), ElementsAre("polygon 10,10 20,20"));
    EXPECT_EQ(s.calls()[0].state.fillStyle, FillStyle::Transparent);
}

TEST(Polygon, ColourOverrideInAPartKeepsTheOwnFillFlag) {
    Scene s;
    s.drawInPart(overridingPart(), {polygon(1, {0, 0, 10, 0, 0, 10}), polygon(0, {0, 0, 10, 0, 0, 10})});
    ASSERT_EQ(s.calls().size(), 2u);
    EXPECT_EQ(s.calls()[0].describe(), "polygon 100,200 110,200 100,190");
    EXPECT_EQ(s.calls()[0].state.foreColour, 0x222222u);
    EXPECT_EQ(s.calls()[0].state.fillColour, 0x111111u);
    EXPECT_EQ(s.calls()[0].state.fillStyle, FillStyle::Solid);
    EXPECT_EQ(s.calls()[1].state.fillStyle, FillStyle::Transparent);
}

TEST(Rectangle, CornersFollowThePart) {
    const SchElement rect = element(K::Rectangle, {0, 0, 10, 20, 1, 0x0000FF, 0x00FF00, 0, 1});
    Scene turned;
    turned.drawInPart(partElement(100, 200, 1), {rect});
    EXPECT_THAT(turned.log(), ElementsAre("box 1500,3000 1200,2850"));  // (100,200) to (80,190)
    EXPECT_EQ(turned.calls()[0].state.fillStyle, FillStyle::Solid);
    EXPECT_EQ(turned.calls()[0].state.fillColour, 0x00FF00u);
    Scene mirrored;
    mirrored.drawInPart(overridingPart(1, true), {rect});
    EXPECT_THAT(mirrored.log(), ElementsAre("box 1500,3000 1800,2850"));  // (100,200) to (120,190)
    EXPECT_EQ(mirrored.calls()[0].state.fillColour, 0x111111u);
    EXPECT_EQ(mirrored.calls()[0].extra, 0x222222u);
}

TEST(RoundRectangle, CornerEllipseTurnsWithThePart) {
    const SchElement rr = element(K::RoundRectangle, {0, 0, 20, 10, 5, 10, 0, 0, 0, 0, 0});
    Scene top;
    top.zoom = 1.5f;
    top.draw({rr});
    EXPECT_THAT(top.log(), ElementsAre("roundRect 0,15 30,0 15,30"));  // A = (P0, P3), B = (P2, P1)
    for (int o : {1, 3}) {
        Scene s;
        s.zoom = 1.5f;
        s.drawInPart(partElement(100, 200, o), {rr});
        EXPECT_EQ(s.calls()[0].values[4], 30) << o;
        EXPECT_EQ(s.calls()[0].values[5], 15) << o;
    }
    Scene mirrored;
    mirrored.drawInPart(partElement(100, 200, 0, true), {rr});
    // A lies right of B; the call still gets both corners as they fall.
    EXPECT_THAT(mirrored.log(), ElementsAre("roundRect 100,190 80,200 10,20"));
}

TEST(Bezier, CountsAndWholeSegments) {
    struct Case {
        int n;
        std::vector<std::string> log;
    } cases[] = {
        {1, {}},
        {2, {"line 0,0 150,150"}},
        {3, {"line 0,0 150,150", "line 150,150 300,0"}},
        {4, {"polyBezier 0,0 10,10 20,0 30,10"}},
        {5, {"polyBezier 0,0 10,10 20,0 30,10"}},
        {6, {"polyBezier 0,0 10,10 20,0 30,10"}},
        {7, {"polyBezier 0,0 10,10 20,0 30,10 40,0 50,10 60,0"}},
    };
    for (const Case& c : cases) {
        Scene s;
        s.canvas.setDrawWidth(9);
        s.draw({bezier(c.n)});
        EXPECT_EQ(s.log(), c.log) << c.n;
        EXPECT_EQ(s.canvas.state().drawWidth, c.n < 2 ? 9 : 1) << c.n;
    }
}

TEST(InPartFlag, OnlyOneSelectsThePlacement) {
    Scene s;
    const SchElement parent = overridingPart(1, true);
    s.sheet.elements = {lineEl(0, 0)};
    view::RenderContext ctx = s.context();
    ctx.parent = &parent;
    for (int flag : {0, 2}) {
        ctx.inPart = flag;
        s.canvas.clear();
        view::DrawSchElements(ctx);
        EXPECT_THAT(s.log(), ElementsAre("line 0,0 150,0")) << flag;
        EXPECT_EQ(s.calls()[0].state.foreColour, 0x00FF00u);
    }
}

TEST(InPartFlag, AParentTurnOutsideTheQuartersDrawsNoGeometry) {
    Scene s;
    SchElement part = partElement(100, 200, 5);
    s.drawInPart(part, {lineEl(3, 1), element(K::Rectangle, {0, 0, 10, 20, 1, 0x0000FF, 0x00FF00, 0, 1}),
                        polygon(1, {0, 0, 10, 0, 0, 10}), bezier(4), polyline(0, 2, {0, 0, 10, 0})});
    EXPECT_THAT(s.log(), IsEmpty());
    EXPECT_EQ(s.canvas.state().drawStyle, DrawStyle::Solid);
    EXPECT_EQ(s.canvas.state().foreColour, 0x0000FFu);
}

}  // namespace
