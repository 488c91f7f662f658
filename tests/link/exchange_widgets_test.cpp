#include "exchange_fixture.h"
#include "link/device_port.h"
#include "link/widgets/command_line_pane.h"
#include "link/widgets/data_send_recv_process.h"
#include "link/widgets/reply_list_views.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>

#include <gtest/gtest.h>

using namespace devlink;
using fakevaz::Edition;
using linktest::ExchangeFixture;
using testsupport::pumpFor;
using testsupport::waitUntil;

namespace {

void press(QWidget& w, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(&w, &down);
}

class PaneTest : public ExchangeFixture {
protected:
    PaneTest() : ExchangeFixture(Edition::Corvane16) {
        box.setHtml(QStringLiteral("<b>Vuz </b>设 备 命 令 行 窗 口 ...<p></p><p>&gt;</p>"));
        box.moveCursor(QTextCursor::End);
    }
    bool firstCharBold() const {
        QTextCursor c(box.document());
        c.setPosition(1);  // the format of the character before the cursor
        return c.charFormat().fontWeight() >= QFont::Bold;
    }

    platform::RichTextBox box;
};

}  // namespace

TEST_F(PaneTest, TypedKeysGoToTheDeviceAndOnlyItsEchoReachesThePane) {
    auto& fake = startDevice();
    CommandLinePane pane(box, pump);
    const QString banner = box.toPlainText();
    EXPECT_EQ(pump.buffer().text(), TerminalBuffer::fromDocumentText(banner));
    EXPECT_EQ(pump.buffer().promptStart(), pump.buffer().text().size());

    press(box, Qt::Key_R, QStringLiteral("r"));
    EXPECT_EQ(box.toPlainText(), banner);  // nothing inserted by the key
    ASSERT_TRUE(waitUntil([&] { return box.toPlainText() == banner + QStringLiteral("r"); }));
    EXPECT_TRUE(firstCharBold());  // the banner keeps its formatting

    press(box, Qt::Key_Backspace, QStringLiteral("\b"));
    press(box, Qt::Key_Backspace, QStringLiteral("\b"), Qt::ShiftModifier);
    press(box, Qt::Key_Delete, QStringLiteral("\x7f"));  // edits nothing and sends nothing
    press(box, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
    press(box, Qt::Key_Return, QStringLiteral("\r"));
    ASSERT_TRUE(waitUntil([&] { return fake.received().size() == 5; }));
    EXPECT_EQ(fake.receivedBytes(), "r\x7f\x7f\x16\r");
    // The monitor rubbed out "r"; its control character 16 is echoed as a blank.
    ASSERT_TRUE(waitUntil([&] { return box.toPlainText() == banner + QStringLiteral(" \n>"); }));

    // Clearing replaces the text: the last line stays, in the pane's own font.
    pump.ToolCommandLineClear_Click();
    EXPECT_EQ(box.toPlainText(), QStringLiteral("\n>"));
    EXPECT_FALSE(firstCharBold());
    EXPECT_EQ(box.textCursor().position(), 2);
}

TEST_F(PaneTest, InputMethodTextIsRefusedWithAWarning) {
    auto& fake = startDevice();
    CommandLinePane pane(box, pump);
    const QString before = box.toPlainText();
    QInputMethodEvent im(QString(), {});
    im.setCommitString(QStringLiteral("中"));
    QApplication::sendEvent(&box, &im);
    press(box, Qt::Key_unknown, QStringLiteral("文"));
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].title, QStringLiteral(" 提示：请注意！"));
    EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("请注意！您输入字符时可能打开了汉字\r\n输入法，本窗口不支持汉字输入。"));
    EXPECT_EQ(prompter.messages()[0].icon, platform::MsgIcon::Warning);

    link.PortReady = false;
    press(box, Qt::Key_A, QStringLiteral("a"));
    press(box, Qt::Key_Backspace, QStringLiteral("\b"));
    pumpFor(60);
    EXPECT_TRUE(fake.received().empty());
    EXPECT_EQ(box.toPlainText(), before);
}

