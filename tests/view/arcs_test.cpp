// Arcs, elliptical arcs, ellipses and pies: the angle steps and the circle
// calls they end in.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "view/arc_angles.h"
#include "view_scene.h"

namespace {

using namespace viewtest;
using ::testing::ElementsAre;
using view::FillStyle;
namespace pp = schematic::part_param;

constexpr double kRad = 0.01745;

SchElement arc(std::string start, std::string end, int32_t radius = 40) {
    return element(K::Arc, {100, 200, radius, 0, 0x0000FF, 0}, {std::move(start), std::move(end)});
}
SchElement ellipticalArc(int32_t rx, int32_t ry, std::string start, std::string end) {
    return element(K::EllipticalArc, {100, 200, rx, ry, 0, 0x0000FF, 0}, {std::move(start), std::move(end)});
}
SchElement ellipse(int32_t rx, int32_t ry, int32_t fillFlag = 0) {
    return element(K::Ellipse, {100, 200, rx, ry, 0, 0x0000FF, 0x00FF00, fillFlag, 0});
}
SchElement pie(std::string start, std::string end, int32_t fillFlag = 1) {
    return element(K::Pie, {100, 200, 30, 0, 0x0000FF, 0x00FF00, fillFlag, 0}, {std::move(start), std::move(end)});
}

SchElement lineMarker() { return element(K::Line, {0, 0, 1, 0, 0, 0, 0, 0}); }

TEST(AngleSteps, ReduceKeepsTheSignAndTheFraction) {
    const std::pair<float, float> cases[] = {{370.5f, 10.5f}, {405, 45}, {360, 0}, {-30, -30}, {-400, -40}, {45.7f, 45.7f}};
    for (const auto& [in, out] : cases) EXPECT_FLOAT_EQ(view::ReduceAngle(in), out) << in;
}

TEST(AngleSteps, EllipseParameterPerQuadrant) {
    const std::pair<float, float> cases[] = {{45, 63.44f}, {135, 116.56f}, {225, 243.44f}, {315, 296.56f},
                                             {0, 0},       {90, 90},        {180, 180},      {270, 270},
                                             {-30, -30}};
    for (const auto& [in, out] : cases) EXPECT_NEAR(view::EllipseParamAngle(in, 0.5f), out, 0.005) << in;
}

TEST(AngleSteps, MirrorReflectsAndSwapsTheEnds) {
    struct Case {
        view::ArcEnds in, out;
    } cases[] = {
        {{30, 100}, {80, 150}},
        {{200, 300}, {240, 340}},
        {{10, 180.5f}, {359.5f, 170}},
        {{90, 180}, {0, 90}},
        {{-20, 100}, {80, 100}},  // a negative start is not reflected: the end keeps its value
    };
    for (const Case& c : cases) EXPECT_EQ(view::MirrorArcAngles(c.in), c.out) << c.in.start << ".." << c.in.end;
}

TEST(AngleSteps, AngleTextsAreNumbersInAnyLocale) {
    EXPECT_EQ(view::parseAngle(" 370.5 "), 370.5f);
    EXPECT_EQ(view::parseAngle("-45"), -45.0f);
    EXPECT_FALSE(view::parseAngle("abc").has_value());
    EXPECT_FALSE(view::parseAngle("").has_value());
    EXPECT_FALSE(view::parseAngle("12,5").has_value());
    EXPECT_FALSE(view::parseAngle("inf").has_value());
}

TEST(Arc, TopLevelAnglesAreReducedAndConvertedWithTheDrawingsConstant) {
    Scene s;
    s.draw({arc("370.5", "45.7")});
    ASSERT_EQ(s.calls().size(), 1u);
    const view::RecordedCall& c = s.calls()[0];
    EXPECT_EQ(c.describe(), "circle 1500,3000 600 0.183225,0.797465");
    EXPECT_NEAR(c.values[3], 0.183225, 1e-9);
    EXPECT_NEAR(c.values[4], 45.7f * kRad, 1e-12);
    EXPECT_FALSE(c.hasAspect);
    EXPECT_EQ(c.state.fillStyle, FillStyle::Transparent);
}

TEST(Arc, TurnsAndMirrorsWithThePart) {
    struct Case {
        int orientation;
        bool mirrored;
        std::string start, end;
        double outStart, outEnd;
    } cases[] = {
        {1, false, "0", "90", 90, 180},     {0, true, "30", "100", 80, 150}, {0, true, "200", "300", 240, 340},
        {1, true, "0", "90", 0, 90},         {3, false, "100", "200", 10, 110},
    };
    for (const Case& c : cases) {
        Scene s;
        s.drawInPart(partElement(100, 200, c.orientation, c.mirrored), {arc(c.start, c.end)});
        ASSERT_EQ(s.calls().size(), 1u);
        EXPECT_NEAR(s.calls()[0].values[3], c.outStart * kRad, 1e-5) << c.orientation << " " << c.start;
        EXPECT_NEAR(s.calls()[0].values[4], c.outEnd * kRad, 1e-5) << c.orientation << " " << c.start;
    }
}

TEST(EllipticalArc, RatioRadiusAndParameterAngles) {
    Scene s;
    s.draw({ellipticalArc(20, 10, "45", "90"), ellipticalArc(20, 20, "370", "135")});
    const view::RecordedCall& a = s.calls()[0];
    EXPECT_FLOAT_EQ(a.values[2], 300);  // the larger radius, 20
    EXPECT_NEAR(a.values[3], 63.44 * kRad, 5e-4);
    EXPECT_NEAR(a.values[4], 90 * kRad, 1e-9);
    EXPECT_FLOAT_EQ(a.values[5], 0.5f);
    const view::RecordedCall& round = s.calls()[1];  // ratio 1: only reduced
    EXPECT_NEAR(round.values[3], 10 * kRad, 1e-9);
    EXPECT_NEAR(round.values[4], 135 * kRad, 1e-9);

    Scene turned;
    turned.drawInPart(partElement(0, 0, 1), {ellipticalArc(20, 10, "0", "45")});
    const view::RecordedCall& t = turned.calls()[0];
    EXPECT_FLOAT_EQ(t.values[2], 300);
    EXPECT_FLOAT_EQ(t.values[5], 2.0f);
    EXPECT_NEAR(t.values[3], 90 * kRad, 1e-9);                 // 0 + 90 stays on the axis
    EXPECT_NEAR(t.values[4], 153.44 * kRad, 5e-4);  // 135 on a ratio 2 ellipse
}

TEST(Ellipse, AspectAndRadiusAndItsFill) {
    Scene s;
    s.draw({ellipse(10, 30, 1), ellipse(30, 10, 2)});
    const view::RecordedCall& tall = s.calls()[0];
    EXPECT_EQ(tall.describe(), "circle 1500,3000 450 3");
    EXPECT_FALSE(tall.hasArc);
    EXPECT_EQ(tall.state.fillStyle, FillStyle::Solid);
    EXPECT_EQ(tall.state.fillColour, 0x00FF00u);
    const view::RecordedCall& wide = s.calls()[1];
    EXPECT_FLOAT_EQ(wide.values[2], 450);
    EXPECT_EQ(static_cast<float>(wide.values[3]), 0.33333334f);
    EXPECT_EQ(wide.state.fillStyle, FillStyle::Transparent);
}

TEST(Pie, ZeroBecomesATinyAngleAndBothAreNegated) {
    Scene s;
    s.draw({pie("360", "90")});
    const view::RecordedCall& c = s.calls()[0];
    EXPECT_EQ(c.values[3], -(static_cast<double>(1e-10f) * kRad));
    EXPECT_NEAR(c.values[4], -1.5705, 1e-9);
    EXPECT_EQ(c.state.fillStyle, FillStyle::Solid);
    Scene mirrored;
    mirrored.drawInPart(partElement(0, 0, 0, true), {pie("0", "180", 0)});  // mirrored: 0..180 stays 0..180
    EXPECT_EQ(mirrored.calls()[0].values[3], -(static_cast<double>(1e-10f) * kRad));
    EXPECT_NEAR(mirrored.calls()[0].values[4], -180 * kRad, 1e-9);
    EXPECT_EQ(mirrored.calls()[0].state.fillStyle, FillStyle::Transparent);
}

TEST(ArcKinds, ColourOverrideAndBadParentTurns) {
    SchElement part = partElement(0, 0);
    part.params[pp::ColorOverride] = 1;
    part.params[pp::LineColor] = 0x222222;
    part.params[pp::FillColor] = 0x111111;
    Scene s;
    s.drawInPart(part, {ellipse(10, 10, 1), arc("0", "90"), pie("0", "90", 0)});
    EXPECT_EQ(s.calls()[0].state.foreColour, 0x222222u);
    EXPECT_EQ(s.calls()[0].state.fillColour, 0x111111u);
    EXPECT_EQ(s.calls()[1].state.foreColour, 0x222222u);
    EXPECT_EQ(s.calls()[2].state.fillStyle, FillStyle::Transparent);

    Scene bad;
    bad.drawInPart(partElement(0, 0, -1), {ellipse(10, 10, 1), arc("0", "90")});
    EXPECT_TRUE(bad.calls().empty());
    EXPECT_EQ(bad.canvas.state().fillStyle, FillStyle::Transparent);  // the arc's set-up stayed
    EXPECT_EQ(bad.canvas.state().foreColour, 0x0000FFu);
}

TEST(ArcKinds, AZeroRadiusOrAnAngleThatIsNoNumberEndsTheDrawingCleanly) {
    struct Case {
        const char* what;
        SchElement bad;
    } cases[] = {
        {"ellipse with no horizontal radius", ellipse(0, 10)},
        {"elliptical arc with no horizontal radius", ellipticalArc(0, 10, "0", "90")},
        {"arc angle text", arc("abc", "90")},
        {"pie angle text", pie("0", "9O")},
    };
    for (const Case& c : cases) {
        Scene s;
        const auto outcome = s.draw({lineMarker(), c.bad, lineMarker()});
        EXPECT_EQ(outcome, view::DrawOutcome::Ended) << c.what;
        EXPECT_THAT(s.log(), ElementsAre("line 0,0 15,0")) << c.what;
    }
    // In a part turned by a quarter the vertical radius divides; the end reaches the top.
    Scene s;
    s.setComponent({{ellipse(10, 0)}});
    EXPECT_EQ(s.draw({partElement(0, 0, 1), lineMarker()}), view::DrawOutcome::Ended);
    EXPECT_TRUE(s.calls().empty());
    // A flat ellipse (no vertical radius) is a line, not a failure.
    Scene flat;
    EXPECT_EQ(flat.draw({ellipse(10, 0)}), view::DrawOutcome::Complete);
    EXPECT_EQ(flat.log(), std::vector<std::string>{"circle 1500,3000 150 0"});
}

}  // namespace
