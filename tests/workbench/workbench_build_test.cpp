// The build as the main window runs it: the editor's save, its panes, the mark
// and the busy state, with a stand-in assembler.
#include "workbench/workbench.h"

#include "build_fixture.h"
#include "editor_fixture.h"
#include "workbench/line_marker.h"
#include "workbench/source_editor.h"
#include "workbench/workbench_texts.h"

#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace workbench;
using namespace wbtest;

namespace {

struct BuildRig : EditorRig {
    explicit BuildRig(const editions::EditionProfile& p = editions::profileCorvane16())
        : EditorRig(p), home(p) {
        wb->builder().setProgramFolder(home.home());
    }
    void openSource(const QByteArray& bytes) {
        const QString path = home.srcFile("prog.asm");
        writeBytes(path, bytes);
        prompter.answerFile(path);
        wb->FileOpen_Click();
    }
    FastClock clock;
    StandinHome home;
};

bool drawnRed(platform::RichTextBox* box, int line) {
    const QTextBlock b = box->document()->findBlockByNumber(line - 1);
    if (!b.isValid() || !b.layout()) return false;
    for (const auto& r : b.layout()->formats())
        if (r.format.foreground().color() == QColor(255, 0, 0) && r.format.fontWeight() == QFont::Bold) return true;
    return false;
}

}  // namespace

TEST(WorkbenchBuild, ErrorLineIsMarkedAndTheMessageNamesTheSource) {
    BuildRig rig;
    rig.show();
    rig.openSource("start: NOP\r\n NOP\r\n ERROR\r\n NOP\r\n");
    rig.wb->FileDebugComplet_Click();
    EXPECT_EQ(rig.messages->text(),
              "Error in \"" + rig.state.SourcePath + "\" at 1, line 3: stand-in error\n");
    EXPECT_EQ(rig.messages->tag(), "3");
    EXPECT_TRUE(drawnRed(rig.editor, 3));
    EXPECT_FALSE(drawnRed(rig.editor, 2));
    EXPECT_EQ(rig.editor->selStart(), rig.editor->document()->findBlockByNumber(2).position());
    EXPECT_FALSE(rig.state.SourceModified);
    EXPECT_EQ(rig.host.busy, (QStringList{"on", "off"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A clean build afterwards clears the mark and shows the listing.
    rig.editor->setText("start: NOP\n NOP\n");
    rig.wb->SaveSourceFile();
    rig.wb->FileDebugComplet_Click();
    EXPECT_EQ(rig.messages->text(), "Code file \"prog.COD\" generated successfully.");
    EXPECT_FALSE(drawnRed(rig.editor, 3));
    EXPECT_TRUE(rig.listing->text().startsWith("-TH -E\n"));
    EXPECT_EQ(filesIn(rig.home.src()), (QStringList{"prog.LST", "prog.asm", "prog.cod"}));
}

TEST(WorkbenchBuild, UnnamedSourceIsSavedFirstAndASecondBuildCannotStart) {
    BuildRig rig(editions::profileCorvane());
    rig.show();
    rig.wb->FileNew_Click();
    QTest::keyClicks(rig.editor, "NOP");
    rig.wb->FileDebugComplet_Click();  // save dialog cancelled: nothing happens
    EXPECT_TRUE(rig.host.busy.isEmpty());
    EXPECT_EQ(rig.messages->text(), kMessagePlaceholder103);

    rig.prompter.answerFile(rig.home.srcFile("new.asm"));
    int nested = 0;
    rig.host.onBusy = [&](bool busy) {
        if (!busy) return;
        EXPECT_TRUE(rig.wb->buildRunning());
        rig.wb->FileDebugComplet_Click();  // F9 again while busy
        ++nested;
    };
    rig.wb->FileDebugComplet_Click();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(rig.host.busy, (QStringList{"on", "off"}));
    EXPECT_FALSE(rig.wb->buildRunning());
    EXPECT_EQ(rig.messages->text(),
              "Assembly finished, No errors found.\nCode file \"new.COD\" generated successfully.");
    EXPECT_TRUE(rig.listing->text().startsWith("(stand-in listing)\n"));
}

TEST(WorkbenchBuild, MissingAssemblerLeavesTheFailureText) {
    BuildRig rig;
    QFile::remove(rig.home.home() + "/bin/VARE.EXE");
    rig.openSource(" NOP\r\n");
    rig.wb->FileDebugComplet_Click();
    EXPECT_EQ(rig.boxes(), QStringList{"文件 \"" + rig.home.home() + "/bin/VARE.EXE\" 不存在！！"});
    EXPECT_EQ(rig.messages->text(), "编译出错，请重试...");
    EXPECT_EQ(rig.listing->text(), kListingPlaceholder102);
    EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"});
}
