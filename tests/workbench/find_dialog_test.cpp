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

namespace {

// Pixels of `rect` in the editor's viewport as drawn now.
struct Drawn {
    int shaded = 0;  // in the selection colour's hue (bluish), not the base colour
    int red = 0;     // text in the error mark's red
};

Drawn drawnIn(platform::RichTextBox* box, int from, int to) {
    QTextCursor c(box->document());
    c.setPosition(from);
    const QRect a = box->cursorRect(c);
    c.setPosition(to);
    const QRect b = box->cursorRect(c);
    const QRect area(a.left() + 1, a.top(), b.left() - a.left() - 2, a.height());
    const QImage shot = box->viewport()->grab().toImage();
    Drawn d;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = shot.pixelColor(x, y);
            if (p.red() > 180 && p.green() < 90 && p.blue() < 90) ++d.red;
            else if (p.blue() > p.red() + 25 && p.lightness() > 100) ++d.shaded;
        }
    }
    return d;
}

}  // namespace

// With the dialog in front the editor has no focus; the hit is still seen, and
// an error line's red mark stays red under it.
TEST(Find, TheHitStaysVisibleWhileTheDialogIsOpenAndKeepsTheErrorMark) {
    EditorRig rig;
    rig.show();
    rig.editor->setText("NOP\nMOV A,B\nNOP MOV");
    rig.wb->HighlightLine(rig.editor, 2);
    rig.editor->setSelStart(0);
    rig.wb->FileEditFind_Click();
    FindDialog* d = rig.wb->find().dialog();
    QTest::keyClicks(d->txtFind(), "MOV");
    d->cmdFind()->click();
    QApplication::setActiveWindow(d);
    ASSERT_FALSE(rig.editor->isActiveWindow());
    ASSERT_EQ(rig.editor->selStart(), 4);

    const Drawn hit = drawnIn(rig.editor, 4, 7);
    EXPECT_GT(hit.shaded, 20);
    EXPECT_GT(hit.red, 10);
    const Drawn rest = drawnIn(rig.editor, 7, 11);  // " A,B": marked, not found
    EXPECT_EQ(rest.shaded, 0);
    EXPECT_GT(rest.red, 10);

    d->cmdFind()->click();  // the next hit, on a line without a mark
    EXPECT_EQ(rig.editor->selStart(), 16);
    EXPECT_EQ(drawnIn(rig.editor, 4, 7).shaded, 0);
    EXPECT_GT(drawnIn(rig.editor, 16, 19).shaded, 20);

    // Once the dialog is gone, or the caret moves, the hit is no longer shaded.
    d->cmdcancel()->click();
    EXPECT_EQ(drawnIn(rig.editor, 16, 19).shaded, 0);
    rig.wb->FileEditFindNext_Click();
    rig.editor->setSelStart(0);
    EXPECT_TRUE(rig.editor->extraSelections().isEmpty());
}
