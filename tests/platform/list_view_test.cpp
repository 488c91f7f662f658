#include "platform/widgets/list_view.h"

#include <gtest/gtest.h>

using platform::ListView;

TEST(ListView, RowsAndCellsByKey) {
    ListView list;
    list.addColumn("MemoryAddress", QStringLiteral("地址"));
    list.addColumn("MemoryValue", QStringLiteral("值"), Qt::AlignHCenter);
    list.addColumn("MemoryDisp", QStringLiteral("显示"), Qt::AlignHCenter);
    EXPECT_EQ(list.columnOf("MemoryValue"), 1);
    EXPECT_EQ(list.columnOf("nothing"), -1);
    EXPECT_EQ(list.headerItem()->text(2), QStringLiteral("显示"));

    ASSERT_NE(list.addRow("Address1", ""), nullptr);
    EXPECT_TRUE(list.addCell("Address1", "Address1Value1", ""));
    EXPECT_TRUE(list.addCell("Address1", "Address1Disp1", ""));
    EXPECT_FALSE(list.addCell("Address1", "Address1Extra", "")) << "no fourth column";
    EXPECT_FALSE(list.addCell("Address2", "Address2Value2", "")) << "unknown row";
    EXPECT_EQ(list.addRow("Address1", "again"), nullptr) << "keys are unique";

    EXPECT_TRUE(list.setCellText("Address1Disp1", "AB"));
    EXPECT_EQ(list.text("Address1", 2), "AB");
    EXPECT_EQ(list.cellText("Address1Disp1"), "AB");
    EXPECT_EQ(list.row("Address1")->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(list.setCellText("nope", "x"));
    EXPECT_EQ(list.rowKey(0), "Address1");

    list.clearRows();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.row("Address1"), nullptr);
    EXPECT_EQ(list.columnCount(), 3);
}
