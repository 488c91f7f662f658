// The frame with circuit windows loaded from fixture folders: the experiment
// menu, choosing experiments, what a loaded window shows, and the IC tree and
// signal list under the mouse.
#include <QAction>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include "circuit/environment.h"
#include "circuit/widgets/band_bar.h"
#include "circuit/widgets/experiment_pane.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/mdi_form1.h"
#include "circuit/widgets/state_views.h"
#include "frame_fixture.h"
#include "platform/widgets/rich_text_box.h"
#include "sim/simulator.h"
#include "support/scripted_prompter.h"
#include "view/widgets/user_control1.h"

using circuit::widgets::ExperimentPane;
using circuit::widgets::Form7;
using circuit::widgets::IcTreeView;
using circuit::widgets::MDIForm1;
using circuit::widgets::SignalListView;
using namespace circuittest;

TEST(CircuitWindow, TheExperimentMenuAfterOneAndTwoCircuits) {
    BasicFrame f;
    ASSERT_EQ(f.frame->circuitWindows().size(), 1u);
    EXPECT_TRUE(f.prompter.messages().empty());
    EXPECT_TRUE(f.frame->lab()->menuAction()->isEnabled());
    EXPECT_EQ(f.frame->lab()->title(), QStringLiteral("电路实验（共 1个电路、2个实验）"));
    EXPECT_EQ(f.labTexts(), (QStringList{"电路 1 的实验 1 : 寄存器实验", "电路 1 的实验 2 : 总线实验"}));
    EXPECT_TRUE(f.checked().empty());
    Form7& first = f.window(0);
    EXPECT_FALSE(first.isEnabled()) << "disabled until an experiment is chosen";
    EXPECT_TRUE(first.subWindow()->isMaximized());
    EXPECT_EQ(first.caption(), QStringLiteral("电路"));

    ASSERT_EQ(f.frame->OpenCircuitWindow(f.data().filePath(QStringLiteral("inverter.sch"))), 1);
    Form7& second = f.window(1);
    EXPECT_EQ(f.frame->lab()->title(), QStringLiteral("电路实验（共 2个电路、3个实验）"));
    EXPECT_EQ(f.labTexts().last(), QStringLiteral("电路 2"));
    EXPECT_EQ(second.caption(), QStringLiteral("电路2"));
    EXPECT_FALSE(second.CoolBar1()->isBandVisible(1)) << "no experiment texts";
    EXPECT_FALSE(second.isEnabled());
    EXPECT_EQ(second.StartIcNumber(), first.EndIcNumber() + 1);
    EXPECT_EQ(second.StartSignalNumber(), first.EndSignalNumber() + 1);
    EXPECT_EQ(f.frame->environment().labMenu.LabMenuTable[2].Circuit, &second);

    // A schematic that does not load leaves the menu, the windows and the numbers alone.
    const int32_t lastSignal = f.frame->environment().simulator.LastSignalNumber;
    QDir(f.data()).remove(QStringLiteral("inverter.sch"));
    EXPECT_EQ(f.frame->OpenCircuitWindow(f.data().filePath(QStringLiteral("inverter.sch"))), 0);
    EXPECT_EQ(f.frame->circuitWindows().size(), 2u);
    EXPECT_EQ(f.frame->mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(f.frame->environment().simulator.LastSignalNumber, lastSignal);
    EXPECT_EQ(f.frame->lab()->title(), QStringLiteral("电路实验（共 2个电路、3个实验）"));
    EXPECT_TRUE(f.prompter.messages().empty());
}

TEST(CircuitWindow, ChoosingAnExperimentEnablesItsWindowAndChecksOneItem) {
    BasicFrame f;
    ASSERT_EQ(f.frame->OpenCircuitWindow(f.data().filePath(QStringLiteral("inverter.sch"))), 1);
    Form7& first = f.window(0);
    Form7& second = f.window(1);
    circuit::Environment& env = f.frame->environment();

    f.frame->lab_AutoAddlab()[1]->trigger();
    EXPECT_EQ(f.checked(), (std::vector<int>{1}));
    EXPECT_TRUE(first.isEnabled());
    EXPECT_EQ(first.caption(), QStringLiteral("电路 1 的实验 2 : 总线实验"));
    EXPECT_EQ(f.frame->mdiArea()->activeSubWindow(), first.subWindow());

    // Leaving a circuit during its run stops the run and shows single step again.
    first.Command5()->setText(QString::fromUtf16(circuit::widgets::kContinuousCaption));
    env.StopFlag = 0;
    f.frame->lab_AutoAddlab()[2]->trigger();
    EXPECT_EQ(env.StopFlag, -1);
    EXPECT_EQ(first.Command5()->text(), QString::fromUtf16(circuit::widgets::kSingleStepCaption));
    EXPECT_EQ(f.checked(), (std::vector<int>{2}));
    EXPECT_TRUE(second.isEnabled());
    EXPECT_EQ(f.frame->mdiArea()->activeSubWindow(), second.subWindow());
    EXPECT_EQ(second.caption(), QStringLiteral("电路2")) << "a circuit without experiments keeps its caption";
    EXPECT_FALSE(second.CoolBar1()->isBandVisible(1));
    EXPECT_FALSE(second.CoolBar1()->isBandVisible(4));

    f.frame->lab_AutoAddlab()[0]->trigger();
    EXPECT_EQ(f.checked(), (std::vector<int>{0}));
    EXPECT_EQ(first.caption(), QStringLiteral("电路 1 的实验 1 : 寄存器实验"));

    // A test panel stops the run but leaves the run-mode caption.
    first.Command5()->setText(QString::fromUtf16(circuit::widgets::kContinuousCaption));
    env.StopFlag = 0;
    f.frame->menuItem("lab_SpecialIc_Am2901")->trigger();
    EXPECT_EQ(env.StopFlag, -1);
    EXPECT_EQ(first.Command5()->text(), QString::fromUtf16(circuit::widgets::kContinuousCaption));
}

// The frame's caption names the edition; the maximised circuit window in use
// adds its own, and a second circuit chosen takes its place there.
TEST(CircuitWindow, TheFrameCaptionCarriesTheWindowInUse) {
    circuit::widgets::FrameHooks hooks;
    hooks.editionWord = QStringLiteral("Corvane16");
    BasicFrame f({}, hooks);
    ASSERT_EQ(f.frame->OpenCircuitWindow(f.data().filePath(QStringLiteral("inverter.sch"))), 1);
    f.frame->lab_AutoAddlab()[0]->trigger();
    EXPECT_EQ(f.frame->windowTitle(), QStringLiteral("Corvane16 电路实验 - [电路 1 的实验 1 : 寄存器实验]"));
    f.frame->lab_AutoAddlab()[2]->trigger();
    EXPECT_EQ(f.frame->windowTitle(), QStringLiteral("Corvane16 电路实验 - [电路2]"));
    EXPECT_TRUE(f.window(1).subWindow()->isMaximized());
    EXPECT_FALSE(f.window(0).subWindow()->isMaximized()) << "only the window in use is maximised";
    f.frame->lab_AutoAddlab()[1]->trigger();
    EXPECT_EQ(f.frame->windowTitle(), QStringLiteral("Corvane16 电路实验 - [电路 1 的实验 2 : 总线实验]"));
    EXPECT_TRUE(f.window(0).subWindow()->isMaximized());
    EXPECT_FALSE(f.window(1).subWindow()->isMaximized());
}

TEST(CircuitWindow, WhatALoadedWindowShows) {
    BasicFrame f;
    Form7& w = f.window(0);
    const sim::Simulator& s = f.frame->environment().simulator;

    EXPECT_EQ(topTexts(w.TreeView1()),
              (QStringList{"000 : U1 : 74LS273", "001 : U2 : 74LS244", "002 : U3 : 74LS244", "003 : U4 : 6116",
                           "004 : U5 : 2732", "005 : U6 : 8251", "006 : U7 : 74LS374"}));
    EXPECT_TRUE(childTexts(w.TreeView1()->topLevelItem(0)).first().startsWith(QStringLiteral("In 0: ")));
    QTreeWidgetItem* header = w.ListView1()->headerItem();
    EXPECT_EQ((QStringList{header->text(0), header->text(1), header->text(2)}), (QStringList{"NO.", "名称", "值"}));
    EXPECT_EQ(w.ListView1()->topLevelItemCount(), w.EndSignalNumber() - w.StartSignalNumber() + 1);
    EXPECT_EQ(w.ListView1()->topLevelItem(2)->text(0), QStringLiteral("10")) << "sorted as text";
    for (int i = 0; i < w.ListView1()->topLevelItemCount(); ++i)
        ASSERT_FALSE(circuit::widgets::isMarked(w.ListView1()->topLevelItem(i))) << i;
    for (int i = 0; i < w.TreeView1()->topLevelItemCount(); ++i)
        ASSERT_FALSE(circuit::widgets::isMarked(w.TreeView1()->topLevelItem(i))) << i;

    // The views: the board on its brown, the schematic, the first experiment's diagram waiting hidden.
    EXPECT_TRUE(w.CoolBar1()->isBandVisible(2));
    EXPECT_EQ(w.UserControl11(0)->ViewBackColor(), 0x5A98D2u);
    EXPECT_FALSE(w.UserControl11(0)->HotLists().Boxes.empty());
    EXPECT_FALSE(w.UserControl11(1)->HotLists().Boxes.empty());
    ASSERT_TRUE(w.UserControl11(2));
    EXPECT_FALSE(w.UserControl11(2)->Sheet().elements.empty());
    EXPECT_TRUE(w.Picture1(2)->isHidden());
    EXPECT_EQ(w.UserControl11(3), nullptr) << "the second experiment has no diagram";
    EXPECT_TRUE(f.frame->environment().schematic.currentSheet.empty());

    // Power-on: the reset net idles high, the images are in their chips.
    EXPECT_EQ(s.NetTable[static_cast<std::size_t>(w.Setup().ResetNet)].Value, 1);
    for (int a = 0; a < 2048; ++a) ASSERT_EQ(s.ReadIcMemory(a, 3), a < 100 ? 0xFF - a : 0) << a;
    EXPECT_EQ(s.ReadIcMemory(4095, 4), 0xFF);
    EXPECT_EQ(s.ReadIcMemory(4096 - 5000 % 4096, 4), (4096 - 5000 % 4096) & 0xFF);

    // The views' hot elements reach the parts.
    std::vector<std::tuple<int, int32_t, int32_t>> seen;
    f.frame->parts().hotElement = [&](Form7&, int view, int32_t value) { seen.emplace_back(view, -9, value); };
    f.frame->parts().hotElementClick = [&](Form7&, int view, int32_t button, int32_t value) {
        seen.emplace_back(view, button, value);
    };
    emit w.UserControl11(0)->HotElement(12);
    emit w.UserControl11(2)->HotElementClick(1, 65536);
    EXPECT_EQ(seen, (std::vector<std::tuple<int, int32_t, int32_t>>{{0, -9, 12}, {2, 1, 65536}}));
}

TEST(CircuitWindow, MissingDrawingsAndImagesDoNotStopTheLoad) {
    const struct Case {
        const char* name;
        const char* removed;
        bool boardBand;
        bool diagramDrawn;
        int messages;
    } cases[] = {
        {"no board drawing", "board.sch", false, true, 0},
        {"no block diagram", "diag1.sch", true, false, 0},
        {"no RAM image", "ram.bin", true, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BasicFrame f([&](QDir data) { data.remove(QString::fromUtf8(c.removed)); });
        ASSERT_EQ(f.frame->circuitWindows().size(), 1u);
        Form7& w = f.window(0);
        EXPECT_EQ(w.CoolBar1()->isBandVisible(2), c.boardBand);
        EXPECT_EQ(w.Picture1(0)->isEnabledTo(&w), c.boardBand);
        ASSERT_TRUE(w.UserControl11(2)) << "the diagram's view is made even when its file does not read";
        EXPECT_EQ(!w.UserControl11(2)->Sheet().elements.empty(), c.diagramDrawn);
        const auto asked = f.prompter.messages();
        ASSERT_EQ(static_cast<int>(asked.size()), c.messages);
        if (c.messages) {
            EXPECT_TRUE(asked[0].title.startsWith(QStringLiteral("信息提示! ")));
        }
        EXPECT_TRUE(f.frame->environment().schematic.currentSheet.empty());
    }
}

namespace {

// A file of each kind the basic folder's default circuit names, and how much
// of it the frame shows: nothing (0) when it was not read.
struct NamedFile {
    const char* kind;
    const char* name;
    std::function<int(MDIForm1&)> shown;
};

const NamedFile kNamedFiles[] = {
    {"experiment text", "lab1.rtf",
     [](MDIForm1& frame) {
         frame.lab_AutoAddlab()[0]->trigger();
         const platform::RichTextBox* box = ExperimentPane::of(*frame.circuitWindows()[0])->RichTextBox1(0);
         return int(box && box->text().contains(QStringLiteral("寄存器实验")));
     }},
    {"block diagram", "diag1.sch",
     [](MDIForm1& frame) { return int(frame.circuitWindows()[0]->UserControl11(2)->Sheet().elements.size()); }},
    {"board drawing", "board.sch",
     [](MDIForm1& frame) { return int(frame.circuitWindows()[0]->CoolBar1()->isBandVisible(2)); }},
    {"memory image", "ram.bin",
     [](MDIForm1& frame) {  // the image's bytes (0xFF - i) in the 6116, U4
         int bytes = 0;
         for (int a = 0; a < 100; ++a) bytes += frame.environment().simulator.ReadIcMemory(a, 3) == 0xFF - a;
         return bytes;
     }},
};

}  // namespace

// Each named file replaced by a symbolic link: one that leads out of the data
// folder is refused as a ".." name is, one that stays in it is followed.
TEST(CircuitWindow, NamedFilesLinkedOutOfTheDataFolderAreRefused) {
    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    for (const NamedFile& file : kNamedFiles) {
        const QString name = QString::fromUtf8(file.name);
        for (const bool leadsOut : {true, false}) {
            SCOPED_TRACE(std::string(file.kind) + (leadsOut ? ", linked out" : ", linked inside"));
            BasicFrame f([&](QDir data) {
                const QString target = leadsOut ? QDir(outside.path()).filePath(name) : data.filePath("kept/" + name);
                EXPECT_TRUE(data.mkpath(QStringLiteral("kept")));
                EXPECT_TRUE(QFile::rename(data.filePath(name), target));
                EXPECT_TRUE(QFile::link(leadsOut ? target : "kept/" + name, data.filePath(name)));
            });
            ASSERT_EQ(f.frame->circuitWindows().size(), 1u);
            const int shown = file.shown(*f.frame);
            if (leadsOut) {
                EXPECT_EQ(shown, 0);
            } else {
                EXPECT_GT(shown, 0);
            }
            QStringList told;
            for (const platform::MessageRequest& m : f.prompter.messages()) told << m.text;
            EXPECT_EQ(told, leadsOut && name == QLatin1String("ram.bin")
                                ? QStringList{QStringLiteral("%1: 文件名 \"ram.bin\" 不在数据文件夹中，不能打开")
                                                  .arg(static_cast<int>(QFileDevice::OpenError))}
                                : QStringList{});
        }
    }
}

// A lab folder reached through links keeps every file it names: the program's
// folder on a linked path, and data/ itself a link to a folder elsewhere.
TEST(CircuitWindow, AFolderReachedThroughALinkKeepsItsFiles) {
    for (const bool dataLinked : {false, true}) {
        SCOPED_TRACE(dataLinked ? "data/ linked too" : "program folder linked");
        testsupport::ScriptedPrompter prompter;
        QTemporaryDir dir;
        const QDir root(dir.path());
        ASSERT_TRUE(writeBasicData(root.filePath(QStringLiteral("real"))));
        if (dataLinked) {
            const QString data = root.filePath(QStringLiteral("real/data"));
            ASSERT_TRUE(QFile::rename(data, root.filePath(QStringLiteral("lab"))));
            ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("lab")), data));
        }
        ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("real")), root.filePath(QStringLiteral("home"))));
        const testsupport::ProgramHome home(root.filePath(QStringLiteral("home")));
        MDIForm1 frame;
        frame.MDIForm_UseLoad();
        frame.show();
        ASSERT_EQ(frame.circuitWindows().size(), 1u);
        for (const NamedFile& file : kNamedFiles) EXPECT_GT(file.shown(frame), 0) << file.kind;
        EXPECT_TRUE(prompter.messages().empty());
    }
}

