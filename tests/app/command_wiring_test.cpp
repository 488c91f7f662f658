// The program's own wiring behind the dispatch: every command the menus and
// the toolbar stand for is set by the part that owns it and reaches the real
// handler, once.
#include "app/main_window.h"
#include "app/program.h"
#include "app/splash_window.h"
#include "app_fixture.h"
#include "link/device_port.h"
#include "link/fake/fake_vaz_monitor.h"
#include "link/link_state.h"
#include "link/widgets/data_send_recv_process.h"
#include "platform/widgets/rich_text_box.h"
#include "support/wait_until.h"
#include "workbench/find_dialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using testsupport::waitUntil;
using Asked = testsupport::ScriptedPrompter::Asked;

namespace {

// Every entry the menus, the toolbar and the drop-down dispatch to.
const char* const kCommands[] = {
    "FileNew", "FileOpen", "FileSave", "FileSaveAs",
    "FileEditUndo", "FileEditCut", "FileEditCopy", "FileEditPaush", "FileEditDel",
    "FileEditFind", "FileEditFindNext", "FileEditSelectAll", "FileDebugComplet",
    "CommandMemory", "CommandRegister", "CommandUnAsm", "CommandRun", "CommandStepInto", "CommandStep",
    "CommandStepIntoAs", "CommandStepAs",
    "ToolSendData", "ToolRecvData", "ToolCommandLineClear",
    "EditAsmWindows", "ToolCommandLine", "Search", "Ownset", "Closes", "SetDisplayFontSize", "SetAsmSet",
    "Exit", "HelpDispOrUnDisp", "About",
};
const char* const kWithoutAction[] = {"FileClose", "FileDebugStepInto", "FileDebugStep", "FileDebugRun", "Manual"};


int count(const testsupport::ScriptedPrompter& prompter, Asked::Kind kind) {
    int n = 0;
    for (const Asked& a : prompter.asked()) n += a.kind == kind;
    return n;
}

}  // namespace

TEST(CommandWiring, EveryCommandHasItsHandlerInEveryEdition) {
    for (auto id : {editions::EditionId::Corvane16, editions::EditionId::Corvane, editions::EditionId::Corvane8}) {
        apptest::ProgramFolder folder;
        testsupport::ScriptedPrompter prompter;
        app::Program program(editions::profileFor(id));
        app::MainWindow& w = program.frmmain();
        SCOPED_TRACE(w.AppTitle().toStdString());
        for (const char* c : kCommands) {
            const bool offered = QLatin1String(c) != QLatin1String("SetAsmSet") || program.profile().asmOptionsOffered;
            EXPECT_EQ(w.hasCommand(QString::fromLatin1(c)), offered) << c;
        }
        for (const char* c : kWithoutAction) EXPECT_FALSE(w.hasCommand(QString::fromLatin1(c))) << c;
    }
}

