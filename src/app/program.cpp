#include "app/program.h"

#include "app/main_window.h"
#include "app/splash_window.h"
#include "platform/twips.h"
#include "platform/wait_seconds.h"

#include <QGuiApplication>
#include <QScreen>

namespace app {

Program::Program(const editions::EditionProfile& profile) : profile_(profile) {
    wireLink(*this);
    wireWorkbench(*this);
    wireSampling(*this);
}

Program::~Program() {
    if (splash_) delete splash_.data();
}

MainWindow& Program::frmmain() {
    if (!mainWindow_) mainWindow_ = std::make_unique<MainWindow>(profile_, source_, hooks_);
    return *mainWindow_;
}

MainWindow* Program::mainWindowIfLoaded() const { return mainWindow_.get(); }

void Program::ShowPortStatus() {
    MainWindow& w = frmmain();
    if (hooks_.link.showPortStatus) hooks_.link.showPortStatus(w);
}

void Program::step(int n) {
    if (afterStep) afterStep(n);
}

void Program::Main() {
    // 1-2
    ScreenTwipsPerPixelY = platform::screenTwipsPerPixel();
    step(1);
    MinusOne = -1;
    step(2);
    // 3: the splash, topmost; it closes itself three seconds later.
    splash_ = new SplashWindow;
    splash_->Form_Useload();
    step(3);
    // 4: editor, build and find start values.
    source_ = workbench::WorkbenchState{};
    if (hooks_.workbench.setStartValues) hooks_.workbench.setStartValues();
    step(4);
    // 5: link start values.
    if (hooks_.link.setStartValues) hooks_.link.setStartValues();
    step(5);
    // 6: sampling start values.
    if (hooks_.sampling.setStartValues) hooks_.sampling.setStartValues();
    step(6);
    // 7: the port status; its first use of the main window builds it.
    ShowPortStatus();
    step(7);
    // 8: three seconds with window events handled; the splash goes meanwhile.
    platform::WaitSeconds(platform::Timer(), 3.0f);
    step(8);
    // 9: shown maximised, still disabled.
    MainWindow& w = frmmain();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) w.setGeometry(screen->availableGeometry());
    w.showMaximized();
    step(9);
    // 10: the help band closes.
    w.HelpDispOrUnDisp_Click();
    step(10);
    // 11-12: band sizes and column widths of the shown window.
    w.setInitialBandSizes();
    step(11);
    step(12);
    // 13: the port search, modal.
    w.Search_Click();
    step(13);
    // 14-15
    w.setEnabled(true);
    step(14);
    source_.TrackChanges = true;
    step(15);
}

}  // namespace app
