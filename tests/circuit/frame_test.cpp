// The experiment frame without circuits: its menus, the entry with no default
// circuit, the test panels, the terminal list and quitting.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "circuit/environment.h"
#include "circuit/widgets/form13.h"
#include "circuit/widgets/form6.h"
#include "circuit/widgets/mdi_form1.h"
#include "env_fixture.h"
#include "sampler/widgets/form2.h"
#include "support/scripted_prompter.h"

using circuit::widgets::Form13;
using circuit::widgets::MDIForm1;
using circuit::widgets::TestPanelItem;
using platform::MsgResult;
using namespace circuittest;

TEST(Frame, MenusAsDesigned) {
    MDIForm1 frame;
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"电路实验", "TTL集成电路实验", "半导体存储器部件实验", "专用集成电路实验", "窗口",
                                   "退出", "帮助"}));
    const struct {
        const char* item;
        const char* text;
        bool visible;
    } items[] = {
        {"lab_TtlIc_74Ls00", "74LS00", true},     {"lab_TtlIc_74Ls138", "74LS138", true},
        {"lab_TtlIc_74Ls244", "74LS244", true},   {"lab_TtlIc_74Ls374", "74LS374", true},
        {"lab_MemoryIc_Ram6116", "RAM6116", true}, {"lab_MemoryIc_Rom2732", "ROM2732", true},
        {"lab_SpecialIc_Am2910", "微控器 Am2910(暂空)", true},
        {"lab_SpecialIc_Am2901", "运算器 Am2901(暂空)", true},
        {"lab_SpecialIc_Gal20v8", "PLD Gal20v8(暂空)", true},
        {"lab_testwindow", "调试窗口", true},     {"WinList_ErrorWorry", "错误/警告提示", true},
        {"line4", "", false},                     {"WinList_IcOut_0", "", false},
        {"readme", "使用说明", false},            {"about", "关于...", true},
    };
    for (const auto& i : items) {
        SCOPED_TRACE(i.item);
        QAction* a = frame.menuItem(i.item);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->text(), QString::fromUtf8(i.text));
        EXPECT_EQ(a->isVisible(), i.visible);
    }
    EXPECT_FALSE(frame.lab()->menuAction()->isEnabled());
    EXPECT_EQ(frame.lab_AutoAddlab().size(), 1);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("MDIForm1123"));
}

TEST(Frame, WithoutTheDefaultCircuitTheMenuStaysDisabledAndNothingIsSaid) {
    testsupport::ScriptedPrompter prompter;
    ProgramFolder folder;
    ASSERT_TRUE(folder.write(QStringLiteral("data/other.sch"), "not a schematic"));
    circuit::widgets::FrameHooks hooks;
    hooks.editionWord = QStringLiteral("Corvane8");
    MDIForm1 frame(hooks);
    frame.MDIForm_UseLoad();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Corvane8 电路实验"));
    EXPECT_FALSE(frame.isVisible()) << "the caller shows the frame";
    EXPECT_TRUE(frame.circuitWindows().empty());
    EXPECT_TRUE(frame.mdiArea()->subWindowList().empty()) << "the window that did not load is gone";
    EXPECT_FALSE(frame.lab()->menuAction()->isEnabled());
    EXPECT_EQ(frame.lab()->title(), QStringLiteral("电路实验"));
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(frame.environment().simulator.LastIcNumber, -1);
    frame.lab_AutoAddlab_Click(0);
    EXPECT_EQ(frame.environment().labMenu.checkedItem, -1);
}

TEST(Frame, TestPanelsStopTheRunAndAreMadeOnce) {
    std::vector<int> made;
    circuit::widgets::FrameHooks hooks;
    hooks.createTestPanel = [&](int panel, QWidget* parent) {
        made.push_back(panel);
        auto* w = new QWidget(parent);
        w->setWindowTitle(QStringLiteral("panel %1").arg(panel));
        return w;
    };
    MDIForm1 frame(hooks);
    frame.show();
    const struct {
        const char* item;
        TestPanelItem panel;
    } items[] = {
        {"lab_TtlIc_74Ls00", TestPanelItem::Ls00},       {"lab_TtlIc_74Ls138", TestPanelItem::Ls138},
        {"lab_TtlIc_74Ls244", TestPanelItem::Ls244},     {"lab_TtlIc_74Ls374", TestPanelItem::Ls374},
        {"lab_MemoryIc_Ram6116", TestPanelItem::Ram6116}, {"lab_MemoryIc_Rom2732", TestPanelItem::Rom2732},
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& i : items) {
            SCOPED_TRACE(i.item);
            frame.environment().StopFlag = 0;
            frame.menuItem(i.item)->trigger();
            EXPECT_EQ(frame.environment().StopFlag, -1);
            QMdiSubWindow* sub = frame.testPanelWindow(i.panel);
            ASSERT_TRUE(sub);
            EXPECT_TRUE(sub->isMaximized());
            EXPECT_TRUE(sub->windowFlags() & Qt::FramelessWindowHint);
            EXPECT_EQ(frame.mdiArea()->activeSubWindow(), sub);
            EXPECT_EQ(sub->widget()->windowTitle(), QStringLiteral("panel %1").arg(static_cast<int>(i.panel)));
        }
    }
    EXPECT_EQ(made, (std::vector<int>{0, 1, 2, 3, 4, 5})) << "each panel is made on its first use only";

    for (const char* item : {"lab_SpecialIc_Am2910", "lab_SpecialIc_Am2901", "lab_SpecialIc_Gal20v8"}) {
        frame.environment().StopFlag = 0;
        frame.menuItem(item)->trigger();
        EXPECT_EQ(frame.environment().StopFlag, -1);
        ASSERT_TRUE(frame.form6());
        EXPECT_EQ(frame.form6()->windowTitle(), QStringLiteral("专用集成电路实验"));
        EXPECT_EQ(frame.mdiArea()->activeSubWindow()->widget(), frame.form6());
    }
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 7);

    // Without a panel factory the items show nothing.
    MDIForm1 bare;
    bare.menuItem("lab_TtlIc_74Ls00")->trigger();
    EXPECT_TRUE(bare.mdiArea()->subWindowList().empty());
}

