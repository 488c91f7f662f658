// How the circuit-experiment environment plugs into the program: the About box
// is the program's, and quitting the frame passes through the main window's
// save question and closes it, when there is a main window.

#include "app/circuit_wiring.h"

#include "app/main_window.h"
#include "app/program.h"
#include "app/splash_window.h"
#include "circuit/widgets/mdi_form1.h"

#include <QGuiApplication>
#include <QScreen>

namespace app {

std::unique_ptr<circuit::widgets::MDIForm1> startCircuitEnvironment(Program& program) {
    circuit::widgets::FrameHooks hooks;
    hooks.showAbout = [](QWidget* parent) { showAboutBox(parent); };
    hooks.mainWindowMayQuit = [&program] {
        MainWindow* w = program.mainWindowIfLoaded();
        return !w || w->saveQuestion();
    };
    hooks.unloadMainWindow = [&program] {
        if (MainWindow* w = program.mainWindowIfLoaded()) w->unloadWithoutAsking();
    };
    auto frame = std::make_unique<circuit::widgets::MDIForm1>(std::move(hooks));
    frame->MDIForm_UseLoad();
    // Without a window manager "maximised" means nothing: the screen's size is set as well.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) frame->setGeometry(screen->availableGeometry());
    frame->showMaximized();
    return frame;
}

}  // namespace app
