// The environment's serial port in a continuous run: the 8251's output
// reaches a pseudo-terminal, bytes from it reach the receiving 8251, a port
// that is gone is reported once per run or console command, and without the
// variable nothing is.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "circuit/environment_port.h"
#include "circuit/widgets/form12.h"
#include "circuit/widgets/run_parts.h"
#include "link/comm_errors.h"
#include "link/fake/pseudo_terminal.h"
#include "link/link_state.h"
#include "support/wait_until.h"
#include "usart_frame.h"

using circuit::widgets::RunWindows;
using testsupport::waitUntil;
using namespace circuittest;

namespace {

// CORVANE_ENV_PORT for the test's life (unset for an empty path).
class PortVariable {
public:
    explicit PortVariable(const std::string& path) {
        if (path.empty()) qunsetenv(circuit::kEnvironmentPortVariable);
        else qputenv(circuit::kEnvironmentPortVariable, QByteArray::fromStdString(path));
    }
    ~PortVariable() { qunsetenv(circuit::kEnvironmentPortVariable); }
};

std::string readAvailable(int fd) {
    std::string got;
    char buffer[256];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) got.append(buffer, static_cast<std::size_t>(n));
    return got;
}

// Runs until `batches` more batches have passed, then stops as the toggle does.
void runFor(UsartFrame& f, int64_t batches) {
    circuit::ContinuousRun& run = RunWindows::of(*f.frame)->session().run();
    const int64_t until = run.batches() + batches;
    f.startRun();
    EXPECT_TRUE(waitUntil([&] { return run.batches() >= until; }));
    f.stopRun();
}

}  // namespace

TEST(EnvironmentPort, RunOutputReachesThePortAndItsInputTheReceiving8251) {
    fakevaz::PseudoTerminal pty;
    std::string error;
    ASSERT_TRUE(pty.open(&error)) << error;
    PortVariable variable(pty.slavePath());
    UsartFrame f;
    RunWindows* windows = RunWindows::of(*f.frame);
    ASSERT_TRUE(windows->session().port().isOpen());

    // Every clock period of the run writes "A".
    f.enable();
    f.send({'A'});
    runFor(f, 5);
    std::string got;
    ASSERT_TRUE(waitUntil([&] { return (got += readAvailable(pty.master())).size() >= 640; }));
    EXPECT_EQ(got.find_first_not_of('A'), std::string::npos) << QByteArray::fromStdString(got.substr(0, 16)).toHex().toStdString();
    EXPECT_EQ(f.sim().Receiving8251Ic, f.usart());
    // The run makes the terminal and shows it, and leaves its text alone.
    circuit::widgets::Form12* t = windows->terminalIfMade(f.usart());
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->isVisible());
    EXPECT_TRUE(t->RichTextBox1()->toPlainText().isEmpty());

    // Status reads now: a byte from the port reaches the 8251.
    f.readStatus();
    ASSERT_EQ(::write(pty.master(), "z", 1), 1);
    circuit::ContinuousRun& run = windows->session().run();
    f.startRun();
    EXPECT_TRUE(waitUntil([&] { return f.usartRecord().RxData == 'z'; }));
    EXPECT_TRUE(waitUntil([&] { return run.batches() > 0; }));
    f.stopRun();
    EXPECT_NE(f.usartRecord().Status & 2, 0);
    EXPECT_TRUE(f.prompter.messages().empty());

    // Quitting closes the port.
    f.prompter.answerMessage(platform::MsgResult::Yes);
    f.frame->close();
    EXPECT_FALSE(windows->session().port().isOpen());
}

TEST(EnvironmentPort, APortThatIsGoneIsReportedOncePerRunAndPerCommand) {
    const struct {
        const char* name;
        bool vanishes;  // else the path was never there
        int number;
    } cases[] = {
        {"the device went away", true, devlink::CommPortNotOpen},
        {"no such device", false, devlink::CommPortNotFound},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        fakevaz::PseudoTerminal pty;
        std::string error;
        ASSERT_TRUE(pty.open(&error)) << error;
        PortVariable variable(k.vanishes ? pty.slavePath() : "/nonexistent/env-port");
        UsartFrame f;
        circuit::EnvironmentPort& port = RunWindows::of(*f.frame)->session().port();
        if (k.vanishes) {
            ASSERT_TRUE(port.isOpen());
            pty.close();
            ASSERT_TRUE(waitUntil([&] { return !port.isOpen(); }));
        }
        EXPECT_TRUE(f.prompter.messages().empty()) << "nothing is said before the port is used";

        // A run whose status reads poll the port at every clock period, then
        // one whose output goes to it: one box each.
        const QString text = devlink::CommErrorText(k.number, devlink::linkState().settings.CommPortNumber);
        f.enable();
        f.readStatus();
        f.prompter.clear();
        runFor(f, 9);
        f.send({'A'});
        runFor(f, 9);
        const auto messages = f.prompter.messages();
        ASSERT_EQ(messages.size(), 2u);
        for (const auto& m : messages) {
            EXPECT_EQ(m.text, text);
            EXPECT_EQ(m.title, QStringLiteral(" 错误提示！"));
        }

        // A console command whose status read polls it: once more, once.
        f.readStatus();
        f.prompter.clear();
        f.clockPeriod();
        EXPECT_EQ(f.prompter.messages().size(), 1u);
    }
}

TEST(EnvironmentPort, WithoutTheVariableThereIsNoPortAndNothingIsSaid) {
    PortVariable variable("");
    UsartFrame f;
    circuit::EnvironmentPort& port = RunWindows::of(*f.frame)->session().port();
    EXPECT_FALSE(port.configured());
    f.enable();
    f.readStatus();
    runFor(f, 5);
    f.send({'A'});
    runFor(f, 5);
    EXPECT_EQ(f.sim().Receiving8251Ic, f.usart()) << "the output was passed on, and dropped";
    EXPECT_TRUE(f.prompter.messages().empty());
}