TEST(CircuitWindow, TheIcTreeRotatesOnARightPressAndKeepsItsPins) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    IcTreeView* tree = w.TreeView1();
    const QStringList first = topTexts(tree);
    const QStringList pins = childTexts(tree->icItem(0));

    press(tree, tree->topLevelItem(3), Qt::RightButton);
    EXPECT_EQ(topTexts(tree), (QStringList{"U1 : 74LS273 : 000", "U2 : 74LS244 : 001", "U3 : 74LS244 : 002",
                                           "U4 : 6116 : 003", "U5 : 2732 : 004", "U6 : 8251 : 005",
                                           "U7 : 74LS374 : 006"}));
    EXPECT_EQ(w.RightButtonDown, 0);
    press(tree, tree->topLevelItem(0), Qt::RightButton);
    EXPECT_EQ(topTexts(tree).first(), QStringLiteral("2732 : 004 : U5")) << "sorted by type now";
    press(tree, tree->topLevelItem(6), Qt::RightButton);
    EXPECT_EQ(topTexts(tree), first);
    EXPECT_EQ(childTexts(tree->icItem(0)), pins) << "pins keep their order";

    // A press on empty space does nothing.
    QTest::mousePress(tree->viewport(), Qt::RightButton, {}, QPoint(5, tree->viewport()->height() - 3));
    EXPECT_EQ(topTexts(tree), first);

    // After the rotation the refresh still writes each pin: a clock edge moves D into U1.
    press(tree, tree->topLevelItem(0), Qt::RightButton);
    sim::Simulator& s = f.frame->environment().simulator;
    const int32_t cp = w.Setup().ClockNet;
    s.ToggleNetAndSettle(0, cp);  // up: Q takes D = 65
    w.RefreshAll();
    QTreeWidgetItem* u1 = tree->icItem(0);
    EXPECT_TRUE(circuit::widgets::isMarked(u1));
    const sim::IcRecord& reg = s.IcTable[0];
    for (int j = 0; j < u1->childCount(); ++j) {
        const int32_t net = j < reg.InputCount ? reg.InputNets[static_cast<std::size_t>(j)]
                                               : reg.OutputNets[static_cast<std::size_t>(j - reg.InputCount)];
        const QString text = u1->child(j)->text(0);
        ASSERT_TRUE(text.endsWith(QString::number(s.NetTable[static_cast<std::size_t>(net)].Value))) << text.toStdString();
        ASSERT_EQ(circuit::widgets::isMarked(u1->child(j)), s.SignalChangedFlags[static_cast<std::size_t>(net)] == 1)
            << text.toStdString();
    }
    // Out 0 is Q7, Out 7 is Q0: 65 shows on Q6 and Q0.
    EXPECT_EQ(u1->child(reg.InputCount + 1)->text(0).right(1), QStringLiteral("1"));
    EXPECT_EQ(u1->child(reg.InputCount + 7)->text(0).right(1), QStringLiteral("1"));
}

