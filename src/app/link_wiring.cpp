// How the device link plugs into the program: the link's state is the
// program's one LinkState, its device port lives as long as the main window,
// and the link reaches the window only through the host calls set here.

#include "app/main_window.h"
#include "app/program.h"
#include "link/code_transfer.h"
#include "link/device_port.h"
#include "link/link_state.h"
#include "link/monitor_exchange.h"
#include "link/port_status.h"
#include "link/port_switch.h"
#include "link/prompter_link_notifier.h"
#include "link/terminal_pump.h"
#include "link/widgets/monitor_console.h"
#include "link/widgets/port_commands.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"

#include <QPointer>
#include <QTextCursor>
#include <QTimer>

#include <memory>

namespace app {

void wireLink(Program& program) {
    // The link's boxes and file dialogs go through the program's prompter.
    static devlink::PrompterLinkNotifier linkBoxes;
    devlink::setLinkNotifier(&linkBoxes);
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
        devlink::watchForPortLoss(link);
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
    // The pump and pane of the window built last, for the font dialog.
    auto console = std::make_shared<QPointer<devlink::MonitorConsole>>();
    auto pane = std::make_shared<QPointer<platform::RichTextBox>>();
    hooks.attach = [console, pane](MainWindow& w) {
        devlink::LinkState& link = devlink::linkState();
        // Load step 16: the exchange's flags start at 0 (the pump's counters are new).
        link.CommBusy = 0;
        link.OnCommBusy = 0;
        auto* c = new devlink::MonitorConsole(link, w.profile(), *w.RichTextBox1(), *w.Timer1(), *w.ListView1(),
                                              *w.ListView2(), *w.ListView3(), &w);
        *console = c;
        *pane = w.RichTextBox1();
        devlink::MonitorExchange& x = c->exchange();
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
        for (const auto& [entry, handler] : commands)
            w.setCommand(QString::fromLatin1(entry), [&x, handler = handler] { (x.*handler)(); });
        devlink::CodeTransfer& t = c->codeTransfer();
        w.setCommand(QStringLiteral("ToolRecvData"), [&t] { t.ToolRecvData_Click(); });
        w.setCommand(QStringLiteral("ToolSendData"), [&t] { t.ToolSendData_Click(); });
        devlink::TerminalPump& pump = c->pump();
        w.setCommand(QStringLiteral("ToolCommandLineClear"), [&pump] { pump.ToolCommandLineClear_Click(); });
    };
    hooks.runTerminalPump = [console] {
        if (*console) (*console)->pump().Timer1_Timer();
    };
    hooks.caretToPrompt = [console, pane] {
        if (!*console || !*pane) return;
        const devlink::TerminalBuffer& buffer = (*console)->pump().buffer();
        QTextCursor caret = (*pane)->textCursor();
        caret.setPosition(static_cast<int>(devlink::TerminalBuffer::documentPosition(buffer.text(), buffer.promptStart())));
        (*pane)->setTextCursor(caret);
    };
    hooks.closePortIfOpen = [] {
        devlink::LinkState& link = devlink::linkState();
        if (link.port && link.port->isOpen()) link.port->close();
    };
}

}  // namespace app
