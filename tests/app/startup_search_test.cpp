#include "app/main_window.h"
#include "app/program.h"
#include "app_fixture.h"
#include "link/device_port.h"
#include "link/fake/fake_vaz_monitor.h"
#include "link/link_state.h"
#include "link/widgets/auto_scan_com_port.h"
#include "link/widgets/dlg_set_comm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `user` once a modal dialog of type D is up, then makes sure it is gone.
template <class D>
void whenModal(std::function<void(D&)> user) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, user] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        user(*dialog);
        if (dialog->isVisible()) dialog->done(QDialog::Rejected);
    });
    timer->start();
}

const QString kReady1 = QStringLiteral("端口号：1，波特率：9600BPS，校验：N，字长：8BITS，停止位：1BITS");
const QString kNotReady = QStringLiteral("设备未发现或端口被占用！！");

}  // namespace

TEST(StartupSearch, FindsTheDeviceAndThePortCommandsReachTheLink) {
    apptest::ProgramFolder folder;
    testsupport::ScriptedPrompter prompter;
    apptest::FakeDeviceOnCom1 device;
    ASSERT_TRUE(device.started);

    app::Program program(editions::profileCorvane16());
    whenModal<devlink::AutoScanComPort>([&](devlink::AutoScanComPort& dlg) {
        EXPECT_EQ(dlg.parent(), nullptr);
        EXPECT_TRUE(dlg.okButton()->isEnabled());
        dlg.okButton()->click();
    });
    program.Main();
    app::MainWindow& w = program.frmmain();
    devlink::LinkState& link = devlink::linkState();
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(w.statusText(1), kReady1);
    EXPECT_EQ(link.LinkMode, devlink::LinkModeTerminal);
    ASSERT_NE(link.port, nullptr);
    EXPECT_TRUE(link.port->isOpen());
    EXPECT_EQ(device.fake.receivedCount('\r'), 3u);

    w.menuEntry(QStringLiteral("Closes"))->trigger();
    EXPECT_FALSE(link.port->isOpen());
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(w.statusText(1), kNotReady);

    whenModal<devlink::AutoScanComPort>([](devlink::AutoScanComPort& dlg) { dlg.okButton()->click(); });
    w.menuEntry(QStringLiteral("Search"))->trigger();
    EXPECT_EQ(w.statusText(1), kReady1);

    // The manual dialog on a missing port reports it and keeps port 1.
    whenModal<devlink::dlgSetComm>([](devlink::dlgSetComm& dlg) {
        dlg.cmbComport->setCurrentIndex(3);
        dlg.cmdOk->click();
        EXPECT_TRUE(dlg.isVisible());
        dlg.cmdCancel->click();
    });
    w.dropDownItem(QStringLiteral("ManualSetupPort"))->trigger();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("端口 4 未发现（无效）或已被占用！！"));
    EXPECT_TRUE(link.port->isOpen());
    EXPECT_TRUE(link.PortReady);
    EXPECT_EQ(link.port->portNumber(), 1);

    w.dropDownItem(QStringLiteral("ClosePort"))->trigger();
    EXPECT_FALSE(link.port->isOpen());
    EXPECT_EQ(w.statusText(1), kNotReady);
    qunsetenv("CORVANE_COM_DIR");
}
