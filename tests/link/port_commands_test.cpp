#include "link/comm_errors.h"
#include "link/comm_send.h"
#include "link/port_switch.h"
#include "link/widgets/dlg_set_comm.h"
#include "link_fixture.h"
#include "support/wait_until.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <chrono>

using namespace devlink;
using linktest::kNotReady;
using linktest::LinkFixture;
using linktest::readyText;
using testsupport::waitUntil;

using SendTest = LinkFixture;

TEST_F(SendTest, SendCommBytePausesBeforeTheByteAndSendCommBytesDoesNot) {
    auto& fake = addFake(1);
    ASSERT_EQ(port.open(1, QStringLiteral("9600,N,8,1")), CommOk);
    for (int i = 0; i < 3; ++i) {
        const auto before = std::chrono::steady_clock::now();
        SendCommByte(link, 'A');
        ASSERT_TRUE(waitUntil([&] { return fake.receivedCount('A') == static_cast<size_t>(i + 1); }, 2000));
        const auto at = fake.received().back().at;
        EXPECT_GE(at - before, std::chrono::milliseconds(20)) << i;
    }
    SendCommBytes(link, "T\r");
    ASSERT_TRUE(waitUntil([&] { return fake.receivedCount('\r') == 1; }, 2000));
    const auto rx = fake.received();
    ASSERT_GE(rx.size(), 2u);
    EXPECT_EQ(rx[rx.size() - 2].byte, 'T');
    EXPECT_LT(rx.back().at - rx[rx.size() - 2].at, std::chrono::milliseconds(5));
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(SendTest, AWriteToAClosedPortIsReportedOnceAndTheCallerGoesOn) {
    link.settings.CommPortNumber = 2;
    SendCommByte(link, '\r');
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("端口 2 打开时操作才有效，端口没有打开！！")});
    SendCommBytes(link, "T\r");
    EXPECT_EQ(messageTexts().size(), 2);
}

using ClosePortTest = LinkFixture;

TEST_F(ClosePortTest, ClosesAndShowsNotReadyWithoutTouchingTheLinkMode) {
    link.LinkMode = LinkModeTerminal;
    link.PortReady = true;
    closeDevicePort(link);  // no port open
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(statusTexts, QStringList{kNotReady});
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);

    addFake(1);
    ASSERT_EQ(port.open(1, QStringLiteral("9600,N,8,1")), CommOk);
    link.PortReady = true;
    closeDevicePort(link);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(lastStatus(), kNotReady);
    EXPECT_TRUE(prompter.messages().empty());
}

class ManualDialogTest : public LinkFixture {
protected:
    // Opens port `n` as a successful earlier choice would have.
    void openAsChosen(int n) {
        link.settings.CommPortNumber = n;
        ASSERT_EQ(port.open(n, CommSettings(link.settings)), CommOk);
        link.PortReady = true;
    }
};

TEST_F(ManualDialogTest, PresetsAndOnlyThePortListEnabled) {
    link.settings.CommPortNumber = 3;
    link.settings.CommParity = QStringLiteral("E");
    dlgSetComm dlg(link);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral(" 手动设置串行口状态"));
    auto entries = [](QComboBox* box) {
        QStringList l;
        for (int i = 0; i < box->count(); ++i) l << box->itemText(i);
        return l;
    };
    EXPECT_EQ(entries(dlg.cmbComport), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(entries(dlg.cmbBoundary), (QStringList{"9600", "14400", "19200", "28800", "38400", "57600", "115200"}));
    EXPECT_EQ(entries(dlg.cmbParity), (QStringList{QStringLiteral("奇校验"), QStringLiteral("偶校验"),
                                                   QStringLiteral("标记校验"), QStringLiteral("空格校验"),
                                                   QStringLiteral("无校验")}));
    EXPECT_EQ(entries(dlg.cmbDatalen), (QStringList{"4", "5", "6", "7", "8"}));
    EXPECT_EQ(entries(dlg.cmbStopbit), (QStringList{"1", "1.5", "2"}));
    EXPECT_EQ(dlg.cmbComport->currentText(), QStringLiteral("1"));  // not the current port
    EXPECT_EQ(dlg.cmbBoundary->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(dlg.cmbParity->currentText(), QStringLiteral("偶校验"));
    EXPECT_EQ(dlg.cmbDatalen->currentText(), QStringLiteral("8"));
    EXPECT_EQ(dlg.cmbStopbit->currentText(), QStringLiteral("1"));
    EXPECT_TRUE(dlg.cmbComport->isEnabled());
    for (QComboBox* box : {dlg.cmbBoundary, dlg.cmbParity, dlg.cmbDatalen, dlg.cmbStopbit}) EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(dlg.cmdOk->text(), QStringLiteral("确定"));
    EXPECT_EQ(dlg.cmdCancel->text(), QStringLiteral("取消"));

    link.settings.CommParity = QStringLiteral("N");
    dlgSetComm fresh(link);
    EXPECT_EQ(fresh.cmbParity->currentText(), QStringLiteral("无校验"));
    EXPECT_EQ(CommSettings(fresh.chosenSettings()), QStringLiteral("9600,N,8,1"));
}

TEST_F(ManualDialogTest, ChoosingAnAnsweringPortOpensItAndCloses) {
    auto& fake = addFake(2);
    dlgSetComm dlg(link);
    dlg.show();
    dlg.cmbComport->setCurrentIndex(1);
    dlg.cmdOk->click();
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 2);
    EXPECT_EQ(link.settings.CommPortNumber, 2);
    EXPECT_TRUE(link.PortReady);
    EXPECT_EQ(lastStatus(), readyText(2));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(broughtToFront, 1);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_TRUE(fake.receivedBytes().empty());  // no handshake
}

