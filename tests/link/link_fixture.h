#pragma once
// A folder of fake ports for device tests: CORVANE_COM_DIR points at a
// temporary folder; ports with a fake monitor get a COM<n> link there, the
// others are missing. Also a link state with its device port and a recorder
// for what the link asks of the main window.

#include "link/device_port.h"
#include "link/fake/fake_vaz_monitor.h"
#include "link/link_state.h"
#include "link/prompter_link_notifier.h"
#include "support/scripted_prompter.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace linktest {

class LinkFixture : public ::testing::Test {
protected:
    LinkFixture() {
        qunsetenv("CORVANE_COM1");
        qunsetenv("CORVANE_COM2");
        qunsetenv("CORVANE_COM3");
        qunsetenv("CORVANE_COM4");
        qputenv("CORVANE_COM_DIR", dir.path().toLocal8Bit());
        link.port = &port;
        link.host.showStatusText = [this](const QString& s) { statusTexts.append(s); };
        link.host.setMainWindowEnabled = [this](bool on) { mainEnabled = on; };
        link.host.setMainWindowWaitCursor = [this](bool on) { waitCursor = on; };
        link.host.bringMainWindowToFront = [this] { ++broughtToFront; };
    }
    ~LinkFixture() override {
        port.close();
        fakes.clear();
        qunsetenv("CORVANE_COM_DIR");
    }

    QString pathOf(int portNumber) const { return dir.filePath(QStringLiteral("COM%1").arg(portNumber)); }

    fakevaz::FakeVazMonitor& addFake(int portNumber, fakevaz::Options options = {}) {
        auto fake = std::make_unique<fakevaz::FakeVazMonitor>(std::move(options));
        std::string error;
        EXPECT_TRUE(fake->start(pathOf(portNumber).toStdString(), &error)) << error;
        auto& ref = *fake;
        fakes[portNumber] = std::move(fake);
        return ref;
    }
    fakevaz::FakeVazMonitor& addSilent(int portNumber) {
        fakevaz::Options o;
        o.silent = true;
        return addFake(portNumber, o);
    }
    void removeFake(int portNumber) { fakes.erase(portNumber); }

    QString lastStatus() const { return statusTexts.isEmpty() ? QString() : statusTexts.last(); }
    QStringList messageTexts() const {
        QStringList out;
        for (const auto& m : prompter.messages()) out << m.text;
        return out;
    }

    QTemporaryDir dir;
    std::map<int, std::unique_ptr<fakevaz::FakeVazMonitor>> fakes;
    devlink::DevicePort port;
    devlink::LinkState link;
    testsupport::ScriptedPrompter prompter;
    devlink::ScopedPrompterLinkNotifier linkBoxes;
    QStringList statusTexts;
    bool mainEnabled = true;
    bool waitCursor = false;
    int broughtToFront = 0;
};

inline const QString kNotReady = QStringLiteral("设备未发现或端口被占用！！");
inline QString readyText(int port) {
    return QStringLiteral("端口号：%1，波特率：9600BPS，校验：N，字长：8BITS，停止位：1BITS").arg(port);
}

}  // namespace linktest
