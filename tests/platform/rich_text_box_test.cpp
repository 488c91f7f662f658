#include "platform/codepage.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "platform/widgets/rich_text_box.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QFile>
#include <gtest/gtest.h>

using platform::RichTextBox;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(RichTextBox, LoadsRtfPlainAndMissingFiles) {
    QTemporaryDir dir;
    const QString rtf = dir.filePath("help.rtf");
    writeFile(rtf, "{\\rtf1\\ansi\\ansicpg936 {\\b \\'c4\\'da\\'b4\\'e6}\\par second\\par}");
    const QString plain = dir.filePath("plain.asm");
    writeFile(plain, platform::toCp936(u"MOV R0,R1 ;注释\r\nRET\r\n"));

    RichTextBox box;
    ASSERT_TRUE(box.loadFile(rtf));
    EXPECT_EQ(box.text(), QStringLiteral("内存\nsecond"));
    box.setSelStart(0);
    box.setSelLength(1);
    EXPECT_TRUE(box.selBold());

    ASSERT_TRUE(box.loadFile(plain, RichTextBox::FileType::PlainText));
    EXPECT_EQ(box.text(), QStringLiteral("MOV R0,R1 ;注释\nRET\n"));

    // A plain file asked for as rich text is shown as plain text.
    ASSERT_TRUE(box.loadFile(plain));
    EXPECT_EQ(box.lineFromChar(box.textLength()), 2);

    EXPECT_FALSE(box.loadFile(dir.filePath("missing.rtf")));
    EXPECT_EQ(box.text(), QStringLiteral("MOV R0,R1 ;注释\nRET\n"));
}

TEST(RichTextBox, SelectionEditsAndFormats) {
    RichTextBox box;
    box.setText(QStringLiteral("line one\r\nline two\nthree"));
    EXPECT_EQ(box.text(), QStringLiteral("line one\nline two\nthree"));
    EXPECT_EQ(box.textLength(), 23);
    EXPECT_EQ(box.lineFromChar(0), 0);
    EXPECT_EQ(box.lineFromChar(9), 1);
    EXPECT_EQ(box.lineFromChar(100), 2);

    box.setSelStart(9);
    box.setSelLength(8);
    EXPECT_EQ(box.selText(), QStringLiteral("line two"));
    box.setSelColor(QColor(255, 0, 0));
    box.setSelBold(true);
    EXPECT_EQ(box.selColor(), QColor(255, 0, 0));
    EXPECT_TRUE(box.selBold());

    box.setSelText(QStringLiteral("2"));
    EXPECT_EQ(box.text(), QStringLiteral("line one\n2\nthree"));
    EXPECT_EQ(box.selStart(), 10);
    EXPECT_EQ(box.selLength(), 0);

    // Out-of-range positions are clamped, never a crash.
    box.setSelStart(-5);
    EXPECT_EQ(box.selStart(), 0);
    box.setSelLength(1000);
    EXPECT_EQ(box.selLength(), box.textLength());
}

TEST(RichTextBox, RichTextPropertyTakesRtfOrPlain) {
    RichTextBox box;
    box.setBoxFont(platform::paneFont(12));
    box.setRichText(QStringLiteral("{\\rtf1 {\\fonttbl{\\f0 Arial;}}\\f0\\fs20 x}"));
    EXPECT_EQ(box.text(), QStringLiteral("x"));
    box.setSelStart(0);
    box.setSelLength(1);
    EXPECT_EQ(box.selFontName(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(box.selFontSize(), 10.0);

    box.setRichText(QStringLiteral("编译信息显示窗口..."));
    EXPECT_EQ(box.text(), QStringLiteral("编译信息显示窗口..."));
    box.setSelStart(0);
    box.setSelLength(1);
    EXPECT_DOUBLE_EQ(box.selFontSize(), 12.0);

    box.setBoxFontSize(14);
    EXPECT_DOUBLE_EQ(box.selFontSize(), 14.0);
    box.setRightMargin(9600);
    EXPECT_EQ(box.rightMargin(), 9600);
    EXPECT_EQ(box.lineWrapMode(), QTextEdit::FixedPixelWidth);
}

// A help text wraps at the pane's width once the pane is narrower than its
// margin, and at the margin otherwise; an editor keeps its margin and scrolls.
TEST(RichTextBox, ReadingPaneWrapsAtItsOwnWidthWhenNarrowerThanTheMargin) {
    const QString longLine = QString(QStringLiteral("word ")).repeated(200);
    RichTextBox help;
    help.setWrapAtBoxWidth(true);
    help.setRightMargin(8959);
    RichTextBox editor;
    editor.setRightMargin(32767);
    for (RichTextBox* box : {&help, &editor}) {
        box->setText(longLine);
        box->resize(300, 200);
        box->show();
    }
    QApplication::processEvents();
    EXPECT_EQ(help.horizontalScrollBar()->maximum(), 0);
    EXPECT_LE(help.document()->size().width(), help.viewport()->width());
    EXPECT_GT(editor.horizontalScrollBar()->maximum(), 0);

    const int margin = platform::twipsToPx(8959, platform::screenTwipsPerPixel());
    help.resize(margin + 300, 200);
    QApplication::processEvents();
    EXPECT_EQ(help.lineWrapMode(), QTextEdit::FixedPixelWidth);
    EXPECT_EQ(help.lineWrapColumnOrWidth(), margin);
    EXPECT_EQ(help.rightMargin(), 8959);
}