TEST_F(ManualDialogTest, AMissingPortRollsBackToThePreviousOne) {
    addFake(1);
    openAsChosen(1);
    dlgSetComm dlg(link);
    dlg.show();
    dlg.activateWindow();
    dlg.cmbComport->setCurrentIndex(2);
    dlg.cmdOk->click();
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("端口 3 未发现（无效）或已被占用！！")});
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 1);
    EXPECT_TRUE(link.PortReady);
    EXPECT_EQ(link.settings.CommPortNumber, 1);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.focusWidget(), dlg.cmbComport);
    EXPECT_TRUE(statusTexts.isEmpty());  // the status bar still shows port 1
}

TEST_F(ManualDialogTest, AFailedRollBackIsReportedToo) {
    addFake(1);
    openAsChosen(1);
    // The previous port vanishes while the first report is up.
    prompter.onMessage = [this](const platform::MessageRequest&) { removeFake(1); };
    dlgSetComm dlg(link);
    dlg.show();
    dlg.cmbComport->setCurrentIndex(2);
    dlg.cmdOk->click();
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("端口 3 未发现（无效）或已被占用！！"),
                                           QStringLiteral("端口 1 未发现（无效）或已被占用！！")}));
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(lastStatus(), kNotReady);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(ManualDialogTest, CancelChangesNothing) {
    addFake(1);
    openAsChosen(1);
    const PortSettings before = link.settings;
    dlgSetComm dlg(link);
    dlg.show();
    dlg.cmbComport->setCurrentIndex(3);
    dlg.cmdCancel->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 1);
    EXPECT_EQ(link.settings, before);
    EXPECT_TRUE(link.PortReady);
    EXPECT_TRUE(statusTexts.isEmpty());
    EXPECT_EQ(broughtToFront, 1);
}

using PortLossTest = LinkFixture;

// A device that goes away leaves no port shown as ready, and the user reads
// about it exactly once, as a port that cannot be read, whether a read or a
// write found it first. The port search writes such failures into its own
// lines.
TEST_F(PortLossTest, ALostDeviceIsShownAtOnceAndReportedOnce) {
    const QString readFailure = CommErrorText(CommReadFailed, 2);
    struct Case {
        const char* name;
        DeviceLinkMode mode;
        bool writeFirst;
        bool handled;
    };
    const Case cases[] = {
        {"found by the read notification", LinkModeTerminal, false, true},
        {"found by a write", LinkModeTerminal, true, true},
        {"during the port search", LinkModeScan, false, false},
    };
    watchForPortLoss(link);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.clear();
        statusTexts.clear();
        addFake(2);
        link.settings.CommPortNumber = 2;
        ASSERT_EQ(port.open(2, QStringLiteral("9600,N,8,1")), CommOk);
        link.PortReady = true;
        link.LinkMode = c.mode;
        removeFake(2);
        if (c.writeFirst) SendCommBytes(link, "\r");
        ASSERT_TRUE(waitUntil([&] { return !port.isOpen(); }, 5000));
        testsupport::pumpFor(100);
        if (!c.handled) {
            EXPECT_TRUE(link.PortReady);  // the search decides
            EXPECT_TRUE(statusTexts.isEmpty());
            EXPECT_TRUE(messageTexts().isEmpty());
            EXPECT_NE(port.takeReceiveFailure(), CommOk);
            continue;
        }
        EXPECT_FALSE(link.PortReady);
        EXPECT_EQ(lastStatus(), kNotReady);
        ASSERT_EQ(messageTexts().size(), 1) << messageTexts().join('|').toStdString();
        EXPECT_EQ(messageTexts().front(), readFailure);
        EXPECT_EQ(prompter.messages().front().title, kCommErrorTitle);
    }
}
