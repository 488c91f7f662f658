// A circuit window's console, register tree, probe list, conflict log and
// hot-element feedback, offscreen on the fixture circuits.
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include "circuit/conflict_report.h"
#include "circuit/environment.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/console_part.h"
#include "circuit/widgets/form13.h"
#include "circuit/widgets/operator_console.h"
#include "circuit/widgets/register_views.h"
#include "circuit/widgets/state_views.h"
#include "frame_fixture.h"
#include "sampler/widgets/form2.h"
#include "schgen/sch_writer.h"
#include "sim/simulator.h"
#include "support/wait_until.h"
#include "view/widgets/user_control1.h"

using circuit::widgets::Form13;
using circuit::widgets::OperatorConsole;
using circuit::widgets::RegisterViews;
using circuit::widgets::isMarked;
using namespace circuittest;

namespace {

OperatorConsole& consoleOf(const Form7& w) {
    OperatorConsole* c = OperatorConsole::of(w);
    EXPECT_TRUE(c);
    return *c;
}

// The probe list's row with that title.
QTreeWidgetItem* probeRow(const Form7& w, const char* title) {
    for (int i = 0; i < w.ListView2()->topLevelItemCount(); ++i)
        if (w.ListView2()->topLevelItem(i)->text(0) == QString::fromUtf8(title)) return w.ListView2()->topLevelItem(i);
    ADD_FAILURE() << "no probe row " << title;
    static QTreeWidgetItem none;
    return &none;
}

// The console's shown controls, top to bottom and left to right.
QStringList shownRows(const Form7& w) {
    QList<QWidget*> shown;
    for (QWidget* c : w.Frame1()->findChildren<QWidget*>())
        if (!c->objectName().isEmpty() && c->objectName() != QStringLiteral("ConsoleRows") && c->isVisibleTo(w.Frame1()) &&
            (qobject_cast<QPushButton*>(c) || qobject_cast<QLineEdit*>(c) || qobject_cast<QLabel*>(c)))
            shown << c;
    const auto place = [&](QWidget* c) {
        const QPoint p = c->mapTo(w.Frame1(), QPoint(0, 0));
        return std::pair(p.y(), p.x());
    };
    std::sort(shown.begin(), shown.end(), [&](QWidget* a, QWidget* b) { return place(a) < place(b); });
    QStringList rows;
    for (QWidget* c : shown) {
        QString text;
        if (auto* b = qobject_cast<QPushButton*>(c)) text = b->text();
        else if (auto* e = qobject_cast<QLineEdit*>(c)) text = e->text();
        else text = qobject_cast<QLabel*>(c)->text();
        rows << c->objectName() + QLatin1Char(' ') + text;
    }
    return rows;
}

QString lastDebugLine() {
    const QString text = sampler::Form2::instance()->Text3()->toPlainText();
    return text.mid(text.lastIndexOf(QLatin1Char('\n')) + 1);
}

}  // namespace

