#include "app/string_resources.h"
#include "app_fixture.h"
#include "link/widgets/auto_scan_com_port.h"
#include "sampler/widgets/form2.h"
#include "support/source_tree.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"

#include <QAction>
#include <QMenu>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace apptest;

namespace {

QStringList rowKeys(const platform::ListView* list) {
    QStringList keys;
    for (int i = 0; i < list->rowCount(); ++i) keys << list->rowKey(i);
    return keys;
}

}  // namespace

TEST(MainWindow, LoadLeavesAHiddenDisabledWindowInTheCommandLineLayout) {
    WindowFixture f;
    app::MainWindow& w = f.build();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.isEnabled());
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Corvane16 计算机组成原理实验软件 1.0.5版"));
    EXPECT_EQ(w.AppTitle(), w.windowTitle());
    EXPECT_EQ(w.SendDataCmd(), "G078B");
    EXPECT_EQ(w.RecvDataCmd(), "G0769");
    EXPECT_EQ(w.bandChild("RichTB1"), w.RichTextBox1());
    EXPECT_EQ(w.bandChild("Pic2"), w.Picture2());
    EXPECT_TRUE(w.Picture3()->isHidden()) << "the help band starts without its container";
    EXPECT_FALSE(w.band("Pic3")->isHidden());

    // The banner with its prompt; the caret after it.
    EXPECT_EQ(w.RichTextBox1()->text(), QStringLiteral("Vuz 设 备 命 令 行 窗 口 ...\n\n>"));
    EXPECT_EQ(w.RichTextBox1()->selStart(), w.RichTextBox1()->textLength());
    EXPECT_EQ(w.RichTextBox1()->rightMargin(), 9600);
    EXPECT_EQ(w.RichTextBox2()->rightMargin(), 32767);
    EXPECT_EQ(w.RichTextBox5()->rightMargin(), 8959);
    // The help texts also wrap where a narrow pane ends; the editor scrolls instead.
    EXPECT_TRUE(w.RichTextBox5()->wrapsAtBoxWidth());
    EXPECT_TRUE(w.RichTextBox6()->wrapsAtBoxWidth());
    EXPECT_FALSE(w.RichTextBox2()->wrapsAtBoxWidth());
    for (int i = 2; i <= 4; ++i) {
        EXPECT_TRUE(w.richTextBox(i)->text().isEmpty()) << i;
        EXPECT_DOUBLE_EQ(w.richTextBox(i)->boxFont().pointSizeF(), 12.0) << i;
        EXPECT_EQ(w.richTextBox(i)->boxFont().family(), QStringLiteral("宋体")) << i;
    }

    EXPECT_FALSE(w.Timer1()->isActive());
    EXPECT_EQ(w.Timer1()->interval(), 50);
    EXPECT_EQ(w.fields().LayoutBusy, 0);
    EXPECT_TRUE(f.prompter.asked().empty()) << "loading asks nothing";
}