TEST(ProgressDialog, StandsAloneAndCancelsOnce) {
    QWidget mainWindow;
    mainWindow.setEnabled(false);
    auto* dialog = new DataSendRecvProcess;
    QPointer<DataSendRecvProcess> alive(dialog);
    int cancels = 0;
    dialog->onCancel = [&] {
        ++cancels;
        dialog->unload();
    };
    dialog->setLabel3(QStringLiteral("第 1 & 2"));
    dialog->setProgressRange(0, 1120);
    dialog->setProgressValue(785);
    dialog->showInFront();
    EXPECT_EQ(dialog->parentWidget(), nullptr);  // usable while the main window is disabled
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Label3()->text(), QStringLiteral("第 1 & 2"));
    EXPECT_EQ(dialog->progressMaximum(), 1120);
    EXPECT_EQ(dialog->Command1()->text(), QStringLiteral("取消"));

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog, &escape);
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(dialog->isVisible());
    dialog->Command1_Click();  // already unloaded: nothing
    EXPECT_EQ(cancels, 1);
    ASSERT_TRUE(waitUntil([&] { return alive.isNull(); }, 1000));
}

TEST(ReplyListViewsTest, RegisterMarksAreBoldRedAndUnassemblyRowsAppend) {
    platform::ListView reg, unasm, mem;
    reg.addColumn("RegisterNumber", "名称");
    reg.addColumn("RegisterValue", "值");
    for (const char* name : {"R0", "R1"}) {
        reg.addRow(name, name);
        reg.addCell(name, QString::fromLatin1(name) + "Value", {});
    }
    unasm.addColumn("UnAsmAddress", "地址");
    unasm.addColumn("UnAsmCodes", "编码");
    unasm.addColumn("UnAsmInstruction", "指令");
    mem.addColumn("MemoryAddress", "地址");
    mem.addColumn("MemoryValue", "值");
    mem.addColumn("MemoryDisp", "显示");
    for (int i = 1; i <= 2; ++i) {
        const QString key = QStringLiteral("Address%1").arg(i);
        mem.addRow(key, {});
        mem.addCell(key, key + QStringLiteral("Value%1").arg(i), {});
        mem.addCell(key, key + QStringLiteral("Disp%1").arg(i), {});
    }
    ReplyListViews lists(reg, unasm, mem);

    fillRegisterList("\r\nR0=0001  R1=0002\r\n>", editions::ReplyLayout::Eight, lists);
    EXPECT_EQ(reg.cellText("R0Value"), QStringLiteral("00"));
    for (int c = 0; c < 2; ++c) {
        EXPECT_TRUE(reg.row("R1")->font(c).bold());
        EXPECT_EQ(reg.row("R1")->foreground(c).color(), QColor(240, 0, 0));
    }
    fillRegisterList("\r\nR0=0001  R1=0302\r\n>", editions::ReplyLayout::Eight, lists);
    EXPECT_FALSE(reg.row("R0")->font(1).bold());
    EXPECT_EQ(reg.row("R0")->foreground(0).color(), QColor(0, 0, 0));
    EXPECT_TRUE(reg.row("R1")->font(0).bold());

    lists.setMemoryRow({2, "1001", "4142", "AB"});
    EXPECT_EQ(mem.cellText("Address2Value2"), QStringLiteral("4142"));
    EXPECT_EQ(mem.cellText("Address2Disp2"), QStringLiteral("AB"));
    EXPECT_EQ(mem.text("Address2", 0), QStringLiteral("1001"));
    lists.setMemoryRow({3, "1002", "x", "y"});  // no such row: nothing

    fillUnasmList("\r\n1000  4142       DW    4142H\r\n>", editions::ReplyLayout::Sixteen, lists);
    ASSERT_EQ(unasm.rowCount(), 2);
    EXPECT_EQ(unasm.topLevelItem(0)->text(1), QStringLiteral("4142     "));
    EXPECT_EQ(unasm.currentItem(), unasm.topLevelItem(0));
}

class EightBitDialogTest : public ExchangeFixture {
protected:
    EightBitDialogTest() : ExchangeFixture(Edition::Corvane8) {}
};

TEST_F(EightBitDialogTest, TheRealDialogClosesWhenTheReplyIsComplete) {
    QPointer<DataSendRecvProcess> shown;
    MonitorExchange real(link, profile, pump, lists, [&] {
        auto* d = new DataSendRecvProcess;
        shown = d;
        return d;
    });
    startDevice();
    QObject::disconnect(&port, nullptr, &exchange, nullptr);
    real.attachPort();
    prompter.answerInput(QStringLiteral("10H"));
    real.CommandMemory_Click();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->windowTitle(), QStringLiteral(" 内存数据接收中，请稍侯。。。"));
    EXPECT_EQ(shown->Label2()->text(), QStringLiteral("从 VAZ 设备接收内存数据显示到内存察看窗口"));
    ASSERT_TRUE(waitUntil([&] { return shown.isNull(); }));
    EXPECT_EQ(lists.memory[1].address, QStringLiteral("0010"));
    EXPECT_EQ(real.XferDialog(), nullptr);
}