TEST(Console, BuiltFromTheSetupInRowOrder) {
    BasicFrame f([](QDir data) {
        // A clock without continuous running, and no reset.
        Drawing d;
        const int32_t u1 = d.place("U1", "74LS273", 20);
        d.net(u1, 3, "D0");
        d.net(u1, 11, "CP");
        d.stimulus("CLK(NS/C):CP 0");
        d.stimulus("D0 1");
        EXPECT_TRUE(schgen::writeSchFile(d.b.sheet(), data.filePath(QStringLiteral("stepclock.sch")).toStdString()));
    });
    Form7& basic = f.window(0);
    basic.resize(1400, 1600);  // room for every row
    EXPECT_EQ(shownRows(basic),
              (QStringList{"Command10_0 载入RAM", "Command11_0 保存ROM", "Command6 RST 复位", "Command5 S/C=单步",
                           "Command8 CP 跳变", "Command7 CP 脉冲", "Text3 10000", "Command9_0 OE1=1", "Command9_1 OE2=1",
                           "Command9_2 CS=1", "Command9_3 RD=1", "Command9_4 WR=1", "Command9_5 ROMCS=1",
                           "Command9_6 CS51=1", "Command9_7 CD=0", "Command9_8 RD51=1", "Command9_9 WR51=1",
                           "Label11_0 D7..0", "Text4_0 41H"}));
    EXPECT_EQ(basic.Text4Edited, 0);
    EXPECT_EQ(consoleOf(basic).Text4()[0]->maxLength(), 9);
    EXPECT_EQ(consoleOf(basic).Text3()->maxLength(), 8);
    EXPECT_FALSE(consoleOf(basic).Timer1()->isActive());

    ASSERT_EQ(f.frame->OpenCircuitWindow(f.data().filePath(QStringLiteral("inverter.sch"))), 1);
    EXPECT_EQ(shownRows(f.window(1)), QStringList{"Command9_0 A=0"}) << "no clock, reset, memory data or bus";
    OperatorConsole& inverter = consoleOf(f.window(1));
    for (QWidget* hidden : std::initializer_list<QWidget*>{inverter.Command6(), inverter.Command7(), inverter.Command8(),
                                                           inverter.Text3(), f.window(1).Command5(), inverter.Text4()[0],
                                                           inverter.Command10()[0], inverter.Command11()[0]})
        EXPECT_FALSE(hidden->isEnabled()) << hidden->objectName().toStdString();

    ASSERT_EQ(f.frame->OpenCircuitWindow(f.data().filePath(QStringLiteral("stepclock.sch"))), 1);
    EXPECT_EQ(shownRows(f.window(2)), (QStringList{"Command8 CP 跳变", "Command7 CP 脉冲", "Text3 10000", "Command9_0 D0=1"}))
        << "single step only: no run-mode toggle";
    EXPECT_EQ(f.window(2).Command5()->text(), QStringLiteral("S/C=单步"));
}

TEST(Console, SwitchingAndPulsingShowInTheViews) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    OperatorConsole& console = consoleOf(w);

    QPushButton* oe2 = console.Command9()[1];
    QTest::mouseClick(oe2, Qt::LeftButton);
    EXPECT_EQ(oe2->text(), QStringLiteral("OE2=0"));
    QTreeWidgetItem* bus = probeRow(w, "总线");
    EXPECT_EQ(bus->text(1), QStringLiteral("4,1"));
    EXPECT_TRUE(isMarked(bus));
    EXPECT_EQ(bus->foreground(1).color(), QColor(255, 0, 0));

    console.Text3()->setText(QStringLiteral("1"));
    const int lines = sampler::Form2::instance()->Text3()->document()->blockCount();
    QTest::mouseClick(console.Command7(), Qt::LeftButton);
    EXPECT_EQ(console.Command7()->text(), QStringLiteral("CP 脉冲"));
    EXPECT_TRUE(console.Command7()->isEnabled());
    EXPECT_EQ(probeRow(w, "Q寄存器")->text(1), QStringLiteral("41"));
    EXPECT_EQ(probeRow(w, "寄存器")->text(1), QStringLiteral("41,0000"));
    EXPECT_FALSE(isMarked(bus)) << "unchanged since the last refresh";
    QTreeWidgetItem* u1 = RegisterViews::of(w)->nodeItem(0);
    EXPECT_TRUE(isMarked(u1));
    EXPECT_EQ(u1->child(0)->text(0), QStringLiteral("Reg_Q: 41"));
    EXPECT_EQ(sampler::Form2::instance()->Text3()->document()->blockCount(), lines + 1) << "one timing line";
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d{6}\\(\\d+\\.\\d{2}\\) \\d+\\.\\d{6} \\d{2,}\\.\\d{6}$"))
                    .match(lastDebugLine())
                    .hasMatch())
        << lastDebugLine().toStdString();

    // Reset held clears the register at once; released, it stays clear.
    QTest::mousePress(console.Command6(), Qt::LeftButton);
    EXPECT_EQ(probeRow(w, "Q寄存器")->text(1), QStringLiteral("00"));
    QTest::mouseRelease(console.Command6(), Qt::LeftButton);
    EXPECT_EQ(probeRow(w, "Q寄存器")->text(1), QStringLiteral("00"));
    EXPECT_EQ(f.frame->environment().simulator.NetTable[static_cast<std::size_t>(w.Setup().ResetNet)].Value, 1);

    // An edge up clocks the switches in again; terminal output is passed on after the refresh.
    std::vector<QString> atFlush;
    f.frame->parts().flush8251Output = [&](Form7& form) { atFlush.push_back(probeRow(form, "Q寄存器")->text(1)); };
    QTest::mouseClick(console.Command8(), Qt::LeftButton);
    EXPECT_EQ(atFlush, std::vector<QString>{QStringLiteral("41")});
    EXPECT_EQ(console.Command8()->text(), QStringLiteral("CP 跳变"));
}

