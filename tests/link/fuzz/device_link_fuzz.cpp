// Plays a device that answers the program's writes with arbitrary bytes, on a
// port without a line, through the port search's handshake, a code receive,
// a code send, a monitor command and the command-line window. The first byte
// picks the scenario and the edition; for a send, a code file of up to 255
// bytes follows its length byte. Then, for every write of the program, the
// device takes a step from the input: echo what came, echo it and add bytes,
// send bytes instead, or stay silent; its bytes arrive at once. When the input is
// used up the device falls silent and the user presses "取消".
//
// What the program writes is always a prefix of what its protocol sends: the
// command, then for a receive the echo of each header and data byte it
// stored, for a send the header and data of each block of the file; a
// received file holds exactly what was echoed; the search takes a port only
// on a prompt in the third reply; no dialog is used after it was unloaded,
// the kept reply stays bounded, and everything ends in the command-line mode.
// The command-line window's text keeps its insertion point inside it, holds
// printable characters and line breaks only, and stays within its trimming
// bounds.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "editions/edition_profile.h"
#include "link/code_transfer.h"
#include "link/codefile/code_file.h"
#include "link/link_state.h"
#include "link/monitor_exchange.h"
#include "link/port_search.h"
#include "link/progress_view.h"
#include "link/prompt_match.h"
#include "link/reply_completion.h"
#include "link/reply_fills.h"
#include "link/terminal_pump.h"
#include "link/address_rule.h"
#include "link/fuzz/checked_reply_lists.h"
#include "link/fuzz/fuzz_device.h"
#include "link/fuzz/memory_port.h"
#include "platform/wait_seconds.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "device link: %s\n", what);
    std::abort();
}

struct Progress : devlink::ProgressView {
    int maximum = 100;
    bool unloaded = false;
    void use() const {
        if (unloaded) fail("a progress dialog used after it was unloaded");
    }
    void setCaption(const QString&) override { use(); }
    void setLabel1(const QString&) override { use(); }
    void setLabel2(const QString&) override { use(); }
    void setLabel3(const QString&) override { use(); }
    QString label3() const override { return use(), QString(); }
    void setProgressRange(int, int hi) override { use(), maximum = hi; }
    int progressMaximum() const override { return use(), maximum; }
    void setProgressValue(int) override { use(); }
    void setTag(const QString&) override { use(); }
    QString tag() const override { return use(), QString(); }
    void setLabel3Tag(const QString&) override { use(); }
    QString label3Tag() const override { return use(), QString(); }
    void setProgressTag(const QString&) override { use(); }
    QString progressTag() const override { return use(), QString(); }
    void showInFront() override { use(); }
    void unload() override { use(), unloaded = true; }
};

struct NoSearchView : devlink::SearchView {
    void showLine(int, const devlink::SearchLine&) override {}
    void showButtons(bool, bool, bool) override {}
    void showNonModal() override {}
    void hideDialog() override {}
    void runModal() override {}
    void closeDialog() override {}
    void focusContinue() override {}
};

