// The workbench on the main window: its menu entries and buttons reach the
// editor and the build, and a running build holds the window.
#include "app/workbench_wiring.h"

#include "app_fixture.h"
#include "platform/wait_seconds.h"
#include "platform/widgets/rich_text_box.h"
#include "support/source_tree.h"
#include "support/wait_until.h"
#include "workbench/workbench.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

struct WiredWindow {
    explicit WiredWindow(const editions::EditionProfile& p = editions::profileCorvane16()) : profile(p) {
        app::wireWorkbenchHooks(hooks.workbench, state);
        window = std::make_unique<app::MainWindow>(profile, state, hooks);
        window->setEnabled(true);
        window->show();
        QApplication::setActiveWindow(window.get());
        state.TrackChanges = true;
    }
    void installAssembler() {
        QDir().mkpath(folder.path() + "/bin");
        const QString target = folder.path() + "/bin/VARE.EXE";
        QFile::copy(QString::fromStdString(testsupport::sourceFile("tests/workbench/standins/VARE.EXE")), target);
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner);
    }
    // The editor layout with `bytes` opened from prog.asm in the program's folder.
    void openInEditor(const QByteArray& bytes) {
        window->EditAsmWindows_Click();
        prompter.answerFile(writeSource(bytes));
        window->menuEntry("FileOpen")->trigger();
    }
    QString writeSource(const QByteArray& bytes) {
        const QString path = QDir(folder.path()).filePath("prog.asm");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    const editions::EditionProfile& profile;
    ProgramFolder folder;
    testsupport::ScriptedPrompter prompter;
    workbench::WorkbenchState state;
    app::ProgramHooks hooks;
    std::unique_ptr<app::MainWindow> window;
};

// Lets the build's half-second polls pass quickly.
platform::ScopedWaitHooks fastWaits() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return platform::ScopedWaitHooks(platform::WaitHooks{[timer] { return timer->elapsed() / 1000.0 * 4; }, {}, [] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        QThread::msleep(1);
    }});
}

}  // namespace