TEST(MainWindow, ListsFollowTheEdition) {
    struct Case {
        const editions::EditionProfile& p;
        QStringList registers;
        int memoryRows;
    };
    const QStringList sixteen{"R0", "R1", "R2", "R3", "SP(R4)", "PC(R5)", "IP(R6)", "R7", "R8",
                              "R9", "R10", "R11", "R12", "R13", "R14", "R15", "F"};
    const QStringList eight{"R0", "R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8", "R9", "R10", "R11", "STATE"};
    const Case cases[] = {{editions::profileCorvane16(), sixteen, 120},
                          {editions::profileCorvane(), sixteen, 120},
                          {editions::profileCorvane8(), eight, 128}};
    for (const Case& c : cases) {
        WindowFixture f(c.p);
        app::MainWindow& w = f.build();
        SCOPED_TRACE(w.AppTitle().toStdString());
        EXPECT_TRUE(w.AppTitle().startsWith(QString::fromUtf8(c.p.titleWord.data(), c.p.titleWord.size()) + " "));

        platform::ListView* regs = w.ListView1();
        EXPECT_EQ(rowKeys(regs), c.registers);
        for (const QString& r : c.registers) {
            EXPECT_EQ(regs->text(r, 0), r);
            EXPECT_TRUE(regs->setCellText(r + "Value", "1234")) << r.toStdString();
        }
        EXPECT_EQ(regs->headerItem()->text(0), QStringLiteral("名称"));
        EXPECT_EQ(regs->headerItem()->text(1), QStringLiteral("值"));
        EXPECT_EQ(regs->columnOf("RegisterValue"), 1);

        platform::ListView* unasm = w.ListView2();
        EXPECT_EQ(unasm->rowCount(), 0);
        EXPECT_EQ(unasm->columnOf("UnAsmInstruction"), 2);
        EXPECT_EQ(unasm->headerItem()->text(1), QStringLiteral("编码"));

        platform::ListView* memory = w.ListView3();
        ASSERT_EQ(memory->rowCount(), c.memoryRows);
        EXPECT_EQ(memory->rowKey(0), "Address1");
        EXPECT_EQ(memory->rowKey(c.memoryRows - 1), QStringLiteral("Address%1").arg(c.memoryRows));
        EXPECT_TRUE(memory->setCellText("Address1Value1", "00"));
        EXPECT_TRUE(memory->setCellText(QStringLiteral("Address%1Disp%1").arg(c.memoryRows), "."));
        EXPECT_FALSE(memory->setCellText(QStringLiteral("Address%1Value%1").arg(c.memoryRows + 1), "x"));
        EXPECT_EQ(memory->text("Address2", 0), QString());
        EXPECT_EQ(memory->headerItem()->text(2), QStringLiteral("显示"));
    }
}

TEST(MainWindow, AssemblerOptionsOnlyWhereTheEditionOffersThem) {
    for (const auto* p : {&editions::profileCorvane16(), &editions::profileCorvane(), &editions::profileCorvane8()}) {
        WindowFixture f(*p);
        app::MainWindow& w = f.build();
        const bool offered = p->asmOptionsOffered;
        SCOPED_TRACE(w.AppTitle().toStdString());
        EXPECT_EQ(w.menuEntry("SetAsmSet")->isVisible(), offered);
        EXPECT_EQ(w.menuEntry("SetAsmSet")->isEnabled(), offered);
        EXPECT_EQ(w.menuEntry("Menu_line7")->isVisible(), offered);
        EXPECT_EQ(w.dropDownItem("SetAsmSet")->isVisible(), offered);
        EXPECT_EQ(w.dropDownItem("SetAsmSet")->isEnabled(), offered);
        EXPECT_TRUE(w.dropDownItem("SetDisplayFontSize")->isVisible());
    }
}

