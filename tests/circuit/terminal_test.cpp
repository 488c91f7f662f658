// The 8251 terminals: the code table and the caption, output reaching the
// terminal when the console steps the clock, keys in and out of a run, the
// input-method warning, and the terminal's own buttons.
#include <QAction>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "circuit/terminal_text.h"
#include "circuit/widgets/form12.h"
#include "circuit/widgets/form13.h"
#include "circuit/widgets/run_parts.h"
#include "platform/fonts.h"
#include "sampler/widgets/form2.h"
#include "usart_frame.h"

using circuit::TerminalText;
using circuit::widgets::Form12;
using circuit::widgets::RunWindows;
using namespace circuittest;

namespace {

QString afterCodes(std::initializer_list<int32_t> codes, const QString& start = {}) {
    TerminalText t;
    for (const QChar c : start) t.put(c == QLatin1Char('\n') ? 13 : c.unicode());
    for (const int32_t c : codes) t.put(c);
    return t.text();
}

}  // namespace

TEST(TerminalText, CodeTable) {
    const struct {
        const char* start;
        std::initializer_list<int32_t> codes;
        const char* text;
    } cases[] = {
        {"", {65, 66, 13, 10, 67}, "AB\nC"},
        {"AB\nC", {8}, "AB\n"},
        {"AB\n", {8}, "AB"},  // a line break goes with one code 8
        {"", {8}, ""},
        {"AB\nC", {26}, ""},
        {"", {7, 200}, "  "},
        {"x", {30, 10}, "x"},
        {"", {32, 126, 127, 0, 31}, " ~   "},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.start);
        EXPECT_EQ(afterCodes(k.codes, QString::fromUtf8(k.start)), QString::fromUtf8(k.text));
    }
}

TEST(TerminalText, ClearingKeepsTheLastLine) {
    for (const auto& [before, after] : {std::pair{"ab\ncd", "cd"}, {"abcd", "abcd"}, {"ab\n", ""}, {"a\nb\nc", "c"}}) {
        TerminalText t;
        for (const char c : std::string(before)) t.put(c == '\n' ? 13 : c);
        t.keepLastLine();
        EXPECT_EQ(t.text(), QString::fromUtf8(after)) << before;
    }
}

TEST(TerminalText, Caption) {
    const struct {
        const char* window;
        const char* caption;
    } cases[] = {
        {"电路 1 的实验 2 : xx", "电路 1  : Ic7 : U5 : 8251 输出"},
        {"电路3", "电路3 : Ic7 : U5 : 8251 输出"},
        {"", " : Ic7 : U5 : 8251 输出"},
        {"电路 2 的实验 1 : 50% 的实验", "电路 2  : Ic7 : U5 : 8251 输出"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(circuit::terminalCaption(QString::fromUtf8(k.window), 7, QStringLiteral("U5"), "8251"),
                  QString::fromUtf8(k.caption));
}

TEST(Terminal, SteppedOutputReachesTheTerminalMadeOnFirstUse) {
    UsartFrame f;
    RunWindows* windows = RunWindows::of(*f.frame);
    ASSERT_TRUE(windows);
    f.enable();

    // Nothing pending: nothing is made.
    f.parts().flush8251Output(f.window());
    EXPECT_EQ(windows->terminalIfMade(f.usart()), nullptr);
    EXPECT_FALSE(f.frame->menuItem(QStringLiteral("WinList_IcOut_0"))->isVisible());

    const struct {
        std::initializer_list<int32_t> codes;
        const char* text;
    } steps[] = {
        {{65, 66, 13, 10, 67}, "AB\nC"},
        {{8}, "AB\n"},
        {{26}, ""},
        {{7, 200}, "  "},
    };
    for (const auto& step : steps) {
        f.send(step.codes);
        EXPECT_EQ(f.sim().Pending8251Ic, f.usart());
        f.parts().flush8251Output(f.window());
        Form12* t = windows->terminalIfMade(f.usart());
        ASSERT_TRUE(t);
        EXPECT_EQ(t->RichTextBox1()->toPlainText(), QString::fromUtf8(step.text));
        EXPECT_TRUE(t->RichTextBox1()->textCursor().atEnd());
        EXPECT_EQ(f.usartRecord().TxLast, -1);
        EXPECT_EQ(f.sim().Pending8251Ic, -1);
    }
    Form12* t = windows->terminalIfMade(f.usart());
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(t->IcDispFormNumber, f.usart());
    EXPECT_EQ(f.sim().Receiving8251Ic, -1) << "only a run makes an 8251 the port's receiver";
    const QString caption = QStringLiteral("电路1 : Ic%1 : U1 : 8251 输出").arg(f.usart());
    EXPECT_EQ(t->windowTitle(), caption);
    EXPECT_TRUE(f.frame->menuItem(QStringLiteral("WinList_IcOut_0"))->isVisible());
    EXPECT_EQ(f.frame->menuItem(QStringLiteral("WinList_IcOut_1"))->text(), caption);
    EXPECT_EQ(f.frame->IcOutWindows().size(), 2);
    EXPECT_TRUE(f.prompter.messages().empty());
}

TEST(Terminal, KeysReachThe8251OnlyDuringARun) {
    UsartFrame f;
    f.enable();
    Form12* t = f.steppedOut({65});
    ASSERT_TRUE(t);
    auto rxReady = [&] { return (f.usartRecord().Status & 2) != 0; };

    QTest::keyClick(t->RichTextBox1(), Qt::Key_A);
    EXPECT_FALSE(rxReady()) << "single-step mode drops the key";
    EXPECT_EQ(t->RichTextBox1()->toPlainText(), QStringLiteral("A")) << "no key reaches the text";

    f.env().StopFlag = 0;
    QTest::keyClick(t->RichTextBox1(), Qt::Key_A);
    EXPECT_TRUE(rxReady());
    EXPECT_EQ(f.usartRecord().RxData, 'a');
    QTest::keyClick(t->RichTextBox1(), Qt::Key_Backspace);
    EXPECT_EQ(f.usartRecord().RxData, 'a') << "refused while the last byte is unread, and lost";

    f.readData();
    EXPECT_FALSE(rxReady());
    QTest::keyClick(t->RichTextBox1(), Qt::Key_Backspace);
    EXPECT_EQ(f.usartRecord().RxData, 127);
    f.readData();
    QTest::keyClick(t->RichTextBox1(), Qt::Key_Return);
    EXPECT_EQ(f.usartRecord().RxData, 13);
    EXPECT_EQ(t->RichTextBox1()->toPlainText(), QStringLiteral("A"));
    f.env().StopFlag = -1;
}

TEST(Terminal, InputMethodTextIsRefusedWithAWarning) {
    UsartFrame f;
    f.enable();
    Form12* t = f.steppedOut({65});
    ASSERT_TRUE(t);
    f.env().StopFlag = 0;

    QInputMethodEvent composing(QStringLiteral("zhong"), {});
    QCoreApplication::sendEvent(t->RichTextBox1(), &composing);
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("中"));
    QCoreApplication::sendEvent(t->RichTextBox1(), &committed);

    const auto messages = f.prompter.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title, QStringLiteral(" 提示：请注意！"));
    EXPECT_EQ(messages[0].text, QStringLiteral("请注意！您输入字符时可能打开了汉字\n输入法，本窗口不支持汉字输入。"));
    EXPECT_EQ(messages[0].icon, platform::MsgIcon::Warning);
    EXPECT_EQ(t->RichTextBox1()->toPlainText(), QStringLiteral("A"));
    EXPECT_EQ(f.usartRecord().Status & 2, 0);
    f.env().StopFlag = -1;
}

