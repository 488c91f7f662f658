#include "platform/widgets/qt_prompter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/wait_until.h"

using namespace platform;

TEST(QtPrompter, FilterTextBecomesNameFilters) {
    const struct {
        const char* filter;
        QStringList shown;
    } cases[] = {
        {"Assumber Source Codes|*.ASM;*.src|全部文件|*.*",
         {"Assumber Source Codes (*.ASM *.asm *.src *.SRC)", "全部文件 (*.*)"}},
        // A description that names its pattern shows it once.
        {"Assumber Source Codes (*.ASM)|*.ASM|Source Codes (*.SRC)|*.SRC",
         {"Assumber Source Codes (*.ASM *.asm)", "Source Codes (*.SRC *.src)"}},
        {"Codes (*.COD)|*.COD;*.cod", {"Codes (*.COD *.cod)"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(qtNameFilters(QString::fromUtf8(c.filter)), c.shown);
    }
}

// A full path typed into the file-name box and Enter give that file, also when
// the list still shows a folder selected (one clicked after the typing): the
// dialog would otherwise open that folder and empty the box.
TEST(QtPrompter, ATypedFullPathIsTakenWhateverTheListSelects) {
    QTemporaryDir tmp;
    const QDir root(tmp.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("start/folder")) && root.mkpath(QStringLiteral("lab")));
    QFile existing(root.filePath(QStringLiteral("lab/prog.asm")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly) && existing.write("NOP") == 3);
    existing.close();
    const struct {
        const char* name;
        bool save;
        QString typed;
    } cases[] = {
        {"open", false, root.filePath(QStringLiteral("lab/prog.asm"))},
        {"save", true, root.filePath(QStringLiteral("lab/new.asm"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FileRequest request;
        request.title = QStringLiteral("打开文件");
        request.filter = QStringLiteral("Assumber Source Codes (*.ASM)|*.ASM");
        request.defaultExt = QStringLiteral("ASM");
        const auto dialog = makeFileDialog(request, c.save, root.filePath(QStringLiteral("start")));
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_TRUE(box && list);
        // The folder shows once the dialog has read its directory.
        QModelIndex folder;
        ASSERT_TRUE(testsupport::waitUntil([&] {
            folder = list->model()->index(0, 0, list->rootIndex());
            return folder.isValid() && folder.data().toString() == QStringLiteral("folder");
        }));
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, c.typed);
        list->selectionModel()->select(folder, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << box->text().toStdString();
        EXPECT_EQ(dialog->selectedFiles(), QStringList{c.typed});
    }
}

TEST(QtPrompter, MessageBoxShowsTextsAndReturnsTheChosenButton) {
    QtPrompter prompter;
    QString seenTitle, seenText, seenDefault;
    // Answer the modal box from inside its own event loop.
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible()) continue;
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenDefault = box->defaultButton() ? box->defaultButton()->text() : QString();
            box->button(QMessageBox::No)->click();
        }
    });
    const MsgResult r = prompter.message({QStringLiteral("立即退出？"), QStringLiteral(" 提示：立即退出？"),
                                          MsgButtons::YesNo, MsgIcon::Question, 1});
    EXPECT_EQ(r, MsgResult::No);
    EXPECT_EQ(seenTitle, QStringLiteral(" 提示：立即退出？"));
    EXPECT_EQ(seenText, QStringLiteral("立即退出？"));
    EXPECT_EQ(seenDefault, QStringLiteral("否(&N)"));
}

// The window manager draws the title in a bold face of its own beside an icon
// and its buttons; a box sized to a short text alone would cut the title.
TEST(QtPrompter, MessageBoxesAreWideEnoughForTheirTitles) {
    struct Case {
        const char16_t* text;
        const char16_t* title;
        MsgButtons buttons;
    };
    const Case cases[] = {
        {u"立即退出？", u" 提示：立即退出？", MsgButtons::YesNo},
        {u"端口 3 读错误！！", u" 错误提示！", MsgButtons::Ok},
        {u"No space left on device", u"Corvane V1.0.5", MsgButtons::Ok},
        {u"当前文件被修改，是否保存？", u" 提示：是否保存？", MsgButtons::YesNoCancel},
    };
    for (const Case& c : cases) {
        const QString title = QString::fromUtf16(c.title);
        SCOPED_TRACE(title.toStdString());
        const auto box = makeMessageBox({QString::fromUtf16(c.text), title, c.buttons, MsgIcon::Question, 0});
        box->show();
        QApplication::processEvents();
        QFont bold = box->font();
        bold.setBold(true);
        EXPECT_GE(box->width(), QFontMetrics(bold).horizontalAdvance(title) + 120);
        EXPECT_EQ(box->windowTitle(), title);
        box->hide();
    }
}
