#include "workbench/find_dialog.h"

#include "editor_fixture.h"
#include "support/wait_until.h"
#include "workbench/source_editor.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace workbench;
using namespace wbtest;

TEST(Find, F3BeforeAnySearchOpensAnEmptyDialog) {
    EditorRig rig;
    rig.show();
    rig.editor->setText("MOV A\nmov b");
    rig.wb->FileEditFindNext_Click();
    FindDialog* d = rig.wb->find().dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), " 查找");
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(d->txtFind()->text(), "");
    EXPECT_FALSE(d->cmdFind()->isEnabled());
    EXPECT_TRUE(d->optDirection(1)->isChecked());
    EXPECT_FALSE(d->chkCase()->isChecked());
    EXPECT_TRUE(rig.prompter.asked().empty());
}

TEST(Find, SearchingDownThenNothingMore) {
    EditorRig rig;
    rig.show();
    rig.editor->setText("ab ab");
    rig.wb->FileEditFind_Click();
    FindDialog* d = rig.wb->find().dialog();
    QTest::keyClicks(d->txtFind(), "AB");
    EXPECT_TRUE(d->cmdFind()->isEnabled());
    d->cmdFind()->click();
    EXPECT_EQ(rig.editor->selStart(), 0);
    EXPECT_EQ(rig.editor->selLength(), 2);
    EXPECT_EQ(rig.host.panel2, QString::fromUtf16(u"行：1； 列：1"));
    d->cmdFind()->click();
    EXPECT_EQ(rig.editor->selStart(), 3);
    EXPECT_TRUE(rig.prompter.messages().empty());
    d->cmdFind()->click();
    ASSERT_EQ(rig.prompter.messages().size(), 1u);
    const auto notFound = rig.prompter.messages().front();
    EXPECT_EQ(notFound.title, " 信息提示！");
    EXPECT_EQ(notFound.icon, platform::MsgIcon::Information);
    EXPECT_TRUE(notFound.text.contains("AB"));
    EXPECT_EQ(rig.editor->selStart(), 3);  // a miss leaves the selection
    EXPECT_EQ(rig.editor->selLength(), 2);
    EXPECT_TRUE(d->isVisible());  // the dialog stays open while searching
}

TEST(Find, CaseAndDirectionAreKeptForF3AndTheNextDialog) {
    EditorRig rig;
    rig.show();
    rig.editor->setText("mov MOV mov");
    rig.wb->FileEditFind_Click();
    FindDialog* d = rig.wb->find().dialog();
    QTest::keyClicks(d->txtFind(), "MOV");
    d->chkCase()->click();
    d->cmdcancel()->click();  // keeps text and case, closes
    ASSERT_TRUE(testsupport::waitUntil([&] { return rig.wb->find().dialog() == nullptr; }));
    EXPECT_EQ(rig.state.find.FindText, "MOV");
    EXPECT_EQ(rig.state.find.FindMatchCase, 1);

    rig.editor->setSelStart(0);
    rig.wb->FileEditFindNext_Click();  // repeats without the dialog
    EXPECT_EQ(rig.wb->find().dialog(), nullptr);
    EXPECT_EQ(rig.editor->selStart(), 4);

    // Upwards from the end: the fresh search starts two characters back.
    rig.wb->FileEditFind_Click();
    d = rig.wb->find().dialog();
    EXPECT_EQ(d->txtFind()->text(), "MOV");  // the editor's selection
    EXPECT_TRUE(d->chkCase()->isChecked());
    d->optDirection(0)->click();
    EXPECT_EQ(rig.state.find.FindDirection, 0);
    QTest::keyClick(d, Qt::Key_Escape);
    ASSERT_TRUE(testsupport::waitUntil([&] { return rig.wb->find().dialog() == nullptr; }));

    rig.editor->setSelStart(11);
    rig.wb->FileEditFindNext_Click();
    EXPECT_EQ(rig.editor->selStart(), 4);
    rig.wb->FileEditFind_Click();
    EXPECT_TRUE(rig.wb->find().dialog()->optDirection(0)->isChecked());
}

TEST(Find, ChangingTheTextConsidersTheCaretAgain) {
    EditorRig rig;
    rig.show();
    rig.editor->setText("abc abc");
    rig.wb->FileEditFind_Click();
    FindDialog* d = rig.wb->find().dialog();
    QTest::keyClicks(d->txtFind(), "abc");
    d->cmdFind()->click();
    EXPECT_EQ(rig.editor->selStart(), 0);
    d->txtFind()->setText("ab");  // the caret is on a hit of the new text
    d->cmdFind()->click();
    EXPECT_EQ(rig.editor->selStart(), 0);
    EXPECT_EQ(rig.editor->selLength(), 2);
}
