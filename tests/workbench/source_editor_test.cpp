#include "workbench/source_editor.h"

#include "build_fixture.h"
#include "editor_fixture.h"
#include "workbench/line_marker.h"
#include "workbench/workbench_texts.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace workbench;
using namespace wbtest;
using platform::MsgResult;

namespace {

// "中文" / "MOV A,B ; 注释" in code page 936 with CR LF line ends.
const QByteArray kChineseSource("\xD6\xD0\xCE\xC4\r\nMOV A,B ; \xD7\xA2\xCA\xCD\r\nNOP");

// Opens `path` through the file dialog.
void openFile(EditorRig& rig, const QString& path) {
    rig.prompter.answerFile(path);
    rig.wb->FileOpen_Click();
}

// Whether `line` (1-based) of `box` is drawn red and bold over its whole text.
bool drawnMarked(platform::RichTextBox* box, int line) {
    const QTextBlock b = box->document()->findBlockByNumber(line - 1);
    if (!b.isValid() || !b.layout()) return false;
    for (const QTextLayout::FormatRange& r : b.layout()->formats()) {
        if (r.start == 0 && r.length == b.length() - 1 && r.format.foreground().color() == QColor(255, 0, 0) &&
            r.format.fontWeight() == QFont::Bold)
            return true;
    }
    return false;
}

// The characters of `line` (1-based) of `box` that are drawn red and bold.
QString markedChars(platform::RichTextBox* box, int line) {
    const QTextBlock b = box->document()->findBlockByNumber(line - 1);
    QString marked;
    if (!b.isValid() || !b.layout()) return marked;
    for (const QTextLayout::FormatRange& r : b.layout()->formats()) {
        if (r.format.foreground().color() == QColor(255, 0, 0) && r.format.fontWeight() == QFont::Bold)
            marked += b.text().mid(r.start, r.length);
    }
    return marked;
}

}  // namespace

TEST(SourceEditor, NewUnmodifiedSourceAsksNothing) {
    for (auto id : {editions::EditionId::Corvane16, editions::EditionId::Corvane}) {
        EditorRig rig(editions::profileFor(id));
        rig.editor->setText("old text");
        rig.state.SourceModified = false;
        rig.wb->FileNew_Click();
        EXPECT_TRUE(rig.prompter.asked().empty());
        EXPECT_EQ(rig.editor->text(), "");
        EXPECT_EQ(rig.host.caption, rig.title() + " - 无标题.ASM");
        EXPECT_EQ(rig.state.SourcePath, "无标题.ASM");
        EXPECT_FALSE(rig.state.SourceHasName);
        EXPECT_FALSE(rig.state.SourceModified);
        EXPECT_EQ(rig.messages->text(), kMessagePlaceholder103);
        EXPECT_EQ(rig.messages->tag(), "0");
        EXPECT_EQ(rig.listing->text(), id == editions::EditionId::Corvane ? kListingPlaceholder105
                                                                           : kListingPlaceholder102);
    }
}

TEST(SourceEditor, SaveQuestionBeforeNew) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        MsgResult answer;
        std::optional<QString> saveAs;  // the save dialog's answer (the source is unnamed)
        bool replaced;
        bool written;
    };
    const QString target = dir.filePath("saved.asm");
    const QString unwritable = dir.filePath("no/such/folder/x.asm");
    const Case cases[] = {
        {"Cancel keeps everything", MsgResult::Cancel, std::nullopt, false, false},
        {"No discards the edits", MsgResult::No, std::nullopt, true, false},
        {"Yes saves, then starts anew", MsgResult::Yes, target, true, true},
        {"Yes, save dialog cancelled", MsgResult::Yes, std::nullopt, false, false},
        {"Yes, the write fails", MsgResult::Yes, unwritable, false, false},
    };
    for (const auto& c : cases) {
        QFile::remove(target);
        EditorRig rig;
        rig.wb->FileNew_Click();
        rig.editor->setText("edited");
        ASSERT_TRUE(rig.state.SourceModified);
        rig.prompter.clear();
        rig.prompter.answerMessage(c.answer);
        rig.prompter.answerFile(c.saveAs);
        rig.wb->FileNew_Click();

        const auto asked = rig.prompter.messages();
        ASSERT_FALSE(asked.empty()) << c.name;
        EXPECT_EQ(asked.front().text, "当前文件被修改，是否保存？") << c.name;
        EXPECT_EQ(asked.front().title, " 提示：是否保存？") << c.name;
        EXPECT_EQ(asked.front().icon, platform::MsgIcon::Question) << c.name;
        EXPECT_EQ(asked.front().defaultButton, 2) << c.name;
        EXPECT_EQ(rig.editor->text(), c.replaced ? "" : "edited") << c.name;
        EXPECT_EQ(rig.state.SourceModified, !c.replaced) << c.name;
        EXPECT_EQ(QFile::exists(target), c.written) << c.name;
        if (c.written) {
            EXPECT_EQ(readBytes(target), "edited") << c.name;
        }
    }
}

