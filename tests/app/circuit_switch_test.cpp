// --circuit: the experiment frame, and quitting it while the main window holds
// an unsaved source.
#include "app/circuit_wiring.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app_fixture.h"
#include "circuit/environment.h"
#include "circuit/widgets/mdi_form1.h"

#include <QMdiSubWindow>

#include <QSignalSpy>
#include <gtest/gtest.h>

using platform::MsgResult;

namespace {

TEST(ProgramOptions, CircuitSwitch) {
    const auto circuit = [](const QStringList& arguments) { return app::parseCommandLine(arguments, {}).options.circuit; };
    EXPECT_FALSE(circuit({"Corvane16"}));
    EXPECT_TRUE(circuit({"Corvane16", "--circuit"}));
    EXPECT_TRUE(circuit({"Corvane", "--sampler", "--circuit"}));
    EXPECT_FALSE(circuit({"--circuit"}));  // the program's own name
}

TEST(CircuitEnvironment, TheTestPanelsOpenInTheFrame) {
    apptest::ProgramFolder folder;
    testsupport::ScriptedPrompter prompter;
    app::Program program(editions::profileCorvane16());
    const auto frame = app::startCircuitEnvironment(program);
    const struct {
        const char* item;
        circuit::widgets::TestPanelItem panel;
    } items[] = {{"lab_TtlIc_74Ls138", circuit::widgets::TestPanelItem::Ls138},
                 {"lab_MemoryIc_Rom2732", circuit::widgets::TestPanelItem::Rom2732}};
    for (const auto& i : items) {
        frame->menuItem(i.item)->trigger();
        QMdiSubWindow* sub = frame->testPanelWindow(i.panel);
        ASSERT_TRUE(sub) << i.item;
        EXPECT_EQ(sub->widget()->objectName(),
                  i.panel == circuit::widgets::TestPanelItem::Ls138 ? QStringLiteral("Form8") : QStringLiteral("Form11"));
    }
    EXPECT_EQ(frame->environment().simulator.LastIcNumber, -1) << "the panels keep to their own simulator";
}

TEST(CircuitEnvironment, TheFrameIsCaptionedWithTheEditionWord) {
    const struct {
        editions::EditionId id;
        const char* caption;
    } cases[] = {{editions::EditionId::Corvane16, "Corvane16 电路实验"},
                 {editions::EditionId::Corvane, "Corvane 电路实验"},
                 {editions::EditionId::Corvane8, "Corvane8 电路实验"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        apptest::ProgramFolder folder;
        testsupport::ScriptedPrompter prompter;
        app::Program program(editions::profileFor(c.id));
        const auto frame = app::startCircuitEnvironment(program);
        EXPECT_EQ(frame->windowTitle(), QString::fromUtf8(c.caption));
    }
}

TEST(CircuitEnvironment, QuittingTheFrameAsksTheMainWindowsSaveQuestionOnly) {
    const struct Case {
        const char* name;
        std::vector<MsgResult> answers;
        bool saved;
        bool quits;
        int saves;
    } cases[] = {
        {"no", {MsgResult::No}, false, false, 0},
        {"yes, then cancel the save question", {MsgResult::Yes, MsgResult::Cancel}, false, false, 0},
        {"yes, save fails", {MsgResult::Yes, MsgResult::Yes}, false, false, 1},
        {"yes, saved", {MsgResult::Yes, MsgResult::Yes}, true, true, 1},
        {"yes, not saved", {MsgResult::Yes, MsgResult::No}, false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        apptest::ProgramFolder folder;  // no data folder: the frame opens without a circuit
        testsupport::ScriptedPrompter prompter;
        app::Program program(editions::profileCorvane16());
        int saves = 0, portCloses = 0;
        program.hooks().workbench.saveSourceFile = [&] { ++saves; return c.saved; };
        program.hooks().link.closePortIfOpen = [&] { ++portCloses; };
        app::MainWindow& w = program.frmmain();
        w.setEnabled(true);
        w.show();
        program.sourceState().SourceModified = true;

        const auto frame = app::startCircuitEnvironment(program);
        EXPECT_TRUE(frame->isVisible());
        EXPECT_TRUE(prompter.messages().empty()) << "a missing default circuit is not reported";
        QSignalSpy frameGone(frame.get(), &circuit::widgets::MDIForm1::unloaded);
        QSignalSpy mainGone(&w, &app::MainWindow::unloaded);
        for (MsgResult r : c.answers) prompter.answerMessage(r);

        frame->menuItem("exit")->trigger();

        const auto asked = prompter.messages();
        ASSERT_EQ(asked.size(), c.answers.size());
        EXPECT_EQ(asked[0].text, QStringLiteral("立即退出？"));
        if (asked.size() > 1) {
            EXPECT_EQ(asked[1].text, QStringLiteral("当前文件被修改，是否保存？"));
        }
        EXPECT_EQ(saves, c.saves);
        EXPECT_EQ(frame->isVisible(), !c.quits);
        EXPECT_EQ(w.isVisible(), !c.quits);
        EXPECT_EQ(frameGone.count(), c.quits ? 1 : 0);
        EXPECT_EQ(mainGone.count(), c.quits ? 1 : 0);
        EXPECT_EQ(portCloses, c.quits ? 1 : 0);
    }
}

}  // namespace
