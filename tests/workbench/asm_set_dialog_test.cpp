#include "workbench/asm_set_dialog.h"

#include "build_fixture.h"
#include "editor_fixture.h"
#include "support/wait_until.h"
#include "workbench/build_command.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace workbench;
using namespace wbtest;

namespace {
const QString kPlaceholder = QStringLiteral("用户自定义扩展指令文件名及其路径");
}

TEST(AsmSet, OpensWithTheStoredValues) {
    testsupport::ScriptedPrompter prompter;
    WorkbenchState state;
    {
        AsmSetDialog d(state);
        EXPECT_EQ(d.windowTitle(), " 汇编条件设置");
        EXPECT_EQ(d.check1()->text(), "不生成 Vuz 可执行代码数据装载信息");
        EXPECT_FALSE(d.check1()->isChecked());
        EXPECT_TRUE(d.check2()->isChecked());
        EXPECT_FALSE(d.check3()->isChecked());
        EXPECT_FALSE(d.text1()->isEnabled());
        EXPECT_EQ(d.text1()->text(), kPlaceholder);
        EXPECT_FALSE(d.command1()->isEnabled());
        EXPECT_TRUE(d.cmdCancel()->isDefault());
    }
    state.ExtInstrFile = "/x/ext.ins";
    state.GenerateLoadInfo = false;
    AsmSetDialog d(state);
    EXPECT_TRUE(d.check1()->isChecked());
    EXPECT_TRUE(d.check3()->isChecked());
    EXPECT_TRUE(d.text1()->isEnabled());
    EXPECT_EQ(d.text1()->text(), "/x/ext.ins");
    EXPECT_TRUE(prompter.asked().empty());  // loading never opens the picker
}

TEST(AsmSet, TickingTheFileBoxPicksAFile) {
    QTemporaryDir dir;
    const QString ins = dir.filePath("ext.INS");
    writeBytes(ins, "OP1 01\r\n");
    testsupport::ScriptedPrompter prompter;
    WorkbenchState state;
    state.GenerateLoadInfo = false;

    {
        // Cancelled picker: the box stays empty and enabled; OK stores no file.
        AsmSetDialog d(state);
        d.show();
        d.check3()->click();
        ASSERT_EQ(prompter.asked().size(), 1u);
        const auto request = prompter.asked().front().file;
        EXPECT_EQ(request.title, "打开文件");
        EXPECT_EQ(request.filter, "扩展指令定义文件 (*.INS)|*.INS");
        EXPECT_EQ(request.defaultExt, "INS");
        EXPECT_TRUE(d.text1()->isEnabled());
        EXPECT_EQ(d.text1()->text(), "");
        d.cmdOk()->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(state.ExtInstrFile, "");
        EXPECT_FALSE(state.GenerateLoadInfo);
    }
    {
        // An unreadable choice is reported and leaves the box; a readable one fills it.
        prompter.clear();
        prompter.answerFile(dir.path());
        prompter.answerFile(ins);
        AsmSetDialog d(state);
        d.show();
        d.check3()->click();
        EXPECT_EQ(prompter.messages().size(), 1u);
        EXPECT_EQ(prompter.messages().front().text, "文件 \"" + dir.path() + "\" 已被打开、被保护或已损坏，无法打开！！");
        EXPECT_EQ(d.text1()->text(), "");
        d.command1()->click();
        EXPECT_EQ(d.text1()->text(), ins);
        d.cmdOk()->click();
        EXPECT_EQ(state.ExtInstrFile, ins);
    }
    {
        // Clearing the box stores no file, whatever the path box held.
        AsmSetDialog d(state);
        d.show();
        d.check3()->click();
        EXPECT_EQ(d.text1()->text(), kPlaceholder);
        EXPECT_FALSE(d.text1()->isEnabled());
        d.cmdOk()->click();
        EXPECT_EQ(state.ExtInstrFile, "");
    }
}

TEST(AsmSet, EnterAndEscapeCancel) {
    testsupport::ScriptedPrompter prompter;
    WorkbenchState state;
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        AsmSetDialog d(state);
        d.show();
        QApplication::setActiveWindow(&d);
        d.check1()->click();
        d.check2()->click();
        d.check1()->setFocus();
        QTest::keyClick(d.check1(), Qt::Key(key));
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(state.GenerateLoadInfo);
        EXPECT_TRUE(state.UseDefaultExtSet);
    }
}

TEST(AsmSet, OkOptionsReachTheBatchLine) {
    testsupport::ScriptedPrompter prompter;
    WorkbenchState state;
    AsmSetDialog d(state);
    d.show();
    d.check1()->click();
    d.check2()->click();
    d.cmdOk()->click();
    const BuildCommand cmd = makeBuildCommand(editions::profileCorvane16().assembler, {"AB12CD34", "EF56GH78.EXE", ""},
                                              {state.GenerateLoadInfo, state.UseDefaultExtSet});
    EXPECT_EQ(cmd.batchLine, "EF56GH78.EXE -TH -G AB12CD34.ASM * * > AB12CD34.TMP");
}

TEST(AsmSet, OfferedOnlyWhereTheEditionHasOptions) {
    for (auto id : {editions::EditionId::Corvane16, editions::EditionId::Corvane, editions::EditionId::Corvane8}) {
        EditorRig rig(editions::profileFor(id));
        rig.show();
        QString opened;
        // Closes the dialog if one comes up, noting its title.
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->windowTitle();
                static_cast<QDialog*>(modal)->reject();
            }
        });
        rig.wb->SetAsmSet_Click();
        testsupport::pumpFor(10);
        EXPECT_EQ(opened, id == editions::EditionId::Corvane ? "" : " 汇编条件设置");
    }
}