TEST(SourceEditor, ChineseSourceOpensEditsAndSavesByteExact) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.asm");
    writeBytes(path, kChineseSource);
    EditorRig rig;
    rig.show();
    openFile(rig, path);

    EXPECT_EQ(rig.editor->text(), QString::fromUtf16(u"中文\nMOV A,B ; 注释\nNOP"));
    EXPECT_EQ(rig.host.caption, rig.title() + " - " + path);
    EXPECT_TRUE(rig.state.SourceHasName);
    EXPECT_FALSE(rig.state.SourceModified);
    EXPECT_EQ(rig.messages->tag(), "0");
    const auto openRequest = rig.prompter.asked().front().file;
    EXPECT_EQ(openRequest.title, "打开文件");
    EXPECT_EQ(openRequest.filter, "Assumber Source Codes (*.ASM)|*.ASM|Source Codes (*.SRC)|*.SRC");
    EXPECT_EQ(openRequest.defaultExt, "ASM");

    // The first typed character adds the star once; more typing adds none.
    rig.editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(rig.editor, "X");
    EXPECT_EQ(rig.host.caption, rig.title() + " - " + path + " *");
    QTest::keyClick(rig.editor, Qt::Key_Backspace);
    QInputMethodEvent typed;  // Chinese arrives from the input method
    typed.setCommitString(QString::fromUtf16(u"；完"));
    QApplication::sendEvent(rig.editor, &typed);
    EXPECT_EQ(rig.host.caption, rig.title() + " - " + path + " *");

    rig.wb->FileSave_Click();
    EXPECT_EQ(rig.host.caption, rig.title() + " - " + path);
    EXPECT_FALSE(rig.state.SourceModified);
    EXPECT_EQ(readBytes(path), kChineseSource + QByteArray("\xA3\xBB\xCD\xEA"));
    EXPECT_TRUE(rig.prompter.messages().empty());
}

TEST(SourceEditor, UnreadableFileLeavesEverythingAsItWas) {
    QTemporaryDir dir;
    EditorRig rig;
    rig.wb->FileNew_Click();
    rig.editor->setText("mine");
    rig.state.SourceModified = false;
    const QString caption = rig.host.caption;
    openFile(rig, dir.path());  // a folder cannot be opened as a source
    EXPECT_EQ(rig.boxes(), QStringList{"文件 \"" + dir.path() + "\" 已被打开、被保护或已损坏，无法打开！！"});
    EXPECT_EQ(rig.prompter.messages().front().title, " 信息提示！");
    EXPECT_EQ(rig.prompter.messages().front().icon, platform::MsgIcon::Information);
    EXPECT_EQ(rig.editor->text(), "mine");
    EXPECT_EQ(rig.state.SourcePath, "无标题.ASM");
    EXPECT_EQ(rig.host.caption, caption);
}

TEST(SourceEditor, FailedWriteWarnsAndKeepsTheOldFile) {
    QTemporaryDir dir;
    // No room beside this name for the temporary file, so the write fails.
    const QString path = dir.filePath(QString(251, QLatin1Char('a')) + ".ASM");
    writeBytes(path, "old\r\n");
    EditorRig rig;
    openFile(rig, path);
    rig.editor->setText("new text");
    ASSERT_TRUE(rig.state.SourceModified);
    EXPECT_FALSE(rig.wb->SaveSourceFile());
    ASSERT_EQ(rig.prompter.messages().size(), 1u);
    EXPECT_EQ(rig.prompter.messages().front().title, "Corvane V1.0.5");
    EXPECT_EQ(rig.prompter.messages().front().icon, platform::MsgIcon::Warning);
    EXPECT_FALSE(rig.prompter.messages().front().text.isEmpty());
    EXPECT_TRUE(rig.state.SourceModified);
    EXPECT_TRUE(rig.host.caption.endsWith(" *"));
    EXPECT_TRUE(rig.host.enabled);
    EXPECT_EQ(readBytes(path), "old\r\n");
}

