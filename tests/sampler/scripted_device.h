#pragma once
// A device link for sampling tests: replies come from a function of the byte sent.

#include "sampler/sampler_device.h"

#include <QByteArray>
#include <QThread>

#include <functional>
#include <utility>
#include <vector>

namespace sampler {

// Answers each byte the exchange sends with what `reply` returns for it.
class ScriptedDevice : public SamplerDevice {
public:
    std::function<QByteArray(uint8_t)> reply = [](uint8_t b) { return QByteArray(1, char(b)); };
    bool ready = true;
    bool open_ = true;
    int openFailure = 0;
    bool stuckOutput = false;
    std::vector<uint8_t> sent;
    std::vector<int> reported;
    std::vector<bool> holds;
    int opens = 0;

    bool portReady() const override { return ready; }
    bool isOpen() const override { return open_; }
    int open() override {
        ++opens;
        if (!openFailure) open_ = true;
        return openFailure;
    }
    int baudRate() const override { return 9600; }
    void sendCommByte(uint8_t b) override {
        sent.push_back(b);
        input_ += reply(b);
    }
    void reportCommError(int n) override { reported.push_back(n); }
    qint64 bytesToWrite() override { return stuckOutput ? 1 : 0; }
    bool waitForBytesWritten(int ms) override { return idle(ms); }
    qint64 bytesAvailable() override { return input_.size(); }
    bool waitForReadyRead(int ms) override { return idle(ms); }
    QByteArray readAll() override { return std::exchange(input_, {}); }
    void holdLinkDispatch(bool h) override { holds.push_back(h); }

    QByteArray input_;

private:
    static bool idle(int ms) {
        QThread::msleep(std::min(ms, 2));
        return false;
    }
};

inline QByteArray pattern(int n) {
    QByteArray data;
    for (int i = 0; i < n; ++i) data += char((i * 37 + 11) & 0xFF);
    return data;
}

}  // namespace sampler
