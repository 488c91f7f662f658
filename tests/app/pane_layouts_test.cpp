#include "app_fixture.h"
#include "link/fake/monitor_machine.h"
#include "link/reply_fills.h"
#include "link/widgets/reply_list_views.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

using namespace apptest;
using platform::MsgResult;

namespace {

const QStringList kCommandMenus{"Command", "Tool"};
const QStringList kEditorMenus{"File", "FileEdit", "FileDebug"};
const QStringList kCommandButtons{"Memory", "Register", "VuzUnAsm", "VuzRun", "VuzStepIntoRun",
                                  "VuzStepIntoRunAs", "line3", "Send", "Recv", "ClearCommandLine", "line4"};
const QStringList kEditorButtons{"New", "Open", "Save", "line1", "VuzAsm", "Run", "StepIntoRun", "line2"};
const QStringList kAlwaysMenus{"ChangeWindows", "resets", "Help"};
const QStringList kAlwaysButtons{"EditAsmWindows", "CommandLine", "HelpDispOrUnDisp", "AutoSearchPort"};

// Every menu, its visible entries with a command, and every toolbar button, as the layout requires.
void expectLayout(app::MainWindow& w, bool editor) {
    for (const QString& m : kCommandMenus) {
        EXPECT_EQ(w.menuAction(m)->isEnabled(), !editor) << m.toStdString();
        for (QAction* a : w.menu(m)->actions()) {
            if (!a->isSeparator()) { EXPECT_EQ(a->isEnabled(), !editor) << a->objectName().toStdString(); }
        }
    }
    for (const QString& m : kEditorMenus) {
        EXPECT_EQ(w.menuAction(m)->isEnabled(), editor) << m.toStdString();
        for (QAction* a : w.menu(m)->actions()) {
            if (!a->isSeparator() && a->isVisible()) { EXPECT_EQ(a->isEnabled(), editor) << a->objectName().toStdString(); }
        }
    }
    for (const QString& b : kCommandButtons) EXPECT_EQ(w.toolbarButton(b)->isEnabled(), !editor) << b.toStdString();
    for (const QString& b : kEditorButtons) EXPECT_EQ(w.toolbarButton(b)->isEnabled(), editor) << b.toStdString();
    for (const QString& m : kAlwaysMenus) EXPECT_TRUE(w.menuAction(m)->isEnabled()) << m.toStdString();
    EXPECT_TRUE(w.menuEntry("Exit")->isEnabled());
    for (const QString& b : kAlwaysButtons) EXPECT_TRUE(w.toolbarButton(b)->isEnabled()) << b.toStdString();

    EXPECT_EQ(w.bandChild("RichTB1"), editor ? w.Picture1() : static_cast<QWidget*>(w.RichTextBox1()));
    EXPECT_EQ(w.bandChild("Pic2"), editor ? static_cast<QWidget*>(w.RichTextBox3()) : w.Picture2());
    EXPECT_EQ(w.RichTextBox1()->isEnabled(), !editor);
    EXPECT_EQ(w.Picture2()->isEnabled(), !editor);
    EXPECT_EQ(w.Picture1()->isEnabled(), editor);
    EXPECT_EQ(w.RichTextBox3()->isEnabled(), editor);
    // Hidden entries without a command never come alive.
    EXPECT_FALSE(w.menuEntry("FileDebugRun")->isEnabled());
    EXPECT_FALSE(w.menuEntry("FileClose")->isEnabled());
}

struct LayoutFixture : WindowFixture {
    LayoutFixture() {
        hooks.workbench.fileNew = [this] {
            ++fileNews;
            source.SourcePath = QStringLiteral("无标题.ASM");
        };
        hooks.workbench.saveSourceFile = [this] {
            ++saves;
            if (saveSucceeds) source.SourceModified = false;
            return saveSucceeds;
        };
        build();
        window->setEnabled(true);  // as start-up leaves it
    }
    int fileNews = 0;
    int saves = 0;
    bool saveSucceeds = false;
};

}  // namespace

TEST(PaneLayouts, EachLayoutEnablesItsOwnMenusAndButtons) {
    LayoutFixture f;
    app::MainWindow& w = *f.window;
    {
        SCOPED_TRACE("after load");
        expectLayout(w, false);
    }
    w.setStatusText(2, "3:7");
    w.EditAsmWindows_Click();
    {
        SCOPED_TRACE("editor");
        expectLayout(w, true);
    }
    EXPECT_EQ(w.statusText(2), "3:7") << "the editor layout leaves panel 2 alone";
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Corvane16 计算机组成原理实验软件 1.0.5版 - 无标题.ASM"));
    w.ToolCommandLine_Click();
    {
        SCOPED_TRACE("command line again");
        expectLayout(w, false);
    }
    EXPECT_EQ(w.windowTitle(), w.AppTitle());
    EXPECT_TRUE(w.statusText(2).isEmpty());
    EXPECT_TRUE(f.prompter.asked().empty());
}