TEST(CircuitWindow, APinSelectsItsNetsRowAlsoInASortedList) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    IcTreeView* tree = w.TreeView1();
    SignalListView* list = w.ListView1();
    tree->expandAll();
    // Out 1 of U1 (its Q6).
    const sim::IcRecord& reg = f.frame->environment().simulator.IcTable[0];
    QTreeWidgetItem* out1 = tree->pinItem(0, reg.InputCount + 1);
    ASSERT_TRUE(out1->text(0).startsWith(QStringLiteral("Out 1: ")));
    const int32_t row = reg.OutputNets[1] - w.StartSignalNumber();

    for (int clicks : {0, 1}) {
        SCOPED_TRACE(clicks);
        list->setCurrentItem(nullptr);
        if (clicks) QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {},
                                      QPoint(list->header()->sectionViewportPosition(0) + 5, 5));
        press(tree, out1, Qt::LeftButton);
        EXPECT_EQ(SignalListView::keyOf(list->currentItem()), circuit::SignalList::rowKey(row));
        EXPECT_TRUE(list->viewport()->rect().intersects(list->visualItemRect(list->currentItem())));
    }
    EXPECT_EQ(w.stateViews().signalList.SortOrder, circuit::kDescending);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("9"));

    // An IC node changes nothing.
    QTreeWidgetItem* current = list->currentItem();
    press(tree, tree->icItem(2), Qt::LeftButton);
    EXPECT_EQ(list->currentItem(), current);
}

