// Parts, wires, buses, bus entries, junctions, labels and pins on the
// recording canvas, and the element loop's handling of bad data.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "view_scene.h"

namespace {

using namespace viewtest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace pp = schematic::part_param;

// A Line element from (x1, y1) to (x2, y2), solid, width code 0.
SchElement lineElement(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour = 0) {
    return element(K::Line, {x1, y1, x2, y2, 0, 0, colour, 0});
}

SchElement pinElement(int32_t x, int32_t y, int32_t dir, int32_t length = 30, std::string name = "AB",
                      std::string number = "12") {
    // dot, clock, -, hidden, show name, show number, length, x, y, direction, colour
    return element(K::Pin, {0, 0, 0, 0, 1, 1, length, x, y, dir, 0x00FF00}, {std::move(name), std::move(number)});
}

TEST(Part, DrawsItsGraphicsThenItsTexts) {
    Scene s;
    SchElement part = partElement(100, 200, 0, false, 2);
    part.params[pp::DesignatorHidden] = 0;
    part.params[pp::PartTypeHidden] = 0;
    part.params[pp::DesignatorX] = 110;
    part.params[pp::DesignatorY] = 190;
    part.params[pp::DesignatorColor] = 0x0000FF;
    part.params[pp::PartTypeX] = 110;
    part.params[pp::PartTypeY] = 230;
    part.params[pp::PartTypeColor] = 0xFF0000;
    part.params[pp::PartTypeFont] = 2;
    s.setComponent({{lineElement(0, 0, 1, 1)}, {lineElement(0, 0, 10, 0)}});
    s.draw({part});
    EXPECT_THAT(s.log(), ElementsAre("line 1500,3000 1650,3000", "print \"U3B\" 1650,2850", "print \"74LS00\" 1650,3450"));
    EXPECT_EQ(s.calls()[1].state.foreColour, 0x0000FFu);
    EXPECT_EQ(s.calls()[1].state.font.height, 10);
    EXPECT_EQ(s.calls()[2].state.foreColour, 0xFF0000u);
    EXPECT_EQ(s.calls()[2].state.font.escapement, 900);  // the part type's own font, not the part's turn
}

// A text whose font id names no font slot is skipped on its own: the body and
// pins still stand (they come first), and so does the other text.
TEST(Part, ATextWithoutAFontSlotIsSkippedAloneAndTheBodyStays) {
    for (const bool badDesignator : {true, false}) {
        SCOPED_TRACE(badDesignator);
        Scene s;
        SchElement part = partElement(100, 200);
        part.params[pp::DesignatorHidden] = 0;
        part.params[pp::PartTypeHidden] = 0;
        part.params[badDesignator ? pp::DesignatorFont : pp::PartTypeFont] = 99;
        s.setComponent({{lineElement(0, 0, 10, 0), pinElement(0, 0, 2)}});
        s.draw({part});
        ASSERT_GE(s.log().size(), 3u);
        EXPECT_EQ(s.log()[0], "line 1500,3000 1650,3000");
        const std::string kept = badDesignator ? "print \"74LS00\"" : "print \"U3\"";
        const std::string skipped = badDesignator ? "print \"U3\"" : "print \"74LS00\"";
        bool pinDrawn = false, keptShown = false, skippedShown = false;
        for (const std::string& call : s.log()) {
            pinDrawn = pinDrawn || call.rfind("line 1500,3000 1050,3000", 0) == 0;
            keptShown = keptShown || call.rfind(kept, 0) == 0;
            skippedShown = skippedShown || call.rfind(skipped, 0) == 0;
        }
        EXPECT_TRUE(pinDrawn) << ::testing::PrintToString(s.log());
        EXPECT_TRUE(keptShown) << ::testing::PrintToString(s.log());
        EXPECT_FALSE(skippedShown) << ::testing::PrintToString(s.log());
    }
}

TEST(Part, OnePartComponentsHaveNoLetterAndHiddenTextsStayHidden) {
    Scene s;
    SchElement part = partElement(100, 200);
    part.params[pp::DesignatorHidden] = 0;
    s.setComponent({{lineElement(0, 0, 10, 0)}});
    s.draw({part});
    EXPECT_THAT(s.log(), ElementsAre("line 1500,3000 1650,3000", "print \"U3\" 0,0"));

    Scene hidden;
    hidden.setComponent({{lineElement(0, 0, 10, 0)}});
    hidden.draw({partElement(100, 200)});  // both texts hidden: only the graphics
    EXPECT_THAT(hidden.log(), ElementsAre("line 1500,3000 1650,3000"));
}

TEST(Label, FollowsThePartsEightPlacementsAndTurnsWithIt) {
    struct Case {
        int orientation;
        bool mirrored;
        int x, y;  // sheet point of local (10, 20) in a part at (100, 200)
    } cases[] = {
        {0, false, 110, 180}, {0, true, 90, 180},  {1, false, 80, 190}, {1, true, 120, 190},
        {2, false, 90, 220},  {2, true, 110, 220}, {3, false, 120, 210}, {3, true, 80, 210},
    };
    for (const Case& c : cases) {
        Scene s;
        SchElement part = partElement(100, 200, c.orientation, c.mirrored);
        part.params[pp::ColorOverride] = 1;
        part.params[pp::LineColor] = 0x123456;
        s.drawInPart(part, {element(K::Label, {10, 20, 0, 0xABCDEF, 1, 0}, {"L"})});
        ASSERT_EQ(s.calls().size(), 1u);
        const view::RecordedCall& call = s.calls()[0];
        EXPECT_EQ(call.describe(), "print \"L\" " + std::to_string(c.x * 15) + "," + std::to_string(c.y * 15))
            << c.orientation << (c.mirrored ? " mirrored" : "");
        // Mirroring moves the text but never changes its direction.
        EXPECT_EQ(call.state.font.escapement, 900 * c.orientation);
        EXPECT_EQ(call.state.foreColour, 0x123456u);
    }
}

TEST(Label, AtTheTopLevelUsesItsSlotFontAndColour) {
    Scene s;
    s.draw({element(K::Label, {10, 20, 1, 0xABCDEF, 2, 0}, {"时钟"}),
            element(K::NetLabel, {30, 40, 0, 0x00FF00, 1, 0}, {"D0"})});
    EXPECT_THAT(s.log(), ElementsAre("print \"时钟\" 150,300", "print \"D0\" 450,600"));
    EXPECT_EQ(s.calls()[0].state.font.escapement, 900);
    EXPECT_EQ(s.calls()[0].state.foreColour, 0xABCDEFu);
    EXPECT_EQ(s.calls()[1].state.font.escapement, 0);
}

TEST(Pin, NamesInsideAndNumbersOutsideInEveryDirection) {
    // Inner end local (50, 40) in an unturned part at (100, 100): sheet (150, 60).
    // Name and number "AB" and "12" are 180 twips wide in the 10-pixel font.
    struct Case {
        int dir;
        std::vector<std::string> log;
        int escapement;
    } cases[] = {
        {0, {"print \"AB\" 1980,975", "print \"12\" 2475,900", "line 2250,900 2700,900"}, 0},
        {1, {"print \"AB\" 2325,1170", "print \"12\" 2250,675", "line 2250,900 2250,450"}, 900},
        {2, {"print \"AB\" 2340,975", "print \"12\" 1845,900", "line 2250,900 1800,900"}, 0},
        {3, {"print \"AB\" 2325,810", "print \"12\" 2250,1305", "line 2250,900 2250,1350"}, 900},
    };
    for (const Case& c : cases) {
        Scene s;
        s.drawInPart(partElement(100, 100), {pinElement(50, 40, c.dir)});
        EXPECT_EQ(s.log(), c.log) << "direction " << c.dir;
        EXPECT_EQ(s.calls()[0].state.font.escapement, c.escapement);
        EXPECT_EQ(s.calls()[2].state.foreColour, 0x00FF00u);
        EXPECT_EQ(s.calls()[2].state.drawWidth, 1);
    }
}

TEST(Pin, MirroredPartsPointHorizontalPinsTheOtherWay) {
    Scene s;
    s.drawInPart(partElement(100, 100, 0, true), {pinElement(50, 40, 0)});
    // Sheet (50, 60), pointing left.
    EXPECT_EQ(s.log().back(), "line 750,900 300,900");
}

TEST(Pin, DotAndClockWedge) {
    Scene s;
    s.level = 1;  // pin lines are 2 pixels wide here
    SchElement pin = pinElement(50, -40, 0);
    pin.params[0] = 1;  // dot
    pin.params[1] = 1;  // clock
    pin.params[4] = pin.params[5] = 0;
    s.drawInPart(partElement(0, 0), {pin});
    // Dot of radius 2.4 centred 2 units out, the line from 4 units out, then
    // the wedge pointing into the body; the twips are 22.5 per unit.
    EXPECT_THAT(s.log(), ElementsAre("circle 1170,900 54", "line 1215,900 1800,900", "line 1125,832.5 1057.5,900",
                                     "line 1057.5,900 1125,967.5"));
    EXPECT_EQ(s.calls()[0].state.drawWidth, 1);
    EXPECT_EQ(s.calls()[0].state.fillStyle, view::FillStyle::Transparent);
    EXPECT_EQ(s.calls()[1].state.drawWidth, 2);
    EXPECT_EQ(s.calls()[2].state.drawWidth, 1);
    EXPECT_EQ(s.canvas.state().drawWidth, 2);
}

TEST(Pin, HiddenPinsShowOnlyWhenThePartShowsHiddenOnes) {
    SchElement pin = pinElement(50, 40, 0);
    pin.params[3] = 1;  // hidden
    pin.params[4] = pin.params[5] = 0;
    Scene quiet;
    quiet.drawInPart(partElement(100, 100), {pin});
    EXPECT_THAT(quiet.log(), IsEmpty());

    Scene shown;
    SchElement part = partElement(100, 100);
    part.params[pp::ShowHidden] = 1;
    shown.drawInPart(part, {pin});
    EXPECT_THAT(shown.log(), ElementsAre("print \"AB\" 1980,975", "print \"12\" 2475,900", "line 2250,900 2700,900"));
}

TEST(Pin, ColourOverrideDrawsEveryPinInThePinColour) {
    Scene s;
    SchElement part = partElement(100, 100);
    part.params[pp::ColorOverride] = 1;
    part.params[pp::PinColor] = 0x0000FF;
    s.drawInPart(part, {pinElement(50, 40, 0), pinElement(50, 20, 2)});
    for (const view::RecordedCall& c : s.calls()) EXPECT_EQ(c.state.foreColour, 0x0000FFu) << c.describe();
}

TEST(Pin, OutsideAPartDrawsNothing) {
    Scene s;
    s.draw({pinElement(50, 40, 0)});
    EXPECT_THAT(s.log(), IsEmpty());
}

TEST(Wire, PolylineThroughItsPointsWithTheWidthOfItsCode) {
    Scene s;
    s.level = 2;
    s.originX = 15;
    s.draw({element(K::Wire, {1, 0xFF, 0, 3, 10, 20, 30, 20, 30, 40})});
    EXPECT_THAT(s.log(), ElementsAre("line 360,690 1050,690", "line 1050,690 1050,1380"));
    EXPECT_EQ(s.calls()[0].state.drawWidth, 2);  // line width 1 at level 2
    EXPECT_EQ(s.calls()[0].state.foreColour, 0xFFu);
}

TEST(Wire, WidthCodesOfWiresBusesAndBusEntries) {
    Scene s;
    s.draw({
        element(K::Bus, {1, 0, 0, 2, 0, 0, 10, 0}),          // bus code 1: table width 3
        element(K::Wire, {7, 0, 0, 2, 0, 0, 10, 0}),         // code 7 keeps the bus's width
        element(K::Wire, {3, 0, 0, 1, 0, 0}),                // one point: nothing, width unchanged
        element(K::Wire, {0, 0, 0, 0}),                      // no points
        element(K::BusEntry, {0, 0, 10, 10, 3, 0x00FF00, 0}),  // wire column: table width 5
        element(K::Bus, {3, 0, 0, 2, 0, 0, 10, 0}),          // bus code 3: table width 7
    });
    ASSERT_EQ(s.calls().size(), 4u);
    EXPECT_EQ(s.calls()[0].state.drawWidth, 3);
    EXPECT_EQ(s.calls()[1].state.drawWidth, 3);
    EXPECT_EQ(s.calls()[2].describe(), "line 0,0 150,150");
    EXPECT_EQ(s.calls()[2].state.drawWidth, 5);
    EXPECT_EQ(s.calls()[3].state.drawWidth, 7);
}

TEST(Junction, FilledDotByItsSizeCodeAndTheFillStays) {
    Scene s;
    s.draw({element(K::Junction, {20, 30, 3, 0x0000FF, 0, 0}), element(K::Junction, {20, 30, 0, 0, 0, 0}),
            element(K::Junction, {20, 30, 9, 0, 0, 0}), lineElement(0, 0, 1, 1)});
    EXPECT_THAT(s.log(), ElementsAre("circle 300,450 150", "circle 300,450 30", "line 0,0 15,15"));
    EXPECT_EQ(s.calls()[0].state.fillStyle, view::FillStyle::Solid);
    EXPECT_EQ(s.calls()[0].state.fillColour, 0x0000FFu);
    EXPECT_EQ(s.canvas.state().fillStyle, view::FillStyle::Solid);
}

TEST(ElementLoop, SkipsRecordsWithoutADrawingAndLeavesTheirNeighbours) {
    Scene s;
    s.draw({lineElement(0, 0, 1, 0, 0x11), element(K::SimProbe, {0, 0, 0, 0}, {"x"}),
            element(static_cast<K>(15), {1, 2, 3}), element(static_cast<K>(99), {1, 2, 3}),
            element(static_cast<K>(0), {}), lineElement(0, 0, 2, 0, 0x22)});
    EXPECT_THAT(s.log(), ElementsAre("line 0,0 15,0", "line 0,0 30,0"));
    EXPECT_EQ(s.calls()[1].state.foreColour, 0x22u);
}

TEST(ElementLoop, BadReferencesSkipTheirElementAndTheDrawingGoesOn) {
    Scene s;
    // Component 0's only part holds a Part of itself: drawing it could only recurse.
    SchElement self = partElement(0, 0);
    s.setComponent({{self, lineElement(0, 0, 1, 0)}});
    SchElement noComponent = partElement(0, 0, 0, false, 1, 5);
    SchElement noPart = partElement(0, 0, 0, false, 3, 0);
    SchElement hiddenBadFont = partElement(10, 0);  // a hidden text's font is never needed
    hiddenBadFont.params[pp::DesignatorFont] = 99;
    const auto outcome = s.draw({
        partElement(0, 0),
        noComponent,
        noPart,
        hiddenBadFont,
        element(K::NetLabel, {0, 0, 0, 0, 99, 0}, {"N"}),
        element(K::Label, {0, 0, 0, 0, -5, 0}, {"L"}),
        element(K::TextFrame, {0, 10, 10, 0, 0, 0, 0, 0, 99, 1, 1, 0, 0, 0, 0}, {"T", ""}),
        element(K::Wire, {0, 0, 0, 5, 0, 0, 10, 0}),  // says 5 points, holds 2
        element(K::Polygon, {0, 0, 0, 0, 0, 3, 0, 0, 10, 0}),
        lineElement(0, 0, 3, 0),
    });
    EXPECT_EQ(outcome, view::DrawOutcome::Complete);
    EXPECT_THAT(s.log(), ElementsAre("line 0,0 15,0", "line 150,0 165,0", "line 0,0 45,0"));
}

}  // namespace
