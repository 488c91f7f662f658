#include "app/program.h"
#include "app/splash_window.h"
#include "app_fixture.h"
#include "platform/wait_seconds.h"
#include "platform/widgets/rich_text_box.h"
#include "support/wait_until.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace apptest;

TEST(Startup, MainRunsItsStepsInOrder) {
    ProgramFolder folder;
    testsupport::ScriptedPrompter prompter;
    // A clock that moves a quarter second whenever events are handled: the
    // three-second wait passes without sleeping.
    double now = 0;
    int pumps = 0;
    platform::ScopedWaitHooks clock({[&] { return now; }, [&] { return 40000.0 + now; },
                                     [&] {
                                         ++pumps;
                                         now += 0.25;
                                         QCoreApplication::processEvents();
                                     }});

    app::Program program(editions::profileCorvane8());
    std::vector<std::string> log;
    auto& hooks = program.hooks();
    hooks.workbench.setStartValues = [&] {
        log.push_back("editor values");
        EXPECT_EQ(program.mainWindowIfLoaded(), nullptr);
    };
    hooks.link.setStartValues = [&] { log.push_back("link values"); };
    hooks.sampling.setStartValues = [&] { log.push_back("sampling values"); };
    hooks.sampling.onMainWindowLoad = [&](app::MainWindow&) {
        log.push_back("window load");
        EXPECT_FALSE(program.sourceState().TrackChanges) << "nothing during start-up marks the source";
    };
    auto showStatus = hooks.link.showPortStatus;
    hooks.link.showPortStatus = [&](app::MainWindow& w) {
        log.push_back("port status");
        showStatus(w);
    };
    hooks.link.searchPort = [&](app::MainWindow& w) {
        log.push_back("search");
        EXPECT_TRUE(w.isVisible());
        EXPECT_FALSE(w.isEnabled()) << "the window takes no input while the search runs";
        EXPECT_TRUE(w.band("Pic3")->isHidden());
    };
    int pumpsAtStep7 = -1;
    program.afterStep = [&](int n) {
        log.push_back("step " + std::to_string(n));
        app::MainWindow* w = program.mainWindowIfLoaded();
        switch (n) {
            case 3:
                ASSERT_NE(program.splash(), nullptr);
                EXPECT_TRUE(program.splash()->isVisible());
                EXPECT_TRUE(program.splash()->windowFlags() & Qt::WindowStaysOnTopHint);
                EXPECT_TRUE(program.splash()->Timer1()->isActive());
                EXPECT_EQ(program.splash()->Timer1()->interval(), 3000);
                break;
            case 7:
                ASSERT_NE(w, nullptr);
                EXPECT_FALSE(w->isVisible());
                EXPECT_FALSE(w->isEnabled());
                EXPECT_EQ(w->statusText(1), QStringLiteral("设备未发现或端口被占用！！"));
                pumpsAtStep7 = pumps;
                break;
            case 8:
                EXPECT_GE(pumps - pumpsAtStep7, 12) << "three seconds pass in the wait";
                EXPECT_FALSE(w->isVisible());
                break;
            case 9:
                EXPECT_TRUE(w->isVisible());
                EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
                EXPECT_FALSE(w->isEnabled());
                EXPECT_FALSE(w->band("Pic3")->isHidden());
                break;
            case 14:
                EXPECT_TRUE(w->isEnabled());
                EXPECT_FALSE(program.sourceState().TrackChanges);
                break;
            default:
                break;
        }
    };

    program.Main();

    const std::vector<std::string> expected = {
        "step 1", "step 2", "step 3", "editor values", "step 4", "link values", "step 5", "sampling values",
        "step 6", "window load", "port status", "step 7", "step 8", "step 9", "step 10", "step 11",
        "step 12", "search", "step 13", "step 14", "step 15"};
    EXPECT_EQ(log, expected);

    app::MainWindow& w = program.frmmain();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Corvane8 计算机组成原理实验软件 1.0.5版"));
    EXPECT_EQ(w.bandChild("RichTB1"), w.RichTextBox1());
    EXPECT_TRUE(w.band("Pic3")->isHidden());
    EXPECT_EQ(w.statusText(1), QStringLiteral("设备未发现或端口被占用！！"));
    EXPECT_TRUE(program.sourceState().TrackChanges);
    EXPECT_FALSE(program.sourceState().SourceModified);
    EXPECT_TRUE(program.sourceState().SourcePath.isEmpty());
    EXPECT_EQ(program.MinusOne, -1);
    EXPECT_GT(program.ScreenTwipsPerPixelY, 0);
    EXPECT_TRUE(prompter.asked().empty()) << "start-up without a device asks nothing";
}

TEST(Splash, ShowsItsLoadingTextAndClosesItselfWhenItsTimerRuns) {
    QPointer<app::SplashWindow> splash = new app::SplashWindow;
    EXPECT_EQ(splash->windowTitle(), QStringLiteral("  加载中，请稍候 。。。"));
    EXPECT_EQ(splash->Label2()->text(), QStringLiteral("加载中，请稍候 。。。"));
    EXPECT_TRUE(splash->Command1()->isHidden());
    EXPECT_EQ(splash->size(), QSize(598, 388));
    EXPECT_FALSE(splash->Timer1()->isActive());
    EXPECT_EQ(app::SplashWindow::artwork().size(), QSize(598, 388));

    splash->Form_Useload();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->Timer1()->interval(), 3000);
    splash->close();  // only the timer closes a splash
    QTest::keyClick(splash, Qt::Key_Escape);
    EXPECT_TRUE(splash->isVisible());

    splash->Timer1()->start(1);
    EXPECT_TRUE(testsupport::waitUntil([&] { return !splash || !splash->isVisible(); }, 2000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull()) << "closing unloads the window";
}

TEST(AboutBox, OpensTheSameWayEachTimeAndItsButtonOrEscClosesIt) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        QString title, buttonText;
        bool labelHidden = false, timerActive = true, stayedOpen = false, seen = false, closed = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<app::SplashWindow*>(top);
                if (!box || !box->isVisible()) continue;
                seen = true;
                title = box->windowTitle();
                labelHidden = box->Label2()->isHidden();
                buttonText = box->Command1()->isVisible() ? box->Command1()->text() : QString();
                timerActive = box->Timer1()->isActive();
                box->close();
                stayedOpen = box->isVisible();
                if (round == 0) box->Command1()->click();
                else QTest::keyClick(box, Qt::Key_Escape);
                closed = !box->isVisible();
                if (!closed) box->Command1()->click();
            }
        });
        app::showAboutBox(nullptr);
        EXPECT_TRUE(seen);
        EXPECT_EQ(title, QStringLiteral("  关于"));
        EXPECT_TRUE(labelHidden);
        EXPECT_EQ(buttonText, QStringLiteral("关    闭"));
        EXPECT_FALSE(timerActive);
        EXPECT_TRUE(stayedOpen) << "the window's close command does not close the About box";
        EXPECT_TRUE(closed) << (round == 0 ? "by its button" : "by Esc");
    }
}
