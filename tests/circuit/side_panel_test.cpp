// The lists of a circuit window's side panel as a student reads them: names
// whole where there is room, every row's full name and value as its tool
// tip, and a disabled window's rows greyed, marks included.
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "circuit/widgets/name_columns.h"
#include "circuit/widgets/register_views.h"
#include "circuit/widgets/state_views.h"
#include "frame_fixture.h"
#include "support/wait_until.h"

using namespace circuittest;
using circuit::widgets::isMarked;
using circuit::widgets::setMarked;

namespace {

// The pixels of a list's rows that are dark or red: text as an enabled list draws it.
struct Ink {
    int dark = 0;
    int red = 0;
};

Ink inkOf(QTreeWidget* list) {
    const QImage image = list->viewport()->grab().toImage();
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) < 90) ++ink.dark;
            if (c.red() > 150 && c.green() < 90 && c.blue() < 90) ++ink.red;
        }
    }
    return ink;
}

QString toolTipAt(QTreeWidget* list, QTreeWidgetItem* item) {
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &help);
    const QString text = QToolTip::text();
    QToolTip::hideText();
    return text;
}

// Whether the item's text in `column` shows whole, not cut short.
bool showsWhole(QTreeWidget* list, QTreeWidgetItem* item, int column) {
    QFont bold = list->font();
    bold.setBold(true);
    return list->columnWidth(column) >= QFontMetrics(bold).horizontalAdvance(item->text(column));
}

}  // namespace

TEST(SidePanel, ADisabledWindowGreysItsRowsMarkedOrNot) {
    BasicFrame f;
    Form7& w = f.window(0);
    ASSERT_FALSE(w.isEnabled());
    // Rows marked and unmarked, as refreshes leave them.
    setMarked(w.ListView2()->topLevelItem(0), true);
    setMarked(w.ListView2()->topLevelItem(1), false);
    setMarked(w.ListView1()->topLevelItem(0), true);
    setMarked(w.ListView1()->topLevelItem(1), false);
    setMarked(w.TreeView1()->topLevelItem(0), true);
    setMarked(w.TreeView2()->topLevelItem(0), true);
    setMarked(w.TreeView2()->topLevelItem(1), false);
    QTreeWidget* lists[] = {w.ListView2(), w.ListView1(), w.TreeView1(), w.TreeView2()};
    for (QTreeWidget* list : lists) {
        const Ink ink = inkOf(list);
        EXPECT_EQ(ink.dark, 0) << list->objectName().toStdString();
        EXPECT_EQ(ink.red, 0) << list->objectName().toStdString();
    }
    f.frame->lab_AutoAddlab()[0]->trigger();
    ASSERT_TRUE(w.isEnabled());
    EXPECT_TRUE(isMarked(w.ListView2()->topLevelItem(0))) << "choosing leaves the marks";
    for (QTreeWidget* list : lists) {
        const Ink ink = inkOf(list);
        EXPECT_GT(ink.dark, 0) << list->objectName().toStdString();
        EXPECT_GT(ink.red, 0) << list->objectName().toStdString();
    }
}

TEST(SidePanel, EveryRowTellsItsFullNameAndValue) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    QTreeWidget* probes = w.ListView2();
    EXPECT_EQ(toolTipAt(probes, probes->topLevelItem(0)), QStringLiteral("Q寄存器: 00"));
    EXPECT_EQ(toolTipAt(probes, probes->topLevelItem(2)), QStringLiteral("寄存器: 00,0000"));

    circuit::widgets::SignalListView* signals_ = w.ListView1();
    QTreeWidgetItem* cp = signals_->rowItem(w.Setup().ClockNet - w.StartSignalNumber());
    EXPECT_EQ(toolTipAt(signals_, cp), QStringLiteral("CP: 0"));

    QTreeWidget* registers = w.TreeView2();
    QTreeWidgetItem* ram = registers->topLevelItem(1);
    ram->setExpanded(true);
    EXPECT_EQ(toolTipAt(registers, ram), QStringLiteral("003 : U4 : 6116"));
    EXPECT_EQ(toolTipAt(registers, ram->child(1)), QStringLiteral("003 : U4 : 6116  8H:  F7 F6 F5 F4 F3 F2 F1 F0"));

    // A clock edge loads the register; the tips follow the refresh.
    f.frame->environment().simulator.ToggleNetAndSettle(0, w.Setup().ClockNet);
    w.RefreshAll();
    EXPECT_EQ(toolTipAt(probes, probes->topLevelItem(0)), QStringLiteral("Q寄存器: 41"));
    EXPECT_EQ(toolTipAt(signals_, cp), QStringLiteral("CP: 1"));
    EXPECT_EQ(toolTipAt(registers, registers->topLevelItem(0)->child(0)), QStringLiteral("000 : U1 : 74LS273  Reg_Q: 41"));
}

TEST(SidePanel, TheNameColumnGetsWhatTheValuesLeaveAndHalfAtLeast) {
    const struct Case {
        int room, names, values, width;
    } cases[] = {
        {300, 120, 40, 120},  // room for both
        {160, 120, 40, 120},  // just
        {150, 120, 40, 110},  // the values keep theirs
        {150, 120, 100, 75},  // but the names keep half
        {150, 60, 100, 60},   // never more than the names need
        {0, 60, 20, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(circuit::widgets::nameColumnWidth(c.room, c.names, c.values), c.width)
            << c.room << " " << c.names << " " << c.values;
}

TEST(SidePanel, NameColumnsFitTheLongestNameAndFollowTheListsWidth) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    struct List {
        QTreeWidget* list;
        int nameColumn;
    } lists[] = {{w.ListView2(), 0}, {w.ListView1(), 1}};
    for (const List& l : lists) {
        SCOPED_TRACE(l.list->objectName().toStdString());
        QTreeWidget* list = l.list;
        const int last = list->columnCount() - 1;
        // A name longer than any design width; the list out of the panel's
        // layout, to size it freely.
        list->topLevelItem(1)->setText(l.nameColumn, QStringLiteral("标志寄存器CY,Z,V,S与微程序地址"));
        list->setParent(nullptr);
        list->resize(600, 300);
        list->show();
        ASSERT_TRUE(testsupport::waitUntil([&] { return list->viewport()->width() > 500; }));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list->topLevelItem(i);
            for (int c = 0; c < last; ++c) ASSERT_TRUE(showsWhole(list, item, c)) << i << " " << item->text(c).toStdString();
        }
        EXPECT_LT(list->columnViewportPosition(last), 300) << "no wider than the names need";

        // Narrower than names and values need: the values keep their room as
        // far as the names keep half.
        list->resize(90, 300);
        ASSERT_TRUE(testsupport::waitUntil([&] { return list->viewport()->width() < 90; }));
        const int room = list->viewport()->width() - list->columnViewportPosition(l.nameColumn);
        EXPECT_GE(list->columnWidth(l.nameColumn), room / 2);
        EXPECT_LE(list->columnViewportPosition(last), list->viewport()->width()) << "the values stay in view";
        delete list;
    }
}