TEST(WorkbenchWiring, EditorLayoutStartsANewSourceAndMenusReachTheEditor) {
    WiredWindow f;
    app::MainWindow& w = *f.window;
    ASSERT_NE(app::workbenchOf(w), nullptr);
    w.EditAsmWindows_Click();
    EXPECT_EQ(w.windowTitle(), w.AppTitle() + " - 无标题.ASM");
    EXPECT_EQ(w.RichTextBox4()->text(), "编译信息显示窗口...");
    EXPECT_EQ(w.RichTextBox3()->text(), "汇编列表输出及用户自定义扩展指令文件显示窗口...");

    w.RichTextBox2()->setFocus();
    QTest::keyClicks(w.RichTextBox2(), "NOP");
    EXPECT_EQ(w.windowTitle(), w.AppTitle() + " - 无标题.ASM *");

    // Ctrl+S asks for a name; cancelling keeps the source modified.
    QTest::keyClick(w.RichTextBox2(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(f.prompter.asked().size(), 1u);
    EXPECT_EQ(f.prompter.asked().front().kind, testsupport::ScriptedPrompter::Asked::SaveFile);
    EXPECT_TRUE(f.state.SourceModified);

    // Leaving for the command line: Yes, then the save dialog cancelled, stays.
    f.prompter.clear();
    f.prompter.answerMessage(platform::MsgResult::Yes);
    w.ToolCommandLine_Click();
    EXPECT_EQ(f.prompter.asked().size(), 2u);
    EXPECT_TRUE(w.isMenuEnabled("File"));

    // The toolbar's "新建" asks the save question first.
    f.prompter.clear();
    f.prompter.answerMessage(platform::MsgResult::No);
    w.Toolbar1_ButtonClick("New");
    EXPECT_EQ(w.RichTextBox2()->text(), "");
    EXPECT_FALSE(f.state.SourceModified);
}

TEST(WorkbenchWiring, F9BuildsAndHoldsTheWindowUntilItEnds) {
    WiredWindow f;
    f.installAssembler();
    app::MainWindow& w = *f.window;
    auto waits = fastWaits();
    f.openInEditor(" NOP\r\n NOP\r\n ERROR\r\n");
    ASSERT_TRUE(f.state.SourceHasName);

    bool checked = false;
    QTimer::singleShot(0, [&] {
        checked = true;
        EXPECT_TRUE(app::workbenchOf(w)->buildRunning());
        EXPECT_FALSE(w.menuEntry("FileDebugComplet")->isEnabled());  // F9 is off too
        EXPECT_FALSE(w.menuEntry("FileSave")->isEnabled());
        EXPECT_FALSE(w.menuEntry("EditAsmWindows")->isEnabled());
        EXPECT_FALSE(w.menuEntry("Exit")->isEnabled());
        EXPECT_FALSE(w.Toolbar1()->isEnabled());
        EXPECT_FALSE(w.centralWidget()->isEnabled());
        EXPECT_EQ(w.RichTextBox4()->text(), "编译中，请稍候。。。");
        // The close box asks as at any other time; No leaves the build untouched.
        f.prompter.answerMessage(platform::MsgResult::No);
        EXPECT_FALSE(w.close());
    });
    w.RichTextBox2()->setFocus();
    QTest::keyClick(w.RichTextBox2(), Qt::Key_F9);

    EXPECT_TRUE(checked);
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(f.prompter.messages().size(), 1u);
    EXPECT_EQ(f.prompter.messages().front().text, "立即退出？");
    EXPECT_EQ(w.RichTextBox4()->text(), "Error in \"" + f.state.SourcePath + "\" at 1, line 3: stand-in error\n");
    EXPECT_EQ(w.RichTextBox4()->tag(), "3");
    EXPECT_EQ(w.RichTextBox2()->selStart(), w.RichTextBox2()->document()->findBlockByNumber(2).position());
    for (const char* m : {"File", "FileEdit", "FileDebug", "ChangeWindows", "resets", "Help"})
        EXPECT_TRUE(w.isMenuEnabled(m)) << m;
    EXPECT_TRUE(w.menuEntry("FileDebugComplet")->isEnabled());
    EXPECT_TRUE(w.menuEntry("Exit")->isEnabled());
    EXPECT_TRUE(w.Toolbar1()->isEnabled());
    EXPECT_TRUE(w.centralWidget()->isEnabled());
    EXPECT_FALSE(w.menuEntry("CommandMemory")->isEnabled()) << "the editor layout's menus stay as they were";
}

TEST(WorkbenchWiring, AssemblerOptionsOnlyWhereOffered) {
    for (auto id : {editions::EditionId::Corvane16, editions::EditionId::Corvane}) {
        WiredWindow f(editions::profileFor(id));
        QString opened;
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->windowTitle();
                modal->close();
            }
        });
        f.window->Toolbar1_ButtonMenuClick("SetAsmSet");
        QTest::qWait(5);
        EXPECT_EQ(opened, id == editions::EditionId::Corvane ? "" : " 汇编条件设置");
    }
}

// "是" to the close box during a build: the build's wait ends at once, the
// assembler is ended, its work files go and nothing is copied beside the
// source; only then does the program quit.
TEST(WorkbenchWiring, ClosingDuringABuildStopsItCleansUpAndThenQuits) {
    qputenv("STANDIN_SLOW_SECONDS", "30");
    WiredWindow f;
    f.installAssembler();
    app::MainWindow& w = *f.window;
    auto waits = fastWaits();
    f.openInEditor("; SLOW\r\n NOP\r\n");
    f.prompter.clear();
    QSignalSpy unloaded(&w, &app::MainWindow::unloaded);

    QTimer closer;  // once the assembler runs (its output file is there)
    QObject::connect(&closer, &QTimer::timeout, [&] {
        const QStringList files = QDir(f.folder.path()).entryList(QDir::Files);
        if (files.filter(QRegularExpression("\\.(tmp|TMP)$")).isEmpty()) return;
        closer.stop();
        f.prompter.answerMessage(platform::MsgResult::Yes);
        w.close();
    });
    closer.start(5);
    QElapsedTimer t;
    t.start();
    w.RichTextBox2()->setFocus();
    QTest::keyClick(w.RichTextBox2(), Qt::Key_F9);
    ASSERT_TRUE(testsupport::waitUntil([&] { return unloaded.count() == 1; }, 10000));
    EXPECT_LT(t.elapsed(), 10000);  // not the assembler's thirty seconds
    EXPECT_EQ(QDir(f.folder.path()).entryList(QDir::Files), QStringList{"prog.asm"});
    EXPECT_EQ(w.RichTextBox4()->text(), "编译出错，请重试...");
    ASSERT_EQ(f.prompter.messages().size(), 1u);  // asked once, nothing else shown
    EXPECT_EQ(f.prompter.messages().front().text, "立即退出？");
    EXPECT_FALSE(app::workbenchOf(w)->buildRunning());
    qunsetenv("STANDIN_SLOW_SECONDS");
}