TEST(PaneLayouts, DisablingTheWholeWindowForAWhileKeepsTheLayoutsStates) {
    LayoutFixture f;
    app::MainWindow& w = *f.window;
    for (bool editor : {false, true}) {
        if (editor) w.EditAsmWindows_Click();
        w.setEnabled(false);
        QCoreApplication::processEvents();
        w.setEnabled(true);
        QCoreApplication::processEvents();
        SCOPED_TRACE(editor ? "editor" : "command line");
        expectLayout(w, editor);
    }
}

TEST(PaneLayouts, TheFirstEditorVisitStartsANewSourceLaterOnesKeepIt) {
    LayoutFixture f;
    app::MainWindow& w = *f.window;
    w.toolbarButton("EditAsmWindows")->trigger();
    EXPECT_EQ(f.fileNews, 1);
    w.menuEntry("ToolCommandLine")->trigger();
    f.source.SourcePath = QStringLiteral("/home/u/a.asm");
    f.source.SourceModified = true;
    w.menuEntry("EditAsmWindows")->trigger();
    EXPECT_EQ(f.fileNews, 1);
    EXPECT_EQ(w.windowTitle(), w.AppTitle() + QStringLiteral(" - /home/u/a.asm *"));
    EXPECT_TRUE(f.prompter.asked().empty()) << "switching to the editor never asks";
}

TEST(PaneLayouts, LeavingTheEditorWithAModifiedSourceAsksFirst) {
    struct Case {
        const char* name;
        MsgResult answer;
        bool saveSucceeds;
        bool switches;
        bool stillModified;
        int saves;
    };
    const Case cases[] = {
        {"cancel", MsgResult::Cancel, false, false, true, 0},
        {"no", MsgResult::No, false, true, true, 0},
        {"yes, save fails", MsgResult::Yes, false, false, true, 1},
        {"yes, saved", MsgResult::Yes, true, true, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutFixture f;
        app::MainWindow& w = *f.window;
        w.EditAsmWindows_Click();
        f.source.SourceModified = true;
        f.saveSucceeds = c.saveSucceeds;
        f.prompter.answerMessage(c.answer);
        w.toolbarButton("CommandLine")->trigger();

        const auto asked = f.prompter.messages();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].text, QStringLiteral("当前文件被修改，是否保存？"));
        EXPECT_EQ(asked[0].title, QStringLiteral(" 提示：是否保存？"));
        EXPECT_EQ(asked[0].buttons, platform::MsgButtons::YesNoCancel);
        EXPECT_EQ(asked[0].icon, platform::MsgIcon::Question);
        EXPECT_EQ(asked[0].defaultButton, 2) << "Cancel is the default";
        EXPECT_EQ(f.saves, c.saves);
        EXPECT_EQ(f.source.SourceModified, c.stillModified);
        expectLayout(w, !c.switches);
        if (!c.switches) {
            EXPECT_EQ(w.windowTitle(), w.AppTitle() + QStringLiteral(" - 无标题.ASM"));
        }
    }
}

TEST(PaneLayouts, HelpBandTogglesOnItsOwn) {
    LayoutFixture f;
    app::MainWindow& w = *f.window;
    QWidget* band = w.band("Pic3");
    w.HelpDispOrUnDisp_Click();  // the start-up call closes it
    EXPECT_TRUE(band->isHidden());
    EXPECT_FALSE(w.Picture3()->isEnabled());
    w.EditAsmWindows_Click();
    w.toolbarButton("HelpDispOrUnDisp")->trigger();
    EXPECT_FALSE(band->isHidden());
    EXPECT_FALSE(w.Picture3()->isHidden());
    EXPECT_TRUE(w.Picture3()->isEnabled());
    w.ToolCommandLine_Click();
    EXPECT_FALSE(band->isHidden()) << "the layouts leave the help band alone";
    w.menuEntry("HelpDispOrUnDisp")->trigger();
    EXPECT_TRUE(band->isHidden());
}