TEST(MainWindow, HelpPanesShowTheEditionsFilesAndStayEmptyWithoutThem) {
    // The fixture's folder and file names differ in case from the ones looked for.
    WindowFixture f(editions::profileCorvane8());
    ASSERT_TRUE(QDir(f.folder.path()).mkpath("HELP"));
    QFile file(f.folder.path() + QStringLiteral("/HELP/corvane8监控命令.RTF"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi\\ansicpg936 {\\b D} \\'c4\\'da\\'b4\\'e6\\par second line\\par}");
    file.close();

    app::MainWindow& w = f.build();
    EXPECT_EQ(w.RichTextBox5()->text(), QStringLiteral("D 内存\nsecond line"));
    EXPECT_TRUE(w.RichTextBox6()->text().isEmpty());
    EXPECT_TRUE(f.prompter.asked().empty()) << "a missing help file is not reported";
}

TEST(MainWindow, MenusToolbarAndDropDownCarryTheirKeysAndTexts) {
    WindowFixture f;
    app::MainWindow& w = f.build();
    struct Entry { const char* name; const char16_t* caption; const char* shortcut; };
    const Entry entries[] = {
        {"FileSave", u"保存(&S)", "Ctrl+S"},   {"FileEditDel", u"删除", "Del"},
        {"FileEditFindNext", u"查找下一个", "F3"}, {"FileDebugComplet", u"编译", "F9"},
        {"CommandStepInto", u"单步进入运行", "F7"}, {"CommandStep", u"单步运行", "F8"},
        {"SetDisplayFontSize", u"显示字体尺寸(12/小四-30/一号)", ""},
        {"ToolCommandLine", u"Vuz设备命令行窗口显示", ""}, {"About", u"关于", ""}, {"Exit", u"退出", ""},
    };
    for (const Entry& e : entries) {
        QAction* a = w.menuEntry(e.name);
        ASSERT_NE(a, nullptr) << e.name;
        EXPECT_EQ(a->text(), QString::fromUtf16(e.caption)) << e.name;
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(e.shortcut))) << e.name;
    }
    EXPECT_EQ(w.menu("File")->title(), QStringLiteral("汇编源文件(&F)"));
    EXPECT_EQ(w.menu("Command")->title(), QStringLiteral("Vuz设备命令"));
    for (const char* hidden : {"save", "menu_load", "lab"}) EXPECT_FALSE(w.menuAction(hidden)->isVisible()) << hidden;
    EXPECT_FALSE(w.menuAction("Menu_Null_line0")->isEnabled());
    // Hidden entries without a command are disabled too.
    for (const char* name : {"FileClose", "FileDebugStepInto", "FileDebugStep", "FileDebugRun", "Manual"}) {
        EXPECT_FALSE(w.menuEntry(name)->isVisible()) << name;
        EXPECT_FALSE(w.isEntryEnabled(name)) << name;
    }

    struct Button { const char* key; const char16_t* caption; const char16_t* tip; };
    const Button buttons[] = {
        {"New", u"新建", u"新建汇编源文件"},
        {"VuzAsm", u"编译", u"编译汇编源文件(F9)"},
        {"VuzStepIntoRun", u"单步", u"单步进入运行Vuz设备汇编代码(F7)"},
        {"VuzStepIntoRunAs", u"单步于", u"单步进入运行指定地址起始的Vuz设备汇编代码"},
        {"ClearCommandLine", u"清空", u"清空Vuz设备命令行窗口显示内容"},
        {"HelpDispOrUnDisp", u"帮助", u"帮助窗口的显示或关闭"},
        {"AutoSearchPort", u"设置", u"自动搜索端口"},
    };
    for (const Button& b : buttons) {
        QAction* a = w.toolbarButton(b.key);
        ASSERT_NE(a, nullptr) << b.key;
        EXPECT_EQ(a->text(), QString::fromUtf16(b.caption)) << b.key;
        EXPECT_EQ(a->toolTip(), QString::fromUtf16(b.tip)) << b.key;
    }
    for (const char* sep : {"line", "line1", "line2", "line3", "line4"}) EXPECT_TRUE(w.toolbarButton(sep)->isSeparator());

    const QStringList items{"AutoSearchPort", "ManualSetupPort", "ClosePort", "SetDisplayFontSize", "SetAsmSet"};
    const QList<QAction*> menuItems = w.toolbarButton("AutoSearchPort")->menu()->actions();
    ASSERT_EQ(menuItems.size(), items.size());
    for (int i = 0; i < items.size(); ++i) EXPECT_EQ(menuItems[i]->objectName(), items[i]);
    EXPECT_EQ(w.dropDownItem("SetDisplayFontSize")->text(), QStringLiteral("显示字体尺寸(12-30)"));
}

TEST(MainWindow, SettingsButtonAndItsFirstItemBothRunTheSearch) {
    WindowFixture f;
    int searches = 0;
    f.hooks.link.searchPort = [&](app::MainWindow&) { ++searches; };
    app::MainWindow& w = f.build();
    w.setEnabled(true);
    w.toolbarButton("AutoSearchPort")->trigger();
    w.dropDownItem("AutoSearchPort")->trigger();
    w.menuEntry("Search")->trigger();
    EXPECT_EQ(searches, 3);
    // Keys without a command yet, and separators, do nothing.
    w.Toolbar1_ButtonClick("Run");
    w.Toolbar1_ButtonClick("line2");
    w.Toolbar1_ButtonMenuClick("nothing");
    EXPECT_EQ(searches, 3);
}