TEST(SourceEditor, SaveOnAnUnnamedSourceAsksForAName) {
    QTemporaryDir dir;
    EditorRig rig;
    rig.wb->FileNew_Click();
    rig.editor->setText("NOP");
    EXPECT_FALSE(rig.wb->SaveSourceFile());  // dialog cancelled
    ASSERT_EQ(rig.prompter.asked().size(), 1u);
    const auto request = rig.prompter.asked().front().file;
    EXPECT_EQ(request.fileName, "无标题.ASM");
    EXPECT_EQ(request.title, "保存文件为");
    EXPECT_EQ(request.defaultExt, "ASM");
    EXPECT_EQ(rig.state.SourcePath, "无标题.ASM");
    EXPECT_TRUE(rig.state.SourceModified);

    rig.prompter.answerFile(dir.filePath("new.asm"));
    rig.wb->FileSaveAs_Click();
    EXPECT_EQ(rig.state.SourcePath, dir.filePath("new.asm"));
    EXPECT_EQ(readBytes(dir.filePath("new.asm")), "NOP");
}

TEST(SourceEditor, CaretReadout) {
    EditorRig rig;
    rig.show();
    rig.editor->setText("ab\ncd");
    struct Case {
        int offset;
        const char16_t* text;
    };
    for (const Case& c : {Case{0, u"行：1； 列：1"}, Case{1, u"行：1； 列：2"}, Case{3, u"行：2； 列：1"},
                          Case{5, u"行：2； 列：3"}}) {
        rig.editor->setSelStart(c.offset);
        rig.wb->editor().TextSetZhuanTaiDisp(rig.editor);
        EXPECT_EQ(rig.host.panel2, QString::fromUtf16(c.text)) << c.offset;
    }
    // Moving the caret with a key shows the new place.
    rig.editor->setSelStart(0);
    QTest::keyClick(rig.editor, Qt::Key_Down);
    EXPECT_EQ(rig.host.panel2, QString::fromUtf16(u"行：2； 列：1"));
}

// The caret panel follows the editor when a file is opened or a new one started,
// not only on clicks and keys.
TEST(SourceEditor, CaretPanelIsRefreshedByOpenAndNew) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.asm");
    writeBytes(path, kChineseSource);
    EditorRig rig;
    rig.show();
    for (const char* step : {"open", "new"}) {
        SCOPED_TRACE(step);
        rig.editor->setText("one\ntwo\nthree");
        rig.editor->setSelStart(9);
        rig.wb->editor().TextSetZhuanTaiDisp(rig.editor);
        ASSERT_EQ(rig.host.panel2, QString::fromUtf16(u"行：3； 列：2"));
        rig.state.SourceModified = false;
        if (step == std::string("open")) openFile(rig, path);
        else rig.wb->FileNew_Click();
        EXPECT_EQ(rig.host.panel2, QString::fromUtf16(u"行：1； 列：1"));
    }
}

