#include "app/main_window.h"
#include "app/program.h"
#include "app_fixture.h"
#include "link/codefile/code_file.h"
#include "link/device_port.h"
#include "link/fake/fake_vaz_monitor.h"
#include "link/link_state.h"
#include "link/widgets/data_send_recv_process.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"
#include "support/wait_until.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::waitUntil;

namespace {


bool redBold(const QTreeWidgetItem* item) {
    return item->font(0).bold() && item->font(1).bold() && item->foreground(1).color() == QColor(240, 0, 0);
}

using MonitorCommands = apptest::ConnectedProgram;

}  // namespace

TEST_F(MonitorCommands, MenusToolbarAndShortcutsRunTheExchangesOnTheMainWindow) {
    // "内存察看": the window is disabled while the dialog of its own stays usable.
    prompter.answerInput(QStringLiteral("1000H"));
    w.menuEntry(QStringLiteral("CommandMemory"))->trigger();
    devlink::DataSendRecvProcess* dialog = apptest::visibleProgressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(w.isEnabled());
    EXPECT_TRUE(dialog->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return w.isEnabled() && !apptest::visibleProgressDialog(); }));
    EXPECT_EQ(w.ListView3()->text(QStringLiteral("Address1"), 0), QStringLiteral("1000"));
    EXPECT_EQ(w.ListView3()->text(QStringLiteral("Address120"), 0), QStringLiteral("1077"));
    EXPECT_FALSE(w.ListView3()->cellText(QStringLiteral("Address1Value1")).isEmpty());

    // "寄存器" on the toolbar: every row bold red the first time.
    w.Toolbar1_ButtonClick(QStringLiteral("Register"));
    ASSERT_TRUE(waitUntil([&] { return w.isEnabled() && !apptest::visibleProgressDialog(); }));
    for (int i = 0; i < w.ListView1()->rowCount(); ++i) EXPECT_TRUE(redBold(w.ListView1()->topLevelItem(i))) << i;

    // F7, then the registers again: only R0 and PC(R5) changed.
    w.menuEntry(QStringLiteral("CommandStepInto"))->trigger();
    ASSERT_TRUE(waitUntil([&] { return w.RichTextBox1()->text().endsWith(QStringLiteral("H\n>")); }));
    w.menuEntry(QStringLiteral("CommandRegister"))->trigger();
    ASSERT_TRUE(waitUntil([&] { return w.isEnabled() && !apptest::visibleProgressDialog(); }));
    for (int i = 0; i < w.ListView1()->rowCount(); ++i)
        EXPECT_EQ(redBold(w.ListView1()->topLevelItem(i)), i == 0 || i == 5) << i;
    EXPECT_EQ(w.ListView1()->cellText(QStringLiteral("FValue")), QStringLiteral("0101'1010"));

    // "反编译": 15 rows and the empty one.
    prompter.answerInput(QStringLiteral("0H"));
    w.Toolbar1_ButtonClick(QStringLiteral("VuzUnAsm"));
    ASSERT_TRUE(waitUntil([&] { return w.isEnabled() && !apptest::visibleProgressDialog(); }));
    EXPECT_EQ(w.ListView2()->rowCount(), 16);

    // "清空": the pane keeps its last line.
    w.Toolbar1_ButtonClick(QStringLiteral("ClearCommandLine"));
    EXPECT_EQ(w.RichTextBox1()->text(), QStringLiteral("\n>"));
    link.port->close();
    link.PortReady = false;
}

TEST_F(MonitorCommands, CodeTransfersRunFromTheMenuAndTheToolbar) {
    // "从Vuz设备获取数据": 32 words at 1000H into a new file.
    const QString received = device.ports.filePath(QStringLiteral("t.COD"));
    prompter.answerFile(received);
    const auto prompts = [&] { return w.RichTextBox1()->text().count(QLatin1Char('>')); };
    const qsizetype promptsBefore = prompts();
    w.menuEntry(QStringLiteral("ToolRecvData"))->trigger();
    devlink::DataSendRecvProcess* dialog = apptest::visibleProgressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(w.isEnabled());
    ASSERT_TRUE(waitUntil([&] { return w.isEnabled() && !apptest::visibleProgressDialog(); }));
    EXPECT_EQ(QFileInfo(received).size(), 5 + 64);
    // The transfer ends with its last data byte; the device's prompt follows on
    // its own time. A user starts the next command once it is on the pane.
    ASSERT_TRUE(waitUntil([&] { return prompts() > promptsBefore; }));

    // "发送" on the toolbar: two blocks under one dialog, the pause between them included.
    const std::vector<codefile::CodeBlock> blocks = {{{0x2000, 2}, {'A', 'B', 'C', 'D'}}, {{0x3000, 1}, {'Y', 'Z'}}};
    const QString two = device.ports.filePath(QStringLiteral("two.COD"));
    ASSERT_TRUE(codefile::writeCodeFile(QFile::encodeName(two).toStdString(), blocks));
    prompter.answerFile(two);
    w.Toolbar1_ButtonClick(QStringLiteral("Send"));
    ASSERT_NE(apptest::visibleProgressDialog(), nullptr);
    ASSERT_TRUE(waitUntil([&] { return w.isEnabled() && !apptest::visibleProgressDialog(); }, 8000));
    ASSERT_EQ(device.fake.blocksReceived().size(), 2u);
    EXPECT_EQ(device.fake.memory(0x2001), 0x4344u);
    EXPECT_EQ(device.fake.memory(0x3000), 0x595Au);
    EXPECT_TRUE(waitUntil([&] { return w.RichTextBox1()->text().endsWith(QStringLiteral("\n>")); }));
    link.port->close();
    link.PortReady = false;
}

// A device that goes away while the program runs: the status bar says so at
// once and the user reads about it once; no command then treats the port as ready.
TEST_F(MonitorCommands, ADeviceThatGoesAwayIsNeverShownAsReady) {
    program.ShowPortStatus();
    ASSERT_TRUE(w.statusText(1).startsWith(QStringLiteral("端口号：1")));

    device.fake.stop();
    ASSERT_TRUE(waitUntil([&] { return w.statusText(1) == QString::fromUtf16(app::kNoPortText); }));
    EXPECT_FALSE(link.PortReady);
    w.menuEntry(QStringLiteral("CommandRegister"))->trigger();  // does nothing now
    EXPECT_EQ(apptest::visibleProgressDialog(), nullptr);
    testsupport::pumpFor(100);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_TRUE(prompter.messages().front().text.startsWith(QStringLiteral("端口 1 ")) ||
                prompter.messages().front().text == QStringLiteral("接收应答命令未知错误！！"))
        << prompter.messages().front().text.toStdString();
}