TEST(Terminal, ClearAndHideButtonsAndTheWindowMenu) {
    UsartFrame f;
    f.enable();
    Form12* t = f.steppedOut({'a', 'b', 13, 'c', 'd'});
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Command1()->text(), QStringLiteral("清除内容"));
    EXPECT_EQ(t->Command9()->text(), QStringLiteral("隐藏窗口"));

    QTest::mouseClick(t->Command1(), Qt::LeftButton);
    EXPECT_EQ(t->RichTextBox1()->toPlainText(), QStringLiteral("cd"));
    QTest::mouseClick(t->Command1(), Qt::LeftButton);
    EXPECT_EQ(t->RichTextBox1()->toPlainText(), QStringLiteral("cd")) << "no line break: unchanged";

    QTest::mouseClick(t->Command9(), Qt::LeftButton);
    EXPECT_FALSE(t->isVisible());
    // Output while hidden goes into the text; the window stays hidden.
    f.send({'e'});
    f.parts().flush8251Output(f.window());
    EXPECT_FALSE(t->isVisible());
    f.frame->menuItem(QStringLiteral("WinList_IcOut_1"))->trigger();
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(t->RichTextBox1()->toPlainText(), QStringLiteral("cde"));
}

// The terminal shows its text in the panes' fixed-pitch face, and appears over
// the frame as the conflict log and the debug window do.
TEST(Terminal, FixedPitchAndPlacedOverTheFrame) {
    UsartFrame f;
    f.frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry().adjusted(60, 40, -60, -40));
    f.enable();
    Form12* t = f.steppedOut({'a'});
    ASSERT_TRUE(t);
    const QFont pane = platform::paneFont();
    EXPECT_EQ(t->RichTextBox1()->font().family(), pane.family());
    EXPECT_EQ(QFontInfo(t->RichTextBox1()->font()).family(), QFontInfo(pane).family());

    f.frame->menuItem(QStringLiteral("WinList_ErrorWorry"))->trigger();
    f.frame->menuItem(QStringLiteral("lab_testwindow"))->trigger();
    const QRect frame = f.frame->frameGeometry();
    for (QWidget* w : {static_cast<QWidget*>(t), static_cast<QWidget*>(circuit::widgets::Form13::find(*f.frame)),
                       static_cast<QWidget*>(sampler::Form2::instance())}) {
        ASSERT_TRUE(w);
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(frame.contains(w->frameGeometry().center()));
        EXPECT_GT(w->y(), frame.top()) << "not over the frame's menu";
    }
    sampler::Form2::instance()->hide();
}