TEST(Console, BusAndCountBoxesTakeOnlyTheirKeys) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    OperatorConsole& console = consoleOf(w);
    const sim::Simulator& s = f.frame->environment().simulator;
    auto busValue = [&] {
        int v = 0;
        for (int32_t net : w.Setup().InBuses[0].Nets) v = 2 * v + s.NetTable[static_cast<std::size_t>(net)].Value;
        return v;
    };
    QLineEdit* box = console.Text4()[0];
    f.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.frame.get()));
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("1xFz.F-H"));
    EXPECT_EQ(box->text(), QStringLiteral("1FFH"));
    EXPECT_EQ(w.Text4Edited, 1);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->text(), QStringLiteral("FFH"));
    EXPECT_EQ(busValue(), 0xFF);
    EXPECT_EQ(w.Text4Edited, 0);

    // Esc puts the bus's value back; losing the focus commits that value once.
    QTest::keyClicks(box, QStringLiteral("12"));
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(box->text(), QStringLiteral("FFH"));
    EXPECT_EQ(w.Text4Edited, 1);
    console.Text3()->setFocus();
    EXPECT_EQ(w.Text4Edited, 0);
    EXPECT_EQ(busValue(), 0xFF);

    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("300"));
    console.Text3()->setFocus();
    EXPECT_EQ(box->text(), QStringLiteral("2CH"));
    EXPECT_EQ(busValue(), 0x2C);

    QLineEdit* count = console.Text3();
    count->selectAll();
    QTest::keyClicks(count, QStringLiteral("a3-b7 "));
    EXPECT_EQ(count->text(), QStringLiteral("37"));
    QTest::keyClick(count, Qt::Key_Backspace);
    EXPECT_EQ(count->text(), QStringLiteral("3"));

    // Delete edits both boxes as it does any box, although it comes with the character DEL.
    for (QLineEdit* edited : {count, box}) {
        edited->setFocus();
        edited->setText(QStringLiteral("12H"));
        edited->setCursorPosition(0);
        QTest::sendKeyEvent(QTest::Click, edited, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
        EXPECT_EQ(edited->text(), QStringLiteral("2H")) << edited->objectName().toStdString();
    }
}

// A button disables itself while its command runs; the focus must not pass
// on to a bus box meanwhile, where the next key would edit the bus.
TEST(Console, AClickedButtonKeepsTheFocus) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    OperatorConsole& console = consoleOf(w);
    f.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.frame.get()));
    QLineEdit* bus = console.Text4()[0];
    const QString busText = bus->text();
    console.Text3()->setText(QStringLiteral("1"));
    for (QPushButton* button : {console.Command9()[0], console.Command8(), console.Command7()}) {
        SCOPED_TRACE(button->objectName().toStdString());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), button);
        EXPECT_TRUE(button->isEnabled());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
        EXPECT_EQ(bus->text(), busText);
        EXPECT_EQ(w.Text4Edited, 0);
    }
    // The box still takes the focus when the student tabs to it.
    console.Command7()->setFocus();
    QTest::keyClick(console.Command7(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), console.Text3());
}

