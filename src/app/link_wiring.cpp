// How the device link plugs into the program: the link's state is the
// program's one LinkState, its device port lives as long as the main window,
// and the link reaches the window only through the host calls set here.

#include "app/main_window.h"
#include "app/program.h"
#include "link/device_port.h"
#include "link/link_state.h"
#include "link/port_status.h"
#include "link/port_switch.h"
#include "link/widgets/port_commands.h"

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
    hooks.closePortIfOpen = [] {
        devlink::LinkState& link = devlink::linkState();
        if (link.port && link.port->isOpen()) link.port->close();
    };
}

}  // namespace app
