// How the device link plugs into the program: the link's state is the
// program's one LinkState, its device port lives as long as the main window,
// and the link reaches the window only through the host calls set here.

#include "app/main_window.h"
#include "app/program.h"
#include "link/device_port.h"
#include "link/link_state.h"
#include "link/monitor_exchange.h"
#include "link/port_status.h"
#include "link/port_switch.h"
#include "link/terminal_pump.h"
#include "link/widgets/monitor_console.h"
#include "link/widgets/port_commands.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"

#include <QAction>
#include <QTimer>

namespace app {

void wireLink(Program& program) {
    LinkHooks& hooks = program.hooks().link;
    hooks.setStartValues = [] {
        devlink::LinkState& link = devlink::linkState();
        link.resetPortSettings();
        link.LinkMode = devlink::LinkModeIdle;
    };
    hooks.setUpPort = [](MainWindow& w) {
        devlink::LinkState& link = devlink::linkState();
        auto* port = new devlink::DevicePort(&w);
        port->setReceiveNotification(true);
        link.port = port;
        link.host.showStatusText = [&w](const QString& text) { w.setStatusText(1, text); };
        link.host.setMainWindowEnabled = [&w](bool enabled) { w.setEnabled(enabled); };
        link.host.setMainWindowWaitCursor = [&w](bool on) {
            if (on) w.setCursor(Qt::WaitCursor);
            else w.unsetCursor();
        };
        link.host.bringMainWindowToFront = [&w] {
            w.raise();
            w.activateWindow();
        };
        // The window and its port go together; nothing may reach either afterwards.
        QObject::connect(port, &QObject::destroyed, [] {
            devlink::LinkState& state = devlink::linkState();
            state.port = nullptr;
            state.host = {};
        });
    };
    hooks.showPortStatus = [](MainWindow&) { devlink::ShowPortStatus(devlink::linkState()); };
    hooks.searchPort = [](MainWindow&) { devlink::runPortSearch(devlink::linkState()); };
    hooks.manualPort = [](MainWindow& w) { devlink::runManualPortDialog(devlink::linkState(), &w); };
    hooks.closePort = [](MainWindow&) { devlink::closeDevicePort(devlink::linkState()); };
    hooks.attach = [](MainWindow& w) {
        auto* console = new devlink::MonitorConsole(devlink::linkState(), w.profile(), *w.RichTextBox1(), *w.Timer1(),
                                                    *w.ListView1(), *w.ListView2(), *w.ListView3(), &w);
        devlink::MonitorExchange& x = console->exchange();
        const std::pair<const char*, void (devlink::MonitorExchange::*)()> commands[] = {
            {"CommandMemory", &devlink::MonitorExchange::CommandMemory_Click},
            {"CommandRegister", &devlink::MonitorExchange::CommandRegister_Click},
            {"CommandUnAsm", &devlink::MonitorExchange::CommandUnAsm_Click},
            {"CommandRun", &devlink::MonitorExchange::CommandRun_Click},
            {"CommandStepInto", &devlink::MonitorExchange::CommandStepInto_Click},
            {"CommandStep", &devlink::MonitorExchange::CommandStep_Click},
            {"CommandStepIntoAs", &devlink::MonitorExchange::CommandStepIntoAs_Click},
            {"CommandStepAs", &devlink::MonitorExchange::CommandStepAs_Click},
        };
        for (const auto& [entry, handler] : commands) {
            if (QAction* a = w.menuEntry(QString::fromLatin1(entry)))
                QObject::connect(a, &QAction::triggered, &x, [&x, handler = handler] { (x.*handler)(); });
        }
        w.setButtonHandler(QStringLiteral("Memory"), [&x] { x.CommandMemory_Click(); });
        w.setButtonHandler(QStringLiteral("Register"), [&x] { x.CommandRegister_Click(); });
        w.setButtonHandler(QStringLiteral("VuzUnAsm"), [&x] { x.CommandUnAsm_Click(); });
        w.setButtonHandler(QStringLiteral("VuzRun"), [&x] { x.CommandRun_Click(); });
        w.setButtonHandler(QStringLiteral("VuzStepIntoRun"), [&x] { x.CommandStepInto_Click(); });
        w.setButtonHandler(QStringLiteral("VuzStepIntoRunAs"), [&x] { x.CommandStepIntoAs_Click(); });
        devlink::TerminalPump& pump = console->pump();
        w.setButtonHandler(QStringLiteral("ClearCommandLine"), [&pump] { pump.ToolCommandLineClear_Click(); });
        if (QAction* a = w.menuEntry(QStringLiteral("ToolCommandLineClear")))
            QObject::connect(a, &QAction::triggered, &pump, &devlink::TerminalPump::ToolCommandLineClear_Click);
    };
    hooks.closePortIfOpen = [] {
        devlink::LinkState& link = devlink::linkState();
        if (link.port && link.port->isOpen()) link.port->close();
    };
}

}  // namespace app