TEST(CommandWiring, DeviceCommandsReachTheMonitorExchangeAndTheTransfersOnce) {
    apptest::ProgramFolder folder;
    testsupport::ScriptedPrompter prompter;
    apptest::FakeDeviceOnCom1 device;
    ASSERT_TRUE(device.started);

    app::Program program(editions::profileCorvane16());
    app::MainWindow& w = program.frmmain();
    devlink::LinkState& link = devlink::linkState();
    ASSERT_TRUE(apptest::connectToCom1(w));

    // The address boxes are cancelled: each command goes out without an address.
    struct Case {
        const char* entry;
        const char* line;    // what the device executes
        const char* prompt;  // the address box's first line; nullptr: no box
    };
    const Case cases[] = {
        {"CommandMemory", "D", "请输入内存察看的起始地址"},
        {"CommandRegister", "R", nullptr},
        {"CommandUnAsm", "U", "请输入反编译的起始地址"},
        {"CommandRun", "G", "请输入连续运行的起始地址"},
        {"CommandStepInto", "T", nullptr},
        {"CommandStep", "P", nullptr},
        {"CommandStepIntoAs", "T", "请输入单步进入运行的起始地址"},
        {"CommandStepAs", "P", "请输入单步运行的起始地址"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        prompter.clear();
        const std::size_t before = device.fake.executedLines().size();
        w.menuEntry(QString::fromLatin1(c.entry))->trigger();
        ASSERT_TRUE(waitUntil([&] { return device.fake.executedLines().size() > before && w.isEnabled() && !apptest::visibleProgressDialog(); }));
        const std::vector<std::string> lines = device.fake.executedLines();
        EXPECT_EQ(lines.size(), before + 1);
        EXPECT_EQ(lines.back(), c.line);
        const std::vector<Asked>& asked = prompter.asked();
        ASSERT_EQ(asked.size(), c.prompt ? 1u : 0u);
        if (c.prompt) { EXPECT_TRUE(asked[0].input.prompt.startsWith(QString::fromUtf8(c.prompt))); }
    }
    // The code transfers ask for their file first; cancelled, nothing goes to the device.
    const std::size_t executed = device.fake.executedLines().size();
    prompter.clear();
    w.menuEntry(QStringLiteral("ToolRecvData"))->trigger();
    EXPECT_EQ(count(prompter, Asked::SaveFile), 1);
    w.menuEntry(QStringLiteral("ToolSendData"))->trigger();
    EXPECT_EQ(count(prompter, Asked::OpenFile), 1);
    EXPECT_EQ(prompter.asked().size(), 2u);
    EXPECT_EQ(device.fake.executedLines().size(), executed);

    // G prints once the program "ran"; then the pane is cleared but for its last line.
    ASSERT_TRUE(waitUntil([&] { return device.fake.sent().size() > 0 && !w.Timer1()->isActive(); }));
    ASSERT_GT(w.RichTextBox1()->text().count(QLatin1Char('\n')), 2);
    w.menuEntry(QStringLiteral("ToolCommandLineClear"))->trigger();
    EXPECT_EQ(w.RichTextBox1()->text().count(QLatin1Char('\n')), 1);
    link.port->close();
    link.PortReady = false;
    qunsetenv("CORVANE_COM_DIR");
}

TEST(CommandWiring, EditorCommandsReachTheWorkbenchOnce) {
    apptest::ProgramFolder folder;
    testsupport::ScriptedPrompter prompter;
    const QString sourcePath = QDir(folder.path()).filePath(QStringLiteral("prog.asm"));
    {
        QFile file(sourcePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(" NOP\r\n MOV R0,R1\r\n");
    }
    app::Program program(editions::profileCorvane16());
    app::MainWindow& w = program.frmmain();
    w.setEnabled(true);
    w.show();
    QApplication::setActiveWindow(&w);
    program.sourceState().TrackChanges = true;
    auto trigger = [&](const char* entry) { w.menuEntry(QString::fromLatin1(entry))->trigger(); };
    platform::RichTextBox* editor = w.RichTextBox2();
    const QString source = QStringLiteral(" NOP\n MOV R0,R1\n");

    w.EditAsmWindows_Click();
    prompter.answerFile(sourcePath);
    trigger("FileOpen");
    EXPECT_EQ(count(prompter, Asked::OpenFile), 1);
    ASSERT_EQ(editor->text(), source);
    editor->setFocus();

    trigger("FileEditSelectAll");
    EXPECT_EQ(editor->selLength(), editor->textLength());
    trigger("FileEditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral(" NOP\n MOV R0,R1\n"));
    trigger("FileEditDel");
    EXPECT_EQ(editor->text(), QString());
    trigger("FileEditUndo");
    EXPECT_EQ(editor->text(), source);
    trigger("FileEditSelectAll");
    trigger("FileEditCut");
    EXPECT_EQ(editor->text(), QString());
    trigger("FileEditPaush");
    EXPECT_EQ(editor->text(), source) << "pasted once";
    ASSERT_TRUE(program.sourceState().SourceModified);

    trigger("FileSave");
    EXPECT_FALSE(program.sourceState().SourceModified);
    trigger("FileSaveAs");
    EXPECT_EQ(count(prompter, Asked::SaveFile), 1);

    program.workbenchState().find.FindText = QStringLiteral("MOV");
    editor->setSelStart(0);
    trigger("FileEditFindNext");
    EXPECT_EQ(editor->selText(), QStringLiteral("MOV"));
    trigger("FileEditFind");
    workbench::FindDialog* find = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<workbench::FindDialog*>(top); d && d->isVisible()) find = d;
    ASSERT_NE(find, nullptr);
    find->close();

    // No assembler in the program's folder: the build says so once.
    prompter.clear();
    trigger("FileDebugComplet");
    EXPECT_EQ(prompter.messages().size(), 1u);

    prompter.clear();
    prompter.answerMessage(platform::MsgResult::No);
    editor->setText(QStringLiteral("X"));
    trigger("FileNew");
    EXPECT_EQ(prompter.messages().size(), 1u) << "the save question, once";
    EXPECT_EQ(editor->text(), QString());
    EXPECT_EQ(program.sourceState().SourcePath, QStringLiteral("无标题.ASM"));
}

TEST(CommandWiring, AboutOpensTheSameBoxEachTimeAndExitAsksFirst) {
    apptest::ProgramFolder folder;
    testsupport::ScriptedPrompter prompter;
    app::Program program(editions::profileCorvane8());
    app::MainWindow& w = program.frmmain();
    w.setEnabled(true);
    w.show();

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        QString title, buttonText;
        bool labelHidden = false, timerActive = true, stayedOpen = false, modal = false;
        app::SplashWindow* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<app::SplashWindow*>(QApplication::activeModalWidget());
            if (!shown) return;
            title = shown->windowTitle();
            labelHidden = shown->Label2()->isHidden();
            buttonText = shown->Command1()->isVisible() ? shown->Command1()->text() : QString();
            timerActive = shown->Timer1()->isActive();
            modal = shown->isModal();
            shown->reject();
            shown->close();
            stayedOpen = shown->isVisible();
            shown->Command1()->click();
        });
        w.menuEntry(QStringLiteral("About"))->trigger();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(title, QStringLiteral("  关于"));
        EXPECT_TRUE(labelHidden);
        EXPECT_EQ(buttonText, QStringLiteral("关    闭"));
        EXPECT_FALSE(timerActive);
        EXPECT_TRUE(modal);
        EXPECT_TRUE(stayedOpen) << "only its button closes the About box";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    // "退出" asks first; No keeps the program.
    w.menuEntry(QStringLiteral("Exit"))->trigger();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("立即退出？"));
    EXPECT_TRUE(w.isVisible());
}