TEST(CircuitWindow, MarksFollowTheRefreshes) {
    BasicFrame f;
    Form7& w = f.window(0);
    sim::Simulator& s = f.frame->environment().simulator;
    const int32_t cp = w.Setup().ClockNet;
    QTreeWidgetItem* cpRow = w.ListView1()->rowItem(cp - w.StartSignalNumber());
    s.ToggleNetAndSettle(0, cp);
    w.RefreshAll();
    EXPECT_TRUE(circuit::widgets::isMarked(cpRow));
    EXPECT_EQ(cpRow->text(2), QStringLiteral("1"));
    EXPECT_EQ(cpRow->foreground(1).color(), QColor(255, 0, 0));
    EXPECT_TRUE(cpRow->font(2).bold());
    w.RefreshAll();
    EXPECT_FALSE(circuit::widgets::isMarked(cpRow));
    EXPECT_EQ(cpRow->foreground(0).color(), QColor(0, 0, 0));
}

TEST(CircuitWindow, TheRegisterTreeRotatesItsTopLevelOnly) {
    BasicFrame f;
    f.frame->lab_AutoAddlab()[0]->trigger();
    Form7& w = f.window(0);
    QTreeWidget* tree = w.TreeView2();
    const QStringList filled{"000 : U1 : 74LS273", "003 : U4 : 6116", "004 : U5 : 2732", "005 : U6 : 8251",
                             "006 : U7 : 74LS374"};
    EXPECT_EQ(topTexts(tree), filled) << "a node per IC with storage, unsorted";
    const QStringList ramRows = childTexts(tree->topLevelItem(1));
    press(tree, tree->topLevelItem(1), Qt::LeftButton);
    EXPECT_EQ(topTexts(tree), filled) << "a left click does nothing";
    press(tree, tree->topLevelItem(1), Qt::RightButton);
    EXPECT_EQ(w.RightButtonDown, 0);
    press(tree, tree->topLevelItem(1), Qt::RightButton);
    EXPECT_EQ(topTexts(tree), (QStringList{"2732 : 004 : U5", "6116 : 003 : U4", "74LS273 : 000 : U1",
                                           "74LS374 : 006 : U7", "8251 : 005 : U6"}));
    EXPECT_EQ(childTexts(tree->topLevelItem(1)), ramRows) << "rows keep their texts and order";
    press(tree, tree->topLevelItem(0), Qt::RightButton);
    EXPECT_EQ(topTexts(tree), filled);

    // The refresh finds its rows again after the rotation: a clock edge moves D into U1.
    press(tree, tree->topLevelItem(4), Qt::RightButton);
    f.frame->environment().simulator.ToggleNetAndSettle(0, w.Setup().ClockNet);
    w.RefreshAll();
    QTreeWidgetItem* u1 = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0).startsWith(QStringLiteral("U1 "))) u1 = tree->topLevelItem(i);
    ASSERT_TRUE(u1);
    EXPECT_EQ(childTexts(u1), QStringList{"Reg_Q: 41"});
    EXPECT_TRUE(circuit::widgets::isMarked(u1));
}