// Reset is held, and looks pressed, while any mouse button is down on it, a
// double click included.
TEST(Console, ResetAnswersEveryMouseButton) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    QPushButton* reset = consoleOf(w).Command6();
    const sim::Simulator& s = f.frame->environment().simulator;
    const auto level = [&] { return s.NetTable[static_cast<std::size_t>(w.Setup().ResetNet)].Value; };
    const int idle = level();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(button);
        QTest::mousePress(reset, button);
        EXPECT_EQ(level(), 1 - idle);
        EXPECT_TRUE(reset->isDown());
        QTest::mouseRelease(reset, button);
        EXPECT_EQ(level(), idle);
        EXPECT_FALSE(reset->isDown());
        // As the window system delivers it: press, release, press, double click, release.
        QWindow* window = reset->window()->windowHandle();
        QTest::mouseDClick(window, button, {}, window->mapFromGlobal(reset->mapToGlobal(reset->rect().center())));
        EXPECT_EQ(level(), idle) << "each press has its release";
        EXPECT_FALSE(reset->isDown());
    }
}

TEST(Console, TheRunModeToggleAndTheDelayedRefreshes) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    OperatorConsole& console = consoleOf(w);
    circuit::Environment& env = f.frame->environment();
    int refreshes = 0, starts = 0, stops = 0, flushes = 0;
    const auto report = f.frame->parts().reportConflicts;
    f.frame->parts().reportConflicts = [&](Form7& form) {
        ++refreshes;
        report(form);
    };
    f.frame->parts().startContinuousRun = [&](Form7&) {
        ++starts;
        EXPECT_EQ(refreshes, 1) << "refreshed first";
    };
    f.frame->parts().flush8251Output = [&](Form7&) { ++flushes; };
    env.beforeRunStops = [&] { ++stops; };

    QTest::mouseClick(w.Command5(), Qt::LeftButton);
    EXPECT_EQ(w.Command5()->text(), QStringLiteral("S/C=连续"));
    EXPECT_EQ(env.StopFlag, 0);
    EXPECT_EQ(env.RunClockNet, w.Setup().ClockNet);
    EXPECT_EQ(starts, 1);

    // During a run a switch refreshes at once and on four ticks after.
    refreshes = 0;
    QTest::mouseClick(console.Command9()[0], Qt::LeftButton);
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(console.Timer1()->isActive());
    ASSERT_TRUE(testsupport::waitUntil([&] { return !console.Timer1()->isActive(); }, 10000));
    EXPECT_EQ(refreshes, 5);
    // The clock buttons refresh nothing during a run, but pass terminal output on.
    QTest::mouseClick(console.Command8(), Qt::LeftButton);
    console.Text3()->setText(QStringLiteral("2"));
    QTest::mouseClick(console.Command7(), Qt::LeftButton);
    EXPECT_EQ(refreshes, 5);
    EXPECT_EQ(flushes, 2);

    QTest::mouseClick(w.Command5(), Qt::LeftButton);
    EXPECT_EQ(w.Command5()->text(), QStringLiteral("S/C=单步"));
    EXPECT_EQ(env.StopFlag, -1);
    EXPECT_EQ(stops, 1) << "through the one stop routine";
    EXPECT_EQ(refreshes, 6);
}

