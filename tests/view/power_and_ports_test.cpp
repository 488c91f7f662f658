// Power objects and ports on the recording canvas.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "view_scene.h"

namespace {

using namespace viewtest;
using ::testing::ElementsAre;

// style, x, y, orientation, colour, -; name
SchElement power(int32_t style, int32_t x, int32_t y, int32_t orientation, std::string name = "VCC") {
    return element(K::PowerObject, {style, x, y, orientation, 0x0000FF, 0}, {std::move(name)});
}

// style, -, alignment, length, x, y, border, fill, text, -; name
SchElement port(int32_t style, int32_t alignment, int32_t length, int32_t x, int32_t y, std::string name = "DATA") {
    return element(K::Port, {style, 0, alignment, length, x, y, 0x0000FF, 0x00FFFF, 0x00FF00, 0}, {std::move(name)});
}

// Texts of a fixed measured width, to check the whole-twips centring.
class FixedWidthCanvas : public view::RecordingCanvas {
public:
    explicit FixedWidthCanvas(float w) : w_(w) {}
    float textWidth(const QString&) override { return w_; }

private:
    float w_;
};

TEST(PowerObject, CircleStylePointingUp) {
    Scene s;
    s.draw({power(0, 100, 50, 1)});
    // "VCC" is 270 twips wide: centred on X, 10 units above the point.
    EXPECT_THAT(s.log(), ElementsAre("line 1500,750 1500,690", "circle 1500,645 45", "print \"VCC\" 1365,600"));
    EXPECT_FALSE(s.calls()[1].hasArc);
    EXPECT_EQ(s.calls()[1].state.fillStyle, view::FillStyle::Transparent);
    EXPECT_EQ(s.calls()[2].state.foreColour, 0x0000FFu);
    EXPECT_EQ(s.calls()[2].state.font.escapement, 0);
}

TEST(PowerObject, WaveArcsTurnWithTheOrientation) {
    Scene s;
    s.draw({power(3, 100, 50, 1)});
    ASSERT_GE(s.calls().size(), 3u);
    EXPECT_EQ(s.calls()[0].describe(), "line 1500,750 1500,660");
    const view::RecordedCall& a = s.calls()[1];
    const view::RecordedCall& b = s.calls()[2];
    EXPECT_EQ(a.op, "circle");
    EXPECT_TRUE(a.hasArc);
    EXPECT_FLOAT_EQ(a.values[0], 1500);
    EXPECT_FLOAT_EQ(a.values[1], 720);  // centre (X, Y - 2)
    EXPECT_FLOAT_EQ(a.values[2], 60);
    EXPECT_NEAR(a.values[3], 1.5705, 1e-9);
    EXPECT_NEAR(a.values[4], 3.141, 1e-9);
    EXPECT_FLOAT_EQ(b.values[1], 600);  // centre (X, Y - 10)
    EXPECT_NEAR(b.values[3], 4.7115, 1e-9);
    EXPECT_EQ(b.values[4], 0.0);  // 360 is taken round to 0
}

TEST(PowerObject, NamesStandByTheOrientation) {
    struct Case {
        int orientation;
        std::string print;
    } cases[] = {
        {0, "print \"VCC\" 1680,825"},   // 12 units right, bottom 5 below
        {1, "print \"VCC\" 1365,600"},   // centred, bottom 10 above
        {2, "print \"VCC\" 1050,825"},   // ends 12 units left whatever its length
        {3, "print \"VCC\" 1365,1050"},  // centred, bottom 20 below
    };
    for (const Case& c : cases) {
        Scene s;
        s.draw({power(1, 100, 50, c.orientation)});
        EXPECT_EQ(s.log().back(), c.print) << c.orientation;
    }
}

TEST(PowerObject, GroundStylesHaveNoNameAndBadOnesOnlySetThePen) {
    for (int style : {4, 5, 6}) {
        Scene s;
        s.canvas.selectFont(view::FontAttributes{QStringLiteral("other"), 3});
        s.draw({power(style, 100, 50, 0)});
        for (const view::RecordedCall& c : s.calls()) EXPECT_NE(c.op, "print") << style;
        EXPECT_EQ(s.canvas.state().font.height, 10) << style;  // slot 3 still selected
    }
    for (const auto& [style, orientation] : {std::pair{7, 0}, std::pair{0, 4}, std::pair{-1, 0}}) {
        Scene s;
        s.canvas.setDrawWidth(5);
        s.draw({power(style, 100, 50, orientation)});
        EXPECT_TRUE(s.calls().empty());
        EXPECT_EQ(s.canvas.state().drawWidth, 1);
        EXPECT_EQ(s.canvas.state().foreColour, 0x0000FFu);
        EXPECT_EQ(s.canvas.state().font.height, 10);
    }
}

TEST(PowerObject, EarthPointingLeft) {
    Scene s;
    s.draw({power(6, 100, 50, 2)});
    EXPECT_THAT(s.log(), ElementsAre("line 1500,750 1350,750", "line 1350,600 1350,900", "line 1350,750 1200,675",
                                     "line 1350,600 1200,525", "line 1350,900 1200,825"));
}

TEST(Port, OutlinesOfEveryStyle) {
    struct Case {
        int style;
        std::string polygon;
    } cases[] = {
        {0, "polygon 100,45 100,55 140,55 140,45"},
        {1, "polygon 100,50 105,55 140,55 140,45 105,45"},
        {2, "polygon 100,45 100,55 135,55 140,50 135,45"},
        {3, "polygon 100,50 105,55 135,55 140,50 135,45 105,45"},
        {4, "polygon 105,50 95,50 95,10 105,10"},
        {5, "polygon 105,50 95,50 95,15 100,10 105,15"},
        {6, "polygon 100,50 95,45 95,10 105,10 105,45"},
        {7, "polygon 100,50 95,45 95,15 100,10 105,15 105,45"},
    };
    for (const Case& c : cases) {
        Scene s;
        s.draw({port(c.style, 1, 40, 100, 50)});
        EXPECT_EQ(s.log().front(), c.polygon) << c.style;
        EXPECT_EQ(s.calls()[0].state.foreColour, 0x0000FFu);
        EXPECT_EQ(s.calls()[0].state.fillColour, 0x00FFFFu);
        EXPECT_EQ(s.calls()[0].state.fillStyle, view::FillStyle::Solid);
        EXPECT_EQ(s.calls()[1].state.foreColour, 0x00FF00u);
        EXPECT_EQ(s.calls()[1].state.font.escapement, c.style >= 4 ? 900 : 0);
    }
}

TEST(Port, PointedEndsMeetOnAShortPort) {
    Scene s;
    s.draw({port(3, 0, 10, 100, 50)});
    EXPECT_EQ(s.log().front(), "polygon 100,50 105,55 105,55 110,50 105,45 105,45");
}

TEST(Port, NamesByAlignment) {
    // "DATA" is 360 twips wide in the 10-pixel font.
    struct Case {
        int style, alignment;
        std::string print;
    } cases[] = {
        {0, 0, "print \"DATA\" 1620,825"},  // centred on X + L \ 2
        {0, 1, "print \"DATA\" 1650,825"},  // 10 units from the left end
        {0, 2, "print \"DATA\" 1605,825"},  // ends 10 units from the right end
        {4, 0, "print \"DATA\" 1575,630"},  // upwards, centred on Y - L \ 2
        {4, 1, "print \"DATA\" 1575,645"},  // ends 10 units below the top
        {4, 2, "print \"DATA\" 1575,600"},  // starts 10 units above the bottom
        {6, 0, "print \"DATA\" 1575,630"},
    };
    for (const Case& c : cases) {
        Scene s;
        s.draw({port(c.style, c.alignment, 41, 100, 50)});
        ASSERT_EQ(s.calls().size(), 2u);
        EXPECT_EQ(s.log().back(), c.print) << c.style << "/" << c.alignment;
    }
}

TEST(Port, ZeroLengthStillOutlinesAndNamesAndVerticalNamesRunUp) {
    Scene s;
    s.draw({port(0, 1, 0, 100, 50), port(5, 2, 0, 100, 50)});
    EXPECT_THAT(s.log(), ElementsAre("polygon 100,45 100,55 100,55 100,45", "print \"DATA\" 1650,825",
                                     "polygon 105,50 95,50 95,55 100,50 105,55", "print \"DATA\" 1575,600"));
    EXPECT_EQ(s.calls()[3].state.font.escapement, 900);
}

TEST(Port, BadStyleDrawsNoOutlineAndBadAlignmentNoName) {
    Scene s;
    s.draw({port(8, 0, 40, 100, 50), port(0, 3, 40, 100, 50)});
    EXPECT_THAT(s.log(), ElementsAre("polygon 100,45 100,55 140,55 140,45"));
}

TEST(Port, CentringUsesWholeTwips) {
    for (const auto& [width, x] : {std::pair{105.0f, 1748.0}, std::pair{101.5f, 1749.0}}) {
        Scene s;
        FixedWidthCanvas canvas(width);
        s.sheet.elements = {port(0, 0, 40, 100, 50)};
        view::RenderContext ctx = s.context();
        ctx.canvas = &canvas;
        view::DrawSchElements(ctx);
        ASSERT_EQ(canvas.calls().size(), 2u);
        EXPECT_EQ(canvas.calls()[1].values[0], x) << width;
    }
}

TEST(PowerAndPort, InsidePartsKeepTheirOwnPlaceAndColours) {
    Scene top;
    top.draw({power(2, 100, 50, 0), port(2, 1, 40, 100, 50)});
    Scene inPart;
    SchElement part = partElement(300, 300, 1, true);
    part.params[schematic::part_param::ColorOverride] = 1;
    part.params[schematic::part_param::LineColor] = 0x777777;
    part.params[schematic::part_param::FillColor] = 0x777777;
    inPart.drawInPart(part, {power(2, 100, 50, 0), port(2, 1, 40, 100, 50)});
    EXPECT_EQ(inPart.log(), top.log());
    for (std::size_t i = 0; i < top.calls().size(); ++i) EXPECT_EQ(inPart.calls()[i].state, top.calls()[i].state);
}

}  // namespace
