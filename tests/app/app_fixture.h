#pragma once
// A main window built as start-up builds it, with a scripted prompter and an
// empty program folder (no help files) unless a test lays one out.

#include "app/main_window.h"
#include "app/program.h"
#include "link/device_port.h"
#include "link/fake/fake_vaz_monitor.h"
#include "link/link_state.h"
#include "link/widgets/data_send_recv_process.h"
#include "support/program_folder.h"
#include "support/scripted_prompter.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Failed expectations show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace apptest {

using ProgramFolder = testsupport::ProgramFolder;

struct WindowFixture {
    explicit WindowFixture(const editions::EditionProfile& p = editions::profileCorvane16()) : profile(p) {}

    app::MainWindow& build() {
        window = std::make_unique<app::MainWindow>(profile, source, hooks);
        return *window;
    }

    const editions::EditionProfile& profile;
    ProgramFolder folder;
    testsupport::ScriptedPrompter prompter;
    workbench::SourceState source;
    app::ProgramHooks hooks;
    std::unique_ptr<app::MainWindow> window;
};

// A fake device on COM1 of a port folder of the test's own.
struct FakeDeviceOnCom1 {
    FakeDeviceOnCom1() {
        qputenv("CORVANE_COM_DIR", ports.path().toLocal8Bit());
        started = fake.start(ports.filePath(QStringLiteral("COM1")).toStdString());
    }
    QTemporaryDir ports;
    fakevaz::FakeVazMonitor fake;
    bool started = false;
};

// Opens COM1 as the device port and shows the window in the command-line
// mode, as a port search that found the device leaves it.
inline ::testing::AssertionResult connectToCom1(app::MainWindow& w) {
    devlink::LinkState& link = devlink::linkState();
    if (const int failure = link.port->open(1, QStringLiteral("9600,N,8,1")); failure != 0)
        return ::testing::AssertionFailure() << "COM1 did not open: " << failure;
    link.PortReady = true;
    link.LinkMode = devlink::LinkModeTerminal;
    w.setEnabled(true);
    w.show();
    return ::testing::AssertionSuccess();
}

// A Corvane16 program whose main window is connected to a fake device on COM1.
class ConnectedProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(device.started);
        ASSERT_TRUE(connectToCom1(w));
    }

    ProgramFolder folder;
    testsupport::ScriptedPrompter prompter;
    FakeDeviceOnCom1 device;
    app::Program program{editions::profileCorvane16()};
    app::MainWindow& w = program.frmmain();
    devlink::LinkState& link = devlink::linkState();
};

// The progress dialog of the running exchange, if one is up.
inline devlink::DataSendRecvProcess* visibleProgressDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<devlink::DataSendRecvProcess*>(w); d && d->isVisible()) return d;
    return nullptr;
}

}  // namespace apptest