QByteArray bytesOf(std::string_view s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

// The program's side of one scenario, and the device the input plays.
class Session {
public:
    Session(const editions::EditionProfile& profile, testsupport::FuzzInput& in)
        : profile(profile), in_(in), pump(link, pumpTimer), exchange(link, profile, pump, lists, [this] {
              dialogs.push_back(std::make_unique<Progress>());
              return dialogs.back().get();
          }),
          transfer(link, profile, exchange, pump) {
        notifier.receiveFile = folder.filePath(QStringLiteral("received.cod"));
        notifier.sendFile = folder.filePath(QStringLiteral("sent.cod"));
        link.port = &port;
        port.device = [this](const QByteArray& bytes) { answer(bytes); };
    }

    // The port open and ready in the command-line mode, as after a search.
    void openReady() {
        port.open(1, QStringLiteral("9600,N,8,1"));
        link.PortReady = true;
        link.LinkMode = devlink::LinkModeTerminal;
        exchange.attachPort();
    }

    // Serves arrivals and the pump until the device has nothing more to say,
    // then cancels whatever dialog is still up.
    void settle() {
        for (int round = 0; round < 100000; ++round) {
            events();
            if (!port.pending() && !pump.timer().isActive()) break;
        }
        if (Progress* open = openDialog(); open && open->onCancel) open->onCancel();
        else if (transfer.phase() == devlink::CodeTransfer::Phase::Parked) exchange.Command1_Click();
        events();
        if (exchange.XferDialog() || link.XferFileNumber != 0) fail("an exchange still open after its cancel");
        if (link.LinkMode != devlink::LinkModeTerminal) fail("the link did not return to the command line");
    }

    Progress* openDialog() const {
        for (const auto& d : dialogs)
            if (!d->unloaded) return d.get();
        return nullptr;
    }

    void checkPane() {
        const devlink::TerminalBuffer& b = pump.buffer();
        if (b.promptStart() < 0 || b.promptStart() > b.text().size()) fail("an insertion point outside the pane");
        if (pump.TerminalTick == 0 && b.text().size() > devlink::TerminalBuffer::kTrimAbove)
            fail("a pane beyond its trimming bound");
        for (const QChar c : b.text())
            if (c != QLatin1Char('\r') && c != QLatin1Char('\n') && (c.unicode() < 32 || c.unicode() > 127))
                fail("a pane character that is neither printable nor a line break");
    }

    const editions::EditionProfile& profile;
    QTemporaryDir folder;
    linkfuzz::QuietLinkNotifier notifier;
    devlink::LinkState link;
    linkfuzz::MemoryPort port;
    QTimer pumpTimer;
    linkfuzz::CheckedReplyLists lists{fail};
    std::vector<std::unique_ptr<Progress>> dialogs;
    devlink::TerminalPump pump;
    devlink::MonitorExchange exchange;
    devlink::CodeTransfer transfer;
    // What the device sent after each carriage return, per opening of the port, for the search.
    std::vector<std::vector<QByteArray>> repliesToReturns;
    // What the program wrote, in runs: a transfer's command (true) or what
    // followed it (false).
    std::vector<std::pair<bool, QByteArray>> runs;

private:
    void events() {
        port.deliver();
        QCoreApplication::processEvents();
        if (pump.timer().isActive()) pump.Timer1_Timer();
        if (link.RecvBuffer.size() > devlink::kReplyKeptBytes + 1) fail("a reply kept beyond its bound");
        checkPane();
    }

    void answer(const QByteArray& written) {
        const bool launch = transfer.phase() == devlink::CodeTransfer::Phase::Launch;
        if (runs.empty() || runs.back().first != launch) runs.emplace_back(launch, QByteArray());
        runs.back().second += written;
        const QByteArray reply = linkfuzz::deviceReply(in_, written);
        if (written.endsWith('\r')) {
            repliesToReturns.resize(static_cast<std::size_t>(port.opens));
            repliesToReturns.back().push_back(reply);
        }
        port.arrive(reply);
    }

    testsupport::FuzzInput& in_;
    platform::ScopedWaitHooks waits_{linkfuzz::instantWaits([this] { events(); })};
};

// The reply check as it stands for replies without a zero byte: an odd number
// of bytes ending with CR LF ">" or LF CR ">".
bool promptAtOddEnd(const QByteArray& reply) {
    return reply.size() % 2 == 1 && (reply.endsWith("\r\n>") || reply.endsWith("\n\r>"));
}

void search(Session& s) {
    NoSearchView view;
    devlink::PortSearch search(s.link, view);
    search.load();
    if ((search.foundPort() != 0) != s.link.PortReady) fail("a port found but not ready, or ready but not found");
    // A port answers the handshake when its three replies have three bytes
    // each and the third carries the prompt; the search takes the first that does.
    for (std::size_t port = 0; port < s.repliesToReturns.size(); ++port) {
        const std::vector<QByteArray>& r = s.repliesToReturns[port];
        for (const QByteArray& reply : r)
            if (!reply.contains('\0') && devlink::hasMonitorPrompt(reply) != promptAtOddEnd(reply))
                fail("the reply check read a reply without zeros otherwise");
        const bool answers = r.size() == 3 && std::all_of(r.begin(), r.end(), [](const QByteArray& b) {
            return b.size() >= 3;
        }) && devlink::hasMonitorPrompt(r[2]);
        const bool last = port + 1 == s.repliesToReturns.size();
        if (answers != (last && s.link.PortReady)) fail("the search took a port that did not answer, or passed one that did");
    }
}

// Each run of the transfer's command is a prefix of it; each run after one, a
// prefix of `payloads` in turn, and complete when a further command follows.
void checkRuns(const Session& s, const QByteArray& launch, const std::vector<QByteArray>& payloads) {
    std::size_t block = 0;
    for (std::size_t k = 0; k < s.runs.size(); ++k) {
        const auto& [isLaunch, bytes] = s.runs[k];
        if (isLaunch) {
            if (!launch.startsWith(bytes)) fail("a transfer's command other than the routine's");
            continue;
        }
        if (k == 0 || block >= payloads.size()) fail("bytes written outside a transfer");
        const QByteArray& wanted = payloads[block++];
        const bool last = k + 1 == s.runs.size();
        if (!wanted.startsWith(bytes) || (!last && bytes != wanted)) fail("a transfer wrote other bytes than its block");
    }
}

void receive(Session& s) {
    s.openReady();
    s.transfer.ToolRecvData_Click();
    s.settle();
    const QByteArray launch = bytesOf(s.profile.recvDataCmd) + '\r';
    QByteArray echoed;
    if (s.runs.size() > 1) echoed = s.runs[1].second;
    QByteArray file;
    if (QFile f(*s.notifier.receiveFile); f.open(QIODevice::ReadOnly)) file = f.readAll();
    if (file.isEmpty() || file[0] != 1) fail("a received file without its block count");
    // The header travels high byte first, is stored low byte first, and only once all four bytes came.
    QByteArray stored = file.mid(1);
    if (stored.size() >= 4) {
        std::swap(stored[0], stored[1]);
        std::swap(stored[2], stored[3]);
    }
    if (stored.isEmpty() ? echoed.size() > 3 : stored != echoed) fail("a received file other than what was echoed");
    checkRuns(s, launch, {echoed});
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file.constData()),
                                         static_cast<std::size_t>(file.size()));
    const codefile::CodeFile parsed = codefile::parseCodeFile(bytes, s.profile.bytesPerLocation);
    // A count of 0 is the device's 65536 locations, stored as it came; a file holds no data for it.
    if (parsed.blocks.empty() || parsed.blocks.front().segment.count == 0) return;
    if (codefile::fileSize({&parsed.blocks.front().segment, 1}, s.profile.bytesPerLocation) < bytes.size())
        fail("a received file with bytes behind its block");
}

