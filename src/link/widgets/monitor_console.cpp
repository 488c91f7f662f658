#include "link/widgets/monitor_console.h"

#include "link/code_transfer.h"
#include "link/monitor_exchange.h"
#include "link/terminal_pump.h"
#include "link/widgets/command_line_pane.h"
#include "link/widgets/data_send_recv_process.h"
#include "link/widgets/reply_list_views.h"

namespace devlink {

MonitorConsole::MonitorConsole(LinkState& link, const editions::EditionProfile& profile, QTextEdit& pane,
                               QTimer& timer, platform::ListView& registers, platform::ListView& unassembly,
                               platform::ListView& memory, QObject* parent)
    : QObject(parent),
      pump_(std::make_unique<TerminalPump>(link, timer)),
      lists_(std::make_unique<ReplyListViews>(registers, unassembly, memory)),
      exchange_(std::make_unique<MonitorExchange>(link, profile, *pump_, *lists_,
                                                  [] { return new DataSendRecvProcess; })),
      transfer_(std::make_unique<CodeTransfer>(link, profile, *exchange_, *pump_)),
      pane_(std::make_unique<CommandLinePane>(pane, *pump_)) {
    exchange_->attachPort();
}

MonitorConsole::~MonitorConsole() {
    pump_->setView(nullptr);
}

}  // namespace devlink
