#include "link/port_search.h"

#include "link/comm_errors.h"
#include "link/comm_send.h"
#include "link/device_port.h"
#include "link/port_status.h"
#include "link/port_switch.h"
#include "link/prompt_match.h"
#include "platform/wait_seconds.h"

#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <thread>

namespace devlink {
namespace {

QString portPrefix(int portNumber) { return QStringLiteral("端口 ") + QString::number(portNumber); }

void pumpEvents() {
    const auto& hooks = platform::waitHooks();
    if (hooks.processEvents) hooks.processEvents();
    else if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Yield between polls on the real clock instead of spinning.
    if (!hooks.monotonicSeconds) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// Handles events until `done` holds; false when `seconds` pass first.
bool pollUntil(double seconds, const std::function<bool()>& done) {
    const platform::Deadline deadline(seconds);
    do {
        if (deadline.expired()) return false;
        pumpEvents();
    } while (!done());
    return true;
}

void pause(float seconds) { platform::WaitSeconds(platform::Timer(), seconds); }

}  // namespace

SearchLine notTriedLine(int n) { return {portPrefix(n) + QStringLiteral(" 未检查"), LineLook::AsDesigned, false, false}; }
SearchLine tryingLine(int n) { return {portPrefix(n) + QStringLiteral(" 搜索中..."), LineLook::Trying, false, false}; }
SearchLine foundLine(int n) {
    return {portPrefix(n) + QStringLiteral(" 搜索到应答，是否使用该端口？"), LineLook::Found, true, true};
}
SearchLine noAnswerLine(int n) {
    return {portPrefix(n) + QStringLiteral(" 未得到应答，端口上没发现设备！！"), LineLook::NoAnswer, true, false};
}
SearchLine failureLine(int n, int failureNumber) {
    return {portPrefix(n) + CommFailureTail(failureNumber), LineLook::Failure, false, false};
}

PortSearch::PortSearch(LinkState& link, SearchView& view) : link_(link), view_(view) {
    for (int i = 0; i < kSearchLineCount; ++i) lines_[static_cast<size_t>(i)] = notTriedLine(i + 1);
}

void PortSearch::run() {
    load();
    view_.hideDialog();
    dwSearchStatus = 1;
    if (dwCloseSearch != 0) ignore();
    else view_.runModal();
}

void PortSearch::load() {
    link_.resetPortSettings();
    dwFoundPort_ = 0;
    dwSearchBusy_ = 0;
    dwSearchStatus = 0;
    dwCloseSearch = 0;
    for (int i = 0; i < kSearchLineCount; ++i) setLine(i, notTriedLine(i + 1));
    view_.showNonModal();
    searchOn();
}

void PortSearch::searchOn() {
    if (dwSearchBusy_ != 0) return;
    dwSearchBusy_ = 1;
    if (dwCloseSearch == 2) dwCloseSearch = 0;
    link_.LinkMode = LinkModeScan;
    link_.setMainWindowWaitCursor(true);
    link_.setMainWindowEnabled(false);
    setButtons(false, false, ignoreEnabled_);

    DevicePort& port = *link_.port;
    int& current = link_.settings.CommPortNumber;
    if (port.isOpen()) {
        port.close();
        if (dwFoundPort_ > 0) current = current >= kLastSearchedPort ? 1 : current + 1;
    }
    link_.PortReady = false;
    ShowPortStatus(link_);

    for (;;) {
        if (dwCloseSearch == 1) {
            dwCloseSearch = 2;
            break;
        }
        const int n = current;
        const int index = n - 1;
        const bool shown = index >= 0 && index < kSearchLineCount;
        if (shown) {
            SearchLine l = lines_[static_cast<size_t>(index)];
            l.optionEnabled = false;
            setLine(index, l);
        }
        for (int i = 0; i < kLastSearchedPort; ++i) {
            if (!lines_[static_cast<size_t>(i)].selected) continue;
            SearchLine l = lines_[static_cast<size_t>(i)];
            l.selected = false;
            setLine(i, l);
        }
        if (shown) setLine(index, tryingLine(n));
        pause(0.4f);

        int failure = openDevicePort(port, n, CommSettings(link_.settings));
        if (failure == CommOk) {
            if (handshake()) {
                link_.PortReady = true;
                dwFoundPort_ = n;
            }
            if (const int f = port.takeReceiveFailure(); f != CommOk) failure = f;
        }

        if (link_.PortReady) {
            if (shown) setLine(index, foundLine(n));
            setButtons(true, true, true);
            break;
        }
        if (dwFoundPort_ == n) dwFoundPort_ = 0;
        if (shown) setLine(index, failure == CommOk ? noAnswerLine(n) : failureLine(n, failure));
        if (port.isOpen()) port.close();
        pause(0.4f);
        if (n >= kLastSearchedPort) {
            setButtons(okEnabled_, true, true);
            current = 1;
            break;
        }
        current = n + 1;
    }

    link_.setMainWindowWaitCursor(false);
    link_.setMainWindowEnabled(true);
    view_.focusContinue();
    ShowPortStatus(link_);
    link_.LinkMode = LinkModeTerminal;
    dwSearchBusy_ = 0;
    if (dwCloseSearch == 2) ignore();
}

bool PortSearch::handshake() {
    DevicePort& port = *link_.port;
    for (int attempt = 0; attempt < 3; ++attempt) {
        SendCommByte(link_, '\r');
        if (!pollUntil(0.5, [&] { return port.bytesToWrite() == 0; })) return false;
        if (!pollUntil(0.5, [&] { return port.bytesAvailable() > 2; })) return false;
        const bool match = hasMonitorPrompt(port.readAll());
        // Only the third reply decides: the first two clear whatever the
        // device had pending when the port opened.
        if (match && attempt == 2) return true;
    }
    return false;
}

void PortSearch::ignore() {
    if (dwCloseSearch == 0) dwCloseSearch = 1;
    if (dwSearchStatus != 1 || dwSearchBusy_ != 0) return;
    if (link_.port->isOpen()) link_.port->close();
    link_.PortReady = false;
    ShowPortStatus(link_);
    view_.closeDialog();
    link_.bringMainWindowToFront();
}

void PortSearch::accept() {
    ShowPortStatus(link_);
    view_.closeDialog();
    link_.bringMainWindowToFront();
}

void PortSearch::openDirectly(int index) {
    // The click selects the line even while a search runs; the search clears it.
    for (int i = 0; i < kSearchLineCount; ++i) {
        SearchLine l = lines_[static_cast<size_t>(i)];
        if (l.selected != (i == index)) {
            l.selected = i == index;
            setLine(i, l);
        }
    }
    if (!continueEnabled_ || !ignoreEnabled_) return;
    PortSettings wanted = link_.settings;
    wanted.CommPortNumber = index + 1;
    if (switchDevicePort(link_, wanted)) {
        setButtons(true, continueEnabled_, ignoreEnabled_);
        return;
    }
    view_.focusContinue();
}

void PortSearch::setLine(int index, const SearchLine& line) {
    lines_[static_cast<size_t>(index)] = line;
    view_.showLine(index, line);
}

void PortSearch::setButtons(bool ok, bool cont, bool ignore) {
    okEnabled_ = ok;
    continueEnabled_ = cont;
    ignoreEnabled_ = ignore;
    view_.showButtons(ok, cont, ignore);
}

}  // namespace devlink
