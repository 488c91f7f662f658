#include "platform/widgets/qt_prompter.h"

#include <QApplication>
#include <QFontMetrics>
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
