#pragma once
// The device side of the fuzz targets on the link: a link notifier that
// answers from its members and counts what it is told, installed while it
// lives; the reply a device played from the input gives to each write; and
// waits that take no time.

#include "link/link_notifier.h"
#include "platform/wait_seconds.h"
#include "support/fuzz_input.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace linkfuzz {

class QuietLinkNotifier : public devlink::LinkNotifier {
public:
    QuietLinkNotifier() : previous_(devlink::setLinkNotifier(this)) {}
    ~QuietLinkNotifier() override { devlink::setLinkNotifier(previous_); }
    QuietLinkNotifier(const QuietLinkNotifier&) = delete;
    QuietLinkNotifier& operator=(const QuietLinkNotifier&) = delete;

    // The answers of the address box and the file dialogs; nullopt: cancelled.
    std::optional<QString> address, receiveFile, sendFile;
    int commErrors = 0;

    void commError(int, int) override { ++commErrors; }
    std::optional<QString> askAddress(const QString&, const QString&, const QString&) override { return address; }
    std::optional<QString> chooseReceiveFile() override { return receiveFile; }
    std::optional<QString> chooseSendFile() override { return sendFile; }
    void codeFileError() override {}

private:
    devlink::LinkNotifier* previous_;
};

// The device's answer to `written`, one step of the input: the low two bits
// of its first byte choose an echo, the echo and more bytes, other bytes
// instead, or silence; the bytes count up to 31 (the byte's top five bits),
// or with bit 2 set up to 8191 (those bits high, the next byte low). Once
// the input is used up the device is silent.
inline QByteArray deviceReply(testsupport::FuzzInput& in, const QByteArray& written) {
    if (!in.more()) return {};
    const uint8_t step = in.byte();
    const auto more = [&] {
        const size_t count = (step & 4) ? static_cast<size_t>(step >> 3) << 8 | in.byte() : step >> 3;
        const std::string_view bytes = in.bytes(count);
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    };
    switch (step & 3) {
        case 0: return written;
        case 1: return written + more();
        case 2: return more();
        default: return {};
    }
}

// Waits that pass at once: a clock that moves on 5 ms at every reading, and
// `events` for the window events a wait handles.
inline platform::WaitHooks instantWaits(std::function<void()> events) {
    auto clock = std::make_shared<double>(0.0);
    platform::WaitHooks hooks;
    hooks.monotonicSeconds = [clock] { return *clock += 0.005; };
    hooks.secondsSinceMidnight = [clock] { return 3600.0 + (*clock += 0.005); };
    hooks.processEvents = std::move(events);
    return hooks;
}

}  // namespace linkfuzz