TEST(PaneLayouts, ShortcutsOnlyWorkInTheirLayout) {
    LayoutFixture f;
    app::MainWindow& w = *f.window;
    w.setEnabled(true);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    QSignalSpy stepInto(w.menuEntry("CommandStepInto"), &QAction::triggered);
    QSignalSpy build(w.menuEntry("FileDebugComplet"), &QAction::triggered);
    QSignalSpy save(w.menuEntry("FileSave"), &QAction::triggered);
    auto press = [&](QKeySequence key) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
        QTest::keySequence(target, key);
        QCoreApplication::processEvents();
    };

    // Command-line layout: F7 steps, F9 and Ctrl+S do nothing.
    press(QKeySequence(Qt::Key_F9));
    press(QKeySequence(Qt::CTRL | Qt::Key_S));
    press(QKeySequence(Qt::Key_F7));
    EXPECT_EQ(build.count(), 0);
    EXPECT_EQ(save.count(), 0);
    EXPECT_EQ(stepInto.count(), 1);

    // Editor layout: F9 and Ctrl+S reach their entries, F7 does nothing.
    w.EditAsmWindows_Click();
    w.RichTextBox2()->setFocus();
    press(QKeySequence(Qt::Key_F7));
    press(QKeySequence(Qt::Key_F9));
    press(QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(stepInto.count(), 1);
    EXPECT_EQ(build.count(), 1);
    EXPECT_EQ(save.count(), 1);
}

// At 1600 x 1000 the three lists show every column whole: nothing runs past
// the list's right edge, and the last column is wide enough for its texts.
TEST(PaneLayouts, ListsShowEveryColumnWholeAtTheDefaultSize) {
    WindowFixture f;
    app::MainWindow& w = f.build();
    w.setWindowState(Qt::WindowNoState);
    w.resize(1600, 1000);
    w.setEnabled(true);
    w.show();
    w.HelpDispOrUnDisp_Click();  // start-up closes the help band
    QApplication::processEvents();
    w.setInitialBandSizes();
    platform::ListView* unasm = w.ListView2();
    for (int i = 0; i < 15; ++i) {
        const QString key = QStringLiteral("u%1").arg(i);
        unasm->addRow(key, QStringLiteral("%1").arg(0x1000 + 3 * i, 4, 16, QLatin1Char('0')).toUpper());
        unasm->addCell(key, key + "c", QStringLiteral("B8 12 34"));
        unasm->addCell(key, key + "i", QStringLiteral("MOV R12,[R13+1234H]"));
    }
    w.ListView3()->setCellText(QStringLiteral("Address1Disp1"), QStringLiteral("AB"));
    QApplication::processEvents();
    for (platform::ListView* list : {w.ListView1(), w.ListView2(), w.ListView3()}) {
        SCOPED_TRACE(list->objectName().toStdString());
        const int columns = list->columnCount();
        int used = 0;
        for (int c = 0; c < columns; ++c) used += list->columnWidth(c);
        EXPECT_LE(used, list->viewport()->width());
        const int last = columns - 1;
        int widest = 0;
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->topLevelItem(r)->text(last)));
        EXPECT_GE(list->columnWidth(last), widest + 8);
        EXPECT_GE(list->columnWidth(last), list->header()->sectionSizeHint(last));
    }
}

namespace {

// Every cell of `list` fits its column at the cell's own font.
void expectCellsInFull(const platform::ListView* list) {
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = list->topLevelItem(r);
        for (int c = 0; c < list->columnCount(); ++c) {
            const QFontMetrics metrics(item->font(c));
            ASSERT_GE(list->columnWidth(c), metrics.horizontalAdvance(item->text(c)) + margin)
                << "row " << r << " column " << c << " \"" << item->text(c).toStdString() << "\"";
        }
    }
}

// Every column of `list` can be brought into view: the columns fill the
// viewport exactly (the last one takes the rest), or they are wider and the
// horizontal scroll bar reaches the end of the last one, out from under the
// vertical scroll bar.
void expectEveryColumnReachable(const platform::ListView* list) {
    int used = 0;
    for (int c = 0; c < list->columnCount(); ++c) used += list->columnWidth(c);
    const int view = list->viewport()->width();
    if (used <= view) {
        EXPECT_EQ(used, view) << "the last column fills the rest";
        return;
    }
    const QScrollBar* sideways = list->horizontalScrollBar();
    // The scroll bars settle after the columns have.
    EXPECT_TRUE(QTest::qWaitFor([sideways] { return sideways->isVisible(); }, 2000))
        << "columns " << used << " px, viewport " << view << " px";
    EXPECT_GE(sideways->maximum(), used - view) << "columns " << used << " px, viewport " << view << " px";
}

// The window maximised on a `screen` under a window manager, whose title bar
// takes 28 px, with the help band closed, as start-up leaves it.
app::MainWindow& shownOn(WindowFixture& f, QSize screen) {
    app::MainWindow& w = f.build();
    w.setWindowState(Qt::WindowNoState);
    w.resize(screen.width(), screen.height() - 28);
    w.setEnabled(true);
    w.show();
    w.HelpDispOrUnDisp_Click();
    QApplication::processEvents();
    w.setInitialBandSizes();
    QApplication::processEvents();
    return w;
}