TEST(ConflictLog, ABusConflictReachesTheLogAndClearingStartsAgain) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    OperatorConsole& console = consoleOf(w);
    sim::Simulator& s = f.frame->environment().simulator;
    w.RefreshAll();
    EXPECT_EQ(Form13::find(*f.frame), nullptr) << "no conflict, no log window";

    // OE2 first: U3 owns the bus; then U2 drives it too.
    QTest::mouseClick(console.Command9()[1], Qt::LeftButton);
    QTest::mouseClick(console.Command9()[0], Qt::LeftButton);
    Form13* log = Form13::find(*f.frame);
    ASSERT_TRUE(log);
    EXPECT_FALSE(log->isVisible()) << "a report fills the log without showing it";
    QStringList lines = log->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], circuit::conflictLogHeader());
    QStringList buses;
    for (int i = 1; i <= 8; ++i) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral(
            "^(\\d+) : 信号\\((\\d+), (BUS\\d)\\), 多个器件\\([01], 2, U3, 74LS244\\) \\([01], 1, U2, 74LS244\\)$")).match(lines[i]);
        ASSERT_TRUE(m.hasMatch()) << lines[i].toStdString();
        EXPECT_EQ(m.captured(1).toInt(), i - 1);
        buses << m.captured(3);
    }
    buses.sort();
    EXPECT_EQ(buses, (QStringList{"BUS0", "BUS1", "BUS2", "BUS3", "BUS4", "BUS5", "BUS6", "BUS7"}));
    w.RefreshAll();
    EXPECT_EQ(log->text().count(QLatin1Char('\n')), 9) << "nothing new, nothing added";

    f.frame->menuItem(QStringLiteral("WinList_ErrorWorry"))->trigger();
    EXPECT_TRUE(log->isVisible());
    log->Command1()->click();  // "清除提示"
    EXPECT_TRUE(log->text().isEmpty());
    EXPECT_EQ(s.ConflictEventCount, 0);
    EXPECT_EQ(s.ConflictWriteIndex, 0);

    // The next conflicts start with the header and event 0 again.
    QTest::mouseClick(console.Command9()[0], Qt::LeftButton);
    QTest::mouseClick(console.Command9()[0], Qt::LeftButton);
    lines = log->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], circuit::conflictLogHeader());
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("0 : 信号("))) << lines[1].toStdString();
}

TEST(HotElements, TooltipsFollowThePointerAndTheRun) {
    BasicFrame f;
    Form7& w = f.window(0);
    circuit::Environment& env = f.frame->environment();
    view::UserControl1* schematic = w.UserControl11(1);
    const int32_t rst = w.Setup().ResetNet;
    emit schematic->HotElement(0x110000);  // U1's body
    EXPECT_EQ(schematic->toolTip(), QStringLiteral("Ic :0 :U1 :74LS273 :Reg_(Q=0)"));
    emit schematic->HotElement(0x110003);
    EXPECT_EQ(schematic->toolTip(), QStringLiteral("Ic :3 :U4 :6116"));
    emit w.UserControl11(0)->HotElement(rst);
    EXPECT_EQ(w.UserControl11(0)->toolTip(), QStringLiteral("Signal :%1 :RST :1").arg(rst));
    env.StopFlag = 0;
    emit schematic->HotElement(0x110000);
    EXPECT_EQ(schematic->toolTip(), QStringLiteral("Ic :0 :U1 :74LS273"));
    emit schematic->HotElement(0x100000 + rst);
    EXPECT_EQ(schematic->toolTip(), QStringLiteral("Signal :%1 :RST").arg(rst));
    emit schematic->HotElement(-1);
    EXPECT_TRUE(schematic->toolTip().isEmpty());
    env.StopFlag = -1;
}

