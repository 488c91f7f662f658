// How the circuit-experiment environment plugs into the program: the About box
// is the program's, quitting the frame passes through the main window's save
// question and closes it, when there is a main window, and the IC test panels
// work on a test circuit of their own.

#include "app/circuit_wiring.h"

#include "app/main_window.h"
#include "app/program.h"
#include "app/splash_window.h"
#include "circuit/widgets/mdi_form1.h"
#include "panels/test_circuit.h"
#include "panels/widgets/test_panels.h"

#include <QGuiApplication>
#include <QScreen>

namespace app {

namespace {

using circuit::widgets::TestPanelItem;
static_assert(static_cast<int>(TestPanelItem::Ls00) == static_cast<int>(panels::TestPanel::Ttl74LS00) &&
              static_cast<int>(TestPanelItem::Ls138) == static_cast<int>(panels::TestPanel::Ttl74LS138) &&
              static_cast<int>(TestPanelItem::Ls244) == static_cast<int>(panels::TestPanel::Ttl74LS244) &&
              static_cast<int>(TestPanelItem::Ls374) == static_cast<int>(panels::TestPanel::Ttl74LS374) &&
              static_cast<int>(TestPanelItem::Ram6116) == static_cast<int>(panels::TestPanel::Ram6116) &&
              static_cast<int>(TestPanelItem::Rom2732) == static_cast<int>(panels::TestPanel::Rom2732));

}  // namespace

std::unique_ptr<circuit::widgets::MDIForm1> startCircuitEnvironment(Program& program) {
    circuit::widgets::FrameHooks hooks;
    const std::string_view word = program.profile().titleWord;
    hooks.editionWord = QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
    hooks.showAbout = [](QWidget* parent) { showAboutBox(parent); };
    hooks.mainWindowMayQuit = [&program] {
        MainWindow* w = program.mainWindowIfLoaded();
        return !w || w->saveQuestion();
    };
    hooks.unloadMainWindow = [&program] {
        if (MainWindow* w = program.mainWindowIfLoaded()) w->unloadWithoutAsking();
    };
    // The panels share one simulator, apart from the circuits' own; the frame's
    // hooks keep it alive as long as the panels.
    auto panelCircuit = std::make_shared<panels::PanelCircuit>();
    hooks.createTestPanel = [panelCircuit](int panel, QWidget* parent) {
        return panels::createTestPanel(static_cast<panels::TestPanel>(panel), panelCircuit->simulator(), parent);
    };
    auto frame = std::make_unique<circuit::widgets::MDIForm1>(std::move(hooks));
    frame->MDIForm_UseLoad();
    // Without a window manager "maximised" means nothing: the screen's size is set as well.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) frame->setGeometry(screen->availableGeometry());
    frame->showMaximized();
    return frame;
}

}  // namespace app
