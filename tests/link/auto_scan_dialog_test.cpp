#include "link/comm_errors.h"
#include "link/widgets/auto_scan_com_port.h"
#include "link/widgets/port_commands.h"
#include "link_fixture.h"
#include "support/wait_until.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace devlink;
using linktest::kNotReady;
using linktest::LinkFixture;
using linktest::readyText;

namespace {

QColor colourOf(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

// Runs `user` once the search dialog has become modal, i.e. after its first search.
// Whatever `user` leaves open is closed so that a failing test cannot hang.
void whenModal(const std::function<void(AutoScanComPort&)>& user) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, user] {
        auto* dialog = qobject_cast<AutoScanComPort*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        user(*dialog);
        if (dialog->isVisible()) dialog->closeDialog();
    });
    timer->start();
}

}  // namespace

using SearchDialogTest = LinkFixture;

TEST_F(SearchDialogTest, LinesColoursAndButtonsAsTheUserSeesThem) {
    addFake(2);
    auto& silent = addSilent(3);
    bool checked = false;
    whenModal([&](AutoScanComPort& dlg) {
        checked = true;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral(" 自动搜索串行口中，请稍候..."));
        EXPECT_EQ(dlg.parent(), nullptr);
        EXPECT_EQ(dlg.label(0)->text(), QStringLiteral("端口 1 未发现（无效）或已被占用！！"));
        EXPECT_EQ(colourOf(dlg.label(0)), QColor(255, 0, 0));
        EXPECT_FALSE(dlg.option(0)->isEnabled());
        EXPECT_EQ(dlg.label(1)->text(), QStringLiteral("端口 2 搜索到应答，是否使用该端口？"));
        EXPECT_EQ(colourOf(dlg.label(1)), QColor(0, 128, 0));
        EXPECT_TRUE(dlg.option(1)->isChecked());
        EXPECT_TRUE(dlg.option(1)->isEnabled());
        EXPECT_EQ(dlg.label(2)->text(), QStringLiteral("端口 3 未检查"));
        EXPECT_TRUE(dlg.label(2)->isVisible());
        EXPECT_FALSE(dlg.label(4)->isVisible());  // lines past port 4 lie outside the dialog
        EXPECT_TRUE(dlg.okButton()->isEnabled());
        EXPECT_EQ(lastStatus(), readyText(2));

        dlg.continueButton()->click();
        EXPECT_EQ(dlg.label(2)->text(), QStringLiteral("端口 3 未得到应答，端口上没发现设备！！"));
        EXPECT_EQ(colourOf(dlg.label(2)), QColor(128, 128, 0));
        EXPECT_TRUE(dlg.option(2)->isEnabled());
        EXPECT_EQ(dlg.label(3)->text(), QStringLiteral("端口 4 未发现（无效）或已被占用！！"));
        EXPECT_EQ(colourOf(dlg.label(3)), QColor(255, 0, 0));
        EXPECT_FALSE(dlg.option(1)->isChecked());
        EXPECT_FALSE(dlg.okButton()->isEnabled());
        EXPECT_TRUE(dlg.continueButton()->isEnabled());
        EXPECT_EQ(lastStatus(), kNotReady);

        const std::size_t crs = silent.receivedCount('\r');
        dlg.option(2)->click();  // open port 3 without the handshake
        EXPECT_TRUE(port.isOpen());
        EXPECT_EQ(port.portNumber(), 3);
        EXPECT_TRUE(dlg.okButton()->isEnabled());
        testsupport::pumpFor(30);
        EXPECT_EQ(silent.receivedCount('\r'), crs);
        dlg.okButton()->click();
    });
    runPortSearch(link);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(link.PortReady);
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    EXPECT_EQ(lastStatus(), readyText(3));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// The search leaves the focus on "继续搜索"; Enter still means "确定", wherever the focus is.
TEST_F(SearchDialogTest, EnterAcceptsTheFoundPortWhateverButtonHasTheFocus) {
    auto& fake = addFake(1);
    for (const char* focused : {"Command2", "Command3", "Command1"}) {
        SCOPED_TRACE(focused);
        std::size_t crs = 0;
        whenModal([&](AutoScanComPort& dlg) {
            crs = fake.receivedCount('\r');
            auto* button = dlg.findChild<QPushButton*>(QString::fromLatin1(focused));
            ASSERT_NE(button, nullptr);
            QTest::keyClick(button, Qt::Key_Return);
            EXPECT_FALSE(dlg.isVisible());
        });
        runPortSearch(link);
        EXPECT_EQ(fake.receivedCount('\r'), crs);  // no search after the first
        EXPECT_TRUE(port.isOpen());
        EXPECT_TRUE(link.PortReady);
        EXPECT_EQ(lastStatus(), readyText(1));
    }
}

TEST_F(SearchDialogTest, EscapeIgnoresAndNoPortStaysOpen) {
    addFake(1);
    whenModal([&](AutoScanComPort& dlg) {
        EXPECT_TRUE(port.isOpen());
        dlg.reject();  // what Escape does
        EXPECT_FALSE(dlg.isVisible());
    });
    runPortSearch(link);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(lastStatus(), kNotReady);
}

TEST_F(SearchDialogTest, IgnorePressedDuringTheFirstSearchClosesTheDialogWhenItStops) {
    addSilent(1);
    addFake(2);
    // Press "忽略" as soon as the dialog shows port 1 being tried.
    QTimer press;
    press.setInterval(5);
    QObject::connect(&press, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dlg = qobject_cast<AutoScanComPort*>(w);
            if (dlg && dlg->isVisible() && dlg->label(0)->text().endsWith(QStringLiteral("搜索中..."))) {
                press.stop();
                dlg->ignoreButton()->click();
            }
        }
    });
    press.start();
    bool becameModal = false;
    whenModal([&](AutoScanComPort&) { becameModal = true; });
    runPortSearch(link);
    EXPECT_FALSE(becameModal);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(fakes.at(2)->receivedCount('\r'), 0u);  // the search stopped before port 2
    EXPECT_EQ(lastStatus(), kNotReady);
    testsupport::pumpFor(20);  // let the unused probe timer go
}
