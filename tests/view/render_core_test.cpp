// Zoom and line-width tables, the two coordinate mappings, width codes and
// font table.

#include <gtest/gtest.h>

#include "view/font_slots.h"
#include "view/render_context.h"
#include "view/zoom_tables.h"
#include "view_scene.h"

namespace {

using namespace view;

TEST(ZoomTables, HoldTheBuiltInConstants) {
    EXPECT_FLOAT_EQ(zoomFactor(-5), 0.1f);
    EXPECT_FLOAT_EQ(zoomFactor(0), 1.0f);
    EXPECT_FLOAT_EQ(zoomFactor(3), 3.51f);
    EXPECT_FLOAT_EQ(zoomFactor(5), 8.01f);
    // Literal table values, not recomputed (5 x 0.7 = 3.5 would round to 4 either way; 7 x 0.7 = 4.9 -> 5).
    EXPECT_EQ(lineWidthPx(5, -1), 4);
    EXPECT_EQ(lineWidthPx(1, 3), 4);
    EXPECT_EQ(lineWidthPx(7, 3), 25);
    EXPECT_EQ(lineWidthPx(3, -3), 1);
    EXPECT_EQ(lineWidthPx(7, 5), 56);
    // Out-of-range levels and widths stay inside the table.
    EXPECT_EQ(lineWidthPx(1, 9), 8);
    EXPECT_EQ(lineWidthPx(0, 0), 1);
}

TEST(Mappings, PixelsRoundHalvesToEvenAndTheOriginTruncates) {
    viewtest::Scene s;
    s.zoom = 0.5f;
    RenderContext ctx = s.context();
    EXPECT_EQ(pixelPoint(ctx, 5, 7), (PixelPoint{2, 4}));
    s.zoom = 1.5f;
    ctx = s.context();
    EXPECT_EQ(pixelPoint(ctx, 15, 21), (PixelPoint{22, 32}));  // 22.5 -> 22, 31.5 -> 32
    ctx.originX = -25;  // -25 \ 15 = -1, not -2
    ctx.originY = 29;   // 29 \ 15 = 1
    EXPECT_EQ(pixelOriginX(ctx), -1);
    EXPECT_EQ(pixelPoint(ctx, 0, 0), (PixelPoint{-1, 1}));
}

TEST(Mappings, TwipsUseTwipsPerUnitAndTheOrigin) {
    viewtest::Scene s;
    s.level = 1;
    s.originX = 100;
    s.originY = -50;
    const RenderContext ctx = s.context();
    EXPECT_FLOAT_EQ(ctx.twipsPerUnit, 22.5f);
    EXPECT_EQ(twipsPoint(ctx, 10, 20), (TwipsPoint{325, 400}));
    EXPECT_FLOAT_EQ(twipsLength(ctx, 2.4), 54.0f);
}

TEST(Mappings, FarPixelsAreRefusedNotWrapped) {
    viewtest::Scene s;
    s.level = 3;
    const RenderContext ctx = s.context();
    EXPECT_FALSE(pixelPoint(ctx, int64_t(INT32_MAX) * 2, 0).has_value());
    EXPECT_TRUE(pixelPoint(ctx, 6500, 6500).has_value());
}

TEST(WidthClass, CodesMapThroughTheTableAndBusesTakeTheirColumn) {
    struct Case {
        int64_t code;
        int level;
        bool bus;
        std::optional<int> px;
    } cases[] = {
        {0, 3, false, 1},  {1, 3, false, 4},  {2, 3, false, 11}, {3, 3, false, 18},
        {0, 0, true, 2},   {1, 0, true, 3},   {3, 0, true, 7},   {3, 3, true, 25},
        {4, 0, false, {}}, {-1, 0, true, {}}, {7, 2, false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WidthClass(c.code, c.level, c.bus), c.px) << c.code << " at " << c.level << (c.bus ? " bus" : "");
}

TEST(FontSlots, HeightsFollowTheZoomAndNeverVanish) {
    EXPECT_EQ(fontCellHeight(0.5f, 10), 5);
    EXPECT_EQ(fontCellHeight(1.5f, 7), 10);  // 10.5 -> 10
    EXPECT_EQ(fontCellHeight(0.1f, 4), 1);   // 0.4 rounds to 0: drawn 1 pixel high, not at a default size
    EXPECT_EQ(fontCellHeight(0.1f, 0), 1);
    EXPECT_EQ(fontCellHeight(3.51f, 10), 35);
}

TEST(FontSlots, TurnedSlotsCopyTheFirstFontWithTheirOwnEscapement) {
    schematic::SchSheet sheet;
    sheet.fontSlotMax = 5;
    sheet.fonts.resize(6);
    sheet.fonts[3] = schematic::SchFont{10, 90, 1, 1, 1, 0, "Times New Roman"};
    sheet.fonts[4] = schematic::SchFont{12, 0, 0, 0, 0, 1, "宋体"};
    const FontSlots table = FontSlots::build(sheet, 0.5f);
    ASSERT_EQ(table.size(), 6u);
    EXPECT_EQ(table.slot(3)->escapement, 900);
    EXPECT_EQ(table.slot(3)->height, 5);
    EXPECT_TRUE(table.slot(3)->bold && table.slot(3)->italic && table.slot(3)->underline);
    EXPECT_EQ(table.slot(3)->face, QStringLiteral("Times New Roman"));
    EXPECT_EQ(table.slot(0)->escapement, 900);  // set, not added to slot 3's 900
    EXPECT_EQ(table.slot(1)->escapement, 1800);
    EXPECT_EQ(table.slot(2)->escapement, 2700);
    EXPECT_EQ(table.slot(0)->face, table.slot(3)->face);
    EXPECT_EQ(table.byId(2)->face, QStringLiteral("宋体"));
    EXPECT_EQ(table.byId(2)->height, 6);
    EXPECT_TRUE(table.byId(2)->strikeOut);
    // The last slot is the canvas's own font; past it there is none.
    EXPECT_EQ(table.slot(5)->face, QString::fromLatin1(kCanvasFontFace));
    EXPECT_EQ(table.slot(6), nullptr);
    EXPECT_EQ(table.slot(-1), nullptr);
    EXPECT_EQ(table.byId(99), nullptr);
}

TEST(FontSlots, ASheetWithoutFontsStillHasTheFirstSlots) {
    schematic::SchSheet sheet;
    sheet.fontSlotMax = 3;
    sheet.fonts.resize(4);
    const FontSlots table = FontSlots::build(sheet, 2.3f);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table.slot(3)->face, QString::fromLatin1(kCanvasFontFace));
    EXPECT_EQ(table.slot(3)->height, 23);
    EXPECT_EQ(table.slot(0)->escapement, 900);
    EXPECT_EQ(table.byId(1), table.slot(3));
    EXPECT_EQ(table.byId(2), nullptr);
}

}  // namespace