TEST(SourceEditor, HighlightLine) {
    EditorRig rig;
    rig.show();
    rig.wb->FileNew_Click();
    rig.editor->setText("l1\nl2\nl3");
    rig.state.SourceModified = false;
    for (long long n : {0LL, -1LL, 65536LL, 4LL}) {
        rig.wb->HighlightLine(rig.editor, n);
        EXPECT_EQ(rig.wb->editor().editor()->selLength(), 0) << n;
        for (int line = 1; line <= 3; ++line) EXPECT_FALSE(drawnMarked(rig.editor, line)) << n;
    }
    rig.wb->HighlightLine(rig.editor, 1);
    EXPECT_EQ(rig.editor->selStart(), 0);
    EXPECT_EQ(rig.editor->selLength(), 3);  // the line and its line break
    EXPECT_TRUE(drawnMarked(rig.editor, 1));
    EXPECT_FALSE(rig.state.SourceModified);  // marking is not an edit
    EXPECT_EQ(rig.editor->text(), "l1\nl2\nl3");

    // The last line is marked although no line break follows it.
    rig.wb->HighlightLine(rig.editor, 3);
    EXPECT_TRUE(drawnMarked(rig.editor, 3));
    EXPECT_FALSE(drawnMarked(rig.editor, 1));

    // The message pane's double click marks the line its tag names; "0" marks nothing.
    rig.messages->setTag("2");
    QTest::mouseDClick(rig.messages->viewport(), Qt::LeftButton);
    EXPECT_TRUE(drawnMarked(rig.editor, 2));
    rig.messages->setTag("0");
    rig.wb->editor().RichTextBox4_DblClick();
    EXPECT_TRUE(drawnMarked(rig.editor, 2));

    // The build's reload removes the mark and records no change.
    rig.wb->editor().reloadEditor("l1\nl2\nl3");
    EXPECT_FALSE(drawnMarked(rig.editor, 2));
    EXPECT_FALSE(rig.state.SourceModified);

    // Typed text after a mark is not an edit of the mark: it is plain.
    rig.wb->HighlightLine(rig.editor, 1);
    rig.editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(rig.editor, "x");
    EXPECT_TRUE(rig.state.SourceModified);
    EXPECT_TRUE(drawnMarked(rig.editor, 1));
    EXPECT_FALSE(drawnMarked(rig.editor, 3));
}

// The mark holds the characters the line had: text typed at either end of it,
// or over the selection the mark leaves, is plain.
TEST(SourceEditor, TextTypedAtAMarkedLineIsNotMarked) {
    const struct {
        const char* name;
        int caret;          // -1: type over the selection the mark leaves
        const char* typed;
        const char* line1;  // the first line afterwards
        const char* marked;
    } cases[] = {
        {"at its end", 5, "zz", "MOV Azz", "MOV A"},
        {"at its start", 0, "; ", "; MOV A", "MOV A"},
        {"inside it", 3, "X", "MOVX A", "MOVX A"},
        {"over the selection", -1, "q", "qNOP", ""},
        {"on a new line after it", 5, "\rB", "MOV A", "MOV A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorRig rig;
        rig.show();
        rig.wb->FileNew_Click();
        rig.editor->setText("MOV A\nNOP\nEND");
        rig.wb->HighlightLine(rig.editor, 1);
        if (c.caret >= 0) rig.editor->setSelStart(c.caret);
        QTest::keyClicks(rig.editor, QString::fromLatin1(c.typed));
        EXPECT_EQ(rig.editor->document()->firstBlock().text(), QString::fromLatin1(c.line1));
        EXPECT_EQ(markedChars(rig.editor, 1), QString::fromLatin1(c.marked));
        for (int line = 2; line <= rig.editor->document()->blockCount(); ++line)
            EXPECT_EQ(markedChars(rig.editor, line), QString()) << line;
    }
}

TEST(SourceEditor, KeysActOnce) {
    EditorRig rig;
    // The window's menu carries the same shortcuts as the editor's own keys.
    auto* paste = new QAction(&rig.host.window);
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    rig.host.window.addAction(paste);
    int menuPastes = 0;
    QObject::connect(paste, &QAction::triggered, [&] {
        ++menuPastes;
        rig.wb->FileEditPaush_Click();
    });
    rig.show();
    rig.wb->FileNew_Click();
    QApplication::clipboard()->setText("P");

    QTest::keyClick(rig.editor, Qt::Key_Tab);
    EXPECT_EQ(rig.editor->text(), "\t");
    EXPECT_EQ(QApplication::focusWidget(), rig.editor);
    QTest::keyClick(rig.editor, Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(rig.editor, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(rig.editor->text(), "\t");

    rig.editor->setFocus();
    QTest::keyClick(rig.editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rig.editor->text(), "\tP");
    EXPECT_EQ(menuPastes, 0);
    paste->trigger();  // "粘贴" chosen from the menu
    EXPECT_EQ(rig.editor->text(), "\tPP");

    rig.wb->FileEditUndo_Click();
    EXPECT_EQ(rig.editor->text(), "\tP");
    rig.editor->setSelStart(0);
    rig.wb->FileEditDel_Click();
    EXPECT_EQ(rig.editor->text(), "P");
    rig.wb->FileEditSelectAll_Click();
    EXPECT_EQ(rig.editor->selLength(), 1);
    rig.wb->FileEditCut_Click();
    EXPECT_EQ(rig.editor->text(), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "P");
}