TEST(HotElements, ALeftClickSelectsInTheListsAndTrees) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    view::UserControl1* schematic = w.UserControl11(1);
    QTreeWidget* registers = w.TreeView2();
    const int32_t rst = w.Setup().ResetNet;

    emit schematic->HotElementClick(1, rst);
    EXPECT_EQ(circuit::widgets::SignalListView::keyOf(w.ListView1()->currentItem()),
              QStringLiteral("SignalName_%1").arg(rst - w.StartSignalNumber()));

    // U1 has registers: both trees select it and flip their nodes alike.
    emit schematic->HotElementClick(1, 0x110000);
    EXPECT_EQ(w.TreeView1()->currentItem(), w.TreeView1()->icItem(0));
    EXPECT_TRUE(w.TreeView1()->icItem(0)->isExpanded());
    QTreeWidgetItem* u1 = RegisterViews::of(w)->nodeItem(0);
    EXPECT_EQ(registers->currentItem(), u1);
    EXPECT_TRUE(u1->isExpanded());
    emit schematic->HotElementClick(1, 0x110000);
    EXPECT_FALSE(w.TreeView1()->icItem(0)->isExpanded());
    EXPECT_FALSE(u1->isExpanded());

    // U2 has none: the register tree is left alone.
    emit schematic->HotElementClick(1, 0x110001);
    EXPECT_EQ(w.TreeView1()->currentItem(), w.TreeView1()->icItem(1));
    EXPECT_TRUE(w.TreeView1()->icItem(1)->isExpanded());
    EXPECT_EQ(registers->currentItem(), u1);

    // A right click, nothing under the pointer, or an IC of another circuit do nothing.
    QTreeWidgetItem* current = w.TreeView1()->currentItem();
    emit schematic->HotElementClick(2, 0x110000);
    emit schematic->HotElementClick(1, -1);
    emit schematic->HotElementClick(1, 0x110000 + 100);
    EXPECT_EQ(w.TreeView1()->currentItem(), current);
    EXPECT_TRUE(w.TreeView1()->icItem(1)->isExpanded());
    EXPECT_FALSE(w.TreeView1()->icItem(0)->isExpanded());
}

TEST(RegisterViews, FilledAndUnmarkedAfterTheLoad) {
    BasicFrame f;
    Form7& w = f.window(0);
    QTreeWidget* probes = w.ListView2();
    EXPECT_EQ(probes->columnCount(), 2);
    EXPECT_EQ(probes->headerItem()->text(0), QStringLiteral("名称"));
    EXPECT_EQ(probes->headerItem()->text(1), QStringLiteral("值"));
    EXPECT_EQ(topTexts(probes), (QStringList{"Q寄存器", "总线", "寄存器"}));
    for (int i = 0; i < probes->topLevelItemCount(); ++i) EXPECT_FALSE(isMarked(probes->topLevelItem(i))) << i;
    QTreeWidget* tree = w.TreeView2();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        ASSERT_FALSE(isMarked(tree->topLevelItem(i))) << i;
        for (int r = 0; r < tree->topLevelItem(i)->childCount(); ++r) ASSERT_FALSE(isMarked(tree->topLevelItem(i)->child(r)));
    }
    // The RAM image's first bytes, in two digits since the load's refreshes.
    EXPECT_EQ(RegisterViews::of(w)->nodeItem(3)->child(0)->text(0), QStringLiteral("0H:  FF FE FD FC FB FA F9 F8"));

    // A circuit without probes shows the one column and no rows.
    ASSERT_EQ(f.frame->OpenCircuitWindow(f.data().filePath(QStringLiteral("inverter.sch"))), 1);
    QTreeWidget* none = f.window(1).ListView2();
    EXPECT_EQ(none->columnCount(), 1);
    EXPECT_EQ(none->headerItem()->text(0), QStringLiteral("没有数据显示"));
    EXPECT_EQ(none->topLevelItemCount(), 0);
    EXPECT_EQ(f.window(1).TreeView2()->topLevelItemCount(), 0);
}

// Shrinking the log window to almost nothing and growing it again leaves the
// log and the buttons inside it.
TEST(ConflictLog, TheWindowKeepsItsControlsInsideAfterAShrinkAndAGrow) {
    MDIForm1 frame;
    frame.menuItem(QStringLiteral("WinList_ErrorWorry"))->trigger();
    Form13* log = Form13::find(frame);
    ASSERT_TRUE(log);
    for (QSize size : {QSize(60, 60), QSize(700, 450), QSize(90, 300), QSize(500, 500)}) {
        SCOPED_TRACE(size.width());
        log->resize(size);
        QApplication::sendPostedEvents();
        log->layout()->activate();
        const QRect inside = log->rect();
        for (QWidget* c : std::initializer_list<QWidget*>{log->Text4(), log->Command1(), log->Command9()})
            EXPECT_TRUE(inside.contains(c->geometry())) << c->objectName().toStdString();
        EXPECT_LT(log->Text4()->geometry().bottom(), log->Command1()->geometry().top());
    }
}