TEST(StringResources, BothFormsHoldTheSameText) {
    for (int id = 101; id <= 108; ++id) {
        platform::RichTextBox rich, plain;
        rich.setRichText(app::LoadResString(id, app::ResourceForm::RichText));
        plain.setRichText(app::LoadResString(id, app::ResourceForm::PlainText));
        EXPECT_TRUE(app::resourceRichText(id).startsWith("{\\rtf1")) << id;
        EXPECT_EQ(rich.text(), app::resourcePlainText(id)) << id;
        EXPECT_EQ(plain.text(), app::resourcePlainText(id)) << id;
    }
    EXPECT_EQ(app::resourcePlainText(104), QStringLiteral("汇编源程序编辑、显示窗口..."));
    EXPECT_EQ(app::resourcePlainText(106), QStringLiteral("编译中，请稍候。。。"));
    EXPECT_TRUE(app::resourcePlainText(109).isEmpty());

    // The banner's first word has a sans-serif face of its own; the rest is 宋体 12 pt.
    platform::RichTextBox box;
    box.setRichText(app::LoadResString(101, app::ResourceForm::RichText));
    box.setSelStart(1);
    EXPECT_EQ(box.selFontName(), QStringLiteral("MS Sans Serif"));
    box.setSelStart(6);
    EXPECT_EQ(box.selFontName(), QStringLiteral("宋体"));
    EXPECT_DOUBLE_EQ(box.selFontSize(), 12.0);
}

TEST(MainWindow, ShippedHelpFilesLoadForEveryEdition) {
    const QByteArray source = QByteArray::fromStdString(testsupport::sourceTree());
    testsupport::sourceFile("help/Corvane16监控命令.rtf");
    struct Case { const editions::EditionProfile& p; const char16_t* example; bool asmOptions; };
    const Case cases[] = {{editions::profileCorvane16(), u"D2000", true},
                          {editions::profileCorvane(), u"D2000", false},
                          {editions::profileCorvane8(), u"D 2000", true}};
    for (const Case& c : cases) {
        WindowFixture f(c.p);
        qputenv("CORVANE_HOME", source);
        app::MainWindow& w = f.build();
        SCOPED_TRACE(w.AppTitle().toStdString());
        const QString monitor = w.RichTextBox5()->text();
        const QString programming = w.RichTextBox6()->text();
        EXPECT_TRUE(monitor.startsWith(QString::fromUtf8(c.p.titleWord.data(), c.p.titleWord.size()) + " 监控命令"));
        for (const char16_t* word : {u"内存察看", u"寄存器察看", u"反编译", u"连续运行", u"单步进入运行", u"单步运行"}) {
            EXPECT_TRUE(monitor.contains(QString::fromUtf16(word))) << QString::fromUtf16(word).toStdString();
        }
        EXPECT_TRUE(monitor.contains(QString::fromUtf16(c.example)));
        EXPECT_TRUE(programming.contains(QStringLiteral("编译")));
        EXPECT_EQ(programming.contains(QStringLiteral("汇编条件设置")), c.asmOptions);
        EXPECT_FALSE(monitor.contains(QChar(0xFFFD)));
        EXPECT_FALSE(programming.contains(QChar(0xFFFD)));
    }
}

// The progress, port search and custom sampling dialogs have no parent (the
// main window is disabled while they are up), yet the window manager keeps them
// above the main window, so one click on it cannot bury "取消".
TEST(MainWindow, DialogsStayAboveTheDisabledMainWindow) {
    WindowFixture f;
    app::MainWindow& w = f.build();
    w.show();
    devlink::DataSendRecvProcess progress;
    progress.showInFront();
    devlink::LinkState link;
    devlink::AutoScanComPort search(link);
    search.showNonModal();
    sampler::Form2::instance()->showCustomSampling(nullptr);
    for (QWidget* dialog : {static_cast<QWidget*>(&progress), static_cast<QWidget*>(&search),
                            static_cast<QWidget*>(sampler::Form2::instance())}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        EXPECT_EQ(dialog->parent(), nullptr);
        EXPECT_TRUE(dialog->isEnabled());
        ASSERT_NE(dialog->windowHandle(), nullptr);
        EXPECT_EQ(dialog->windowHandle()->transientParent(), w.windowHandle());
    }
    search.closeDialog();
    progress.hide();
    sampler::Form2::unload();
}