void send(Session& s, const QByteArray& code) {
    if (QFile f(*s.notifier.sendFile); !f.open(QIODevice::WriteOnly) || f.write(code) != code.size())
        fail("the code file was not written");
    s.openReady();
    s.transfer.ToolSendData_Click();
    s.settle();
    // Per block with locations: its header, high bytes first, and its data.
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(code.constData()),
                                         static_cast<std::size_t>(code.size()));
    const codefile::CodeFile file = codefile::parseCodeFile(bytes, s.profile.bytesPerLocation);
    std::vector<QByteArray> payloads;
    if (file.complete) {
        for (const codefile::CodeBlock& block : file.blocks) {
            if (block.segment.count == 0) continue;
            QByteArray payload;
            for (const int v : {block.segment.address >> 8, block.segment.address & 0xFF, block.segment.count >> 8,
                                block.segment.count & 0xFF})
                payload += static_cast<char>(v);
            payload += QByteArray(reinterpret_cast<const char*>(block.data.data()),
                                  static_cast<qsizetype>(block.data.size()));
            payloads.push_back(payload);
        }
    }
    checkRuns(s, bytesOf(s.profile.sendDataCmd) + '\r', payloads);
}

void command(Session& s, uint8_t pick) {
    using Command = void (devlink::MonitorExchange::*)();
    static constexpr Command commands[] = {
        &devlink::MonitorExchange::CommandMemory_Click,     &devlink::MonitorExchange::CommandRegister_Click,
        &devlink::MonitorExchange::CommandUnAsm_Click,      &devlink::MonitorExchange::CommandRun_Click,
        &devlink::MonitorExchange::CommandStepIntoAs_Click, &devlink::MonitorExchange::CommandStepAs_Click,
        &devlink::MonitorExchange::CommandStepInto_Click,   &devlink::MonitorExchange::CommandStep_Click,
    };
    s.notifier.address = (pick & 16) ? QStringLiteral("1000H") : QString();
    s.openReady();
    (s.exchange.*commands[pick % 8])();
    s.settle();
    if (s.lists.unasmRows > 16) fail("more than 15 unassembly lines");
    const QByteArray& written = s.port.written;
    const QByteArray letter(1, "DRUGTPTP"[pick % 8]);
    const QByteArray parameter = devlink::addressParameter(s.profile, s.notifier.address.value_or(QString())).toLatin1();
    const QByteArray sent = pick % 8 >= 6 ? letter + '\r' : letter + (pick % 8 == 1 ? QByteArray() : parameter) + '\r';
    if (!sent.startsWith(written)) fail("a command other than the one chosen");
}

void commandLine(Session& s, testsupport::FuzzInput& in) {
    s.openReady();
    // Output the device sends on its own, keys typed and the clear command, in turn.
    while (in.more()) {
        const uint8_t step = in.byte();
        const qsizetype before = s.pump.buffer().text().size();
        const int lastCount = s.pump.TerminalLastCount;
        QByteArray output;
        switch (step & 3) {
            case 0: output = bytesOf(in.bytes(step >> 2)); break;
            case 1: output = bytesOf(in.bytes(static_cast<size_t>(step >> 2) * 16)); break;
            case 2: s.pump.sendTyped(static_cast<char16_t>(in.byte())); break;
            case 3: s.pump.ToolCommandLineClear_Click(); break;
        }
        s.port.arrive(output);
        s.settle();
        // A long read after a long read shows only its last 151 bytes, a line break two characters.
        if (output.size() > 201 && lastCount > 200 && s.pump.buffer().text().size() > before + 2 * 151)
            fail("a flood read shown beyond its tail");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    testsupport::FuzzInput in(data, size);
    const uint8_t pick = in.byte();
    const editions::EditionProfile* profiles[] = {&editions::profileCorvane16(), &editions::profileCorvane(),
                                                  &editions::profileCorvane8()};
    const editions::EditionProfile& profile = *profiles[(pick >> 3) % 3];
    QByteArray code;
    if (pick % 5 == 2) code = bytesOf(in.bytes(in.byte()));
    Session s(profile, in);
    switch (pick % 5) {
        case 0: search(s); break;
        case 1: receive(s); break;
        case 2: send(s, code); break;
        case 3: command(s, pick >> 3); break;
        case 4: commandLine(s, in); break;
    }
    return 0;
}
