#include "schematic/sch_model.h"

#include <gtest/gtest.h>

namespace schematic {
namespace {

SchElement partElement(int32_t compIndex, int32_t partNo) {
    SchElement e;
    e.kind = SchElementKind::Part;
    e.params.assign(part_param::Count, 0);
    e.params[part_param::CompIndex] = compIndex;
    e.params[part_param::PartNo] = partNo;
    e.texts.assign(4, "");
    return e;
}

TEST(SchModel, PartGraphicsResolvesOnlyIndexesThatNameAPart) {
    SchSheet sheet;
    sheet.comps.resize(2);
    sheet.comps[1].parts.resize(3);
    sheet.comps[1].parts[2].elements.push_back(SchElement{SchElementKind::Rectangle, {1, 2, 3, 4}, 0, {}});

    const SchPartGraphics* g = sheet.partGraphics(partElement(1, 3));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g, &sheet.comps[1].parts[2]);

    struct Case { int32_t comp, partNo; } bad[] = {{2, 1}, {-1, 1}, {0, 1}, {1, 0}, {1, 4}, {1, -2147483647 - 1}};
    for (auto c : bad) EXPECT_EQ(sheet.partGraphics(partElement(c.comp, c.partNo)), nullptr) << c.comp << "/" << c.partNo;

    SchElement notAPart = partElement(1, 3);
    notAPart.kind = SchElementKind::Wire;
    EXPECT_EQ(sheet.partGraphics(notAPart), nullptr);
}

TEST(SchModel, FontByIdUsesSlotIdPlusTwoAndRejectsMissingSlots) {
    SchSheet sheet;
    sheet.fontSlotMax = 4;
    sheet.fonts.resize(5);
    sheet.fonts[3].faceName = "Times New Roman";
    ASSERT_NE(sheet.fontById(1), nullptr);
    EXPECT_EQ(sheet.fontById(1)->faceName, "Times New Roman");
    EXPECT_NE(sheet.fontById(2), nullptr);  // the empty last slot exists
    EXPECT_EQ(sheet.fontById(3), nullptr);
    EXPECT_EQ(sheet.fontById(-3), nullptr);
    EXPECT_EQ(sheet.fontById(2147483647), nullptr);
}

TEST(SchModel, AccessorsGiveZeroAndEmptyBeyondTheRecordAndClearEmpties) {
    SchElement e{SchElementKind::NetLabel, {40, 180, 0, 0, 1, 0}, 0, {"A"}};
    EXPECT_EQ(e.param(1), 180);
    EXPECT_EQ(e.param(6), 0);
    EXPECT_EQ(e.text(0), "A");
    EXPECT_EQ(e.text(1), "");

    SchSheet sheet;
    EXPECT_TRUE(sheet.empty());
    sheet.orientation = 1;
    sheet.sheetSizeA = 1500;
    sheet.sheetSizeB = 950;
    EXPECT_EQ(sheet.sheetHeight(), 1500);
    sheet.orientation = 0;
    EXPECT_EQ(sheet.sheetHeight(), 950);
    sheet.elements.push_back(e);
    EXPECT_FALSE(sheet.empty());
    sheet.clear();
    EXPECT_TRUE(sheet.empty());
    EXPECT_STREQ(kindKeyword(SchElementKind::EllipticalArc), "EllipticalArc");
}

}  // namespace
}  // namespace schematic