// The device's R, D and U replies in the three lists.
void fillFromDevice(app::MainWindow& w, editions::ReplyLayout layout, fakevaz::MonitorMachine& device) {
    devlink::ReplyListViews lists(*w.ListView1(), *w.ListView2(), *w.ListView3());
    const auto reply = [](const std::string& body) { return QByteArray("X\r\n") + QByteArray::fromStdString(body); };
    devlink::fillRegisterList(reply(device.registers()), layout, lists);
    devlink::fillMemoryList(reply(device.dump(0)), layout, lists);
    devlink::fillUnasmList(reply(device.unassemble(0)), layout, lists);
}

// 设置 → 显示字体尺寸 → `points`.
void chooseDisplayFontSize(WindowFixture& f, double points) {
    f.prompter.answerFont(platform::FontChoice{QStringLiteral("宋体"), points, false, false, false, false});
    f.window->SetDisplayFontSize_Click();
    QApplication::processEvents();
}

}  // namespace

// A lab's 1024 x 768 screen, maximised under a window manager: with the help
// band closed, the three lists show the device's R, D and U replies in full,
// without scrolling sideways; after a larger display font size the columns
// widen with their texts.
TEST(PaneLayouts, ListsShowTheirRepliesInFullAt1024x768) {
    const struct {
        const editions::EditionProfile& profile;
        fakevaz::Edition device;
    } cases[] = {{editions::profileCorvane16(), fakevaz::Edition::Corvane16},
                 {editions::profileCorvane(), fakevaz::Edition::Corvane},
                 {editions::profileCorvane8(), fakevaz::Edition::Corvane8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.profile.titleWord));
        WindowFixture f(c.profile);
        app::MainWindow& w = shownOn(f, QSize(1024, 768));

        fakevaz::MonitorMachine device(c.device);
        device.setReg(1, 0xFFFF);
        fillFromDevice(w, c.profile.replyLayout, device);
        devlink::ReplyListViews lists(*w.ListView1(), *w.ListView2(), *w.ListView3());
        lists.appendUnasmRow({"1000", "B8 12 34", "MOV R12,[R13+1234H]"});
        QApplication::processEvents();

        std::vector<int> before;
        for (platform::ListView* list : {w.ListView1(), w.ListView2(), w.ListView3()}) {
            SCOPED_TRACE(list->objectName().toStdString());
            expectCellsInFull(list);
            int used = 0;
            for (int col = 0; col < list->columnCount(); ++col) {
                used += list->columnWidth(col);
                before.push_back(list->columnWidth(col));
            }
            EXPECT_LE(used, list->viewport()->width()) << "no sideways scrolling";
        }

        // 设置 → 显示字体尺寸 → 16: the lists take 14 points, and their columns follow.
        chooseDisplayFontSize(f, 16);
        std::size_t k = 0;
        for (platform::ListView* list : {w.ListView1(), w.ListView2(), w.ListView3()}) {
            SCOPED_TRACE(list->objectName().toStdString());
            ASSERT_DOUBLE_EQ(list->font().pointSizeF(), 14);
            expectCellsInFull(list);
            for (int col = 0; col < list->columnCount(); ++col, ++k)
                if (list->contentWidth(col) >= before[k]) { EXPECT_GT(list->columnWidth(col), before[k]) << col; }
        }
    }
}

// The display font sizes the command offers, from the smallest to the
// largest, on the commonest lab screens: a list too narrow for its columns
// scrolls sideways to every one of them.
TEST(PaneLayouts, EveryColumnOfTheListsIsReachableAtEveryDisplayFontSize) {
    const struct {
        QSize screen;
        double fontSize;
    } cases[] = {{{1024, 768}, 12}, {{1024, 768}, 16}, {{1024, 768}, 30}, {{1366, 768}, 16},
                 {{1366, 768}, 30}, {{1920, 1080}, 16}, {{1920, 1080}, 30}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screen.width() << " x " << c.screen.height() << ", size " << c.fontSize);
        WindowFixture f;
        app::MainWindow& w = shownOn(f, c.screen);
        fakevaz::MonitorMachine device(fakevaz::Edition::Corvane16);
        fillFromDevice(w, editions::ReplyLayout::Sixteen, device);
        chooseDisplayFontSize(f, c.fontSize);
        for (platform::ListView* list : {w.ListView1(), w.ListView2(), w.ListView3()}) {
            SCOPED_TRACE(list->objectName().toStdString());
            expectCellsInFull(list);
            expectEveryColumnReachable(list);
        }
    }
}
