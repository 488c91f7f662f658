#pragma once
// The main window's device side put together: the command-line pane with its
// pump, the three reply lists, the monitor commands with their progress
// dialogs and the code transfers, on the program's one link state.

#include "editions/edition_profile.h"
#include "link/link_state.h"

#include <QObject>

#include <memory>

class QTextEdit;
class QTimer;

namespace platform {
class ListView;
}

namespace devlink {

class CodeTransfer;
class CommandLinePane;
class MonitorExchange;
class ReplyListViews;
class TerminalPump;

class MonitorConsole : public QObject {
    Q_OBJECT
public:
    // `pane` is RichTextBox1 with its banner, `timer` the window's Timer1, the
    // lists ListView1 (registers), ListView2 (unassembly) and ListView3 (memory).
    MonitorConsole(LinkState& link, const editions::EditionProfile& profile, QTextEdit& pane, QTimer& timer,
                   platform::ListView& registers, platform::ListView& unassembly, platform::ListView& memory,
                   QObject* parent = nullptr);
    ~MonitorConsole() override;

    MonitorExchange& exchange() { return *exchange_; }
    CodeTransfer& codeTransfer() { return *transfer_; }
    TerminalPump& pump() { return *pump_; }

private:
    std::unique_ptr<TerminalPump> pump_;
    std::unique_ptr<ReplyListViews> lists_;
    std::unique_ptr<MonitorExchange> exchange_;
    std::unique_ptr<CodeTransfer> transfer_;  // plugged into exchange_, so it goes first
    std::unique_ptr<CommandLinePane> pane_;
};

}  // namespace devlink