TEST(Frame, TerminalWindowsJoinTheWindowMenu) {
    MDIForm1 frame;
    QWidget first, second;
    frame.AddIcOutWindow(&first, QStringLiteral("电路 1  : Ic7 : U5 : 8251 输出"));
    EXPECT_TRUE(frame.menuItem("WinList_IcOut_0")->isVisible()) << "the separator shows";
    ASSERT_EQ(frame.WinList_IcOut().size(), 2);
    EXPECT_EQ(frame.WinList_IcOut()[1]->text(), QStringLiteral("电路 1  : Ic7 : U5 : 8251 输出"));
    EXPECT_EQ(frame.IcOutWindows()[1], &first);
    frame.AddIcOutWindow(&second, QStringLiteral("second"));
    EXPECT_EQ(frame.IcOutWindows()[2], &second);

    frame.WinList_IcOut()[2]->trigger();
    EXPECT_TRUE(second.isVisible());
    EXPECT_FALSE(first.isVisible());
    frame.WinList_IcOut_Click(0);
    frame.WinList_IcOut_Click(3);
    EXPECT_FALSE(first.isVisible());
}

TEST(Frame, AboutAndTheDebugWindow) {
    int abouts = 0;
    circuit::widgets::FrameHooks hooks;
    MDIForm1* seen = nullptr;
    hooks.showAbout = [&](QWidget* parent) {
        ++abouts;
        seen = qobject_cast<MDIForm1*>(parent);
    };
    MDIForm1 frame(hooks);
    frame.menuItem("about")->trigger();
    EXPECT_EQ(abouts, 1);
    EXPECT_EQ(seen, &frame);

    frame.menuItem("lab_testwindow")->trigger();
    EXPECT_TRUE(sampler::Form2::instance()->isVisible());
    EXPECT_TRUE(sampler::Form2::instance()->showsDebugView());
    sampler::Form2::instance()->hide();
}

TEST(Frame, TheConflictLogItemIsCheckedWhileTheLogShows) {
    MDIForm1 frame;
    QAction* item = frame.menuItem("WinList_ErrorWorry");
    EXPECT_EQ(Form13::find(frame), nullptr) << "made on first use";
    item->trigger();
    Form13* log = Form13::find(frame);
    ASSERT_TRUE(log);
    EXPECT_TRUE(log->isVisible());
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(log->windowTitle(), QStringLiteral("错误/警告提示 !"));
    EXPECT_TRUE(log->text().isEmpty());

    log->Command9()->click();  // "隐藏窗口"
    EXPECT_FALSE(log->isVisible());
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_EQ(Form13::find(frame), log) << "one log window";
    EXPECT_TRUE(log->isVisible());
    EXPECT_TRUE(item->isChecked());

    // Without the part the item stays unchecked.
    frame.parts().showConflictLog = nullptr;
    item->setChecked(false);
    item->trigger();
    EXPECT_FALSE(item->isChecked());
}

TEST(Frame, TheQuitQuestionBothWays) {
    for (bool running : {false, true}) {
        for (MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
            SCOPED_TRACE(std::string(running ? "running, " : "") + (answer == MsgResult::Yes ? "yes" : "no"));
            testsupport::ScriptedPrompter prompter;
            MDIForm1 frame;
            int portCloses = 0;
            frame.parts().closeEnvironmentPort = [&](MDIForm1&) { ++portCloses; };
            frame.environment().StopFlag = running ? 0 : -1;
            frame.show();
            QWidget other;  // another window of the program
            other.show();
            QSignalSpy unloaded(&frame, &MDIForm1::unloaded);
            prompter.answerMessage(answer);

            frame.menuItem("exit")->trigger();

            const auto asked = prompter.messages();
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0].text, QStringLiteral("立即退出？"));
            EXPECT_EQ(asked[0].title, QStringLiteral(" 提示：立即退出？"));
            EXPECT_EQ(asked[0].buttons, platform::MsgButtons::YesNo);
            EXPECT_EQ(asked[0].icon, platform::MsgIcon::Question);
            EXPECT_EQ(asked[0].defaultButton, 1) << "No is the default";
            const bool quits = answer == MsgResult::Yes;
            EXPECT_EQ(frame.isVisible(), !quits);
            EXPECT_EQ(other.isVisible(), !quits);
            EXPECT_EQ(unloaded.count(), quits ? 1 : 0);
            EXPECT_EQ(portCloses, quits ? 1 : 0);
            EXPECT_EQ(frame.environment().StopFlag, quits || !running ? -1 : 0);
        }
    }
}
