#include "platform/widgets/qt_prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace platform;

TEST(QtPrompter, FilterTextBecomesNameFilters) {
    const QStringList f = qtNameFilters(QStringLiteral("Assumber Source Codes|*.ASM;*.src|全部文件|*.*"));
    ASSERT_EQ(f.size(), 2);
    EXPECT_EQ(f[0], QStringLiteral("Assumber Source Codes (*.ASM *.asm *.src *.SRC)"));
    EXPECT_EQ(f[1], QStringLiteral("全部文件 (*.*)"));
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
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
